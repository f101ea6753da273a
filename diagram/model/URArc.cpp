#include "diagram/model/URArc.h"

#include "diagram/model/DrawArc.h"
#include "diagram/model/DrawPort.h"
#include "diagram/ui/ArcTool.h"
#include "diagram/ui/DrawToolSet.h"
#include "platform/core/Exceptions.h"

IMPLEMENT_DYNAMIC(CURArcReroute, CUndoRedo)
IMPLEMENT_DYNAMIC(CURArcFinish, CUndoRedo)
IMPLEMENT_DYNAMIC(CURArcUnFinish, CUndoRedo)

CURArcReroute::~CURArcReroute() { CDrawPoly::DeletePoints(m_points); }

void CURArcReroute::DoUndo() {
  if (m_points) m_pArc->ReRoute(m_points, m_nPoints);
}

int CURArcReroute::RecordUndo(CDrawArc* arc) {
  return Record(arc->GetDocument(), RUNTIME_CLASS(CURArcReroute), [arc]() -> CUndoRedo* {
    const int count = arc->GetHandleCount();
    CPoint* points = CDrawPoly::NewPoints(count);
    if (count > 0 && !points) AfxThrowMemoryException();
    auto* record = new CURArcReroute;
    record->m_pArc = arc;
    record->m_nPoints = count;
    record->m_points = points;
    // A wire's handles are its points.
    for (int i = 0; i < count; ++i) points[i] = arc->GetHandle(i + 1);
    return record;
  });
}

CURArcFinish::~CURArcFinish() = default;

void CURArcFinish::DoUndo() {
  if (CArcTool* tool = CDrawToolSet::GetArcTool()) tool->UnFinishArc(m_pArc, m_pPort);
}

int CURArcFinish::RecordUndo(CDrawArc* arc, CDrawPort* port) {
  return Record(arc->GetDocument(), RUNTIME_CLASS(CURArcFinish), [arc, port] {
    auto* record = new CURArcFinish;
    record->m_pArc = arc;
    record->m_pPort = port;
    return record;
  });
}

CURArcUnFinish::~CURArcUnFinish() = default;

void CURArcUnFinish::DoUndo() {
  CArcTool* tool = CDrawToolSet::GetArcTool();
  CDrawArc* arc = tool ? tool->GetArcInProgress() : nullptr;
  if (!arc) return;
  if (arc->GetHandleCount() < 1 || arc->GetHandle(1) != m_point) arc->ReversePointOrder();
  tool->FinishArc(m_pPort);
}

int CURArcUnFinish::RecordUndo(CDrawPort* port, CPoint point) {
  return Record(port->GetDocument(), RUNTIME_CLASS(CURArcUnFinish), [port, point] {
    auto* record = new CURArcUnFinish;
    record->m_pPort = port;
    record->m_point = point;
    return record;
  });
}
