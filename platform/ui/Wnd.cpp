#include "platform/ui/Wnd.h"

#include <cstdio>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowSystem.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

namespace platform {
namespace {

struct ThreadState {
  CWnd* creating = nullptr;      // the CWnd whose CreateEx runs
  MSG lastSent{};                // the message being handled, for Default()
  HWND lockoutNotify = nullptr;  // notifications to this window are ignored (data exchange)
};

ThreadState& State() {
  thread_local ThreadState state;
  return state;
}

// The procedure a window had before a CWnd took it over.
WNDPROC ClassProc(const WindowRecord& w) { return w.cls->makeControl ? &ControlWndProc : w.cls->proc; }

// The text of a dialog's item, read through a temporary wrapper of it;
// empty and 0 when there is no such item.
template <class String>
int ReadDlgItemText(HWND dialog, int id, String& text) {
  text.Empty();
  HWND h = ::GetDlgItem(dialog, id);
  if (!h) return 0;
  CWnd temp;
  temp.m_hWnd = h;
  temp.GetWindowText(text);
  temp.m_hWnd = nullptr;
  return text.GetLength();
}

}  // namespace

void HookWindowCreate(HWND hwnd) {
  ThreadState& s = State();
  CWnd* wnd = s.creating;
  if (!wnd) return;
  s.creating = nullptr;
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return;
  wnd->m_hWnd = hwnd;
  w->permanent = wnd;
  wnd->m_pfnSuper = w->proc;
  w->proc = &AfxWndProc;
}

void DeleteTemporaryWrapper(WindowRecord& w) {
  if (w.permanent) {
    w.permanent->m_hWnd = nullptr;
    w.permanent = nullptr;
  }
  if (CWnd* temp = w.temporary) {
    w.temporary = nullptr;
    temp->m_hWnd = nullptr;
    delete temp;
  }
}

HWND LockoutNotifyWindow() { return State().lockoutNotify; }
HWND SetLockoutNotifyWindow(HWND hwnd) {
  HWND old = State().lockoutNotify;
  State().lockoutNotify = hwnd;
  return old;
}

}  // namespace platform

using platform::FindWindowRecord;
using platform::WindowRecord;

LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  platform::ThreadState& s = platform::State();
  MSG saved = s.lastSent;
  s.lastSent = MSG{hwnd, message, wParam, lParam, 0, {0, 0}};
  LRESULT result = 0;
  try {
    result = wnd->WindowProc(message, wParam, lParam);
  } catch (CException& e) {
    // A framework exception in a handler is reported and the message ends,
    // as the framework's window procedure does; the window lives on.
    s.lastSent = saved;
    if (!e.IsKindOf(RUNTIME_CLASS(CUserException))) e.ReportError(MB_ICONEXCLAMATION);
    if (message == WM_CREATE) return -1;
    if (message == WM_PAINT) ValidateRect(hwnd, nullptr);
    return 0;
  } catch (...) {
    s.lastSent = saved;
    throw;
  }
  s.lastSent = saved;
  if (message == WM_NCDESTROY) {
    // A class that took WM_NCDESTROY without the default handler is still
    // detached here.
    WindowRecord* w = FindWindowRecord(hwnd);
    if (w && w->permanent == wnd) {
      wnd->m_hWnd = nullptr;
      w->permanent = nullptr;
      wnd->PostNcDestroy();
    }
  }
  return result;
}

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return 0;
  CWnd* wnd = w->permanent;
  if (!wnd || wnd->m_hWnd != hwnd) return CallWindowProcW(platform::ClassProc(*w), hwnd, message, wParam, lParam);
  return AfxCallWndProc(wnd, hwnd, message, wParam, lParam);
}

CWnd::~CWnd() {
  if (!m_hWnd) return;
  HWND h = m_hWnd;
  WindowRecord* w = FindWindowRecord(h);
  if (w && w->permanent == this) {
    w->permanent = nullptr;
    if (w->proc == &AfxWndProc) w->proc = m_pfnSuper ? m_pfnSuper : platform::ClassProc(*w);
  }
  m_hWnd = nullptr;
  if (w && w->temporary != this) ::DestroyWindow(h);
}

// --- Handle maps ---------------------------------------------------------------

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  return w ? w->permanent : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (hwnd && hwnd == ::GetDesktopWindow()) {
    static CWnd desktop;
    desktop.m_hWnd = hwnd;
    return &desktop;
  }
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return nullptr;
  if (w->permanent) return w->permanent;
  if (!w->temporary) {
    CWnd* temp = w->cls->makeWrapper ? w->cls->makeWrapper() : new CWnd;
    temp->m_hWnd = hwnd;
    w->temporary = temp;
  }
  return w->temporary;
}

BOOL CWnd::Attach(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || m_hWnd || (w->permanent && w->permanent != this)) return FALSE;
  w->permanent = this;
  m_hWnd = hwnd;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (WindowRecord* w = FindWindowRecord(h); w && w->permanent == this) w->permanent = nullptr;
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!Attach(hwnd)) return FALSE;
  WindowRecord* w = FindWindowRecord(hwnd);
  if (w->proc != &AfxWndProc) {
    m_pfnSuper = w->proc;
    w->proc = &AfxWndProc;
  } else {
    m_pfnSuper = platform::ClassProc(*w);
  }
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!parent) return FALSE;
  HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
  return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  WindowRecord* w = FindWindowRecord(m_hWnd);
  if (w && w->proc == &AfxWndProc) w->proc = m_pfnSuper ? m_pfnSuper : platform::ClassProc(*w);
  m_pfnSuper = nullptr;
  return Detach();
}

// --- Creation -------------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu, LPVOID param) {
  if (m_hWnd) return FALSE;
  CStringW cls(className ? className : u"AfxWnd");
  CStringW name(windowName ? windowName : u"");
  CREATESTRUCT cs{
      param,           nullptr, idOrMenu, parent, height, width, y, x, static_cast<LONG>(style), name.GetString(),
      cls.GetString(), exStyle};
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  cls = cs.lpszClass;
  // This object is attached to the window before its first message; the
  // hook is undone on every way out, an exception from a handler included.
  struct CreatingScope {
    platform::ThreadState& state;
    CWnd* saved;
    CreatingScope(platform::ThreadState& s, CWnd* wnd) : state(s), saved(s.creating) { s.creating = wnd; }
    ~CreatingScope() { state.creating = saved; }
  };
  HWND h = nullptr;
  {
    CreatingScope scope(platform::State(), this);
    h = ::CreateWindowExW(cs.dwExStyle, cls.GetString(), cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx,
                          cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  }
  if (!h) {
    // The window failed during creation: the object lets go of it.
    if (m_hWnd) Detach();
    PostNcDestroy();
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu, LPVOID param) {
  CStringW cls(className ? className : "AfxWnd");
  CStringW name(windowName ? windowName : "");
  return CreateEx(exStyle, cls.GetString(), name.GetString(), style, x, y, width, height, parent, idOrMenu, param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id, LPVOID param) {
  return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id, LPVOID param) {
  CStringW cls(className ? className : "AfxWnd");
  CStringW name(windowName ? windowName : "");
  return CreateEx(exStyle, cls.GetString(), name.GetString(), style, rect, parent, id, param);
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  void* context) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  void* context) {
  CStringW cls(className ? className : "AfxWnd");
  CStringW name(windowName ? windowName : "");
  return Create(cls.GetString(), name.GetString(), style, rect, parent, id, context);
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  HWND h = m_hWnd;
  bool permanent = FromHandlePermanent(h) == this;
  BOOL ok = ::DestroyWindow(h);
  if (!permanent && m_hWnd == h) m_hWnd = nullptr;
  return ok;
}

void CWnd::PostNcDestroy() {}

// --- Message processing -------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  WindowRecord* w = FindWindowRecord(m_hWnd);
  if (w) return ::CallWindowProcW(platform::ClassProc(*w), m_hWnd, message, wParam, lParam);
  return 0;
}

LRESULT CWnd::Default() {
  const MSG& m = platform::State().lastSent;
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  LRESULT r = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    if (result) *result = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !header->hwndFrom || !OnNotify(wParam, lParam, &r)) return FALSE;
    if (result) *result = r;
    return TRUE;
  }
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    const AFX_MSGMAP_ENTRY* entry = platform::FindMessageEntry(map->lpEntries, message, 0, 0);
    if (!entry) continue;
    platform::MessageCall call{message, wParam, lParam, 0, nullptr, &r};
    entry->pfn(this, call);
    if (result) *result = r;
    return TRUE;
  }
  return FALSE;
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  int code = HIWORD(wParam);
  if (!control) {
    // A menu command or an accelerator: a command disabled by its state
    // handler is not carried out.
    if (code == 0 || code == 1) code = CN_COMMAND;
    struct TestCmdUI : CCmdUI {
      BOOL enabled = TRUE;
      void Enable(BOOL on) override {
        enabled = on;
        m_bEnableChanged = TRUE;
      }
      void SetCheck(int) override {}
      void SetText(LPCWSTR) override {}
    } test;
    test.m_nID = id;
    OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &test, nullptr);
    if (!test.enabled) return TRUE;
  } else {
    if (platform::LockoutNotifyWindow() == m_hWnd) return TRUE;  // during data exchange
    if (ReflectMessage(control, WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
    if (id == 0) return FALSE;
  }
  return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  HWND control = header->hwndFrom;
  UINT id = static_cast<WORD>(::GetDlgCtrlID(control));
  int code = static_cast<int>(header->code);
  if (platform::LockoutNotifyWindow() == m_hWnd) return TRUE;
  if (ReflectMessage(control, WM_NOTIFY, header->idFrom, lParam, result)) return TRUE;
  AFX_NOTIFY notify{result, header};
  return OnCmdMsg(id, MAKELONG(static_cast<WORD>(code), WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::ReflectMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  CWnd* wnd = FromHandlePermanent(child);
  if (!wnd) return FALSE;
  return wnd->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_COMMAND: {
      int code = HIWORD(wParam);
      if (CWnd::OnCmdMsg(0, MAKELONG(static_cast<WORD>(code), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
        if (result) *result = 1;
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      AFX_NOTIFY notify{result, header};
      return CWnd::OnCmdMsg(0, MAKELONG(static_cast<WORD>(header->code), WM_REFLECT_BASE + WM_NOTIFY), &notify,
                            nullptr);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
    default:
      return FALSE;
  }
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::PreTranslateInput(LPMSG msg) {
  if ((msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) &&
      (msg->message < WM_MOUSEFIRST || msg->message > WM_MOUSELAST))
    return FALSE;
  return IsDialogMessage(msg);
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
  for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
    if (CWnd* wnd = FromHandlePermanent(h)) {
      if (wnd->PreTranslateMessage(msg)) return TRUE;
    }
    if (h == stop) break;
  }
  return FALSE;
}

const MSG* CWnd::GetCurrentMessage() { return &platform::State().lastSent; }

BOOL CWnd::IsDialogMessage(LPMSG msg) { return ::IsDialogMessageW(m_hWnd, msg); }

// --- Default handlers: each passes its message to the default processing. -----

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() {
  Default();
  // The application's main window going ends the application's loop, and
  // the application forgets it.
  if (CWinThread* thread = AfxGetThread(); thread && thread->m_pMainWnd == this) {
    thread->m_pMainWnd = nullptr;
    PostQuitMessage(0);
  }
  HWND h = m_hWnd;
  WindowRecord* w = FindWindowRecord(h);
  if (w && w->permanent == this) w->permanent = nullptr;
  m_hWnd = nullptr;
  PostNcDestroy();
}
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnCancelMode() { Default(); }

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
  // An owner-drawn control draws itself when its class does (reflection).
  LRESULT r = 0;
  if (dis &&
      ReflectMessage(dis->hwndItem, WM_DRAWITEM, platform::State().lastSent.wParam, reinterpret_cast<LPARAM>(dis), &r))
    return;
  Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT mis) {
  LRESULT r = 0;
  if (mis) {
    CWnd* child = GetDescendantWindow(static_cast<int>(mis->CtlID), TRUE);
    if (child &&
        child->OnChildNotify(WM_MEASUREITEM, platform::State().lastSent.wParam, reinterpret_cast<LPARAM>(mis), &r))
      return;
  }
  Default();
}

// --- Styles, hierarchy, state ---------------------------------------------------------

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
  DWORD style = GetStyle();
  DWORD newStyle = (style & ~remove) | add;
  if (style == newStyle) return FALSE;
  ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
  if (flags)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  DWORD style = GetExStyle();
  DWORD newStyle = (style & ~remove) | add;
  if (style == newStyle) return FALSE;
  ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(newStyle));
  if (flags)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongW(m_hWnd, GWL_ID, id)); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* newParent) {
  return FromHandle(::SetParent(m_hWnd, newParent ? newParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const {
  WindowRecord* w = FindWindowRecord(m_hWnd);
  if (!w) return nullptr;
  return FromHandle(w->owner ? w->owner : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* owner) {
  if (WindowRecord* w = FindWindowRecord(m_hWnd)) w->owner = owner ? owner->m_hWnd : nullptr;
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND top = m_hWnd;
  for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h)) top = h;
  return top == m_hWnd ? const_cast<CWnd*>(this) : FromHandle(top);
}

CWnd* CWnd::GetWindow(UINT cmd) const { return FromHandle(::GetWindow(m_hWnd, cmd)); }
BOOL CWnd::IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd); }
CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
void CWnd::GetDlgItem(int id, HWND* hwnd) const {
  if (hwnd) *hwnd = ::GetDlgItem(m_hWnd, id);
}

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const {
  WindowRecord* w = FindWindowRecord(m_hWnd);
  if (!w) return nullptr;
  for (HWND c : w->children) {
    if (::GetDlgCtrlID(c) == id) {
      CWnd* found = onlyPermanent ? FromHandlePermanent(c) : FromHandle(c);
      if (found) return found;
    }
  }
  for (HWND c : w->children) {
    CWnd temp;
    temp.m_hWnd = c;
    CWnd* found = temp.GetDescendantWindow(id, onlyPermanent);
    temp.m_hWnd = nullptr;
    if (found) return found;
  }
  return nullptr;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL onlyPermanent) {
  WindowRecord* w = FindWindowRecord(m_hWnd);
  if (!w) return;
  for (HWND c : std::vector<HWND>(w->children)) {
    if (!::IsWindow(c)) continue;
    if (onlyPermanent) {
      if (CWnd* wnd = FromHandlePermanent(c)) AfxCallWndProc(wnd, c, message, wParam, lParam);
    } else {
      ::SendMessageW(c, message, wParam, lParam);
    }
    if (deep && ::IsWindow(c)) {
      CWnd temp;
      temp.m_hWnd = c;
      temp.SendMessageToDescendants(message, wParam, lParam, deep, onlyPermanent);
      temp.m_hWnd = nullptr;
    }
  }
}

CWnd* CWnd::GetSafeOwner(CWnd* parent, HWND* topLevel) {
  HWND start = parent ? parent->m_hWnd : nullptr;
  HWND h = start;
  if (!h) {
    CWnd* main = AfxGetMainWnd();
    h = main ? main->m_hWnd : nullptr;
  }
  // An owned window cannot be owned by a child window.
  while (h && (::GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
  HWND top = h;
  for (HWND t = h; t; t = ::GetParent(t)) top = t;
  if (topLevel) {
    if (top && ::IsWindowEnabled(top) && top != h) {
      *topLevel = top;
      ::EnableWindow(top, FALSE);
    } else {
      *topLevel = nullptr;
    }
  }
  return FromHandle(h);
}

BOOL CWnd::ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }

// --- Text --------------------------------------------------------------------------

void CWnd::SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
void CWnd::SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
int CWnd::GetWindowText(LPSTR buffer, int maxCount) const { return ::GetWindowTextA(m_hWnd, buffer, maxCount); }
int CWnd::GetWindowText(LPWSTR buffer, int maxCount) const { return ::GetWindowTextW(m_hWnd, buffer, maxCount); }

void CWnd::GetWindowText(CStringW& text) const {
  int length = ::GetWindowTextLengthW(m_hWnd);
  std::u16string buffer(static_cast<size_t>(length) + 1, u'\0');
  int got = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
  text = CStringW(buffer.data(), got);
}

void CWnd::GetWindowText(CStringA& text) const {
  int length = ::GetWindowTextLengthA(m_hWnd);
  std::string buffer(static_cast<size_t>(length) + 1, '\0');
  int got = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
  text = CStringA(buffer.data(), got);
}

int CWnd::GetWindowTextLength() const {
  int wide = ::GetWindowTextLengthW(m_hWnd);
  int ansi = ::GetWindowTextLengthA(m_hWnd);
  return wide > ansi ? wide : ansi;
}

// --- Geometry -----------------------------------------------------------------------

void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ClientToScreen(LPRECT rect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(rect));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(rect) + 1);
}
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ScreenToClient(LPRECT rect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(rect));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(rect) + 1);
}
void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, points, count);
}
void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}
void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}
void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const { return ::GetWindowPlacement(m_hWnd, placement); }
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement) { return ::SetWindowPlacement(m_hWnd, placement); }

void CWnd::CenterWindow(CWnd* alternateOwner) {
  RECT area;
  HWND center = alternateOwner ? alternateOwner->m_hWnd : nullptr;
  if (!center) center = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
  if (GetStyle() & WS_CHILD) {
    ::GetClientRect(::GetParent(m_hWnd), &area);
    if (center != ::GetParent(m_hWnd)) {
      ::GetWindowRect(center, &area);
      ::ScreenToClient(::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&area));
      ::ScreenToClient(::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&area) + 1);
    }
  } else if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
    ::GetWindowRect(center, &area);
  } else {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  RECT mine;
  ::GetWindowRect(m_hWnd, &mine);
  int width = mine.right - mine.left, height = mine.bottom - mine.top;
  int x = (area.left + area.right - width) / 2;
  int y = (area.top + area.bottom - height) / 2;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- Painting ---------------------------------------------------------------------------

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL erase) { return ::GetUpdateRect(m_hWnd, rect, erase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags) { return ::RedrawWindow(m_hWnd, rect, region, flags); }
void CWnd::SetRedraw(BOOL redraw) { ::SendMessageW(m_hWnd, WM_SETREDRAW, redraw, 0); }

// --- Focus, capture, activation --------------------------------------------------------

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

// --- Messages and timers -------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return m_hWnd ? ::PostMessageW(m_hWnd, message, wParam, lParam) : FALSE;
}
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
  return m_hWnd ? ::SetTimer(m_hWnd, id, elapse, proc) : 0;
}
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
HFONT CWnd::GetFontHandle() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
void CWnd::SetFontHandle(HFONT font, BOOL redraw) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }

// --- Dialog items ---------------------------------------------------------------------------

void CWnd::SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text); }
void CWnd::SetDlgItemText(int id, LPCWSTR text) { ::SetDlgItemTextW(m_hWnd, id, text); }
int CWnd::GetDlgItemText(int id, LPSTR buffer, int maxCount) const {
  return static_cast<int>(::GetDlgItemTextA(m_hWnd, id, buffer, maxCount));
}
int CWnd::GetDlgItemText(int id, LPWSTR buffer, int maxCount) const {
  return static_cast<int>(::GetDlgItemTextW(m_hWnd, id, buffer, maxCount));
}
int CWnd::GetDlgItemText(int id, CStringA& text) const { return platform::ReadDlgItemText(m_hWnd, id, text); }
int CWnd::GetDlgItemText(int id, CStringW& text) const { return platform::ReadDlgItemText(m_hWnd, id, text); }
void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
  return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
  ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
}
int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
  for (int id = firstId; id <= lastId; ++id)
    if (::IsDlgButtonChecked(m_hWnd, id)) return id;
  return 0;
}
LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam);
}
CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
  return FromHandle(::GetNextDlgTabItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* control, BOOL previous) const {
  return FromHandle(::GetNextDlgGroupItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}

// --- Message boxes -----------------------------------------------------------------------------

CStringW AfxGetAppNameW();

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
  CStringW title = caption ? CStringW(caption) : AfxGetAppNameW();
  return ::MessageBoxW(m_hWnd, text, title.GetString(), type);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
  CStringW wideText(text);
  if (!caption) return MessageBox(wideText.GetString(), static_cast<LPCWSTR>(nullptr), type);
  CStringW wideCaption(caption);
  return MessageBox(wideText.GetString(), wideCaption.GetString(), type);
}

// --- Command state of dialog controls ------------------------------------------------------------

void CWnd::UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler) {
  CCmdUI state;
  WindowRecord* w = FindWindowRecord(m_hWnd);
  if (!w) return;
  for (HWND child : std::vector<HWND>(w->children)) {
    if (!::IsWindow(child)) continue;
    state.m_nID = static_cast<UINT>(static_cast<WORD>(::GetDlgCtrlID(child)));
    if (state.m_nID == 0 || state.m_nID == 0xFFFF) continue;
    state.m_pOther = FromHandle(child);
    if (CWnd* wnd = FromHandlePermanent(child)) {
      if (wnd->CWnd::OnCmdMsg(0, MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, nullptr)) continue;
    }
    if (CWnd::OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr)) continue;
    BOOL disable = disableIfNoHandler;
    if (disable) {
      if ((::SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0) {
        disable = FALSE;  // only buttons are disabled for want of a handler
      } else {
        UINT style = static_cast<UINT>(::GetWindowLongW(child, GWL_STYLE) & 0x0F);
        if (style == BS_AUTOCHECKBOX || style == BS_AUTO3STATE || style == BS_GROUPBOX || style == BS_AUTORADIOBUTTON)
          disable = FALSE;
      }
    }
    state.DoUpdate(target, disable);
  }
}

// --- Modal loops ----------------------------------------------------------------------------------

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int result) {
  m_nModalResult = result;
  if (m_nFlags & WF_CONTINUEMODAL) m_nFlags &= ~WF_CONTINUEMODAL;
}

int CWnd::RunModalLoop(DWORD flags) {
  m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
  try {
    platform::RunModalSession(*this, flags);
  } catch (...) {
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    throw;
  }
  m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
  return m_nModalResult;
}

namespace {
// The class of plain framework windows.
const bool afxWndRegistered = [] {
  WNDCLASSW wc{CS_DBLCLKS,
               &DefWindowProcW,
               0,
               0,
               nullptr,
               nullptr,
               LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32512))),
               nullptr,
               nullptr,
               u"AfxWnd"};
  return RegisterClassW(&wc) != 0;
}();
}  // namespace
