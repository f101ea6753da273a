// The view's nesting commands: a selection becomes a composite block whose
// inner diagram receives it, and a composite block opens back into its
// diagram; each is one undo step, and every connection that crossed the
// boundary survives.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/undo/URBlock.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/CmdTarget.h"

namespace {

// The page counts a canvas can hold.
constexpr int kMaxPages = 255;
// A port added to a block lengthens it by this much; ports stand this far
// out from its sides.
constexpr int kPortPitch = 12;
constexpr int kPortReach = 10;

// A wire that crossed the selection's border, deleted before the nest.
struct CutWire {
  CDrawPort* src;
  CDrawPort* dst;
  CRuntimeClass* arcClass;
};

// A new wire of the class between the ports, added to the diagram; a wire
// that cannot be made is deleted.
CDrawArc* Rewire(CDiagram* diagram, CRuntimeClass* arcClass, CDrawPort* src, CDrawPort* dst) {
  CObject* made = arcClass && arcClass->IsDerivedFrom(RUNTIME_CLASS(CDrawArc)) ? arcClass->CreateObject() : nullptr;
  auto* arc = made ? static_cast<CDrawArc*>(made) : new CDrawArc;
  if (!arc->Initialize(src, dst, 1)) {
    delete arc;
    return nullptr;
  }
  // The bounds a wire has after any edit of its points, whichever way it
  // runs.
  arc->RecalcBounds(nullptr, FALSE);
  if (!diagram->Add(arc)) {
    delete arc;
    return nullptr;
  }
  return arc;
}

// Pages for a canvas centred on the origin that reach `distance` from it.
int HalfPagesFor(int distance, int pageLength) { return distance / ((pageLength + 1) / 2) + 1; }

// How many ports the block gets for the cut wires: wires that share a
// source or a destination share a port.
int PortsForCutWires(std::vector<CutWire> cut) {
  int ports = 0;
  while (!cut.empty()) {
    const CutWire first = cut.front();
    cut.erase(cut.begin());
    ++ports;
    cut.erase(std::remove_if(cut.begin(), cut.end(),
                             [&first](const CutWire& w) { return w.src == first.src || w.dst == first.dst; }),
              cut.end());
  }
  return ports;
}

}  // namespace

int CDrawView::NestSelectionInto(CDrawBlock* block) {
  CDrawDoc* document = GetDocument();
  CDiagram* diagram = m_pDiagram;
  CCompositeBlockDiagram* inner = block ? block->GetInternalDiagram() : nullptr;
  if (!diagram || !inner) return 0;
  if (document && !document->BeginUndoRecording(u"Nest", 255)) return 0;
  const CWaitCursor wait;

  CDrawList objects(m_selection);
  objects.ExcludeElementComponents();
  objects.ExcludeArcs();
  objects.Exclude(RUNTIME_CLASS(CDrawPort));
  const bool upward = diagram->IsUpwardPositive();
  long long sumX = 0;
  long long sumY = 0;
  CRect extent;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    const CRect& at = object->GetPosition();
    sumX += std::min(at.left, at.right);
    sumY += upward ? std::max(at.top, at.bottom) : std::min(at.top, at.bottom);
    GrowExtentToBoundRect(extent, object->GetBoundingRectIncludingComponents());
  }
  const int count = static_cast<int>(objects.GetCount());
  if (count == 0) {
    if (document) document->EndUndoRecording();
    return 0;
  }
  const CPoint place(static_cast<int>(sumX / count), static_cast<int>(sumY / count));

  // Wires with one end among the moved objects are cut; the records say
  // what to rebuild through the block's new ports.
  CDrawList moving(objects);
  moving.IncludeElementComponents();
  moving.IncludeAttachedArcs();
  std::vector<CutWire> cut;
  CDrawList dangling;
  for (POSITION pos = moving.GetHeadPosition(); pos;) {
    auto* arc = DYNAMIC_DOWNCAST(CDrawArc, moving.GetNext(pos));
    if (!arc) continue;
    const bool src = moving.Find(arc->GetSrcOutPort()) != nullptr;
    const bool dst = moving.Find(arc->GetDestInPort()) != nullptr;
    if (src == dst) {
      // A wire that moves whole may run beyond the objects it joins: the
      // inner canvas must hold it too.
      if (src) GrowExtentToBoundRect(extent, arc->GetBoundingRect());
      continue;
    }
    cut.push_back({arc->GetSrcOutPort(), arc->GetDestInPort(), arc->GetRuntimeClass()});
    dangling.AddTail(arc);
  }

  diagram->BeginDynamicRouteChanges();
  block->InitializeAs(0, place, this);
  // The block stays on the canvas with the ports it will get: each
  // lengthens it by one port pitch, and the ports stand out at its sides.
  CRect reach = block->GetBoundingRectIncludingComponents();
  reach.NormalizeRect();
  const int grow = PortsForCutWires(cut) * kPortPitch;
  if (upward) {
    reach.top -= grow;
  } else {
    reach.bottom += grow;
  }
  reach.InflateRect(kPortReach, 0);
  CRect inside = reach;
  diagram->ForceRectWithinBounds(inside, diagram->GetRect());
  block->MoveBy(inside.TopLeft() - reach.TopLeft(), FALSE);
  block->AddBlockAndComponentsToDiagram(diagram);
  InvalObj(block);
  InvalidateObjects(nullptr);
  m_selection.RemoveAll();
  Select(block, TRUE);

  // The inner canvas is centred on its origin, where the place lands: each
  // page reaches half a page each way.
  // The block may have moved to stay on the canvas: its corner is where
  // the inner origin lands.
  const CPoint corner = block->GetPosition().TopLeft();
  extent.NormalizeRect();
  extent.OffsetRect(-corner.x, -corner.y);
  const int reserve = inner->GetWidthToReserveAtCanvasEdgeForInternalPorts();
  const CSize page = inner->GetPageSize();
  const int across = HalfPagesFor(std::max(extent.right + reserve, reserve - extent.left), page.cx);
  const int down = HalfPagesFor(std::max(std::abs(extent.top), std::abs(extent.bottom)), page.cy);
  inner->SetCanvasSize(static_cast<BYTE>(std::clamp(across, 1, kMaxPages)),
                       static_cast<BYTE>(std::clamp(down, 1, kMaxPages)));

  for (POSITION pos = dangling.GetHeadPosition(); pos;) dangling.GetNext(pos)->Delete();

  moving = objects;
  moving.IncludeElementComponents();
  moving.IncludeAttachedArcs();
  diagram->SortInDrawOrder(moving);
  CURNest::RecordUndo(block, moving);
  const CMapPtrToWord none;
  inner->ShiftBetweenDiagrams(moving, CCompositeBlockDiagram::shiftIn, none);

  // Each cut wire comes back as a wire to or from a new port of the block
  // outside and one from or to its partner inside; wires that shared a
  // source or a destination share the port.
  while (!cut.empty()) {
    const CutWire first = cut.front();
    cut.erase(cut.begin());
    const bool comingIn = first.dst && first.dst->GetDiagram() == inner;
    CDrawPort* port = comingIn ? block->AddNewInPort() : block->AddNewOutPort();
    CDrawPort* partner = port ? port->GetAssociatedPort() : nullptr;
    if (!partner) continue;
    std::vector<CutWire> outside;
    std::vector<CutWire> inside;
    if (comingIn) {
      outside.push_back({first.src, port, first.arcClass});
      inside.push_back({partner, first.dst, first.arcClass});
    } else {
      outside.push_back({port, first.dst, first.arcClass});
      inside.push_back({first.src, partner, first.arcClass});
    }
    for (auto it = cut.begin(); it != cut.end();) {
      if (it->src == first.src) {
        if (comingIn) {
          inside.push_back({partner, it->dst, it->arcClass});
        } else {
          outside.push_back({port, it->dst, it->arcClass});
        }
      } else if (it->dst == first.dst) {
        if (comingIn) {
          outside.push_back({it->src, port, it->arcClass});
        } else {
          inside.push_back({it->src, partner, it->arcClass});
        }
      } else {
        ++it;
        continue;
      }
      it = cut.erase(it);
    }
    for (const CutWire& wire : outside) {
      if (CDrawArc* arc = Rewire(diagram, wire.arcClass, wire.src, wire.dst)) InvalObj(arc);
    }
    for (const CutWire& wire : inside) Rewire(inner, wire.arcClass, wire.src, wire.dst);
  }

  if (c_bOpenDiagramWhenNesting) block->OnOpen(this);
  diagram->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
  return 1;
}

void CDrawView::OnObjectNest() {
  auto* block = new CCompositeBlock;
  if (!NestSelectionInto(block)) delete block;
}

void CDrawView::OnUpdateObjectNest(CCmdUI* cmdUI) {
  CDrawList objects(m_selection);
  objects.ExcludeElementComponents();
  objects.ExcludeArcs();
  objects.Exclude(RUNTIME_CLASS(CDrawPort));
  cmdUI->Enable(!objects.IsEmpty());
}

void CDrawView::OnObjectUnnest() {
  CDrawBlock* block = nullptr;
  if (m_selection.IsEmpty()) {
    block = m_pDiagram ? DYNAMIC_DOWNCAST(CDrawBlock, m_pDiagram->GetHostObj()) : nullptr;
  } else {
    block = DYNAMIC_DOWNCAST(CDrawBlock, m_selection.GetHead());
  }
  CCompositeBlockDiagram* inner = block ? block->GetInternalDiagram() : nullptr;
  CDiagram* outer = block ? block->GetDiagram() : nullptr;
  if (!inner || !outer) return;
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"UnNest", 255)) return;
  const CWaitCursor wait;
  outer->BeginDynamicRouteChanges();
  // Taking the contents out re-routes nothing inside.
  inner->SetAutoRouteModeAndMethod(0, 0);

  CDrawList contents(inner->GetObjects());
  contents.IncludeElementComponents();
  contents.IncludeAttachedArcs();

  // The contents land with the inner origin on the block's corner: the
  // outer canvas grows by whole pages until they fit.
  CRect extent;
  for (POSITION pos = contents.GetHeadPosition(); pos;)
    GrowExtentToBoundRect(extent, contents.GetNext(pos)->GetBoundingRect());
  extent.NormalizeRect();
  const CPoint corner = block->GetPosition().TopLeft();
  const CPoint innerCentre = inner->GetRect().CenterPoint();
  extent.OffsetRect(corner - innerCentre);
  CRect canvas = outer->GetRect();
  canvas.NormalizeRect();
  const CSize page = outer->GetPageSize();
  const CSize pages = outer->GetCanvasSize();
  int across = pages.cx;
  int down = pages.cy;
  if (outer->GetCanvasMode() == 0) {
    const CPoint centre = canvas.CenterPoint();
    extent.OffsetRect(-centre.x, -centre.y);
    const int wide = std::max(std::abs(extent.right), std::abs(extent.left));
    const int high = std::max(std::abs(extent.top), std::abs(extent.bottom));
    if (wide > canvas.Width() / 2) across = std::max(across, HalfPagesFor(wide, page.cx));
    if (high > canvas.Height() / 2) down = std::max(down, HalfPagesFor(high, page.cy));
  } else {
    const int wide = std::max(extent.Width(), extent.right);
    const int high = std::max({std::abs(extent.top), std::abs(extent.bottom), extent.Height()});
    if (wide > canvas.Width()) across = std::max(across, (wide - 1) / page.cx + 1);
    if (high > canvas.Height()) down = std::max(down, (high - 1) / page.cy + 1);
  }
  across = std::min(across, kMaxPages);
  down = std::min(down, kMaxPages);
  if (across != pages.cx || down != pages.cy) outer->SetCanvasSize(static_cast<BYTE>(across), static_cast<BYTE>(down));

  CPtrList pairs;
  inner->GetPortPairs(pairs);
  CDrawList ports(block->GetPorts());
  for (POSITION pos = ports.GetHeadPosition(); pos;) ports.GetNext(pos)->Delete();

  contents = inner->GetObjects();
  contents.IncludeElementComponents();
  contents.IncludeAttachedArcs();
  CDrawList owners(contents);
  owners.ExcludeElementComponents();
  for (POSITION pos = owners.GetHeadPosition(); pos;) {
    CDrawObj* object = owners.GetNext(pos);
    object->InitializeRepositioning();
    // Nothing is dragged: the record is all the move needs.
    if (object->GetDrawState() == drawStateDragInitialized) object->SetDrawState(drawStateNormal);
  }
  CURUnNest::RecordUndo(block);
  const CMapPtrToWord none;
  inner->ShiftBetweenDiagrams(contents, CCompositeBlockDiagram::shiftOut, none);

  while (!pairs.IsEmpty()) {
    auto* pair = static_cast<PortPairAndArcClass*>(pairs.RemoveHead());
    if (CDrawArc* arc = Rewire(outer, pair->pArcClass, pair->pSrcPort, pair->pDestPort)) InvalObj(arc);
    delete pair;
  }
  block->Delete();
  outer->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
}

void CDrawView::OnUpdateObjectUnnest(CCmdUI* cmdUI) {
  BOOL enable = FALSE;
  if (m_selection.IsEmpty()) {
    CDrawDoc* document = GetDocument();
    enable = m_pDiagram && document && m_pDiagram != document->GetDiagram();
  } else if (m_selection.GetCount() == 1) {
    auto* block = DYNAMIC_DOWNCAST(CDrawBlock, m_selection.GetHead());
    enable = block && block->GetInternalDiagram();
  }
  cmdUI->Enable(enable);
}
