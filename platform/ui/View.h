// CView: the framework's view, a window that shows a document. It paints
// through OnDraw on a device context that OnPrepareDC has mapped, and hears
// about changes of its document through OnUpdate. In a frame (FrameWnd.h) it
// hears its activation through OnActivateView, and commands it does not
// handle go on to its document. A view that its frame made (CreateView)
// deletes itself after its window; one a host made stays the host's.
//
// Printing: the standard print command (OnFilePrint, which a view maps to
// ID_FILE_PRINT and ID_FILE_PRINT_DIRECT) asks OnPreparePrinting for the
// job (the view sets its pages and calls DoPreparePrinting, which shows the
// print dialog through the modal driver, or with ID_FILE_PRINT_DIRECT takes
// the application's printer), then StartDoc, OnBeginPrinting, for each page
// OnPrepareDC and OnPrint between StartPage and EndPage, EndDoc and
// OnEndPrinting. A failure while printing aborts the job (no file is left).
//
// OLE drag and drop: the plain view accepts no drop.
#pragma once

#include "platform/ole/DropEffect.h"
#include "platform/ui/Wnd.h"

class CDC;
class CDocument;
class COleDataObject;
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
  // plain view leaves it as it is. When printing a job whose page count is
  // not known (maximum 0xFFFF), only the first page is printed.
  virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
  // The first update after the view is attached; the plain view repaints.
  virtual void OnInitialUpdate();
  // The view gained (activate) or lost the activation in its frame; the
  // plain view takes the focus when its top-level window is active.
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
  // The view's own handlers, then its document's.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // A drag of OLE data over the view: the effects it would accept
  // (DROPEFFECT_NONE here) and whether it took a drop (FALSE here).
  virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
  virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
  virtual void OnDragLeave();
  virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT dropEffect, CPoint point);

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

  // Printing (see above). The plain view prepares with DoPreparePrinting
  // and prints a page with OnDraw.
  virtual BOOL OnPreparePrinting(CPrintInfo* info);
  virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
  virtual void OnPrint(CDC* dc, CPrintInfo* info);
  virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
  // Sets the page range of the dialog to the job's pages and gets the
  // printer DC: from the print dialog (the user may cancel: FALSE), or for
  // a direct job from the application's printer (or the default one).
  BOOL DoPreparePrinting(CPrintInfo* info);
  afx_msg void OnFilePrint();

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
  friend class CSplitterWnd;

 private:
  bool m_deleteWithWindow = false;  // made by its frame (CreateView) or a splitter
};
