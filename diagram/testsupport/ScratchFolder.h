// A scratch folder for a diagram test, made fresh under /tmp and removed
// with everything in it (read-only entries included) when the test ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/core/Charset.h"
#include "platform/core/String.h"

namespace diagramtest {

class ScratchFolder {
 public:
  ScratchFolder() {
    char pattern[] = "/tmp/scrivel-diagram-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (!made) throw std::runtime_error("no scratch folder");
    path_ = made;
  }
  ~ScratchFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The path of a file in the folder, UTF-8 and UTF-16.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  CStringW Wide(const std::string& name) const { return CStringW(platform::Utf8ToUtf16(File(name)).c_str()); }

 private:
  std::string path_;
};

}  // namespace diagramtest
