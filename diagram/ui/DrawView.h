// CDrawView: the view that shows one diagram of a document. The model
// reaches it for coordinate conversion (document units and client pixels),
// the selection, invalidation and the pop-up menus; the diagram sends it its
// update hints (CDrawHint).
#pragma once

#include "diagram/model/DrawList.h"
#include "platform/core/Geometry.h"
#include "platform/ui/View.h"

class CDiagram;
class CDrawDoc;
class CDrawObj;
class CMenu;

class CDrawView : public CView {
  DECLARE_DYNCREATE(CDrawView)

 public:
  CDrawView();
  ~CDrawView() override;

  // The sub-menu `index` of the view's pop-up menu resource; null while the
  // resource is not there.
  virtual CMenu* GetPopupMenu(int index);

  BOOL IsSelected(const CObject* object) const override;
  // Document units are hundredths of an inch at 100 % (scale 5000), y
  // growing upward in an upward-positive diagram; the canvas's top-left
  // corner is at the client area's origin.
  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
  // Shows the document's current diagram.
  void OnInitialUpdate() override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;

  CDrawDoc* GetDocument() const;
  CDiagram* GetDiagram() const { return m_pDiagram; }
  CDrawList& GetSelection() { return m_selection; }
  const CDrawList& GetSelection() const { return m_selection; }
  CSize GetScaleSize() const { return m_scaleSize; }
  BOOL IsActive() const { return m_bActive; }
  void SetActive(int active) { m_bActive = active; }
  BOOL ShowCrossLabels() const { return m_bShowCrossLabels; }
  // Captures the mouse and marks the view as capturing.
  CWnd* SetCapture();
  // Clears the mark and releases the mouse.
  void ReleaseCapture();

  void ClientToDoc(CPoint& point);
  void ClientToDoc(CRect& rect);
  void DocToClient(CPoint& point);
  // The result is normalised in pixels.
  void DocToClient(CRect& rect);
  // The document rectangle within which a click at the pixel hits.
  CRect GetDocSenstivityRectForClientPoint(CPoint point);
  void InvalObj(CDrawObj* object);
  // Shows another diagram of the document.
  void SwitchToDiagram(CDiagram* diagram);

  // The pick tolerance in pixels.
  static int c_nSelectionProximity;

 protected:
  void OnDraw(CDC* dc) override;
  // Repaints every object of the list, or of the selection without one.
  void InvalidateObjects(const CObList* objects);

  BOOL m_bCapture;
  CDrawList m_selection;
  BOOL m_bActive;
  CSize m_scaleSize;
  BOOL m_bShowCrossLabels;
  BOOL m_bInitialized;
  CDiagram* m_pDiagram;
};
