// CMDIFrameWnd: the main frame of a program that shows several documents at
// once. Its client area, left over by its control bars, is the MDI client
// (a plain child window with the first pane's id), and the child frames
// (CMDIChildWnd) live inside it. One child at a time is active:
// MDIActivate tells the child losing the activation and then the one
// gaining it (WM_MDIACTIVATE, wParam the child losing it, lParam the one
// gaining it) and updates the frame's title. Commands go to the active
// child first (its view, its document, the child), then to this frame and
// the application.
//
// Closing (WM_CLOSE): the active document may refuse; for the application's
// main window every modified document may be saved (SaveAllModified), the
// application hides and closes its documents, then the window goes.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/FrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)

 public:
  CMDIFrameWnd() = default;

  // The active child frame (null: none); `maximized` receives whether it is
  // maximised.
  CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
  // Makes `child` (one of this frame's children, null: none) the active one.
  void MDIActivate(CWnd* child);
  // The child frames in the order they were made.
  int GetMDIChildCount() const;
  CWnd* GetMDIClient() { return &m_wndMDIClient; }

  // The active child frame, or this frame when there is none.
  CFrameWnd* GetActiveFrame() override;
  // The active child's document.
  CDocument* GetActiveDocument() override;
  // "<title> - <document>" with the active child's document title (and its
  // window number), or the frame's own title.
  virtual void OnUpdateFrameTitle(BOOL addToTitle);
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnClose();
  DECLARE_MESSAGE_MAP()

  // A child frame going away: another child becomes active.
  void OnChildDestroyed(CMDIChildWnd* child);

  CWnd m_wndMDIClient;
  HWND m_hWndActive = nullptr;
  CStringW m_strTitle;

  friend class CMDIChildWnd;
};
