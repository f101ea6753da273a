#include "diagram/ui/DrawTool.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/SelectTool.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/WindowApi.h"

namespace {

// "You can NOT delete a point ... with less than 3 points."
constexpr ULONG kTooFewPoints = 28;

}  // namespace

// The select tool is active from start-up.
CDrawTool* CDrawTool::c_pActiveTool = &CDrawToolSet::selectTool;
CPoint CDrawTool::c_down;
CPoint CDrawTool::c_last;
unsigned CDrawTool::c_nDownFlags = 0;
int CDrawTool::nDragHandle = 0;
SelectMode CDrawTool::selectMode = smNone;

CDrawTool::CDrawTool(DrawShape shape) : m_drawShape(shape), m_hToolCursor(::LoadCursor(nullptr, IDC_ARROW)) {}

HCURSOR CDrawTool::LoadToolCursor(unsigned id, int system) {
  if (system) return ::LoadCursor(nullptr, MAKEINTRESOURCE(id));
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_CURSOR);
  return ::LoadCursor(module, MAKEINTRESOURCE(id));
}

void CDrawTool::AbandonAdd(CDiagram* diagram, CDrawDoc* document) {
  diagram->EndDynamicRouteChanges();
  document->FlushUndoRecording();
  document->EndUndoRecording();
}

CSize CDrawTool::OffsetOntoCanvas(CDiagram* diagram, CRect extent) {
  extent.NormalizeRect();
  CRect bounds = diagram->GetRect();
  bounds.NormalizeRect();
  CRect forced = extent;
  diagram->ForceRectWithinBounds(forced, bounds);
  return forced.TopLeft() - extent.TopLeft();
}

int CDrawTool::LoadCursorInto(HCURSOR& cursor, unsigned id, int system) {
  if (id == 0) return TRUE;
  HCURSOR loaded = LoadToolCursor(id, system);
  if (!loaded) return FALSE;
  cursor = loaded;
  return TRUE;
}

void CDrawTool::RemovePointBeforeRubber(CDrawPoly* poly, CDrawView* view) {
  const int n = poly->GetHandleCount();
  if (n < 3) {
    CMsgBox::Notify(kTooFewPoints);
    return;
  }
  poly->RemovePoint(n - 2, view);
  nDragHandle = poly->GetHandleCount();
}

BOOL CDrawTool::LoadCursorForTool(unsigned id, int system) {
  HCURSOR cursor = LoadToolCursor(id, system);
  if (!cursor) return FALSE;
  m_hToolCursor = cursor;
  return TRUE;
}

void CDrawTool::SetActiveTool(CDrawTool* tool) {
  if (tool == c_pActiveTool) return;
  c_pActiveTool = tool;
  if (!tool) return;
  if (tool->GetDrawShape() == dsSelection) selectMode = smNone;
  if (tool->GetToolCursor()) ::SetCursor(tool->GetToolCursor());
}

void CDrawTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) {
  // The document holds no in-place OLE items, so there is none to close.
  view->SetCapture();
  c_nDownFlags = flags;
  c_down = point;
  c_last = point;
}

void CDrawTool::OnLButtonDblClk(CDrawView*, unsigned, const CPoint&) { SetActiveTool(CDrawToolSet::GetSelectTool()); }

void CDrawTool::OnLButtonUp(CDrawView* view, unsigned, const CPoint& point) {
  if (CWnd::GetCapture() != view) return;
  view->ReleaseCapture();
  // A click without movement returns to the select tool.
  if (point == c_down) SetActiveTool(CDrawToolSet::GetSelectTool());
}

void CDrawTool::OnMouseMove(CDrawView*, unsigned, const CPoint& point) {
  c_last = point;
  if (m_hToolCursor) ::SetCursor(m_hToolCursor);
}

void CDrawTool::OnRButtonDown(CDrawView*, unsigned, const CPoint&) {}

void CDrawTool::OnCancel(CDrawView* view) {
  if (CWnd::GetCapture() == view) view->ReleaseCapture();
  SetActiveTool(CDrawToolSet::GetSelectTool());
}
