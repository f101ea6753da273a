// A folder of its own for one test, under the system's temporary folder and
// removed with everything in it afterwards. Its name is made unique when it
// is created, so tests running at the same time never share one.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace testsupport {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix = "scrivel") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::string operator/(const std::string& name) const { return File(name); }

 private:
  std::string path_;
};

}  // namespace testsupport
