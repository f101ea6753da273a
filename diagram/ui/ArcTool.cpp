#include "diagram/ui/ArcTool.h"

#include <cstdlib>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/undo/URArc.h"
#include "diagram/model/undo/URDiagram.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/SelectTool.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

namespace {

// The Shift and Control bits of the mouse-message flags.
constexpr unsigned kShiftControl = MK_SHIFT | MK_CONTROL;

bool IsVertical(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y != b.y; }
bool IsHorizontal(const CPoint& a, const CPoint& b) { return a.y == b.y && a.x != b.x; }

CDrawPort* PortAt(CDrawView* view, const CPoint& point) {
  CDiagram* diagram = view->GetDiagram();
  if (!diagram) return nullptr;
  return static_cast<CDrawPort*>(diagram->ObjectAt(view, point, RUNTIME_CLASS(CDrawPort)));
}

}  // namespace

CArcTool::CArcTool(int snap) : CDrawTool(dsArc), m_pKindOfArc(RUNTIME_CLASS(CDrawArc)), m_bSnap(snap) {}

void CArcTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point, CRuntimeClass* kind) {
  CDiagram* diagram = view->GetDiagram();
  CDrawDoc* document = view->GetDocument();
  if (!diagram || !document) return;
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);

  if (CDrawArc* arc = m_pArcInProgress) {
    if (CDrawPort* port = PortAt(view, point)) {
      // The finish and the squared last bend are one entry.
      if (!document->BeginUndoRecording(u"Finish Arc", 255)) return;
      if (!FinishArc(port)) {
        document->EndUndoRecording();
        return;
      }
      if (diagram->GetAutoRouteMode() == 0 && arc->GetHandleCount() > 2 &&
          static_cast<int>(flags & kShiftControl) == CDiagram::m_nArcFlags4OrthogonalLines &&
          CURArcReroute::RecordUndo(arc))
        SquareLastSegment(arc, view);
      document->EndUndoRecording();
      m_pArcInProgress = nullptr;
      if (CDiagram::m_bCaptureArcCreation) {
        m_hRecordingView = nullptr;
        view->ReleaseCapture();
        document->EndUndoRecording();
      }
      return;
    }
    // A bend where the rubber point is, and a new rubber point.
    if (diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(docPoint);
    arc->ForcePointOnCanvas(docPoint);
    arc->InsertPoint(arc->GetHandleCount(), docPoint, view);
    selectMode = smSize;
    nDragHandle = arc->GetHandleCount();
    return;
  }

  CloseForgottenRecording();
  CDrawPort* port = PortAt(view, point);
  if (!port) return;
  if (port->IsLinked() && !port->CanSourceValue(1)) return;
  const ArcConnectionType type = port->CanConnectArc();
  if (type == arcConnectNone) return;
  if (!kind || !kind->IsDerivedFrom(RUNTIME_CLASS(CDrawArc))) kind = m_pKindOfArc;
  c_nDownFlags = flags;
  c_down = point;
  c_last = point;
  const CPoint start = port->ConnectionPoint();
  const bool capture = CDiagram::m_bCaptureArcCreation != 0;
  if (capture) {
    if (!document->BeginUndoRecording(u"Add Arc/Link", 255)) return;
    view->SetCapture();
  }
  // Gives up the outer recording of capture mode as well.
  auto giveUp = [&](bool flush) {
    if (!capture) return;
    view->ReleaseCapture();
    if (flush) document->FlushUndoRecording();
    document->EndUndoRecording();
  };
  if (!document->BeginUndoRecording(u"Begin Arc/Link", 255)) {
    giveUp(true);
    return;
  }
  if (!CURCanvasSize::RecordUndo(diagram)) {
    document->EndUndoRecording();
    giveUp(true);
    return;
  }
  auto* arc = static_cast<CDrawArc*>(kind->CreateObject());
  if (!arc) {
    document->FlushUndoRecording();
    document->EndUndoRecording();
    giveUp(true);
    return;
  }
  if (type == arcConnectDestination || type == arcConnectBoth) {
    arc->m_pDestPort = port;
  } else {
    arc->m_pSrcPort = port;
  }
  if (!port->AddArc(arc, 1)) {
    arc->m_pSrcPort = nullptr;
    arc->m_pDestPort = nullptr;
    delete arc;
    document->FlushUndoRecording();
    document->EndUndoRecording();
    giveUp(true);
    return;
  }
  if (!diagram->Add(arc)) {
    // Not on the canvas: the port lets the wire go and nothing of the start
    // is kept.
    port->RemoveArc(arc, 1);
    arc->m_pSrcPort = nullptr;
    arc->m_pDestPort = nullptr;
    delete arc;
    document->FlushUndoRecording();
    document->EndUndoRecording();
    giveUp(true);
    return;
  }
  arc->InsertPoint(0, start, view);
  CPoint rubber = docPoint;
  if (diagram->IsSnapToGridEnabled()) diagram->SnapToGrid(rubber);
  if (rubber == start) {
    // The rubber point never starts on the port: a grid step (or a unit)
    // away in x and y.
    const CSize step = diagram->IsSnapToGridEnabled() ? diagram->GetGridSize() : CSize(1, 1);
    rubber += step;
    // Near the canvas edge the step goes the other way.
    CPoint inside = rubber;
    arc->ForcePointOnCanvas(inside);
    if (inside != rubber) rubber = start - step;
  }
  arc->ForcePointOnCanvas(rubber);
  arc->InsertPoint(1, rubber, view);
  m_pArcInProgress = arc;
  nDragHandle = arc->GetHandleCount();
  selectMode = smSize;
  m_bKeepRecords = FALSE;
  m_bNoPencil = FALSE;
  if (capture) m_hRecordingView = view->GetSafeHwnd();
  document->EndUndoRecording();
}

int CArcTool::FinishArc(CDrawPort* port) {
  CDrawArc* arc = m_pArcInProgress;
  if (!arc || !port) return 0;
  if (arc->GetDiagram() != port->GetDiagram() || arc->IsComplete()) return 0;
  CDrawPort* src = arc->m_pSrcPort;
  CDrawPort* dst = arc->m_pDestPort;
  if ((src != nullptr) == (dst != nullptr)) return 0;
  CDrawPort* attached = src ? src : dst;
  if (port == attached) return 0;
  // A wire started at its destination end is finished at its source.
  if (!src && !port->CanSourceValue(1)) return 0;
  if (!port->CanCompleteArc(arc)) return 0;
  if (arc->m_nPoints < 1) return 0;
  CDiagram* diagram = arc->GetDiagram();
  CDrawDoc* document = arc->GetDocument();
  if (document && !document->BeginUndoRecording(u"Finish Arc", 255)) return 0;
  if (diagram) diagram->BeginDynamicRouteChanges();

  // The free end is the one away from the attached port.
  const int n = arc->m_nPoints;
  const int freeEnd = (arc->m_points[n - 1] == attached->ConnectionPoint() && arc->m_points[0] != attached->ConnectionPoint())
                          ? 0
                          : n - 1;
  const CPoint freePoint = arc->m_points[freeEnd];
  if (src) {
    arc->m_pDestPort = port;
  } else {
    arc->m_pSrcPort = port;
  }
  port->AddArc(arc, 1);
  arc->m_points[freeEnd] = port->ConnectionPoint();
  arc->m_bComplete = TRUE;
  if (!CURArcFinish::RecordUndo(arc, port, freePoint)) {
    port->RemoveArc(arc, 1);
    if (src) {
      arc->m_pDestPort = nullptr;
    } else {
      arc->m_pSrcPort = nullptr;
    }
    arc->m_points[freeEnd] = freePoint;
    arc->m_bComplete = FALSE;
    if (diagram) diagram->EndDynamicRouteChanges();
    if (document) document->EndUndoRecording();
    return 0;
  }
  // The bounds hold the new end whether or not a router lays the wire
  // again (a pass may fail or be refused).
  arc->RecalcBounds(nullptr, TRUE);
  if (diagram && diagram->GetAutoRouteMode() != 0 && !(document && document->IsDoingUndoOrRedo())) {
    diagram->EndDynamicRouteChanges();
    CDrawList only;
    only.AddTail(arc);
    diagram->RouteArcs(only, 1);
  } else {
    if (diagram) {
      diagram->UpdateObject(arc, 1);
      diagram->EndDynamicRouteChanges();
    }
  }
  m_pArcInProgress = nullptr;
  if (document) document->EndUndoRecording();
  return 1;
}

int CArcTool::UnFinishArc(CDrawArc* arc, CDrawPort* port) {
  if (!arc || !port || !arc->IsComplete() || arc->m_nPoints < 1) return 0;
  if (port != arc->m_pSrcPort && port != arc->m_pDestPort) return 0;
  const int n = arc->m_nPoints;
  const CPoint connection = port->ConnectionPoint();
  // The end at the port: the first point when it lies there, else the last.
  const bool firstEnd = arc->m_points[0] == connection && arc->m_points[n - 1] != connection;
  // The record keeps the wire's first point, so that finishing it again
  // puts its points back in their order.
  if (!CURArcUnFinish::RecordUndo(port, arc->m_points[0], arc)) return 0;
  port->RemoveArc(arc, 1);
  if (port == arc->m_pSrcPort) {
    arc->m_pSrcPort = nullptr;
  } else {
    arc->m_pDestPort = nullptr;
  }
  arc->m_bComplete = FALSE;
  // The loose end is the last point, which the tool drags.
  if (firstEnd) arc->ReversePointOrder();
  m_pArcInProgress = arc;
  nDragHandle = arc->GetHandleCount();
  selectMode = smSize;
  SetActiveTool(this);
  return 1;
}

int CArcTool::ResumeArc(CDrawArc* arc) {
  if (!arc || arc->IsComplete() || !arc->GetDiagram() || arc->GetDrawState() == drawStateDeleted) return 0;
  if (m_pArcInProgress && m_pArcInProgress != arc && m_pArcInProgress->GetDrawState() != drawStateDeleted) return 0;
  m_pArcInProgress = arc;
  return 1;
}

void CArcTool::SquareLastSegment(CDrawArc* arc, CDrawView* view) {
  const int n = arc->GetHandleCount();
  const CPoint end = arc->GetHandle(n);
  const CPoint bend = arc->GetHandle(n - 1);
  const CPoint before = arc->GetHandle(n - 2);
  CPoint squared = bend;
  if (IsVertical(before, bend)) {
    squared.y = end.y;
  } else if (IsHorizontal(before, bend)) {
    squared.x = end.x;
  }
  arc->MoveHandleTo(n - 1, squared, view);
  arc->RecalcBounds(view, TRUE);
  if (CDiagram* diagram = arc->GetDiagram()) diagram->UpdateObject(arc, 1);
  arc->InitializeDrawing(view);
}

void CArcTool::OnLButtonUp(CDrawView* view, unsigned, const CPoint&) {
  // The press took the mouse; only a wire drawn in capture mode keeps it
  // until the wire is finished or cancelled.
  if (CWnd::GetCapture() == view && !(m_pArcInProgress && CDiagram::m_bCaptureArcCreation)) view->ReleaseCapture();
  // A wire marked against pencil drawing during the click keeps what was
  // recorded for it should it be cancelled; the mark lasts one click.
  if (m_pArcInProgress && m_bNoPencil) m_bKeepRecords = TRUE;
  m_bNoPencil = FALSE;
  if (!m_pArcInProgress && CDiagram::m_bArcToolSingleUse) SetActiveTool(CDrawToolSet::GetSelectTool());
}

void CArcTool::OnLButtonDblClk(CDrawView* view, unsigned, const CPoint&) { OnCancel(view); }

void CArcTool::OnRButtonDown(CDrawView* view, unsigned, const CPoint&) {
  if (m_pArcInProgress) RemovePointBeforeRubber(m_pArcInProgress, view);
}

void CArcTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) {
  LoadCursorsOnFirstUse();
  CDiagram* diagram = view->GetDiagram();
  CDrawArc* arc = m_pArcInProgress;
  if (arc && arc->GetDiagram() != diagram) {
    if (m_hRefusedCursor) ::SetCursor(m_hRefusedCursor);
    return;
  }
  if (arc && diagram) {
    view->AutoScroll(point);
    CPoint docPoint = point;
    view->ClientToDoc(docPoint);
    if ((flags & MK_LBUTTON) && CDiagram::m_bAllowArcPencilMode && !m_bNoPencil) {
      // Pencil drawing: every point the held button passes becomes a point.
      arc->ForcePointOnCanvas(docPoint);
      if (point != c_last) arc->InsertPoint(arc->GetHandleCount(), docPoint, view);
      nDragHandle = arc->GetHandleCount();
      c_last = point;
      ::SetCursor(m_hPencilCursor ? m_hPencilCursor : GetToolCursor());
      return;
    }
    if (m_bSnap) diagram->SnapToGrid(docPoint);
    const int n = arc->GetHandleCount();
    if (n > 1 && static_cast<int>(flags & kShiftControl) == CDiagram::m_nArcFlags4OrthogonalLines) {
      const CPoint previous = arc->GetHandle(n - 1);
      if (std::abs(docPoint.x - previous.x) <= std::abs(docPoint.y - previous.y)) {
        docPoint.x = previous.x;
      } else {
        docPoint.y = previous.y;
      }
    }
    arc->FlagsMoveHandleTo(n, docPoint, view, flags);
    c_last = point;
  }
  CDrawPort* port = PortAt(view, point);
  const bool takes = port && (arc ? port->CanCompleteArc(arc) != 0 : port->CanConnectArc() != arcConnectNone);
  HCURSOR cursor = takes && m_hOverPortCursor ? m_hOverPortCursor : GetToolCursor();
  if (cursor) ::SetCursor(cursor);
}

void CArcTool::OnCancel(CDrawView* view) {
  if (CDrawArc* arc = m_pArcInProgress) {
    CDrawDoc* document = arc->GetDocument();
    m_pArcInProgress = nullptr;
    m_hRecordingView = nullptr;
    arc->Delete();
    if (CDiagram::m_bCaptureArcCreation && document) {
      if (view) view->ReleaseCapture();
      if (!m_bKeepRecords) document->FlushUndoRecording();
      document->EndUndoRecording();
    }
  }
  CloseForgottenRecording();
  m_pArcInProgress = nullptr;
  m_bKeepRecords = FALSE;
  m_bNoPencil = FALSE;
  CDrawTool::OnCancel(view);
}

void CArcTool::CloseForgottenRecording() {
  if (!m_hRecordingView || m_pArcInProgress) return;
  auto* view = dynamic_cast<CDrawView*>(CWnd::FromHandlePermanent(m_hRecordingView));
  m_hRecordingView = nullptr;
  if (!view) return;
  if (CWnd::GetCapture() == view) view->ReleaseCapture();
  // What was recorded stays consistent with the diagram: a wire deleted
  // while it was drawn is one entry with its deletion, and a document
  // emptied meanwhile keeps nothing of the recording anyway.
  if (CDrawDoc* document = view->GetDocument()) document->EndUndoRecording();
}

int CArcTool::SetKindOfArcToCreate(CRuntimeClass* kind) {
  if (!kind || !kind->IsDerivedFrom(RUNTIME_CLASS(CDrawArc))) return FALSE;
  m_pKindOfArc = kind;
  return TRUE;
}

int CArcTool::LoadCursorForToolInPencilMode(unsigned id, int system) {
  return LoadCursorInto(m_hPencilCursor, id, system);
}

int CArcTool::LoadCursorForToolWhenOverPort(unsigned id, int system) {
  return LoadCursorInto(m_hOverPortCursor, id, system);
}

void CArcTool::LoadCursorsOnFirstUse() {
  if (m_bCursorsLoaded) return;
  m_bCursorsLoaded = TRUE;
  LoadCursorForTool(kArcCursor, FALSE);
  if (!m_hOverPortCursor) LoadCursorForToolWhenOverPort(kOverPortCursor, FALSE);
  m_hRefusedCursor = ::LoadCursor(nullptr, IDC_NO);
}
