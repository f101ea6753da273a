#include "diagram/model/undo/URArc.h"

#include <memory>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/document/ViewLink.h"
#include "platform/core/Exceptions.h"

IMPLEMENT_DYNAMIC(CURArcReroute, CUndoRedo)
IMPLEMENT_DYNAMIC(CURArcFinish, CUndoRedo)
IMPLEMENT_DYNAMIC(CURArcUnFinish, CUndoRedo)

CURArcReroute::~CURArcReroute() { CDrawPoly::DeletePoints(m_points); }

void CURArcReroute::DoUndo() {
  if (m_points) m_pArc->ReRoute(m_points, m_nPoints);
}

int CURArcReroute::RecordUndo(CDrawArc* arc) {
  return Record(arc->GetDocument(), RUNTIME_CLASS(CURArcReroute), [arc] {
    const int count = arc->GetHandleCount();
    std::unique_ptr<CURArcReroute> record(new CURArcReroute);
    record->m_pArc = arc;
    // The record owns the copy from here on.
    record->m_points = CDrawPoly::NewPoints(count);
    if (count > 0 && !record->m_points) AfxThrowMemoryException();
    record->m_nPoints = count;
    // A wire's handles are its points.
    for (int i = 0; i < count; ++i) record->m_points[i] = arc->GetHandle(i + 1);
    return record;
  });
}

CURArcFinish::~CURArcFinish() = default;

void CURArcFinish::DoUndo() {
  // Detached, the wire's loose end is its last point; it goes back to where
  // the user had left it, so that a redo of the detaching gives the wire as
  // it was (the tool's rubber point is recorded nowhere else).
  if (viewlink::UnFinishArc(m_pArc, m_pPort) && m_pArc->GetHandleCount() > 0)
    m_pArc->MoveHandleTo(m_pArc->GetHandleCount(), m_freePoint, nullptr);
}

int CURArcFinish::RecordUndo(CDrawArc* arc, CDrawPort* port, CPoint freePoint) {
  return Record(arc->GetDocument(), RUNTIME_CLASS(CURArcFinish), [arc, port, freePoint] {
    std::unique_ptr<CURArcFinish> record(new CURArcFinish);
    record->m_pArc = arc;
    record->m_pPort = port;
    record->m_freePoint = freePoint;
    return record;
  });
}

CURArcUnFinish::~CURArcUnFinish() = default;

void CURArcUnFinish::DoUndo() {
  if (m_pArc && m_pArc != viewlink::ArcInProgress() && !viewlink::ResumeArc(m_pArc)) return;
  CDrawArc* arc = viewlink::ArcInProgress();
  if (!arc) return;
  if (arc->GetHandleCount() < 1 || arc->GetHandle(1) != m_point) arc->ReversePointOrder();
  viewlink::FinishArc(m_pPort);
}

int CURArcUnFinish::RecordUndo(CDrawPort* port, CPoint point, CDrawArc* arc) {
  return Record(port->GetDocument(), RUNTIME_CLASS(CURArcUnFinish), [port, point, arc] {
    std::unique_ptr<CURArcUnFinish> record(new CURArcUnFinish);
    record->m_pPort = port;
    record->m_point = point;
    record->m_pArc = arc;
    return record;
  });
}
