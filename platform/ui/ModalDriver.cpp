#include "platform/ui/ModalDriver.h"

#include <cstdio>

#include "platform/core/Charset.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/PopupMenuWindow.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/Wnd.h"

namespace platform {
namespace {

ModalDriver& Driver() {
  static ModalDriver driver;
  return driver;
}

// What the modal loop does when the queue is empty: the owner hears that a
// dialog idles, the dialog gets its idle kick.
void ModalIdle(CWnd& window, DWORD flags, LONG& idleCount) {
  if (!IsWindow(window.m_hWnd)) return;
  if (!(flags & 0x0002 /* no idle messages */)) {
    if (HWND owner = ::GetParent(window.m_hWnd))
      SendMessageW(owner, WM_ENTERIDLE, 0 /* MSGF_DIALOGBOX */, reinterpret_cast<LPARAM>(window.m_hWnd));
    if (IsWindow(window.m_hWnd)) SendMessageW(window.m_hWnd, WM_KICKIDLE, 0, idleCount++);
  }
}

void RunPending(CWnd& window, DWORD flags, LONG& idleCount) {
  bool quit = false;
  PumpPendingMessages(false, &quit);
  if (quit) {
    // The loop ends as the application is quitting; the quit stays queued.
    if (window.ContinueModal()) window.EndModalLoop(-1);
    return;
  }
  ModalIdle(window, flags, idleCount);
}

}  // namespace

HWND ModalSession::Handle() const { return window_.m_hWnd; }
bool ModalSession::IsRunning() const { return IsWindow(window_.m_hWnd) && window_.ContinueModal(); }
CStringW ModalSession::Caption() const {
  CStringW text;
  window_.GetWindowText(text);
  return text;
}
HWND ModalSession::Control(int id) const {
  if (HWND direct = ::GetDlgItem(window_.m_hWnd, id)) return direct;
  // Controls of pages inside the window (a property sheet's): the one the
  // user sees first.
  struct Search {
    int id;
    HWND visible = nullptr;
    HWND any = nullptr;
  } search{id};
  EnumChildWindows(
      window_.m_hWnd,
      [](HWND h, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (GetDlgCtrlID(h) != s->id) return TRUE;
        if (!s->any) s->any = h;
        if (IsWindowVisible(h) && !s->visible) s->visible = h;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.visible ? search.visible : search.any;
}
CStringW ModalSession::Text(int id) const {
  CStringW text;
  if (CWnd* control = CWnd::FromHandle(Control(id))) control->GetWindowText(text);
  return text;
}
bool ModalSession::IsEnabled(int id) const { return ::IsWindowEnabled(Control(id)); }
bool ModalSession::IsVisible(int id) const { return ::IsWindowVisible(Control(id)); }
int ModalSession::CheckState(int id) const { return static_cast<int>(SendMessageW(Control(id), BM_GETCHECK, 0, 0)); }
bool ModalSession::Click(int id) { return IsRunning() && ClickButton(Control(id)); }
bool ModalSession::EnterText(int id, const CStringW& text) {
  return IsRunning() && platform::EnterText(Control(id), text);
}
bool ModalSession::EnterText(int id, const CStringA& text) {
  return IsRunning() && platform::EnterText(Control(id), text);
}
bool ModalSession::Choose(int id, int index) { return IsRunning() && ChooseItem(Control(id), index); }
bool ModalSession::DoubleClick(int id, int index) { return IsRunning() && DoubleClickItem(Control(id), index); }
bool ModalSession::PressKey(int vk) { return IsRunning() && platform::PressKey(vk); }
HMENU ModalSession::Menu() const {
  auto* menu = dynamic_cast<PopupMenuWindow*>(&window_);
  return menu ? menu->Menu() : nullptr;
}
UINT ModalSession::MenuItemState(UINT id) {
  auto* menu = dynamic_cast<PopupMenuWindow*>(&window_);
  return menu ? menu->OpenTo(id) : static_cast<UINT>(-1);
}
bool ModalSession::ChooseMenuItem(UINT id) {
  auto* menu = dynamic_cast<PopupMenuWindow*>(&window_);
  return menu && IsRunning() && menu->Choose(id);
}
void ModalSession::Pump() { PumpPendingMessages(); }
void ModalSession::Close() {
  if (IsRunning()) CloseWindowByUser(window_.m_hWnd);
}

ModalDriver SetModalDriver(ModalDriver driver) {
  ModalDriver previous = std::move(Driver());
  Driver() = std::move(driver);
  return previous;
}

void RunModalSession(CWnd& window, DWORD flags) {
  LONG idleCount = 0;
  if (!(window.GetStyle() & WS_VISIBLE)) window.ShowWindow(SW_SHOWNORMAL);
  RunPending(window, flags, idleCount);
  if (!window.ContinueModal()) return;
  // A copy, so that the driver may install another for nested windows.
  ModalDriver driver = Driver();
  if (driver) {
    ModalSession session(window);
    driver(session);
    if (!window.ContinueModal()) return;
    RunPending(window, flags, idleCount);
  }
  if (window.ContinueModal() && IsWindow(window.m_hWnd)) {
    if (!CloseWindowByUser(window.m_hWnd)) SendMessageW(window.m_hWnd, WM_CLOSE, 0, 0);
  }
  if (window.ContinueModal()) {
    CStringW caption;
    if (IsWindow(window.m_hWnd)) window.GetWindowText(caption);
    std::fprintf(stderr, "[modal] \"%s\" stayed open after its driver; ended with IDCANCEL\n",
                 Utf16ToUtf8(caption.str()).c_str());
    window.EndModalLoop(IDCANCEL);
  }
}

}  // namespace platform
