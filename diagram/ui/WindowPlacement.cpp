#include "diagram/ui/WindowPlacement.h"

#include <cstdio>

#include "platform/core/Profile.h"
#include "platform/core/String.h"

namespace {

constexpr const WCHAR* kKey = u"WindowPos";

}  // namespace

BOOL ReadWindowPlacement(WINDOWPLACEMENT* placement, LPCWSTR section) {
  if (!placement) return FALSE;
  const CStringA text(platform::GetProfileString(section, kKey, u""));
  if (text.IsEmpty()) return FALSE;
  WINDOWPLACEMENT read{};
  char rest = 0;
  const int count = std::sscanf(text.GetString(), "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d%c", &read.flags, &read.showCmd,
                                &read.ptMinPosition.x, &read.ptMinPosition.y, &read.ptMaxPosition.x,
                                &read.ptMaxPosition.y, &read.rcNormalPosition.left, &read.rcNormalPosition.top,
                                &read.rcNormalPosition.right, &read.rcNormalPosition.bottom, &rest);
  if (count != 10) return FALSE;
  read.length = sizeof(WINDOWPLACEMENT);
  *placement = read;
  return TRUE;
}

void WriteWindowPlacement(WINDOWPLACEMENT* placement, LPCWSTR section) {
  if (!placement) return;
  CStringW text;
  text.Format(u"%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", placement->flags, placement->showCmd, placement->ptMinPosition.x,
              placement->ptMinPosition.y, placement->ptMaxPosition.x, placement->ptMaxPosition.y,
              placement->rcNormalPosition.left, placement->rcNormalPosition.top, placement->rcNormalPosition.right,
              placement->rcNormalPosition.bottom);
  platform::WriteProfileString(section, kKey, text);
}
