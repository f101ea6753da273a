#include "draft/host/ProgramFolder.h"

#include <algorithm>

#include "platform/core/Module.h"

namespace {
CStringA& NamedFolder() {
  static CStringA folder;
  return folder;
}
}  // namespace

void SetProgramFolder(const char* folder) {
  CStringA named = folder ? folder : "";
  if (!named.IsEmpty() && named.Right(1) != "\\" && named.Right(1) != "/") named += "/";
  NamedFolder() = named;
}

CStringA GetProgramFolder() {
  if (!NamedFolder().IsEmpty()) return NamedFolder();
  char buffer[4096] = {};
  const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof(buffer));
  CStringA path(buffer, static_cast<int>(std::min<DWORD>(n, sizeof(buffer))));
  const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  return slash >= 0 ? path.Left(slash + 1) : CStringA();
}
