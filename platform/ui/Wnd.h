// CWnd: a C++ object attached to a window of the headless window system.
// Messages to an attached window go through WindowProc, the message map
// (OnWndMsg) and then the default processing; commands and control
// notifications arrive through OnCommand and OnNotify, which first offer
// them back to the control that sent them (reflection).
//
// A window made by the system (a dialog's controls) has no permanent CWnd;
// FromHandle gives a wrapper of the class that fits its window class (a
// CEdit for an edit control), kept until the window is destroyed.
//
// Texts: every function that takes or gives text has a GBK (char) and a
// UTF-16 (WCHAR) form, so that one CWnd serves both builds.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

class CDataExchange;
class CScrollBar;
class CDC;
class CRgn;
class CFrameWnd;
class CMenu;

namespace platform {
void HookWindowCreate(HWND hwnd);
}  // namespace platform

// Flags of CWnd::m_nFlags.
#define WF_TOOLTIPS 0x0001
#define WF_TEMPSUBCLASS 0x0002
#define WF_MODALLOOP 0x0004
#define WF_CONTINUEMODAL 0x0008
#define WF_OLECTLCONTAINER 0x0100

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)

 public:
  HWND m_hWnd = nullptr;

  CWnd() = default;
  // A window still attached when its CWnd goes is destroyed without the
  // CWnd's handlers (the derived parts are gone by then).
  ~CWnd() override;

  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }
  BOOL operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }

  // Handle maps.
  static CWnd* FromHandle(HWND hwnd);
  static CWnd* FromHandlePermanent(HWND hwnd);
  BOOL Attach(HWND hwnd);
  HWND Detach();
  // Routes the window's messages through this object from now on.
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  // Creation and destruction.
  virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      void* context = nullptr);
  virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      void* context = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width, int height,
                HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, LPVOID param = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, LPVOID param = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

  // Styles and identity.
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int id);

  // Hierarchy.
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* newParent);
  CWnd* GetOwner() const;
  void SetOwner(CWnd* owner);
  CWnd* GetTopLevelParent() const;
  // The nearest frame window that holds this window (null: none).
  CFrameWnd* GetParentFrame() const;
  CWnd* GetWindow(UINT cmd) const;
  CWnd* GetNextWindow(UINT flag = GW_HWNDNEXT) const { return GetWindow(flag); }
  CWnd* GetTopWindow() const { return GetWindow(GW_CHILD); }
  BOOL IsChild(const CWnd* wnd) const;
  CWnd* GetDlgItem(int id) const;
  void GetDlgItem(int id, HWND* hwnd) const;
  CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                BOOL onlyPermanent = FALSE);
  // The window a modal window should disable: the top-level ancestor of
  // `parent` (or of the application's main window).
  static CWnd* GetSafeOwner(CWnd* parent = nullptr, HWND* topLevel = nullptr);

  // State.
  BOOL ShowWindow(int cmd);
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;

  // Text. GetWindowTextLength is large enough for a buffer of either form.
  void SetWindowText(LPCSTR text);
  void SetWindowText(LPCWSTR text);
  int GetWindowText(LPSTR buffer, int maxCount) const;
  int GetWindowText(LPWSTR buffer, int maxCount) const;
  void GetWindowText(CStringA& text) const;
  void GetWindowText(CStringW& text) const;
  int GetWindowTextLength() const;

  // Geometry.
  void GetWindowRect(LPRECT rect) const;
  void GetClientRect(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;
  void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
  void MapWindowPoints(CWnd* to, LPRECT rect) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void BringWindowToTop();
  BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);
  void CenterWindow(CWnd* alternateOwner = nullptr);

  // Painting.
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void ValidateRect(LPCRECT rect);
  BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void SetRedraw(BOOL redraw = TRUE);
  // Device contexts (WindowDC.h): the client area's, released with
  // ReleaseDC; a paint DC between BeginPaint and EndPaint.
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* dc);
  CDC* BeginPaint(LPPAINTSTRUCT paint);
  void EndPaint(LPPAINTSTRUCT paint);

  // The window's scroll bars and scrolling (WindowApi.h).
  int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
  int GetScrollPos(int bar) const;
  void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
  void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const;
  BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL);
  // The largest position of a bar: its maximum less the page plus one.
  int GetScrollLimit(int bar);
  void ShowScrollBar(UINT bar, BOOL show = TRUE);
  BOOL EnableScrollBar(int bar, UINT arrows = ESB_ENABLE_BOTH);
  // Shows or hides the window's own bar (SB_HORZ, SB_VERT or SB_BOTH).
  void EnableScrollBarCtrl(int bar, BOOL enable = TRUE);
  void ScrollWindow(int dx, int dy, LPCRECT scroll = nullptr, LPCRECT clip = nullptr);
  int ScrollWindowEx(int dx, int dy, LPCRECT scroll, LPCRECT clip, CRgn* update, LPRECT updateRect, UINT flags);

  // Focus, capture, activation.
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetCapture();
  static CWnd* GetCapture();
  CWnd* SetActiveWindow();
  static CWnd* GetActiveWindow();
  BOOL SetForegroundWindow();

  // Messages and timers. SendMessage passes text-carrying messages as UTF-16
  // (use the text functions, or ::SendMessageA for GBK text).
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
  BOOL KillTimer(UINT_PTR id);
  HFONT GetFontHandle() const;
  void SetFontHandle(HFONT font, BOOL redraw = TRUE);

  // Dialog items.
  void SetDlgItemText(int id, LPCSTR text);
  void SetDlgItemText(int id, LPCWSTR text);
  int GetDlgItemText(int id, LPSTR buffer, int maxCount) const;
  int GetDlgItemText(int id, LPWSTR buffer, int maxCount) const;
  int GetDlgItemText(int id, CStringA& text) const;
  int GetDlgItemText(int id, CStringW& text) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  void CheckRadioButton(int firstId, int lastId, int checkId);
  int GetCheckedRadioButton(int firstId, int lastId) const;
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;
  BOOL IsDialogMessage(LPMSG msg);

  // Message boxes, owned by this window.
  int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);
  int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK);

  // Data exchange: DoDataExchange moves data between members and controls;
  // UpdateData(TRUE) reads and validates, UpdateData(FALSE) fills.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* dx);
  // Enables (or disables) the child controls by the state their commands
  // have in `target`.
  void UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler);
  // Applies a dialog template's initialisation data (combo and list items).
  BOOL ExecuteDlgInit(UINT templateId);
  BOOL ExecuteDlgInit(LPCWSTR templateName);

  // Modal loops (dialogs and property sheets).
  virtual BOOL ContinueModal();
  virtual void EndModalLoop(int result);
  int RunModalLoop(DWORD flags = 0);

  // Message processing.
  // The message being handled (the last one sent to a window of this
  // thread through its CWnd).
  static const MSG* GetCurrentMessage();
  virtual BOOL PreTranslateMessage(MSG* msg);
  static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  UINT m_nFlags = 0;
  int m_nModalResult = 0;

 protected:
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Offered a notification that this control sent to its parent; true when
  // this control handled it.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  static BOOL ReflectMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL PreTranslateInput(LPMSG msg);
  // Runs after the window's last message; a class that owns itself deletes
  // itself here.
  virtual void PostNcDestroy();
  // The default processing of the message being handled.
  LRESULT Default();

  // Handlers of the window messages CWnd itself maps.
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();
  afx_msg void OnClose();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnMove(int x, int y);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnSetFocus(CWnd* oldWnd);
  afx_msg void OnKillFocus(CWnd* newWnd);
  afx_msg void OnCaptureChanged(CWnd* wnd);
  afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  afx_msg void OnShowWindow(BOOL show, UINT status);
  afx_msg void OnEnable(BOOL enable);
  afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
  afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
  afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnRButtonUp(UINT flags, CPoint point);
  afx_msg void OnRButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnMButtonDown(UINT flags, CPoint point);
  afx_msg void OnMButtonUp(UINT flags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  afx_msg int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
  afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnKeyUp(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnSysKeyUp(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnSysChar(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnCancelMode();
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
  afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);

  WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before this object

  DECLARE_MESSAGE_MAP()

 private:
  friend LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  friend LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  friend void platform::HookWindowCreate(HWND hwnd);
};

// The window procedure of every window with a permanent CWnd.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The application's main window (null without an application or window).
CWnd* AfxGetMainWnd();

#include "platform/ui/MessageMap.h"
