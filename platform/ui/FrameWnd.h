// CFrameWnd: a top-level window that holds a view in its client area (the
// view's id is AFX_IDW_PANE_FIRST; it fills the client area as the frame's
// size changes). The frame knows its active view: SetActiveView tells the
// old view it lost the activation and the new one it gained it
// (CView::OnActivateView); a click in a view makes it the active one.
// Commands that reach the frame, and the updates of the items of menus it
// owns, go to the active view first (which passes
// them on to its document), then to the frame, then to the application.
//
// WM_CLOSE destroys the frame and with it its view. A frame deletes itself
// after its window is gone: make frames with new.
#pragma once

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/Wnd.h"

class CControlBar;
class CDocument;
class CDockBar;
class CView;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  // The position and size the system chooses.
  static const CRect rectDefault;

  CFrameWnd() = default;

  // Makes the frame window; with a context whose m_pNewViewClass is set the
  // frame makes its view (OnCreateClient). Menu bars are not built: a menu
  // name throws CNotSupportedException.
  BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* parent = nullptr, LPCWSTR menuName = nullptr,
              DWORD exStyle = 0, CCreateContext* context = nullptr);
  BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
              CWnd* parent = nullptr, LPCSTR menuName = nullptr, DWORD exStyle = 0,
              CCreateContext* context = nullptr);

  // The frame that holds the active view: this frame.
  virtual CFrameWnd* GetActiveFrame();
  CView* GetActiveView() const { return m_pViewActive; }
  // Makes `view` (null: none) the active view; with `notify` the views hear
  // it through OnActivateView (the old one first).
  void SetActiveView(CView* view, BOOL notify = TRUE);
  // The active view's document.
  virtual CDocument* GetActiveDocument();
  // Makes a view of the context's class as a child with `id`, showing the
  // context's document; null on failure.
  CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
  // The first update of a frame that holds its view: the view becomes the
  // active view (OnActivateView), hears OnInitialUpdate, and the frame is
  // shown when asked.
  void InitialUpdateFrame(CDocument* doc, BOOL makeVisible = TRUE);
  // Places the control bars along the edges, in the order they were made
  // (a dock bar where EnableDocking made it), then the view over the rest.
  virtual void RecalcLayout(BOOL notify = TRUE);

  // Control bars. EnableDocking makes the dock bars of the sides asked
  // (top, bottom, left, right); DockControlBar moves a bar into a dock bar
  // (0: the first side both allow), at a rectangle in screen coordinates
  // when given. A delayed ShowControlBar happens at the frame's next idle
  // update (WM_IDLEUPDATECMDUI, posted), as the framework's does.
  void EnableDocking(DWORD style);
  void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
  void DockControlBar(CControlBar* bar, CDockBar* dockBar, LPCRECT rect = nullptr);
  void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
  CControlBar* GetControlBar(UINT id) const;
  const std::vector<CControlBar*>& GetControlBars() const { return m_listControlBars; }
  // The bar-toggle commands: the command id is the bar's id.
  BOOL OnBarCheck(UINT id);
  void OnUpdateControlBarMenu(CCmdUI* cmdUI);
  // The bars' docking and visibility in the profile: section "<section>-Summary"
  // holds "Bars" (the count), section "<section>-Bar<n>" holds "BarID",
  // "Visible", "DockBarID" (0 when not docked), "Row" and "Pos".
  void SaveBarState(LPCWSTR section) const;
  void LoadBarState(LPCWSTR section);

  void AddControlBar(CControlBar* bar);
  void RemoveControlBar(CControlBar* bar);

  // The status bar's message pane (its first): a text, or a string resource
  // (AFX_IDS_IDLEMESSAGE, "Ready", when idle). A child frame shows it in its
  // parent frame's status bar. A new frame posts the idle message for
  // itself (WM_SETMESSAGESTRING), as the framework's does.
  void SetMessageText(LPCWSTR text);
  void SetMessageText(UINT id);
  // The status bar that shows this frame's messages (null: none).
  virtual CWnd* GetMessageBar();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // Menu items whose command has no handler are disabled when their menu
  // opens.
  BOOL m_bAutoMenuEnable = TRUE;

 protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnClose();
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* oldWnd);
  // A menu about to open: each command item is updated through the
  // update-command-UI handlers along the command route (OnCmdMsg).
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
  // An activated frame gives the focus to its active view (or takes it).
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);

  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
  // WM_SETMESSAGESTRING: wParam a string id, or lParam the text.
  afx_msg LRESULT OnSetMessageString(WPARAM id, LPARAM text);

  CView* m_pViewActive = nullptr;
  std::vector<CControlBar*> m_listControlBars;
  bool m_bIdlePosted = false;
  bool m_bInitialUpdateDone = false;

 public:
  // True once InitialUpdateFrame ran: views made later update themselves.
  bool IsInitialUpdateDone() const { return m_bInitialUpdateDone; }

  DECLARE_MESSAGE_MAP()

  friend class CView;
};
