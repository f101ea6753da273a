#include "diagram/ui/SelectTool.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/undo/URList.h"
#include "diagram/model/undo/URObject.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/DrawView.h"
#include "platform/gdi/DC.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

CRect CSelectTool::c_moveBoundingRect;
CPoint CSelectTool::c_moveStart;
CPoint CSelectTool::InitialPoint;

namespace {

constexpr unsigned kShiftControl = MK_SHIFT | MK_CONTROL;

// Set once the move of the current gesture has begun (its recording is
// open and its objects initialised).
bool g_moveBegun = false;

// The single selected object, or null.
CDrawObj* SoleSelection(CDrawView* view) {
  const CDrawList& selection = view->GetSelection();
  return selection.GetCount() == 1 ? selection.GetHead() : nullptr;
}

}  // namespace

CSelectTool::CSelectTool() : CDrawTool(dsSelection), m_bWasSelected(FALSE) {}

void CSelectTool::StartMoveFrom(const CPoint& point, int wasSelected) {
  selectMode = smMove;
  c_moveBoundingRect.SetRectEmpty();
  c_moveStart = point;
  m_bWasSelected = wasSelected;
  g_moveBegun = false;
}

void CSelectTool::GetMoveList(CDrawView* view, CDrawList& objects, bool arcsFirst) {
  CDrawList list(view->GetSelection());
  list.ExcludeElementComponents();
  list.ExcludeNonDraggables();
  list.IncludeElementComponents();
  list.IncludeContainedArcs();
  list.ExcludeElementComponents();
  if (!arcsFirst) {
    objects = list;
    return;
  }
  // Wires move first: a block that moves after them drags their ends.
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    CDrawObj* object = list.GetNext(pos);
    if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) objects.AddTail(object);
  }
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    CDrawObj* object = list.GetNext(pos);
    if (!object->IsKindOf(RUNTIME_CLASS(CDrawArc))) objects.AddTail(object);
  }
}

void CSelectTool::GetMovedList(CDrawView* view, CDrawList& objects) {
  // The wires between the moved elements moved with them and go back with
  // them too.
  GetMoveList(view, objects, true);
}

void CSelectTool::DrawNetRect(CDrawView* view, const CPoint& to) {
  CPoint from = InitialPoint;
  view->DocToClient(from);
  CRect rect(from, to);
  rect.NormalizeRect();
  CClientDC dc(view);
  dc.DrawFocusRect(&rect);
}

void CSelectTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) {
  CDiagram* diagram = view->GetDiagram();
  if (!diagram) return;
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);
  diagram->SetLastClickPoint(docPoint);
  selectMode = smNone;

  CDrawObj* sole = SoleSelection(view);
  if (sole && sole->UserMayReshape()) {
    nDragHandle = sole->HitTest(docPoint, view, TRUE);
    if (nDragHandle != 0) {
      selectMode = smSize;
      CDrawDoc* document = view->GetDocument();
      if (document && !document->BeginUndoRecording(u"Reshaping", 255)) {
        selectMode = smNone;
        nDragHandle = 0;
        return;
      }
      diagram->BeginDynamicRouteChanges();
      m_reshapeRouteBatchOpen = true;
      m_reshapeStartPosition = sole->GetPosition();
      m_reshapeStartHandles.clear();
      for (int i = 1; i <= sole->GetHandleCount(); ++i) m_reshapeStartHandles.push_back(sole->GetHandle(i));
      sole->InitializeReshaping(nDragHandle);
      CDrawTool::OnLButtonDown(view, flags, point);
      return;
    }
  }

  if (CDrawObj* hit = diagram->ObjectAt(view, point, nullptr)) {
    if (hit->IsKindOf(RUNTIME_CLASS(CDrawPoly))) {
      auto* poly = static_cast<CDrawPoly*>(hit);
      // The segment pressed on, for the segment commands of the pop-up menu.
      if (poly->GetHandleCount() >= 2)
        poly->m_nPointDownIndex =
            static_cast<UINT>(poly->IntersectsLineSegment(view->GetDocSenstivityRectForClientPoint(point)));
    }
    const BOOL wasSelected = view->IsSelected(hit);
    StartMoveFrom(docPoint, wasSelected);
    if (!wasSelected) view->Select(hit, (flags & kShiftControl) != 0);
  } else {
    if (!(flags & kShiftControl)) view->Select(nullptr, FALSE);
    selectMode = smNetSelect;
    InitialPoint = docPoint;
    DrawNetRect(view, point);
  }
  CDrawTool::OnLButtonDown(view, flags, point);
}

void CSelectTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) {
  if (point == c_last) return;
  CDiagram* diagram = view->GetDiagram();
  if (!diagram) return;
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);

  if (CWnd::GetCapture() != view) {
    // Hovering: the handle under the pointer shows how it reshapes.
    if (CDrawObj* sole = SoleSelection(view)) {
      if (const int handle = sole->HitTest(docPoint, view, TRUE)) {
        ::SetCursor(sole->GetHandleCursor(handle));
        return;
      }
    }
    CDrawTool::OnMouseMove(view, flags, point);
    return;
  }

  switch (selectMode) {
    case smNetSelect: {
      DrawNetRect(view, c_last);
      const CSize scrolled = view->AutoScroll(point);
      if (scrolled.cx != 0 || scrolled.cy != 0) view->UpdateWindow();
      DrawNetRect(view, point);
      c_last = point;
      return;
    }
    case smSize: {
      CDrawObj* sole = SoleSelection(view);
      if (!sole) return;
      if (diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(docPoint);
      const auto* wire = DYNAMIC_DOWNCAST(CDrawArc, sole);
      const bool wasComplete = wire && wire->IsComplete();
      // An object shown by its outline while dragged redraws the outline
      // itself.
      sole->FlagsMoveHandleTo(nDragHandle, docPoint, view, flags);
      // An end pulled off its port goes to the wire tool, which closes this
      // gesture's route batch.
      if (wasComplete && !wire->IsComplete()) m_reshapeRouteBatchOpen = false;
      view->AutoScroll(point);
      c_last = point;
      ::SetCursor(sole->GetHandleCursor(nDragHandle));
      return;
    }
    case smMove: {
      CDrawList objects;
      GetMoveList(view, objects, true);
      if (objects.IsEmpty()) return;
      if (!g_moveBegun) {
        // With Shift or Control, or when the diagrams move by drag and
        // drop, the objects go on an OLE drag; otherwise they move here.
        if ((flags & kShiftControl) || CDiagram::m_bMoveUsesOleDragAndDrop) {
          selectMode = smNone;
          view->ReleaseCapture();
          OnOleDragAndDrop(objects, view);
          return;
        }
        CDrawDoc* document = view->GetDocument();
        if (document && !document->BeginUndoRecording(u"Reposition", 255)) {
          selectMode = smNone;
          view->ReleaseCapture();
          return;
        }
        g_moveBegun = true;
        diagram->BeginDynamicRouteChanges();
        OnInitializeNativeMove(objects, c_moveStart, view);
      }
      const CPoint delta = OnGetDeltaNativeMove(docPoint, view);
      OnPrepareNativeMove(objects, view);
      view->AutoScroll(point);
      OnDoDeltaNativeMove(objects, delta, view);
      CDrawTool::OnMouseMove(view, flags, point);
      return;
    }
    default:
      CDrawTool::OnMouseMove(view, flags, point);
      return;
  }
}

void CSelectTool::OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) {
  if (CWnd::GetCapture() != view) return;
  view->ReleaseCapture();
  CDiagram* diagram = view->GetDiagram();
  CDrawDoc* document = view->GetDocument();
  switch (selectMode) {
    case smNetSelect: {
      DrawNetRect(view, c_last);
      CPoint from = InitialPoint;
      view->DocToClient(from);
      CRect rect(from, c_last);
      rect.NormalizeRect();
      if (flags & MK_CONTROL) {
        view->ToggleSelectWithinRect(rect);
      } else {
        view->SelectWithinRect(rect, TRUE);
      }
      if (document && document->GetUndoLevel() > 0) document->EndUndoRecording();
      break;
    }
    case smMove:
      if (!g_moveBegun) {
        if (m_bWasSelected && (flags & MK_CONTROL) && diagram) {
          if (CDrawObj* hit = diagram->ObjectAt(view, point, nullptr)) view->Deselect(hit);
        }
      } else {
        const CWaitCursor wait;
        CDrawList objects;
        GetMovedList(view, objects);
        OnFinalizeNativeMove(objects, view);
        // What the moved objects lay out anew at their place (a block's
        // ports) may still reach past the canvas edge the move stopped at.
        if (diagram) {
          for (POSITION pos = objects.GetHeadPosition(); pos;) diagram->ForceObjectOntoCanvas(objects.GetNext(pos), 1);
        }
        if (diagram) diagram->EndDynamicRouteChanges();
        if (document) document->EndUndoRecording();
      }
      break;
    case smSize:
      if (CDrawObj* sole = SoleSelection(view)) {
        if (diagram) diagram->UpdateObject(sole, 1);
        sole->FinalizeDrawing(sole->GetPosition(), view, 1);
        // A handle stops at the canvas edge, but the outline around it, or
        // a block's ports, may reach past it: the object comes back in.
        if (diagram) diagram->ForceObjectOntoCanvas(sole, 1);
      }
      if (diagram && m_reshapeRouteBatchOpen) diagram->EndDynamicRouteChanges();
      m_reshapeRouteBatchOpen = false;
      if (document && ReshapeChangedNothing(SoleSelection(view), document)) document->FlushUndoRecording();
      if (document) document->EndUndoRecording();
      break;
    default:
      break;
  }
  selectMode = smNone;
  nDragHandle = 0;
  g_moveBegun = false;
}

void CSelectTool::OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point) {
  if (flags & MK_SHIFT) {
    if (CDiagram* diagram = view->GetDiagram()) {
      if (CDrawObj* hit = diagram->ObjectAt(view, point, nullptr)) view->Deselect(hit);
    }
    return;
  }
  if (CDrawObj* sole = SoleSelection(view)) sole->OnOpen(view);
}

void CSelectTool::OnRButtonDown(CDrawView* view, unsigned flags, const CPoint& point) {
  CDiagram* diagram = view->GetDiagram();
  if (!diagram) return;
  CDrawObj* hit = diagram->ObjectAt(view, point, nullptr);
  if (!hit) {
    if (CDrawObj* sole = SoleSelection(view)) {
      CPoint docPoint = point;
      view->ClientToDoc(docPoint);
      if (sole->HitTest(docPoint, view, TRUE)) hit = sole;
    }
  }
  if (!hit) {
    view->Select(nullptr, FALSE);
    view->ShowPopUpMenu(point);
    return;
  }
  if (!view->IsSelected(hit)) view->Select(hit, FALSE);
  if (flags & MK_SHIFT) {
    hit->OnEditProperties(view);
  } else {
    view->ShowPopUpMenu(point);
  }
}

void CSelectTool::OnCancel(CDrawView* view) {
  CDiagram* diagram = view ? view->GetDiagram() : nullptr;
  CDrawDoc* document = view ? view->GetDocument() : nullptr;
  switch (selectMode) {
    case smMove:
      if (g_moveBegun && view) {
        CDrawList objects;
        GetMovedList(view, objects);
        OnCancelNativeMove(objects, view);
        if (diagram) diagram->EndDynamicRouteChanges();
        if (document) document->EndUndoRecording();
      }
      break;
    case smSize:
      // The handle stays where it was dragged.
      if (diagram && m_reshapeRouteBatchOpen) diagram->EndDynamicRouteChanges();
      m_reshapeRouteBatchOpen = false;
      if (document) document->EndUndoRecording();
      break;
    case smNetSelect:
      if (view) DrawNetRect(view, c_last);
      break;
    default:
      break;
  }
  selectMode = smNone;
  nDragHandle = 0;
  g_moveBegun = false;
  CDrawTool::OnCancel(view);
}

void CSelectTool::OnInitializeNativeMove(const CDrawList& objects, const CPoint& start, CDrawView* view) {
  c_moveStart = start;
  CDiagram* diagram = view->GetDiagram();
  // The objects snap to the grid and every later point is snapped, so the
  // start is too: the offsets are then whole grid steps and keep the objects
  // on the grid.
  if (diagram && diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(c_moveStart);
  CRect bounds;
  bool first = true;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->InitializeRepositioning();
    if (diagram && diagram->IsSnapToGridEnabled()) object->SnapToGrid(view, TRUE);
    // The whole outline stays on the canvas, not only the dragged
    // rectangle: a canvas read again grows to hold every outline.
    CRect rect = object->GetDraggingRect();
    rect.NormalizeRect();
    CRect outline = object->GetBoundingRect();
    outline.NormalizeRect();
    rect.left = std::min(rect.left, outline.left);
    rect.top = std::min(rect.top, outline.top);
    rect.right = std::max(rect.right, outline.right);
    rect.bottom = std::max(rect.bottom, outline.bottom);
    if (first) {
      bounds = rect;
      first = false;
    } else {
      bounds.left = std::min(bounds.left, rect.left);
      bounds.top = std::min(bounds.top, rect.top);
      bounds.right = std::max(bounds.right, rect.right);
      bounds.bottom = std::max(bounds.bottom, rect.bottom);
    }
  }
  c_moveBoundingRect = bounds;
}

CPoint CSelectTool::OnGetDeltaNativeMove(const CPoint& point, CDrawView* view) {
  CDiagram* diagram = view->GetDiagram();
  CPoint target = point;
  if (diagram && diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(target);
  CRect moved = c_moveBoundingRect + CSize(target.x - c_moveStart.x, target.y - c_moveStart.y);
  if (diagram) diagram->ForceRectWithinBounds(moved, diagram->GetRect());
  const CPoint delta(moved.left - c_moveBoundingRect.left, moved.top - c_moveBoundingRect.top);
  c_moveBoundingRect.OffsetRect(delta);
  c_moveStart += CSize(delta.x, delta.y);
  return delta;
}

void CSelectTool::OnPrepareNativeMove(const CDrawList&, CDrawView*) {
  // An object in the dragging state erases its last outline itself when it
  // moves again (and when it is finalised), so nothing is drawn here.
}

void CSelectTool::OnDoDeltaNativeMove(const CDrawList& objects, const CPoint& delta, CDrawView* view) {
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->MoveTo(object->GetPosition() + CSize(delta.x, delta.y), view);
  }
}

void CSelectTool::OnFinalizeNativeMove(const CDrawList& objects, CDrawView* view) {
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->FinalizeDrawing(object->GetPosition(), view, 1);
  }
}

void CSelectTool::OnCancelNativeMove(const CDrawList& objects, CDrawView* view) {
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->FinalizeDrawing(object->GetOldPosition(), view, 1);
  }
}

void CSelectTool::OnOleDragAndDrop(const CDrawList& objects, CDrawView* view) {
  if (CDiagram* diagram = view->GetDiagram()) diagram->DragAndDrop(objects, view);
}

bool CSelectTool::ReshapeChangedNothing(CDrawObj* sole, CDrawDoc* document) const {
  const CURList* recording = document->GetCurrentURList();
  if (!sole || !recording || sole->GetPosition() != m_reshapeStartPosition) return false;
  if (static_cast<size_t>(sole->GetHandleCount()) != m_reshapeStartHandles.size()) return false;
  for (int i = 1; i <= sole->GetHandleCount(); ++i) {
    if (sole->GetHandle(i) != m_reshapeStartHandles[static_cast<size_t>(i - 1)]) return false;
  }
  // Only the object's own handle records: anything else the gesture
  // recorded (a wire re-routed, the canvas) stays with its entry.
  for (POSITION pos = recording->GetHeadPosition(); pos;) {
    const CUndoRedo* record = recording->GetNext(pos);
    if (!record || !record->IsKindOf(RUNTIME_CLASS(CURReshaping))) return false;
  }
  return true;
}
