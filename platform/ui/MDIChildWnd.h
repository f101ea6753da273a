// CMDIChildWnd: a frame that lives in the MDI client of a CMDIFrameWnd and
// shows one document's views. It is made with Create (the parent is the MDI
// frame; the child goes into its MDI client), becomes the active child when
// activated or shown through the template, and hears the activation changes
// in OnMDIActivate (the activated child gives the focus to its view).
//
// Window numbers: when several child frames show the same document they are
// numbered 1, 2, ... in the order of the document's views
// (UpdateFrameCounts) and the title becomes "<document>:<number>"; a
// document's only frame has number 0.
#pragma once

#include "platform/ui/FrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)

 public:
  CMDIChildWnd() = default;

  // Makes the child inside `parent`'s MDI client (null: the application's
  // main window, which must be a CMDIFrameWnd).
  virtual BOOL Create(LPCWSTR className, LPCWSTR title, DWORD style = WS_CHILD | WS_OVERLAPPEDWINDOW,
                      const RECT& rect = rectDefault, CMDIFrameWnd* parent = nullptr,
                      CCreateContext* context = nullptr);
  CMDIFrameWnd* GetMDIFrame() const;
  // Makes this child the active one of its MDI frame.
  void MDIActivate();
  void MDIDestroy() { DestroyWindow(); }

  // Lets the MDI frame update its title, then shows the document's title
  // (":<number>" added when the window number is 1 or more).
  virtual void OnUpdateFrameTitle(BOOL addToTitle);
  // Numbers the child frames that show `doc` and updates their titles.
  static void UpdateFrameCounts(CDocument* doc);

  int m_nWindow = 0;

 protected:
  afx_msg void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);
  // The document decides first (CanCloseFrame); a document left without
  // views by the close is closed with it.
  afx_msg void OnClose();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()
};
