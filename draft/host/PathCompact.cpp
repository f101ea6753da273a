#include "draft/host/PathCompact.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/core/Charset.h"

namespace {
// The byte offset where each character of the text starts, and the length.
std::vector<int> CharacterStarts(const char* text, int length) {
  std::vector<int> starts;
  for (int i = 0; i < length;) {
    starts.push_back(i);
    const bool pair = platform::IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length;
    i += pair ? 2 : 1;
  }
  starts.push_back(length);
  return starts;
}
}  // namespace

CStringA CompactPath(const char* path, int limit) {
  const int length = path ? static_cast<int>(std::strlen(path)) : 0;
  limit = std::max(limit, 4);
  if (length <= limit) return CStringA(path ? path : "");
  const std::vector<int> starts = CharacterStarts(path, length);
  // The file name starts after the last separator that is a character of its own.
  int name = 0;
  for (size_t k = 0; k + 1 < starts.size(); ++k) {
    const char c = path[starts[k]];
    if ((c == '\\' || c == '/') && starts[k + 1] - starts[k] == 1) name = starts[k];
  }
  const int nameLength = length - name;
  if (name > 0 && nameLength + 3 < limit) {
    // The longest start of whole characters that leaves room for "..." and the name.
    const int room = limit - 3 - nameLength;
    int cut = 0;
    for (int s : starts)
      if (s <= room && s <= name) cut = s;
    return CStringA(path, cut) + "..." + CStringA(path + name, nameLength);
  }
  // The end of the name, from a character start, after "...".
  const int room = limit - 3;
  int from = length;
  for (auto it = starts.rbegin(); it != starts.rend(); ++it)
    if (length - *it <= room) from = *it;
  return "..." + CStringA(path + from, length - from);
}
