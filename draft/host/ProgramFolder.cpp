#include "draft/host/ProgramFolder.h"

#include <algorithm>

#include "platform/core/Module.h"

CStringA GetProgramFolder() {
  char buffer[4096] = {};
  const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof(buffer));
  CStringA path(buffer, static_cast<int>(std::min<DWORD>(n, sizeof(buffer))));
  const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  return slash >= 0 ? path.Left(slash + 1) : CStringA();
}
