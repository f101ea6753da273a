#include "draft/host/ShxFontFile.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/core/PathResolve.h"

int ClassifyShxFile(const char* path) {
  if (!path || !*path) return kShxNotAFont;
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(platform::ResolvePath(path).c_str(), "rb"), std::fclose);
  if (!f) return kShxNotAFont;
  char head[32] = {};
  const size_t n = std::fread(head, 1, sizeof head, f.get());
  const std::string h(head, n);
  struct Kind {
    const char* name;
    int kind;
  };
  static const Kind kinds[] = {{"shapes", kShxFont}, {"unifont", kShxFont}, {"bigfont", kShxBigFont}};
  for (const Kind& k : kinds) {
    const std::string magic = std::string("Scrivel ") + k.name + " 1.0\r\n\x1a";
    if (h.compare(0, magic.size(), magic) == 0) return k.kind;
  }
  return kShxNotAFont;
}
