// The window system's shared state and the helpers the window functions
// share (internal to the user-interface room).
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/WindowSystem.h"

namespace platform {

struct Registry {
  std::mutex mutex;  // guards the handle table for IsWindow from other threads
  std::unordered_map<uintptr_t, std::unique_ptr<WindowRecord>> windows;
  std::map<std::u16string, std::unique_ptr<WindowClassInfo>> classes;  // by folded name
  std::vector<HWND> topLevel;                                          // Z order, the top first
  uintptr_t nextHandle = 0x10010;
  HWND focus = nullptr;
  HWND capture = nullptr;
  HWND active = nullptr;
  HCURSOR cursor = nullptr;
  int cursorCount = 0;
  POINT cursorPos{0, 0};
  int screenWidth = 1280;
  int screenHeight = 1024;
  RECT workArea{0, 0, 0, 0};  // empty: the whole screen
  BYTE keys[256] = {};
};

// The one registry of the process.
Registry& R();

// The desktop window (the whole screen) and the one monitor.
inline const HWND kDesktop = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10004));
inline const HMONITOR kMonitor = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x10008));

// A class name folded for comparison without regard to ASCII case.
std::u16string FoldName(std::u16string_view name);
// The stock cursor of a system cursor id, or null.
HCURSOR SystemCursor(UINT id);
// The stock icon of a system icon id (IDI_...), or null.
HICON SystemIcon(UINT id);
// The widths of the non-client frame and caption for a style.
int NonClientBorder(DWORD style, DWORD exStyle);
int CaptionHeight(DWORD style, DWORD exStyle);
// The Z-ordered list that holds a window (its parent's children, or the
// top-level windows).
std::vector<HWND>& SiblingList(WindowRecord& w);
void RemoveFrom(std::vector<HWND>& list, HWND h);
void SendSizeAndMove(WindowRecord& w);
bool IsDescendantOf(HWND h, HWND ancestor);
// Adds a rectangle (client coordinates; null: all) to the update region.
void AddUpdate(WindowRecord& w, const RECT* rect, bool erase);

}  // namespace platform
