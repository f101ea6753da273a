#include "diagram/ui/RectTool.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/ui/DrawView.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

namespace {

LPCWSTR RecordingName(DrawShape shape) {
  switch (shape) {
    case dsLine:
      return u"Add Line";
    case dsRoundRect:
      return u"Add RoundRect";
    case dsEllipse:
      return u"Add Ellipse";
    default:
      return u"Add Rectangle";
  }
}

CDrawRect::Shape RectShape(DrawShape shape) {
  switch (shape) {
    case dsLine:
      return CDrawRect::line;
    case dsRoundRect:
      return CDrawRect::roundRectangle;
    case dsEllipse:
      return CDrawRect::ellipse;
    default:
      return CDrawRect::rectangle;
  }
}

// The object the gesture in progress is drawing and the window of the view
// it is drawn in, with the recording open; null between gestures. Only one
// gesture runs at a time.
CDrawRect* g_pDrawing = nullptr;
HWND g_hDrawingView = nullptr;

// The view of the gesture, found by its window: a view closed meanwhile is
// never touched.
CDrawView* DrawingView() {
  return g_hDrawingView ? dynamic_cast<CDrawView*>(CWnd::FromHandlePermanent(g_hDrawingView)) : nullptr;
}

// The object being drawn while its view still holds it selected. An object
// taken off the diagram meanwhile (deleted, or the diagram emptied) has left
// the selection and may be gone: it is forgotten, never touched.
CDrawRect* Drawing() {
  CDrawView* view = DrawingView();
  if (g_pDrawing && !(view && view->IsSelected(g_pDrawing))) g_pDrawing = nullptr;
  return g_pDrawing;
}

}  // namespace

CRectTool::CRectTool(DrawShape shape) : CDrawTool(shape) { LoadCursorForTool(static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(IDC_CROSS)), TRUE); }

void CRectTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) {
  CDrawTool::OnLButtonDown(view, flags, point);
  CDiagram* diagram = view->GetDiagram();
  CDrawDoc* document = view->GetDocument();
  if (!diagram || !document) return;
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);
  diagram->SetLastClickPoint(docPoint);
  if (diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(docPoint);
  if (!document->BeginUndoRecording(RecordingName(GetDrawShape()), 255)) return;
  diagram->BeginDynamicRouteChanges();
  diagram->ForcePointOnDiagram(docPoint);
  CDrawRect* object = diagram->MakeDrawRect(docPoint);
  if (object) {
    object->m_nShape = RectShape(GetDrawShape());
    // A line has no inside for its outline to keep within, as when a line
    // is made directly.
    if (object->m_nShape == CDrawRect::line) object->m_logpen.lopnStyle = PS_SOLID;
    diagram->ForcePointOnCanvasWithOutline(*object, docPoint);
    object->MoveTo(CRect(docPoint, docPoint), nullptr);
  }
  if (object && diagram->Add(object)) {
    g_pDrawing = object;
    g_hDrawingView = view->GetSafeHwnd();
    view->Select(object, FALSE);
    selectMode = smSize;
    nDragHandle = 1;
    return;
  }
  delete object;
  view->Select(nullptr, FALSE);
  AbandonAdd(diagram, document);
}

void CRectTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) {
  view->AutoScroll(point);
  CDrawTool::OnMouseMove(view, flags, point);
  if (nDragHandle != 1 || view->GetSelection().IsEmpty()) return;
  CDrawRect* object = Drawing();
  CDiagram* diagram = view->GetDiagram();
  if (!object || !diagram) return;
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);
  if (diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(docPoint);
  diagram->ForcePointOnCanvasWithOutline(*object, docPoint);
  object->MoveHandleTo(nDragHandle, docPoint, view);
}

void CRectTool::OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) {
  if (CWnd::GetCapture() == view) {
    nDragHandle = 0;
    CDrawRect* object = Drawing();
    if (!object) {
      OnCancel(view);
      return;
    }
    const CRect& position = object->GetPosition();
    const bool empty = object->GetShape() == CDrawRect::line ? position.TopLeft() == position.BottomRight()
                                                             : position.Width() == 0 || position.Height() == 0;
    if (empty) {
      OnCancel(view);
      return;
    }
    g_pDrawing = nullptr;
    g_hDrawingView = nullptr;
    CDiagram* diagram = view->GetDiagram();
    diagram->UpdateObject(object, 1);
    // The outline around a corner at the canvas edge comes in.
    diagram->ForceObjectOntoCanvas(object, 1);
    object->InitializeDrawing(view);
    object->InvalidateIn(view);
    diagram->EndDynamicRouteChanges();
    if (CDrawDoc* document = view->GetDocument()) document->EndUndoRecording();
  }
  CDrawTool::OnLButtonUp(view, flags, point);
}

void CRectTool::OnCancel(CDrawView* view) {
  nDragHandle = 0;
  // The object drawn so far goes, and its recording with it; the recording
  // is closed even when the object has gone already. A view closed
  // meanwhile leaves nothing that can be reached.
  CDrawView* drawnIn = DrawingView();
  CDrawRect* object = Drawing();
  g_pDrawing = nullptr;
  g_hDrawingView = nullptr;
  if (drawnIn) {
    CDiagram* diagram = drawnIn->GetDiagram();
    CDrawDoc* document = drawnIn->GetDocument();
    if (object) {
      drawnIn->Deselect(object);
      object->Delete();
    }
    if (diagram) diagram->EndDynamicRouteChanges();
    if (document) {
      document->FlushUndoRecording();
      document->EndUndoRecording();
    }
  }
  CDrawTool::OnCancel(view);
}
