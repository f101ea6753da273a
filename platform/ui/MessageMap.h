// Message-map tables in a readable form:
//
//   BEGIN_MESSAGE_MAP(CMyDialog, CDialog)
//     ON_BN_CLICKED(IDC_PICK, OnPick)              // a control notification
//     ON_COMMAND(ID_EDIT_COPY, OnEditCopy)         // a command
//     ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)   // its state
//     ON_COMMAND_RANGE(ID_FIRST, ID_LAST, OnOneOf) // a range of commands
//     ON_NOTIFY(NM_DBLCLK, IDC_LIST, OnListDblClk) // a WM_NOTIFY code
//     ON_WM_LBUTTONDOWN()                          // a window message
//     ON_MESSAGE(WM_USER + 12, OnNewCommand)       // any message
//   END_MESSAGE_MAP()
//
// Each entry holds the message, code and id range with the Windows numeric
// values, and a small function that unpacks the message's parameters and
// calls the member, so a handler has the signature its message implies.
#pragma once

#include <functional>

#include "platform/core/Geometry.h"
#include "platform/gdi/DC.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/Wnd.h"

class CScrollBar;

namespace platform {
CMenu* MenuFromHandle(HMENU menu);
// Calls `handler` with a CDC for `dc`, a DC that a paint lends the message
// (WM_ERASEBKGND): the wrapper the program holds for it, else one lent for
// the call, so that a paint leaves no temporary wrapper waiting for idle
// time.
LRESULT WithLentDc(HDC dc, const std::function<LRESULT(CDC*)>& handler);
}  // namespace platform

namespace platform::msgmap {

template <class T>
T* Self(CCmdTarget* t) {
  return static_cast<T*>(t);
}

// Commands and notifications.
template <class T, auto F>
bool Cmd(CCmdTarget* t, const MessageCall&) {
  (Self<T>(t)->*F)();
  return true;
}
template <class T, auto F>
bool CmdEx(CCmdTarget* t, const MessageCall& c) {
  return (Self<T>(t)->*F)(c.id) != FALSE;
}
template <class T, auto F>
bool CmdRange(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(c.id);
  return true;
}
template <class T, auto F>
bool CmdUI(CCmdTarget* t, const MessageCall& c) {
  CCmdUI* ui = static_cast<CCmdUI*>(c.extra);
  ui->m_bContinueRouting = FALSE;
  (Self<T>(t)->*F)(ui);
  return !ui->m_bContinueRouting;
}
template <class T, auto F>
bool Notify(CCmdTarget* t, const MessageCall& c) {
  const AFX_NOTIFY* n = static_cast<const AFX_NOTIFY*>(c.extra);
  (Self<T>(t)->*F)(n->pNMHDR, n->pResult);
  return true;
}
template <class T, auto F>
bool NotifyRange(CCmdTarget* t, const MessageCall& c) {
  const AFX_NOTIFY* n = static_cast<const AFX_NOTIFY*>(c.extra);
  (Self<T>(t)->*F)(c.id, n->pNMHDR, n->pResult);
  return true;
}
template <class T, auto F>
bool NotifyEx(CCmdTarget* t, const MessageCall& c) {
  const AFX_NOTIFY* n = static_cast<const AFX_NOTIFY*>(c.extra);
  return (Self<T>(t)->*F)(c.id, n->pNMHDR, n->pResult) != FALSE;
}
template <class T, auto F>
bool NotifyReflectEx(CCmdTarget* t, const MessageCall& c) {
  const AFX_NOTIFY* n = static_cast<const AFX_NOTIFY*>(c.extra);
  return (Self<T>(t)->*F)(n->pNMHDR, n->pResult) != FALSE;
}

// Window messages, each with its parameters unpacked.
template <class T, auto F>
bool Message(CCmdTarget* t, const MessageCall& c) {
  *c.result = (Self<T>(t)->*F)(c.wParam, c.lParam);
  return true;
}
template <class T, auto F>
bool Void(CCmdTarget* t, const MessageCall&) {
  (Self<T>(t)->*F)();
  return true;
}
template <class T, auto F>
bool Create(CCmdTarget* t, const MessageCall& c) {
  *c.result = (Self<T>(t)->*F)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
  return true;
}
template <class T, auto F>
bool Size(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(static_cast<UINT>(c.wParam), static_cast<int>(LOWORD(c.lParam)), static_cast<int>(HIWORD(c.lParam)));
  return true;
}
template <class T, auto F>
bool Move(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam));
  return true;
}
template <class T, auto F>
bool Mouse(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(static_cast<UINT>(c.wParam), CPoint(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam)));
  return true;
}
template <class T, auto F>
bool MouseWheel(CCmdTarget* t, const MessageCall& c) {
  *c.result = (Self<T>(t)->*F)(static_cast<UINT>(LOWORD(c.wParam)), static_cast<short>(HIWORD(c.wParam)),
                               CPoint(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam)));
  return true;
}
template <class T, auto F>
bool Key(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(static_cast<UINT>(c.wParam), static_cast<UINT>(LOWORD(c.lParam)),
                   static_cast<UINT>(HIWORD(c.lParam)));
  return true;
}
template <class T, auto F>
bool WndFromWParam(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
  return true;
}
template <class T, auto F>
bool WndFromLParam(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)));
  return true;
}
template <class T, auto F>
bool SetCursor(CCmdTarget* t, const MessageCall& c) {
  *c.result = (Self<T>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)),
                               static_cast<UINT>(static_cast<SHORT>(LOWORD(c.lParam))), HIWORD(c.lParam));
  return true;
}
template <class T, auto F>
bool EraseBkgnd(CCmdTarget* t, const MessageCall& c) {
  *c.result = WithLentDc(reinterpret_cast<HDC>(c.wParam), [&](CDC* dc) -> LRESULT { return (Self<T>(t)->*F)(dc); });
  return true;
}
template <class T, auto F>
bool Timer(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(static_cast<UINT_PTR>(c.wParam));
  return true;
}
template <class T, auto F>
bool ShowWindow(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(static_cast<BOOL>(c.wParam), static_cast<UINT>(c.lParam));
  return true;
}
template <class T, auto F>
bool Bool(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(static_cast<BOOL>(c.wParam));
  return true;
}
template <class T, auto F>
bool ContextMenu(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)),
                   CPoint(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam)));
  return true;
}
template <class T, auto F, class P>
bool Pointer(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(reinterpret_cast<P*>(c.lParam));
  return true;
}
template <class T, auto F>
bool HitTest(CCmdTarget* t, const MessageCall& c) {
  *c.result = (Self<T>(t)->*F)(CPoint(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam)));
  return true;
}
template <class T, auto F>
bool Scroll(CCmdTarget* t, const MessageCall& c) {
  // The window's own scroll bars; scroll-bar controls are not part of the
  // window system.
  (Self<T>(t)->*F)(static_cast<UINT>(LOWORD(c.wParam)), static_cast<UINT>(HIWORD(c.wParam)),
                   static_cast<CScrollBar*>(nullptr));
  return true;
}
template <class T, auto F, class P>
bool ItemStruct(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(static_cast<int>(c.wParam), reinterpret_cast<P*>(c.lParam));
  return true;
}
template <class T, auto F>
bool SysCommand(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(static_cast<UINT>(c.wParam), c.lParam);
  return true;
}
template <class T, auto F>
bool Activate(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(static_cast<UINT>(LOWORD(c.wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)),
                   static_cast<BOOL>(HIWORD(c.wParam)));
  return true;
}
// WM_MDIACTIVATE as a child frame hears it: wParam the child losing the
// activation, lParam the one gaining it.
template <class T, auto F>
bool MDIActivate(CCmdTarget* t, const MessageCall& c) {
  HWND gaining = reinterpret_cast<HWND>(c.lParam);
  (Self<T>(t)->*F)(static_cast<BOOL>(gaining == Self<T>(t)->m_hWnd), CWnd::FromHandle(gaining),
                   CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));
  return true;
}
template <class T, auto F>
bool GetDlgCode(CCmdTarget* t, const MessageCall& c) {
  *c.result = static_cast<LRESULT>((Self<T>(t)->*F)());
  return true;
}
template <class T, auto F>
bool MouseActivate(CCmdTarget* t, const MessageCall& c) {
  *c.result = (Self<T>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)),
                               static_cast<UINT>(static_cast<SHORT>(LOWORD(c.lParam))), HIWORD(c.lParam));
  return true;
}
template <class T, auto F>
bool InitMenuPopup(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(MenuFromHandle(reinterpret_cast<HMENU>(c.wParam)), static_cast<UINT>(LOWORD(c.lParam)),
                   static_cast<BOOL>(HIWORD(c.lParam)));
  return true;
}

}  // namespace platform::msgmap

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass = theClass;                                                     \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                 \
  { 0, 0, 0, 0, nullptr }                                                                 \
  }                                                                                       \
  ;                                                                                       \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                     \
  }

#define AFX_MSGMAP_THUNK(kind, memberFxn) &platform::msgmap::kind<ThisClass, &ThisClass::memberFxn>

// Commands and their state.
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AFX_MSGMAP_THUNK(Cmd, memberFxn)},
#define ON_COMMAND_EX(id, memberFxn) {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AFX_MSGMAP_THUNK(CmdEx, memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AFX_MSGMAP_THUNK(CmdRange, memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AFX_MSGMAP_THUNK(CmdEx, memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AFX_MSGMAP_THUNK(CmdUI, memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AFX_MSGMAP_THUNK(CmdUI, memberFxn)},

// Control notifications sent as WM_COMMAND.
#define ON_CONTROL(code, id, memberFxn) \
  {WM_COMMAND, (WORD)(code), (WORD)(id), (WORD)(id), AFX_MSGMAP_THUNK(Cmd, memberFxn)},
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
  {WM_COMMAND, (WORD)(code), (WORD)(id), (WORD)(idLast), AFX_MSGMAP_THUNK(CmdRange, memberFxn)},
#define ON_CONTROL_REFLECT(code, memberFxn) \
  {WM_COMMAND + WM_REFLECT_BASE, (WORD)(code), 0, 0, AFX_MSGMAP_THUNK(Cmd, memberFxn)},
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
  {WM_COMMAND + WM_REFLECT_BASE, (WORD)(code), 0, 0, AFX_MSGMAP_THUNK(CmdEx, memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// Notifications sent as WM_NOTIFY.
#define ON_NOTIFY(code, id, memberFxn) \
  {WM_NOTIFY, (WORD)(int)(code), (WORD)(id), (WORD)(id), AFX_MSGMAP_THUNK(Notify, memberFxn)},
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn) \
  {WM_NOTIFY, (WORD)(int)(code), (WORD)(id), (WORD)(idLast), AFX_MSGMAP_THUNK(NotifyRange, memberFxn)},
#define ON_NOTIFY_EX(code, id, memberFxn) \
  {WM_NOTIFY, (WORD)(int)(code), (WORD)(id), (WORD)(id), AFX_MSGMAP_THUNK(NotifyEx, memberFxn)},
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn) \
  {WM_NOTIFY, (WORD)(int)(code), (WORD)(id), (WORD)(idLast), AFX_MSGMAP_THUNK(NotifyEx, memberFxn)},
#define ON_NOTIFY_REFLECT(code, memberFxn) \
  {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(code), 0, 0, AFX_MSGMAP_THUNK(Notify, memberFxn)},
#define ON_NOTIFY_REFLECT_EX(code, memberFxn) \
  {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(code), 0, 0, AFX_MSGMAP_THUNK(NotifyReflectEx, memberFxn)},

// Any message: LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) {(UINT)(message), 0, 0, 0, AFX_MSGMAP_THUNK(Message, memberFxn)},

// Window messages with their conventional handlers.
#define AFX_ON_WM(message, kind, memberFxn) {message, 0, 0, 0, AFX_MSGMAP_THUNK(kind, memberFxn)},
#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, Create, OnCreate)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, Void, OnDestroy)
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, Void, OnNcDestroy)
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, Void, OnClose)
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, Void, OnPaint)
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, EraseBkgnd, OnEraseBkgnd)
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, Size, OnSize)
#define ON_WM_MOVE() AFX_ON_WM(WM_MOVE, Move, OnMove)
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, Timer, OnTimer)
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, WndFromWParam, OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, WndFromWParam, OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_ON_WM(WM_CAPTURECHANGED, WndFromLParam, OnCaptureChanged)
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, SetCursor, OnSetCursor)
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, ShowWindow, OnShowWindow)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, Bool, OnEnable)
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, ContextMenu, OnContextMenu)
#define ON_WM_WINDOWPOSCHANGED() \
  {WM_WINDOWPOSCHANGED, 0, 0, 0, &platform::msgmap::Pointer<ThisClass, &ThisClass::OnWindowPosChanged, WINDOWPOS>},
#define ON_WM_WINDOWPOSCHANGING() \
  {WM_WINDOWPOSCHANGING, 0, 0, 0, &platform::msgmap::Pointer<ThisClass, &ThisClass::OnWindowPosChanging, WINDOWPOS>},
#define ON_WM_GETMINMAXINFO() \
  {WM_GETMINMAXINFO, 0, 0, 0, &platform::msgmap::Pointer<ThisClass, &ThisClass::OnGetMinMaxInfo, MINMAXINFO>},
#define ON_WM_NCHITTEST() AFX_ON_WM(WM_NCHITTEST, HitTest, OnNcHitTest)
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, Mouse, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, Mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, Mouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, Mouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, Mouse, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, Mouse, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_WM(WM_RBUTTONDBLCLK, Mouse, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_WM(WM_MBUTTONDOWN, Mouse, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_WM(WM_MBUTTONUP, Mouse, OnMButtonUp)
#define ON_WM_MOUSEWHEEL() AFX_ON_WM(WM_MOUSEWHEEL, MouseWheel, OnMouseWheel)
#define ON_WM_MOUSEACTIVATE() AFX_ON_WM(WM_MOUSEACTIVATE, MouseActivate, OnMouseActivate)
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, Key, OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, Key, OnKeyUp)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, Key, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_ON_WM(WM_SYSKEYDOWN, Key, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_ON_WM(WM_SYSKEYUP, Key, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_ON_WM(WM_SYSCHAR, Key, OnSysChar)
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, Scroll, OnHScroll)
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, Scroll, OnVScroll)
#define ON_WM_SYSCOMMAND() AFX_ON_WM(WM_SYSCOMMAND, SysCommand, OnSysCommand)
#define ON_WM_ACTIVATE() AFX_ON_WM(WM_ACTIVATE, Activate, OnActivate)
#define ON_WM_MDIACTIVATE() AFX_ON_WM(WM_MDIACTIVATE, MDIActivate, OnMDIActivate)
#define ON_WM_INITMENUPOPUP() AFX_ON_WM(WM_INITMENUPOPUP, InitMenuPopup, OnInitMenuPopup)
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, GetDlgCode, OnGetDlgCode)
#define ON_WM_CANCELMODE() AFX_ON_WM(WM_CANCELMODE, Void, OnCancelMode)
#define ON_WM_DRAWITEM() \
  {WM_DRAWITEM, 0, 0, 0, &platform::msgmap::ItemStruct<ThisClass, &ThisClass::OnDrawItem, DRAWITEMSTRUCT>},
#define ON_WM_MEASUREITEM() \
  {WM_MEASUREITEM, 0, 0, 0, &platform::msgmap::ItemStruct<ThisClass, &ThisClass::OnMeasureItem, MEASUREITEMSTRUCT>},
// Owner-draw messages reflected back to the control that sent them.
#define ON_WM_DRAWITEM_REFLECT()                         \
  {WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0,               \
   &platform::msgmap::Pointer<ThisClass, &ThisClass::DrawItem, DRAWITEMSTRUCT>},
#define ON_WM_MEASUREITEM_REFLECT()                      \
  {WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0,            \
   &platform::msgmap::Pointer<ThisClass, &ThisClass::MeasureItem, MEASUREITEMSTRUCT>},

// A thread message (posted with no window) handled by the application:
// void memberFxn(WPARAM, LPARAM).
namespace platform::msgmap {
template <class T, auto F>
bool ThreadMessage(CCmdTarget* t, const MessageCall& c) {
  (Self<T>(t)->*F)(c.wParam, c.lParam);
  return true;
}
}  // namespace platform::msgmap
#define ON_THREAD_MESSAGE(message, memberFxn) {(UINT)(message), 0, 0, 0, AFX_MSGMAP_THUNK(ThreadMessage, memberFxn)},
