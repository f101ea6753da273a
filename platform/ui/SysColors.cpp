// The system colours: the classic scheme, which a host may change.
#include <array>
#include <mutex>

#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

namespace {

constexpr int kColorCount = COLOR_MENUBAR + 1;

struct SysColorTable {
  std::mutex mutex;
  std::array<COLORREF, kColorCount> colors{
      RGB(212, 208, 200),  // COLOR_SCROLLBAR
      RGB(58, 110, 165),   // COLOR_BACKGROUND
      RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
      RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
      RGB(212, 208, 200),  // COLOR_MENU
      RGB(255, 255, 255),  // COLOR_WINDOW
      RGB(0, 0, 0),        // COLOR_WINDOWFRAME
      RGB(0, 0, 0),        // COLOR_MENUTEXT
      RGB(0, 0, 0),        // COLOR_WINDOWTEXT
      RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
      RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
      RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
      RGB(128, 128, 128),  // COLOR_APPWORKSPACE
      RGB(10, 36, 106),    // COLOR_HIGHLIGHT
      RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
      RGB(212, 208, 200),  // COLOR_BTNFACE
      RGB(128, 128, 128),  // COLOR_BTNSHADOW
      RGB(128, 128, 128),  // COLOR_GRAYTEXT
      RGB(0, 0, 0),        // COLOR_BTNTEXT
      RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
      RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
      RGB(64, 64, 64),     // COLOR_3DDKSHADOW
      RGB(212, 208, 200),  // COLOR_3DLIGHT
      RGB(0, 0, 0),        // COLOR_INFOTEXT
      RGB(255, 255, 225),  // COLOR_INFOBK
      RGB(181, 181, 181),  // 25, not an element of its own
      RGB(0, 0, 128),      // COLOR_HOTLIGHT
      RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
      RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
      RGB(10, 36, 106),    // COLOR_MENUHILIGHT
      RGB(212, 208, 200),  // COLOR_MENUBAR
  };
};

SysColorTable& Table() {
  static SysColorTable table;
  return table;
}

bool IsElement(int index) { return index >= 0 && index < kColorCount && index != 25; }

}  // namespace

COLORREF GetSysColor(int index) {
  if (!IsElement(index)) return 0;
  auto& t = Table();
  std::lock_guard lock(t.mutex);
  return t.colors[static_cast<size_t>(index)];
}

BOOL SetSysColors(int count, const int* elements, const COLORREF* colors) {
  if (count < 0 || (count > 0 && (!elements || !colors))) return FALSE;
  for (int i = 0; i < count; ++i)
    if (!IsElement(elements[i])) return FALSE;
  {
    auto& t = Table();
    std::lock_guard lock(t.mutex);
    for (int i = 0; i < count; ++i) t.colors[static_cast<size_t>(elements[i])] = colors[i];
  }
  // Every window of this thread hears of it and is repainted.
  for (HWND hwnd : platform::ThreadWindows(GetCurrentThreadId())) {
    if (!IsWindow(hwnd)) continue;
    if (!(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) SendMessageW(hwnd, WM_SYSCOLORCHANGE, 0, 0);
    if (IsWindow(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
  }
  return TRUE;
}
