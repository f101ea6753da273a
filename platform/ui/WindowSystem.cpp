#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/core/Charset.h"
#include "platform/core/Geometry.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/DeviceCaps.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowRegistry.h"

namespace platform {
namespace {

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

}  // namespace

Registry& R() {
  static Registry registry;
  return registry;
}

std::u16string FoldName(std::u16string_view name) {
  std::u16string folded(name);
  for (auto& c : folded) c = FoldAscii(c);
  return folded;
}

// Stock cursor objects: one per system cursor id.
struct CursorObject {
  HINSTANCE module;
  UINT id;
};

HCURSOR SystemCursor(UINT id) {
  static std::map<UINT, std::unique_ptr<CursorObject>> cursors;
  static std::mutex mutex;
  static const UINT known[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                               32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};
  if (std::find(std::begin(known), std::end(known), id) == std::end(known)) return nullptr;
  std::lock_guard lock(mutex);
  auto& slot = cursors[id];
  if (!slot) slot = std::make_unique<CursorObject>(CursorObject{nullptr, id});
  return reinterpret_cast<HCURSOR>(slot.get());
}

HICON SystemIcon(UINT id) {
  // IDI_APPLICATION (32512) to IDI_SHIELD (32518).
  static CursorObject icons[7];
  if (id < 32512 || id > 32518) return nullptr;
  return reinterpret_cast<HICON>(&icons[id - 32512]);
}

int NonClientBorder(DWORD style, DWORD exStyle) {
  int border = 0;
  if (style & WS_THICKFRAME)
    border = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    border = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    border = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) border += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) border += GetSystemMetrics(SM_CXBORDER);
  return border;
}

int CaptionHeight(DWORD style, DWORD exStyle) {
  if ((style & WS_CAPTION) != WS_CAPTION) return 0;
  return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

void RemoveFrom(std::vector<HWND>& list, HWND h) { list.erase(std::remove(list.begin(), list.end(), h), list.end()); }

std::vector<HWND>& SiblingList(WindowRecord& w) {
  if (w.parent) {
    if (WindowRecord* p = FindWindowRecord(w.parent)) return p->children;
  }
  return R().topLevel;
}

void SendSizeAndMove(WindowRecord& w) {
  RECT client = ClientAreaInWindow(w);
  HWND h = w.handle;
  UINT type = (w.style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w.style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
  SendMessageW(h, WM_SIZE, type, MAKELPARAM(client.right - client.left, client.bottom - client.top));
  if (WindowRecord* again = FindWindowRecord(h))
    SendMessageW(h, WM_MOVE, 0, MAKELPARAM(again->rect.left + client.left, again->rect.top + client.top));
}

bool IsDescendantOf(HWND h, HWND ancestor) {
  while (h) {
    if (h == ancestor) return true;
    WindowRecord* w = FindWindowRecord(h);
    if (!w) return false;
    h = w->parent;
  }
  return false;
}

void AddUpdate(WindowRecord& w, const RECT* rect, bool erase) {
  RECT client = ClientAreaInWindow(w);
  RECT full{0, 0, client.right - client.left, client.bottom - client.top};
  RECT r = full;
  if (rect && !IntersectRect(&r, rect, &full)) return;
  if (IsRectEmpty(&r)) return;
  w.update = Region::Combine(w.update, Region::FromRect(r), RGN_OR);
  if (erase) w.updateErase = true;
}

WindowRecord* FindWindowRecord(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& r = R();
  std::lock_guard lock(r.mutex);
  auto it = r.windows.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == r.windows.end() ? nullptr : it->second.get();
}

void RegisterPredefinedClass(const char16_t* name, ControlFactory factory, HCURSOR cursor, UINT style) {
  auto info = std::make_unique<WindowClassInfo>();
  info->name = name;
  info->proc = nullptr;  // the control's own procedure, see ControlWndProc
  info->makeControl = factory;
  info->cursor = cursor ? cursor : SystemCursor(32512);
  info->style = style | CS_GLOBALCLASS;
  auto& r = R();
  std::lock_guard lock(r.mutex);
  auto& slot = r.classes[FoldName(name)];
  if (slot) {
    info->makeWrapper = slot->makeWrapper;
  }
  slot = std::move(info);
}

void SetWrapperFactory(const char16_t* className, WrapperFactory factory) {
  auto& r = R();
  std::lock_guard lock(r.mutex);
  auto& slot = r.classes[FoldName(className)];
  if (!slot) {
    // The control registers itself later; keep the wrapper for it.
    slot = std::make_unique<WindowClassInfo>();
    slot->name = className;
  }
  slot->makeWrapper = factory;
}

const WindowClassInfo* FindWindowClass(std::u16string_view name) {
  auto& r = R();
  std::lock_guard lock(r.mutex);
  auto it = r.classes.find(FoldName(name));
  if (it == r.classes.end() || (!it->second->proc && !it->second->makeControl)) return nullptr;
  return it->second.get();
}

RECT ClientAreaInWindow(const WindowRecord& w) {
  int width = w.rect.right - w.rect.left;
  int height = w.rect.bottom - w.rect.top;
  int border = NonClientBorder(w.style, w.exStyle);
  RECT c{border, border + CaptionHeight(w.style, w.exStyle), width - border, height - border};
  if (w.style & WS_VSCROLL) c.right -= GetSystemMetrics(SM_CXVSCROLL);
  if (w.style & WS_HSCROLL) c.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  return c;
}

RECT ScreenRect(const WindowRecord& w) {
  RECT r = w.rect;
  if (w.parent) {
    POINT origin{0, 0};
    ClientToScreen(w.parent, &origin);
    OffsetRect(&r, origin.x, origin.y);
  }
  return r;
}

void NotifyParent(HWND control, UINT code) {
  WindowRecord* w = FindWindowRecord(control);
  if (!w || !w->parent) return;
  SendMessageW(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code), reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, NMHDR& header, UINT code) {
  WindowRecord* w = FindWindowRecord(control);
  if (!w || !w->parent) return 0;
  header.hwndFrom = control;
  header.idFrom = w->id;
  header.code = code;
  return SendMessageW(w->parent, WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(&header));
}

std::vector<HWND> ThreadWindows(DWORD threadId) {
  std::vector<HWND> out;
  std::vector<HWND> stack;
  {
    Registry& r = R();
    for (auto it = r.topLevel.rbegin(); it != r.topLevel.rend(); ++it) stack.push_back(*it);
  }
  while (!stack.empty()) {
    HWND h = stack.back();
    stack.pop_back();
    WindowRecord* w = FindWindowRecord(h);
    if (!w) continue;
    if (w->threadId == threadId) out.push_back(h);
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) stack.push_back(*it);
  }
  return out;
}

std::u16string WideFromAnsi(LPCSTR text) { return text ? GbkToUtf16(text) : std::u16string(); }

// --- Host settings ---------------------------------------------------------

void SetKeyDown(int vk, bool down) {
  BYTE& k = R().keys[vk & 0xFF];
  k = static_cast<BYTE>(down ? (k | 0x80) : (k & ~0x80));
}

void SetKeyToggled(int vk, bool toggled) {
  BYTE& k = R().keys[vk & 0xFF];
  k = static_cast<BYTE>(toggled ? (k | 0x01) : (k & ~0x01));
}

void ResetKeyState() { std::fill(std::begin(R().keys), std::end(R().keys), BYTE{0}); }

void SetCursorPosition(POINT p) { R().cursorPos = p; }

void SetWorkArea(const RECT& area) { R().workArea = area; }

void SetScreenSize(int width, int height) {
  R().screenWidth = width > 0 ? width : 1;
  R().screenHeight = height > 0 ? height : 1;
  SetScreenDeviceSize(R().screenWidth, R().screenHeight);
}

namespace {

void DestroyRecord(HWND h) {
  WindowRecord* w = FindWindowRecord(h);
  if (!w) return;
  auto& r = R();
  if (r.focus && IsDescendantOf(r.focus, h)) r.focus = nullptr;
  if (r.capture == h) r.capture = nullptr;
  if (r.active == h) r.active = nullptr;
  RemoveFrom(SiblingList(*w), h);
  ForgetWindowMessages(h);
  DeleteTemporaryWrapper(*w);
  std::unique_ptr<WindowRecord> dead;
  {
    std::lock_guard lock(r.mutex);
    auto it = r.windows.find(reinterpret_cast<uintptr_t>(h));
    if (it != r.windows.end()) {
      dead = std::move(it->second);
      r.windows.erase(it);
    }
  }
  // `dead` (and the control object) goes here, after the table no longer
  // knows the handle.
}

// Destroys a window and everything below it: WM_DESTROY goes to the window
// before its children, WM_NCDESTROY after them.
void DestroyTree(HWND h) {
  WindowRecord* w = FindWindowRecord(h);
  if (!w || w->destroying) return;
  w->destroying = true;
  // Owned pop-ups go first.
  std::vector<HWND> owned;
  for (HWND t : std::vector<HWND>(R().topLevel)) {
    WindowRecord* o = FindWindowRecord(t);
    if (o && o->owner == h) owned.push_back(t);
  }
  for (HWND t : owned) DestroyTree(t);
  if (R().capture == h) ReleaseCapture();
  SendMessageW(h, WM_DESTROY, 0, 0);
  w = FindWindowRecord(h);
  if (!w) return;
  for (HWND c : std::vector<HWND>(w->children)) DestroyTree(c);
  SendMessageW(h, WM_NCDESTROY, 0, 0);
  DestroyRecord(h);
}

}  // namespace
}  // namespace platform

using platform::FindWindowRecord;
using platform::R;
using platform::WindowRecord;

// --- Classes -----------------------------------------------------------------

ATOM RegisterClassW(const WNDCLASSW* wc) {
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
  auto& r = R();
  std::u16string folded = platform::FoldName(wc->lpszClassName);
  std::lock_guard lock(r.mutex);
  auto& slot = r.classes[folded];
  if (slot && (slot->proc || slot->makeControl)) return 0;  // already registered
  auto info = std::make_unique<platform::WindowClassInfo>();
  info->name = wc->lpszClassName;
  info->style = wc->style;
  info->proc = wc->lpfnWndProc;
  info->instance = wc->hInstance;
  info->icon = wc->hIcon;
  info->cursor = wc->hCursor;
  info->background = wc->hbrBackground;
  if (slot) info->makeWrapper = slot->makeWrapper;
  slot = std::move(info);
  return static_cast<ATOM>(0xC000 + (r.classes.size() & 0x3FFF));
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  if (!className) return FALSE;
  auto& r = R();
  std::lock_guard lock(r.mutex);
  auto it = r.classes.find(platform::FoldName(className));
  if (it == r.classes.end() || it->second->makeControl) return FALSE;
  for (auto& [handle, w] : r.windows)
    if (w->cls == it->second.get()) return FALSE;  // windows of the class still exist
  r.classes.erase(it);
  return TRUE;
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR className, WNDCLASSW* wc) {
  const platform::WindowClassInfo* info = className ? platform::FindWindowClass(className) : nullptr;
  if (!info || !wc) return FALSE;
  *wc = WNDCLASSW{info->style, info->proc,        0, 0, info->instance, info->icon, info->cursor, info->background,
                  nullptr,     info->name.c_str()};
  return TRUE;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !buffer || maxCount <= 0) return 0;
  int n = std::min<int>(static_cast<int>(w->cls->name.size()), maxCount - 1);
  std::copy_n(w->cls->name.data(), n, buffer);
  buffer[n] = 0;
  return n;
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int maxCount) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !buffer || maxCount <= 0) return 0;
  std::string name = platform::Utf16ToGbk(w->cls->name);
  int n = std::min<int>(static_cast<int>(name.size()), maxCount - 1);
  std::copy_n(name.data(), n, buffer);
  buffer[n] = 0;
  return n;
}

// --- Creation and destruction -----------------------------------------------

namespace platform {
// The window procedure of the predefined classes: the control object first.
LRESULT ControlWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (w && w->control) return w->control->Proc(hwnd, message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace platform

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  if (!className) return nullptr;
  const platform::WindowClassInfo* cls = platform::FindWindowClass(className);
  if (!cls) return nullptr;
  if (parent == GetDesktopWindow()) parent = nullptr;
  if ((style & WS_CHILD) && !IsWindow(parent)) return nullptr;
  if (parent && !IsWindow(parent)) return nullptr;

  auto& r = R();
  auto record = std::make_unique<WindowRecord>();
  WindowRecord* w = record.get();
  {
    std::lock_guard lock(r.mutex);
    w->handle = reinterpret_cast<HWND>(r.nextHandle);
    r.nextHandle += 4;
    r.windows.emplace(reinterpret_cast<uintptr_t>(w->handle), std::move(record));
  }
  HWND h = w->handle;
  w->cls = cls;
  w->proc = cls->makeControl ? &platform::ControlWndProc : cls->proc;
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;
  w->instance = instance;
  w->threadId = GetCurrentThreadId();
  if (style & WS_CHILD) {
    w->parent = parent;
    w->id = reinterpret_cast<UINT_PTR>(menuOrId);
  } else {
    // The owner of an owned window is always a top-level window.
    w->owner = parent ? platform::GetAncestorTopLevel(parent) : nullptr;
    w->style |= WS_CLIPSIBLINGS;
    if ((style & WS_POPUP) == 0) w->style |= WS_CAPTION;  // overlapped windows always have a caption
  }
  if (x == CW_USEDEFAULT) x = 0, y = 0;
  if (width == CW_USEDEFAULT) width = r.screenWidth * 3 / 4, height = r.screenHeight * 3 / 4;
  w->rect = RECT{x, y, x + width, y + height};
  w->normalRect = w->rect;
  if (windowName) w->text = windowName;
  if (cls->makeControl) w->control = cls->makeControl(h);
  if (w->parent)
    FindWindowRecord(w->parent)->children.push_back(h);  // new children go to the bottom
  else
    r.topLevel.insert(r.topLevel.begin(), h);

  platform::HookWindowCreate(h);

  CREATESTRUCTW cs{param,      instance,  menuOrId, parent, height, width, y, x, static_cast<LONG>(style),
                   windowName, className, exStyle};
  try {
    if (!SendMessageW(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
      DestroyWindow(h);
      return nullptr;
    }
    if (!IsWindow(h)) return nullptr;
    if (SendMessageW(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
      DestroyWindow(h);
      return nullptr;
    }
  } catch (...) {
    // A creation handler that throws leaves no half-made window behind.
    DestroyWindow(h);
    throw;
  }
  w = FindWindowRecord(h);
  if (!w) return nullptr;
  platform::SendSizeAndMove(*w);
  if ((style & WS_VISIBLE) && IsWindow(h)) ShowWindow(h, SW_SHOW);
  return IsWindow(h) ? h : nullptr;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  if (!className) return nullptr;
  std::u16string cls = platform::WideFromAnsi(className);
  std::u16string name = platform::WideFromAnsi(windowName);
  return CreateWindowExW(exStyle, cls.c_str(), windowName ? name.c_str() : nullptr, style, x, y, width, height, parent,
                         menuOrId, instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  if (w->destroying) return TRUE;
  if (w->style & WS_VISIBLE) {
    // Hiding first, as the system does, without the show message.
    w->style &= ~WS_VISIBLE;
  }
  platform::DestroyTree(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  if (hwnd == platform::kDesktop) return TRUE;
  WindowRecord* w = FindWindowRecord(hwnd);
  return w != nullptr;
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

// --- Hierarchy ---------------------------------------------------------------

HWND GetParent(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return nullptr;
  if (w->style & WS_CHILD) return w->parent;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
  WindowRecord* w = FindWindowRecord(child);
  if (!w) return nullptr;
  if (newParent == GetDesktopWindow()) newParent = nullptr;
  if (newParent && (!IsWindow(newParent) || platform::IsDescendantOf(newParent, child))) return nullptr;
  HWND old = w->parent ? w->parent : GetDesktopWindow();
  platform::RemoveFrom(platform::SiblingList(*w), child);
  w->parent = newParent;
  if (newParent)
    FindWindowRecord(newParent)->children.insert(FindWindowRecord(newParent)->children.begin(), child);
  else
    R().topLevel.insert(R().topLevel.begin(), child);
  return old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (cmd == GW_OWNER) return w->owner;
  const std::vector<HWND>& siblings = platform::SiblingList(*w);
  auto it = std::find(siblings.begin(), siblings.end(), hwnd);
  if (it == siblings.end()) return nullptr;
  switch (cmd) {
    case GW_HWNDFIRST:
      return siblings.front();
    case GW_HWNDLAST:
      return siblings.back();
    case GW_HWNDNEXT:
      return (it + 1 == siblings.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
      return (it == siblings.begin()) ? nullptr : *(it - 1);
    default:
      return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  if (!hwnd || hwnd == platform::kDesktop) return R().topLevel.empty() ? nullptr : R().topLevel.front();
  return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow() { return platform::kDesktop; }

BOOL IsChild(HWND parent, HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  while (w && (w->style & WS_CHILD) && w->parent) {
    if (w->parent == parent) return TRUE;
    w = FindWindowRecord(w->parent);
  }
  return FALSE;
}

namespace platform {
HWND GetAncestorTopLevel(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  while (w && (w->style & WS_CHILD) && w->parent) w = FindWindowRecord(w->parent);
  return w ? w->handle : nullptr;
}
}  // namespace platform

HWND GetAncestor(HWND hwnd, UINT flags) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT:
      return w->parent ? w->parent : GetDesktopWindow();
    case GA_ROOT:
      return platform::GetAncestorTopLevel(hwnd);
    case GA_ROOTOWNER: {
      HWND h = platform::GetAncestorTopLevel(hwnd);
      while (WindowRecord* t = FindWindowRecord(h)) {
        if (!t->owner) break;
        h = t->owner;
      }
      return h;
    }
    default:
      return nullptr;
  }
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  WindowRecord* w = FindWindowRecord(parent);
  if (!w || !proc) return FALSE;
  // Every descendant, depth first, each parent before its children.
  std::vector<HWND> stack(w->children.rbegin(), w->children.rend());
  while (!stack.empty()) {
    HWND h = stack.back();
    stack.pop_back();
    WindowRecord* c = FindWindowRecord(h);
    if (!c) continue;
    if (!proc(h, lParam)) return FALSE;
    if ((c = FindWindowRecord(h)))
      for (auto it = c->children.rbegin(); it != c->children.rend(); ++it) stack.push_back(*it);
  }
  return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
  WindowRecord* w = FindWindowRecord(dialog);
  if (!w) return nullptr;
  for (HWND c : w->children) {
    WindowRecord* child = FindWindowRecord(c);
    if (child && static_cast<int>(static_cast<WORD>(child->id)) == static_cast<int>(static_cast<WORD>(id))) return c;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  return (w && (w->style & WS_CHILD)) ? static_cast<int>(w->id) : 0;
}

// --- Long values -------------------------------------------------------------

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE:
      return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(w->exStyle);
    case GWL_ID:
      return static_cast<LONG_PTR>(w->id);
    case GWL_USERDATA:
      return w->userData;
    case GWL_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    default:
      if (index == DWL_MSGRESULT && w->isDialog) return w->dialogResult;
      return 0;
  }
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrW(hwnd, index);
  switch (index) {
    case GWL_STYLE: {
      DWORD newStyle = static_cast<DWORD>(value);
      // WS_VISIBLE and WS_DISABLED change through ShowWindow and EnableWindow
      // in effect; setting the bits directly changes them without messages,
      // as on Windows.
      w->style = newStyle;
      break;
    }
    case GWL_EXSTYLE:
      w->exStyle = static_cast<DWORD>(value);
      break;
    case GWL_ID:
      w->id = static_cast<UINT_PTR>(value);
      break;
    case GWL_USERDATA:
      w->userData = value;
      break;
    case GWL_WNDPROC:
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWL_HINSTANCE:
      w->instance = reinterpret_cast<HINSTANCE>(value);
      break;
    case GWL_HWNDPARENT:
      if (!(w->style & WS_CHILD)) w->owner = reinterpret_cast<HWND>(value);
      break;
    default:
      if (index == DWL_MSGRESULT && w->isDialog)
        w->dialogResult = value;
      else
        return 0;
  }
  return old;
}

// --- Text --------------------------------------------------------------------

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!IsWindow(hwnd)) return FALSE;
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")) != 0;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  std::u16string wide = platform::WideFromAnsi(text);
  return SetWindowTextW(hwnd, wide.c_str());
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
  if (!buffer || maxCount <= 0) return 0;
  buffer[0] = 0;
  if (!IsWindow(hwnd)) return 0;
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, maxCount, reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int maxCount) {
  if (!buffer || maxCount <= 0) return 0;
  buffer[0] = 0;
  if (!IsWindow(hwnd)) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, maxCount, reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
  return IsWindow(hwnd) ? static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

int GetWindowTextLengthA(HWND hwnd) {
  return IsWindow(hwnd) ? static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}
