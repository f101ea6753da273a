#include "diagram/model/canvas/ArcRouter.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/canvas/AutoRouteOption.h"
#include "diagram/routing/ProgressDlg.h"

IMPLEMENT_DYNAMIC(CArcRouter, CObject)

namespace {

// Marks the segments between consecutive handles 1..n of a polyline.
void MarkPolyline(CArcRouter& router, CDrawObj* poly, int collect) {
  const int count = poly->GetHandleCount();
  if (count < 2) return;
  const CSize extent(poly->GetExtraSize4LineWidth());
  CPoint previous = poly->GetHandle(1);
  for (int i = 2; i <= count; ++i) {
    const CPoint next = poly->GetHandle(i);
    router.MarkLineAsUsed(previous, next, extent, collect);
    previous = next;
  }
}

}  // namespace

CArcRouter::CArcRouter(CDiagram* diagram, AutoRouteOption* options)
    : m_pOptions(options),
      m_pDiagram(diagram),
      m_bInitialised(0),
      m_affectedArcs(10),
      m_addedObjects(10),
      m_objectsToReMark(10),
      m_objectsToAdd(10),
      m_bDynamic(0),
      m_nChangeDepth(0),
      m_bRouting(0) {
  if (CDrawDoc* doc = GetDocument()) doc->AddArcRouter(this);
}

CArcRouter::~CArcRouter() {
  if (m_bInitialised) CArcRouter::Clear();
  if (CDrawDoc* doc = GetDocument()) doc->RemoveArcRouter(this);
}

CDrawDoc* CArcRouter::GetDocument() const { return m_pDiagram ? m_pDiagram->GetDocument() : nullptr; }

bool CArcRouter::MayCollect() const {
  const CDrawDoc* doc = GetDocument();
  return m_bDynamic && m_bInitialised && !(doc && doc->IsDoingUndoOrRedo());
}

int CArcRouter::IsOK(CDrawObj* object) const {
  if (!object) return 0;
  if (auto* arc = DYNAMIC_DOWNCAST(CDrawArc, object)) return arc->IsComplete() ? 1 : 0;
  if (m_pOptions && m_pOptions->m_bRouteJustBlocks) {
    if (object->IsKindOf(RUNTIME_CLASS(CDrawBlock)) || object->IsKindOf(RUNTIME_CLASS(CDrawPort))) return 1;
    if (auto* text = DYNAMIC_DOWNCAST(CDrawText, object)) return text->GetPointerToNullOnDelete() ? 1 : 0;
    return 0;
  }
  return object->IsKindOf(RUNTIME_CLASS(CDrawGroup)) ? 0 : 1;
}

void CArcRouter::AddObj(CDrawObj* object, int bCollectAffected) {
  if (!IsOK(object)) return;
  BeginChanges();
  const int collect = (bCollectAffected && MayCollect()) ? 1 : 0;
  if (collect) {
    if (auto* port = DYNAMIC_DOWNCAST(CDrawPort, object)) port->IncludeArcsInList(&m_affectedArcs);
  }
  auto* rect = DYNAMIC_DOWNCAST(CDrawRect, object);
  if (rect && rect->GetShape() == CDrawRect::line) {
    const CRect& position = object->GetPosition();
    MarkLineAsUsed(position.TopLeft(), position.BottomRight(), CSize(object->GetExtraSize4LineWidth()), collect);
  } else if (object->IsKindOf(RUNTIME_CLASS(CDrawPoly))) {
    MarkPolyline(*this, object, collect);
  } else {
    MarkRectAsUsed(object->GetBoundingRect(), collect);
  }
  m_addedObjects += object;
  EndChanges();
}

void CArcRouter::AddObj(CDrawObj* object) {
  if (!IsOK(object)) return;
  BeginChanges();
  if (MayCollect()) {
    if (auto* port = DYNAMIC_DOWNCAST(CDrawPort, object)) port->IncludeArcsInList(&m_affectedArcs);
  }
  m_objectsToAdd += object;
  EndChanges();
}

void CArcRouter::RemoveObj(CDrawObj* object) {
  if (m_addedObjects.Find(object)) {
    m_addedObjects -= object;
    MarkAsFree(object->GetBoundingRect());
  }
  m_affectedArcs -= object;
  m_objectsToReMark -= object;
  m_objectsToAdd -= object;
}

void CArcRouter::UpdateObj(CDrawObj* object) {
  // The pass itself is rewriting this wire.
  if (m_bRouting && object && object->IsKindOf(RUNTIME_CLASS(CDrawArc))) return;
  if (m_addedObjects.Find(object)) {
    m_addedObjects -= object;
    MarkAsFree(object->GetOldBoundingRect());
  }
  if (IsOK(object)) AddObj(object);
}

int CArcRouter::Route(CDrawArc* arc) {
  MarkPolyline(*this, arc, 0);
  m_addedObjects += arc;
  return 0;
}

void CArcRouter::MarkAsFree(CRect rect) {
  CDrawList overlapping(10);
  GetAddedObjectsInRect(rect, overlapping);
  if (m_nChangeDepth < 1) {
    BeginChanges();
    for (POSITION pos = overlapping.GetHeadPosition(); pos;) AddObj(overlapping.GetNext(pos), 0);
    --m_nChangeDepth;
  } else {
    m_objectsToReMark += overlapping;
  }
}

void CArcRouter::MarkRectAsUsed(CRect rect, int bCollectAffected) {
  if (!bCollectAffected) return;
  CDrawList inside(10);
  GetAddedObjectsInRect(rect, inside);
  for (POSITION pos = inside.GetHeadPosition(); pos;) {
    CDrawObj* object = inside.GetNext(pos);
    if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) m_affectedArcs += object;
  }
}

void CArcRouter::MarkLineAsUsed(CPoint p1, CPoint p2, CSize extent, int bCollectAffected) {
  CRect rect(p1, p2);
  rect.NormalizeRect();
  rect.InflateRect(extent.cx, extent.cy);
  MarkRectAsUsed(rect, bCollectAffected);
}

void CArcRouter::GetAddedObjectsInRect(const CRect& rect, CDrawList& out) {
  if (!m_pDiagram || m_addedObjects.IsEmpty()) return;
  CDrawList found(10);
  m_pDiagram->GetObjectsInRect(rect, found);
  if (found.IsEmpty()) return;
  // The added list answers membership from its index, so the question costs
  // the objects found, not the objects added.
  for (POSITION pos = found.GetHeadPosition(); pos;) {
    CDrawObj* object = found.GetNext(pos);
    if (m_addedObjects.Find(object)) out += object;
  }
  m_pDiagram->SortInDrawOrder(out);
}

void CArcRouter::EndChanges() {
  --m_nChangeDepth;
  if (m_nChangeDepth > 0 || !m_bInitialised) return;
  CDrawList toRoute(10);
  if (m_bDynamic) {
    ++m_nChangeDepth;
    while (!m_affectedArcs.IsEmpty()) {
      CDrawObj* arc = m_affectedArcs.RemoveHead();
      RemoveObj(arc);
      toRoute += arc;
    }
    --m_nChangeDepth;
  }
  ++m_nChangeDepth;
  while (!m_objectsToAdd.IsEmpty()) {
    CDrawObj* object = m_objectsToAdd.RemoveHead();
    AddObj(object, 1);
    m_objectsToReMark -= object;
  }
  if (m_bDynamic) {
    --m_nChangeDepth;
    m_affectedArcs -= toRoute;
    ++m_nChangeDepth;
    while (!m_affectedArcs.IsEmpty()) {
      CDrawObj* arc = m_affectedArcs.RemoveHead();
      RemoveObj(arc);
      toRoute += arc;
    }
  }
  while (!m_objectsToReMark.IsEmpty()) AddObj(m_objectsToReMark.RemoveHead(), 0);
  --m_nChangeDepth;
  if (m_bDynamic) {
    Route(toRoute);
    m_affectedArcs.RemoveAll();
  }
}

int CArcRouter::WillEndChangesRouteWires() const {
  return m_bInitialised && m_bDynamic && m_nChangeDepth == 1 && !m_objectsToAdd.IsEmpty();
}

void CArcRouter::SetDynamic(int dynamic) {
  m_bDynamic = dynamic;
  if (!dynamic) m_affectedArcs.RemoveAll();
}

void CArcRouter::AddWiresToAffectedArcList(CDrawList& wires) {
  for (POSITION pos = wires.GetHeadPosition(); pos;) {
    CDrawObj* object = wires.GetNext(pos);
    if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) m_affectedArcs += object;
  }
}

int CArcRouter::Init(const CDrawList& objects) {
  if (m_bInitialised) Clear();
  CDrawList all(objects);
  all.IncludeElementComponents();
  BeginChanges();
  for (POSITION pos = all.GetHeadPosition(); pos;) AddObj(all.GetNext(pos), 0);
  // The batch's end has nothing queued to mark yet: the router is not
  // initialised while it closes.
  EndChanges();
  m_bInitialised = 1;
  return 1;
}

void CArcRouter::Clear() {
  m_affectedArcs.RemoveAll();
  m_addedObjects.RemoveAll();
  m_objectsToReMark.RemoveAll();
  m_objectsToAdd.RemoveAll();
  m_bInitialised = 0;
}

int CArcRouter::Resize() {
  CDrawList objects(m_addedObjects);
  objects -= m_affectedArcs;
  objects -= m_objectsToReMark;
  objects -= m_objectsToAdd;
  CDrawList affected(m_affectedArcs);
  CDrawList toReMark(m_objectsToReMark);
  CDrawList toAdd(m_objectsToAdd);
  if (!Init(objects)) return 0;
  m_affectedArcs = affected;
  m_objectsToReMark = toReMark;
  m_objectsToAdd = toAdd;
  return 1;
}

int CArcRouter::Route(const CDrawList& objects) {
  if (objects.IsEmpty()) return 1;
  CDrawDoc* doc = GetDocument();
  if (doc && !doc->BeginUndoRecording(u"Routing Arcs", 255)) return 0;
  if (doc) doc->BeginWaitCursor();
  const int wasDynamic = m_bDynamic;
  const int depth = m_nChangeDepth;
  m_bDynamic = 0;
  m_bRouting = 1;
  std::unique_ptr<CProgressDlg> progress;
  // Whatever happens, the pass gives back what it took: the dialog and its
  // disabled owner, the flags, its batches, the cursor and the recording.
  auto finish = [&]() {
    if (progress) {
      progress->DestroyWindow();
      progress.reset();
    }
    m_bDynamic = wasDynamic;
    m_bRouting = 0;
    if (doc) {
      doc->EndWaitCursor();
      doc->EndUndoRecording();
    }
  };
  try {
    CDrawList arcs(10);
    arcs.CopyFromFilter(objects, RUNTIME_CLASS(CDrawArc));
    if (m_pDiagram) progress.reset(m_pDiagram->GetArcRoutingProgressDlg(static_cast<int>(arcs.GetCount())));
    BeginChanges();
    for (POSITION pos = arcs.GetHeadPosition(); pos;) RemoveObj(arcs.GetNext(pos));
    EndChanges();
    BeginChanges();
    for (POSITION pos = arcs.GetHeadPosition(); pos;) {
      if (progress && progress->CheckCancelButton() && CMsgBox::Confirm(1)) {
        // The wires the pass did not reach keep their shapes; they become
        // obstacles of the model again, as they were before the pass.
        while (pos) {
          CDrawObj* rest = arcs.GetNext(pos);
          if (!m_addedObjects.Find(rest)) AddObj(rest, 0);
        }
        break;
      }
      Route(static_cast<CDrawArc*>(arcs.GetNext(pos)));
      if (progress) progress->StepIt();
    }
    EndChanges();
  } catch (...) {
    // Batches left open by the failure close without routing.
    m_nChangeDepth = depth;
    finish();
    throw;
  }
  finish();
  return 1;
}
