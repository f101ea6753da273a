#include "diagram/model/canvas/CompositeBlockDiagram.h"

#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/model/document/ViewLink.h"
#include "platform/core/Archive.h"
#include "platform/ui/MultiDocTemplate.h"
#include "platform/ui/View.h"

namespace {

// The resource of the diagram document's template and of its in-place
// container menus.
constexpr UINT kDrawDocTemplate = 28017;
constexpr UINT kDrawDocContainerInfo = 28018;
// The pop-up sub-menu of a diagram that a block owns.
constexpr int kInnerDiagramMenu = 7;
// The hints that tell views a list of objects is leaving or arriving.
constexpr LPARAM kHintArrived = 30;
constexpr LPARAM kHintLeaving = 31;

}  // namespace

UINT CCompositeBlockDiagram::c_uIDResource4DefaultDocTemplate = kDrawDocTemplate;
CRuntimeClass* CCompositeBlockDiagram::c_pDocClass4DefaultDocTemplate = RUNTIME_CLASS(CDrawDoc);
// The user interface gives the frame and view classes when it loads.
CRuntimeClass* CCompositeBlockDiagram::c_pFrameClass4DefaultDocTemplate = nullptr;
CRuntimeClass* CCompositeBlockDiagram::c_pViewClass4DefaultDocTemplate = nullptr;
UINT CCompositeBlockDiagram::c_uIDR4DefaultDocTemplateContainerInfo = kDrawDocContainerInfo;

CCompositeBlockDiagram::CCompositeBlockDiagram(CDrawObj* owner) : CDiagram(owner), m_internalPorts(10) {}

CCompositeBlockDiagram::~CCompositeBlockDiagram() {
  delete m_pDocTemplate;
  m_pDocTemplate = nullptr;
  // The list lets go of its ports first, so that none looks for itself in
  // it while it goes. Those on the canvas or in the trash go with the
  // contents; the rest are deleted here.
  CDrawList listed(m_internalPorts);
  m_internalPorts.RemoveAll();
  CDrawList elsewhere;
  for (POSITION pos = listed.GetHeadPosition(); pos;) {
    CDrawObj* port = listed.GetNext(pos);
    if (!m_objects.Find(port) && !m_trash.Find(port)) elsewhere.AddTail(port);
  }
  DeleteContents();
  // A port deleted here may take its partner, one of this list, with it.
  while (!elsewhere.IsEmpty()) delete elsewhere.RemoveHead();
}

void CCompositeBlockDiagram::SetDefaultDocTemplateInfo(UINT idResource, CRuntimeClass* doc, CRuntimeClass* frame,
                                                       CRuntimeClass* view, UINT idContainerInfo) {
  c_uIDResource4DefaultDocTemplate = idResource;
  c_pDocClass4DefaultDocTemplate = doc;
  c_pFrameClass4DefaultDocTemplate = frame;
  c_pViewClass4DefaultDocTemplate = view;
  c_uIDR4DefaultDocTemplateContainerInfo = idContainerInfo;
}

CMultiDocTemplate* CCompositeBlockDiagram::GetDocTemplate() {
  if (!m_pDocTemplate) {
    m_pDocTemplate = new CMultiDocTemplate(c_uIDResource4DefaultDocTemplate, c_pDocClass4DefaultDocTemplate,
                                           c_pFrameClass4DefaultDocTemplate, c_pViewClass4DefaultDocTemplate);
    if (c_uIDR4DefaultDocTemplateContainerInfo != 0)
      m_pDocTemplate->SetContainerInfo(c_uIDR4DefaultDocTemplateContainerInfo);
  }
  return m_pDocTemplate;
}

int CCompositeBlockDiagram::GetVerticalOffsetBetweenInternalPorts() { return IsUpwardPositive() ? -50 : 50; }

int CCompositeBlockDiagram::GetVerticalOffsetForNextPort() {
  return GetVerticalOffsetBetweenInternalPorts() * (static_cast<int>(LiveInternalPorts().GetCount()) + 1);
}

CDrawList CCompositeBlockDiagram::LiveInternalPorts() const {
  // A deleted port stays listed, in the trash, so that undoing its delete
  // finds it in its place; it is not one of the block's ports meanwhile.
  CDrawList live;
  for (POSITION pos = m_internalPorts.GetHeadPosition(); pos;) {
    CDrawObj* port = m_internalPorts.GetNext(pos);
    if (m_objects.Find(port)) live.AddTail(port);
  }
  return live;
}

int CCompositeBlockDiagram::GetHorizOffsetFromCanvasEdgeToInternalPortPoint0() { return 22; }

int CCompositeBlockDiagram::GetWidthToReserveAtCanvasEdgeForInternalPorts() {
  return GetHorizOffsetFromCanvasEdgeToInternalPortPoint0() + 10;
}

CMenu* CCompositeBlockDiagram::GetPopupMenu(CDrawView* view, CPoint point) {
  if (!view) return nullptr;
  viewlink::ClientToDoc(view, point);
  m_lastPopupPoint = point;
  if (m_pHostObj) return viewlink::PopupMenu(view, kInnerDiagramMenu);
  return CDiagram::GetPopupMenu(view, point);
}

void CCompositeBlockDiagram::OnOpen(CDrawView* view) {
  if (!view) return;
  if (!m_pDocument) SetDocument(viewlink::DocumentOf(view));
  if (viewlink::IsInMdiChildFrame(view)) {
    if (!OpenDiagramView(viewlink::ViewClassOf(view))) CreateDiagramView(GetDocTemplate());
    return;
  }
  viewlink::SwitchToDiagram(view, this);
}

void CCompositeBlockDiagram::AddInternalPort(CDrawPort* port, int index) {
  if (!port || m_internalPorts.Find(port)) return;
  if (index >= 0) {
    m_internalPorts.InsertAtIndex(index, port);
  } else {
    m_internalPorts.AddTail(port);
  }
}

int CCompositeBlockDiagram::RemoveInternalPort(CDrawPort* port) {
  POSITION pos = m_internalPorts.Find(port);
  if (!pos) return 0;
  m_internalPorts.RemoveAt(pos);
  return 1;
}

void CCompositeBlockDiagram::MarkInternalPorts(DrawObjState state) {
  // A port in the trash keeps the state that says so.
  for (POSITION pos = m_internalPorts.GetHeadPosition(); pos;) {
    CDrawObj* port = m_internalPorts.GetNext(pos);
    if (port->GetDrawState() != drawStateDeleted) port->SetDrawState(state);
  }
}

void CCompositeBlockDiagram::CloseAllInternalViews() {
  UpdateDiagramViews(nullptr, CDrawHint::diagramDestroyed, nullptr);
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    auto* block = DYNAMIC_DOWNCAST(CDrawBlock, m_objects.GetNext(pos));
    if (block && block->GetInternalDiagram()) block->GetInternalDiagram()->CloseAllInternalViews();
  }
  while (!m_views.IsEmpty()) {
    const INT_PTR before = m_views.GetCount();
    RemoveViewRef(static_cast<CView*>(m_views.GetHead()));
    if (m_views.GetCount() == before) m_views.RemoveHead();
  }
}

void CCompositeBlockDiagram::ShiftBetweenDiagrams(const CDrawList& objects, ShiftDirection direction,
                                                  const CMapPtrToWord& zOrder) {
  CDiagram* parent = GetParentDiagram();
  if (objects.IsEmpty() || !parent) return;
  const CPoint centre = GetRect().CenterPoint();
  const CPoint place = m_pHostObj->GetPosition().TopLeft();
  CDiagram* source = direction == shiftIn ? parent : this;
  CDiagram* destination = direction == shiftIn ? static_cast<CDiagram*>(this) : parent;
  const CPoint offset = direction == shiftIn ? centre - place : place - centre;

  // A destination canvas that cannot grow any more, or a canvas from the
  // origin that the moved inner canvas would leave, asks for the objects to
  // be pushed inside it.
  const CSize pages = destination->GetCanvasSize();
  const CSize maxPages = destination->GetMaxCanvasSize();
  const bool full = pages.cx == maxPages.cx || pages.cy == maxPages.cy;
  bool correct = full;
  if (direction == shiftOut && destination->GetCanvasMode() == 1) {
    CRect moved = GetRect();
    moved.OffsetRect(offset);
    correct = full || moved.left < 0 || moved.top < 0 || moved.bottom < 0;
  }
  const CRect bounds = destination->GetRect();
  CPoint correction(0, 0);
  if (correct) {
    CRect extent;
    for (POSITION pos = objects.GetHeadPosition(); pos;) GrowExtentToBoundRect(extent, objects.GetNext(pos)->GetBoundingRect());
    extent.OffsetRect(offset);
    extent.NormalizeRect();
    CRect forced = extent;
    destination->ForceRectWithinBounds(forced, bounds);
    correction = forced.TopLeft() - extent.TopLeft();
  }

  CDrawList leaving(objects);
  source->UpdateDiagramViews(nullptr, kHintLeaving, &leaving);
  for (POSITION pos = objects.GetHeadPosition(); pos;) source->Expunge(objects.GetNext(pos));

  // Objects with a saved place go in by ascending place (equal places keep
  // their order); the others follow in list order.
  std::vector<std::pair<WORD, CDrawObj*>> placed;
  CDrawList ordered;
  CDrawList unplaced;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    WORD at = 0;
    if (zOrder.Lookup(object, at)) {
      object->SetZIndex(at);
      placed.emplace_back(at, object);
    } else {
      object->SetZIndex(-1);
      unplaced.AddTail(object);
    }
  }
  std::stable_sort(placed.begin(), placed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& entry : placed) ordered.AddTail(entry.second);
  ordered.AddTail(unplaced);

  // A wire that goes with both of its ports is carried whole. Its own move
  // keeps its ends for the ports to carry and slides only the bends of
  // straight end segments, which would leave a bend behind on a slanted one:
  // it gets its points as they were, moved as far as its ports went.
  struct CarriedWire {
    CDrawArc* arc;
    std::vector<CPoint> points;
    CPoint src;
    CPoint dst;
  };
  std::vector<CarriedWire> carried;
  for (POSITION pos = ordered.GetHeadPosition(); pos;) {
    auto* arc = DYNAMIC_DOWNCAST(CDrawArc, ordered.GetNext(pos));
    if (!arc || !arc->GetSrcOutPort() || !arc->GetDestInPort() || !ordered.Find(arc->GetSrcOutPort()) ||
        !ordered.Find(arc->GetDestInPort()))
      continue;
    CarriedWire wire{arc, {}, arc->GetSrcOutPort()->ConnectionPoint(), arc->GetDestInPort()->ConnectionPoint()};
    for (int i = 1; i <= arc->GetHandleCount(); ++i) wire.points.push_back(arc->GetHandle(i));
    carried.push_back(std::move(wire));
  }

  CDrawList moving(ordered);
  moving.ExcludeElementComponents();
  for (POSITION pos = moving.GetHeadPosition(); pos;) {
    CDrawObj* object = moving.GetNext(pos);
    object->SetDiagram(nullptr);
    object->MoveBy(offset, FALSE);
    if (correct) {
      object->MoveBy(correction, FALSE);
      CRect box = object->GetBoundingRectIncludingComponents();
      box.NormalizeRect();
      CRect inside = box;
      destination->ForceRectWithinBounds(inside, bounds);
      object->MoveBy(inside.TopLeft() - box.TopLeft(), FALSE);
    }
    object->SetDiagram(destination);
  }
  for (CarriedWire& wire : carried) {
    const CSize moved = wire.arc->GetSrcOutPort()->ConnectionPoint() - wire.src;
    if (wire.arc->GetDestInPort()->ConnectionPoint() - wire.dst == moved)
      wire.arc->CarryWhole(wire.points, CPoint(moved.cx, moved.cy));
  }
  for (POSITION pos = ordered.GetHeadPosition(); pos;) destination->Insert(ordered.GetNext(pos));
  destination->UpdateDiagramViews(nullptr, kHintArrived, &ordered);
}

int CCompositeBlockDiagram::GetPortPairHelper(int bAsSource, CDrawPort* port, const CDrawList& externalPorts,
                                              CDrawList& visited, CDrawList& result) {
  result.RemoveAll();
  port->GetDirectedArcs(bAsSource, result);
  result -= visited;
  CDrawList throughInside;
  CDrawList throughOutside;
  // The list grows while it is walked: the next wire is taken after the
  // appending.
  for (POSITION pos = result.GetHeadPosition(); pos;) {
    const POSITION at = pos;
    auto* arc = static_cast<CDrawArc*>(result.GetAt(at));
    CDrawPort* far = bAsSource ? arc->GetDestInPort() : arc->GetSrcOutPort();
    CDrawPort* partner = far ? far->GetAssociatedPort() : nullptr;
    if (partner && m_internalPorts.Find(far)) {
      CDrawList more;
      partner->GetDirectedArcs(bAsSource, more);
      more -= throughInside;
      result += more;
      throughInside.AddTail(arc);
    } else if (partner && externalPorts.Find(far)) {
      CDrawList more;
      partner->GetDirectedArcs(bAsSource, more);
      more -= visited;
      more -= throughOutside;
      result += more;
      throughOutside.AddTail(arc);
    }
    pos = at;
    result.GetNext(pos);
  }
  visited += throughInside;
  result -= throughInside;
  result -= throughOutside;
  return !result.IsEmpty();
}

void CCompositeBlockDiagram::GetPortPairs(CPtrList& pairs) {
  auto* block = DYNAMIC_DOWNCAST(CDrawBlock, m_pHostObj);
  if (!block) return;
  const CDrawList& externals = block->GetPorts();
  CDrawList visited;
  const auto record = [&pairs](CDrawArc* first, CDrawArc* second) {
    auto* pair = new PortPairAndArcClass;
    pair->pSrcPort = first->GetSrcOutPort();
    pair->pDestPort = second->GetDestInPort();
    pair->pArcClass = first->GetRuntimeClass();
    pairs.AddTail(pair);
  };
  CDrawList internals(m_internalPorts);
  for (POSITION pos = internals.GetHeadPosition(); pos;) {
    auto* internal = static_cast<CDrawPort*>(internals.GetNext(pos));
    CDrawPort* external = internal->GetAssociatedPort();
    if (!internal->IsLinked() || !external || !external->IsLinked()) continue;
    CDrawList inside;
    CDrawList outside;
    // Inward: from outside into the external port, on from the internal one.
    GetPortPairHelper(TRUE, internal, externals, visited, inside);
    GetPortPairHelper(FALSE, external, externals, visited, outside);
    for (POSITION a = outside.GetHeadPosition(); a;) {
      auto* in = static_cast<CDrawArc*>(outside.GetNext(a));
      for (POSITION b = inside.GetHeadPosition(); b;) record(in, static_cast<CDrawArc*>(inside.GetNext(b)));
    }
    // Outward: into the internal port inside, on from the external one.
    GetPortPairHelper(FALSE, internal, externals, visited, inside);
    GetPortPairHelper(TRUE, external, externals, visited, outside);
    for (POSITION a = inside.GetHeadPosition(); a;) {
      auto* in = static_cast<CDrawArc*>(inside.GetNext(a));
      for (POSITION b = outside.GetHeadPosition(); b;) record(in, static_cast<CDrawArc*>(outside.GetNext(b)));
    }
  }
}

void CCompositeBlockDiagram::Serialize(CArchive& ar) {
  auto* document = DYNAMIC_DOWNCAST(CDrawDoc, ar.m_pDocument);
  if (ar.IsLoading() && !m_pDocument && document) SetDocument(document);
  CDiagram* active = document ? document->GetActiveDiagram() : nullptr;
  if (document) document->SetActiveDiagram(this);
  struct RestoreActive {
    CDrawDoc* document;
    CDiagram* active;
    ~RestoreActive() {
      if (document) document->SetActiveDiagram(active);
    }
  } restore{document, active};
  CDiagram::Serialize(ar);
  const bool topLevel = document && document->GetDiagram() == this;
  if (topLevel && GetArchiveStreamVersion(ar) < 10) return;
  if (ar.IsStoring()) {
    // The trash is not stored: neither are the deleted ports.
    CDrawList live = LiveInternalPorts();
    live.Serialize(ar);
    return;
  }
  CDrawList loaded;
  loaded.Serialize(ar);
  m_internalPorts.RemoveAll();
  const CObList& entries = loaded;
  for (POSITION pos = entries.GetHeadPosition(); pos;) {
    // Only the internal ports of this diagram belong on the list.
    auto* port = DYNAMIC_DOWNCAST(CDrawPort, entries.GetNext(pos));
    if (port && port->IsInternal() && (m_objects.Find(port) || m_trash.Find(port))) m_internalPorts.AddTail(port);
  }
  if (document) document->ExcludeLoadFailuresFrom(m_internalPorts);
}
