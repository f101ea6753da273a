#include "diagram/ui/PolyTool.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/SelectTool.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

namespace {

// The drawing whose recording and route-change bracket are open: its tool
// and the window of its view (the view is found by it, so a view closed
// meanwhile is never touched). Only one drawing runs at a time.
const CPolyTool* g_pOpenTool = nullptr;
HWND g_hOpenView = nullptr;

void ForgetOpenDrawing() {
  g_pOpenTool = nullptr;
  g_hOpenView = nullptr;
}

// A drawing whose object was destroyed meanwhile (its tool forgot it) still
// holds its recording and bracket open: they are closed, once.
void CloseForgottenDrawing() {
  if (!g_pOpenTool || g_pOpenTool->GetPolyInProgress()) return;
  auto* view = dynamic_cast<CDrawView*>(CWnd::FromHandlePermanent(g_hOpenView));
  ForgetOpenDrawing();
  if (!view) return;
  if (CDiagram* diagram = view->GetDiagram()) diagram->EndDynamicRouteChanges();
  if (CDrawDoc* document = view->GetDocument()) {
    document->FlushUndoRecording();
    document->EndUndoRecording();
  }
}

}  // namespace

CPolyTool::CPolyTool(DrawShape shape) : CDrawTool(shape) {
  LoadCursorForTool(static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(IDC_CROSS)), TRUE);
}

void CPolyTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) {
  CloseForgottenDrawing();
  CDiagram* diagram = view->GetDiagram();
  CDrawDoc* document = view->GetDocument();
  if (!diagram || !document) return;
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);
  diagram->SetLastClickPoint(docPoint);
  if (diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(docPoint);
  diagram->ForcePointOnDiagram(docPoint);

  if (!m_pDrawObj) {
    CDrawTool::OnLButtonDown(view, flags, point);
    const bool polyline = GetDrawShape() == dsPolyline;
    if (!document->BeginUndoRecording(polyline ? u"Add PolyLine" : u"Add Polygon", 255)) {
      view->ReleaseCapture();
      return;
    }
    diagram->BeginDynamicRouteChanges();
    CDrawPoly* object = diagram->MakeDrawPoly();
    if (object) object->m_bPolyLine = polyline;
    if (!object || !diagram->Add(object)) {
      delete object;
      view->ReleaseCapture();
      AbandonAdd(diagram, document);
      return;
    }
    view->Select(object, FALSE);
    diagram->ForcePointOnCanvasWithOutline(*object, docPoint);
    object->AddPoint(docPoint, view);
    m_pDrawObj = object;
    g_pOpenTool = this;
    g_hOpenView = view->GetSafeHwnd();
  } else if (GetDrawShape() == dsPolygon && m_pDrawObj->HitTest(docPoint, view, TRUE) == 1) {
    // A click on the first point closes the polygon; the rubber point goes.
    view->ReleaseCapture();
    DropLastPoint(view);
    EndDrawing(view);
    return;
  }
  // The rubber point starts a unit to the right of the click.
  CPoint rubber = docPoint + CSize(1, 0);
  diagram->ForcePointOnCanvasWithOutline(*m_pDrawObj, rubber);
  m_pDrawObj->InsertPoint(m_pDrawObj->m_nPoints, rubber, view);
  selectMode = smSize;
  nDragHandle = m_pDrawObj->GetHandleCount();
}

void CPolyTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) {
  CDrawPoly* object = m_pDrawObj;
  if (!object) {
    CDrawTool::OnMouseMove(view, flags, point);
    return;
  }
  view->AutoScroll(point);
  // The first event after the press, where the press was, moves nothing.
  if (nDragHandle == 2 && point == c_last && c_last == c_down) return;
  CDiagram* diagram = view->GetDiagram();
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);
  if (flags & MK_LBUTTON) {
    // Pencil drawing: every point the held button passes becomes a point.
    if (diagram) diagram->ForcePointOnCanvasWithOutline(*object, docPoint);
    object->AddPoint(docPoint, view);
    nDragHandle = object->GetHandleCount();
    if (!m_hPencilCursor) LoadCursorForToolInPencilMode(kPencilCursor, FALSE);
    ::SetCursor(m_hPencilCursor ? m_hPencilCursor : GetToolCursor());
  } else {
    if (GetToolCursor()) ::SetCursor(GetToolCursor());
    if (diagram && diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(docPoint);
    if (diagram) diagram->ForcePointOnCanvasWithOutline(*object, docPoint);
    object->FlagsMoveHandleTo(nDragHandle, docPoint, view, flags);
  }
  c_last = point;
}

void CPolyTool::OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point) {
  CDrawPoly* object = m_pDrawObj;
  if (!object) {
    CDrawTool::OnLButtonDblClk(view, flags, point);
    return;
  }
  // The press of the double click left a rubber point on (or a unit to the
  // right of) the point before it.
  const int n = object->m_nPoints;
  if (n >= 2) {
    const CPoint last = object->m_points[n - 1];
    const CPoint before = object->m_points[n - 2];
    if (last == before || last == before + CSize(1, 0)) DropLastPoint(view);
  }
  if (object->m_nPoints >= 2) {
    view->ReleaseCapture();
    EndDrawing(view);
  } else {
    OnCancel(view);
  }
}

void CPolyTool::OnLButtonUp(CDrawView*, unsigned, const CPoint&) {}

void CPolyTool::OnRButtonDown(CDrawView* view, unsigned, const CPoint&) {
  if (m_pDrawObj) RemovePointBeforeRubber(m_pDrawObj, view);
}

void CPolyTool::OnCancel(CDrawView* view) {
  CloseForgottenDrawing();
  if (CDrawPoly* object = m_pDrawObj) {
    m_pDrawObj = nullptr;
    ForgetOpenDrawing();
    CDiagram* diagram = object->GetDiagram();
    CDrawDoc* document = object->GetDocument();
    if (view) {
      view->Deselect(object);
      if (CWnd::GetCapture() == view) view->ReleaseCapture();
    }
    object->Delete();
    if (diagram) diagram->EndDynamicRouteChanges();
    if (document) {
      document->FlushUndoRecording();
      document->EndUndoRecording();
    }
  }
  selectMode = smNone;
  nDragHandle = 0;
  CDrawTool::OnCancel(view);
}

void CPolyTool::DropLastPoint(CDrawView* view) {
  CDrawPoly* object = m_pDrawObj;
  if (object->m_nPoints <= 0) return;
  --object->m_nPoints;
  object->RecalcBounds(view, TRUE);
}

void CPolyTool::EndDrawing(CDrawView* view) {
  CDrawPoly* object = m_pDrawObj;
  m_pDrawObj = nullptr;
  ForgetOpenDrawing();
  CDiagram* diagram = object->GetDiagram();
  CDrawDoc* document = object->GetDocument();
  if (object->m_nPoints >= 2) {
    if (diagram) {
      diagram->UpdateObject(object, 1);
      // Points stop at the canvas edge; the outline around them comes in.
      diagram->ForceObjectOntoCanvas(object, 1);
    }
    object->InitializeDrawing(view);
    object->InvalidateIn(view);
  } else {
    view->Deselect(object);
    object->Delete();
    if (document) document->FlushUndoRecording();
  }
  if (diagram) diagram->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
  selectMode = smNone;
  nDragHandle = 0;
  SetActiveTool(CDrawToolSet::GetSelectTool());
}

void CPolyTool::ForgetPoly(const CDrawPoly* poly) {
  CPolyTool* const tools[] = {&CDrawToolSet::polygonTool, &CDrawToolSet::polylineTool,
                              dynamic_cast<CPolyTool*>(GetActiveTool())};
  for (CPolyTool* tool : tools) {
    if (tool && tool->m_pDrawObj == poly) tool->m_pDrawObj = nullptr;
  }
}

int CPolyTool::LoadCursorForToolInPencilMode(unsigned id, int system) {
  return LoadCursorInto(m_hPencilCursor, id, system);
}
