// CView: the framework's view, a window that shows a document. It paints
// through OnDraw on a device context that OnPrepareDC has mapped, and hears
// about changes of its document through OnUpdate. In a frame (FrameWnd.h) it
// hears its activation through OnActivateView, and commands it does not
// handle go on to its document. A view that its frame made (CreateView)
// deletes itself after its window; one a host made stays the host's.
#pragma once

#include "platform/ui/Wnd.h"

class CDC;
class CDocument;
struct CPrintInfo;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  // Leaves its document.
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  // Whether the object is selected in the view; a plain view selects
  // nothing.
  virtual BOOL IsSelected(const CObject* object) const;
  // Sets up the device context's mapping before drawing or measuring; the
  // plain view leaves it as it is.
  virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
  // The first update after the view is attached; the plain view repaints.
  virtual void OnInitialUpdate();
  // The view gained (activate) or lost the activation in its frame; the
  // plain view takes the focus when its top-level window is active.
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
  // The view's own handlers, then its document's.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // Scrolling by a scroll-bar code (LOBYTE: horizontal, HIBYTE: vertical,
  // 0xFF: none) or by a distance in device pixels; true when the view
  // scrolled (or would, without doScroll). A plain view does not scroll.
  virtual BOOL OnScroll(UINT scrollCode, UINT pos, BOOL doScroll = TRUE);
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll = TRUE);

 protected:
  CView() = default;
  virtual void OnDraw(CDC* dc) = 0;
  // A change of the document; the plain view repaints everything.
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);

  void PostNcDestroy() override;

  afx_msg void OnPaint();
  // With a creation context: joins the context's document.
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  // The frame forgets a view that goes while active.
  afx_msg void OnDestroy();
  // A click makes the view its frame's active view.
  afx_msg int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);

  CDocument* m_pDocument = nullptr;

  DECLARE_MESSAGE_MAP()

  friend class CDocument;
  friend class CFrameWnd;

 private:
  bool m_deleteWithWindow = false;  // made by its frame (CreateView)
};
