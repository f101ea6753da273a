#include "examples/draft-session/SessionOutputs.h"

#include <system_error>
#include <vector>

namespace draftsession {

void RemoveEarlierOutputs(const std::filesystem::path& folder, const std::filesystem::path& scriptPath) {
  std::error_code ec;
  std::vector<std::filesystem::path> earlier;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (!entry.is_regular_file(ec) || entry.path().stem() != scriptPath.stem()) continue;
    std::error_code same;
    if (std::filesystem::equivalent(entry.path(), scriptPath, same)) continue;
    earlier.push_back(entry.path());
  }
  for (const std::filesystem::path& p : earlier) std::filesystem::remove(p, ec);
}

}  // namespace draftsession
