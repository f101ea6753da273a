#include "diagram/model/blocks/CompositeBlock.h"

#include "diagram/model/blocks/BoundaryPorts.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/ViewLink.h"
#include "diagram/model/objects/CloneOrNull.h"
#include "diagram/model/undo/URBlock.h"
#include "platform/core/Exceptions.h"

IMPLEMENT_SERIAL(CCompositeBlock, CDrawBlock, 0)

namespace {

// The pop-up sub-menu of a composite block.
constexpr int kCompositeBlockMenu = 5;
// A new port lengthens the block by one port and the gap to the next.
constexpr int kPortPitch = 12;

// Sets the document's delete-contents flag for a scope.
class DeleteContentsFlag {
 public:
  explicit DeleteContentsFlag(CDrawDoc* document) : document_(document) {
    if (document_) document_->SetDeleteContentsInProgress(TRUE);
  }
  ~DeleteContentsFlag() {
    if (document_) document_->SetDeleteContentsInProgress(FALSE);
  }
  DeleteContentsFlag(const DeleteContentsFlag&) = delete;
  DeleteContentsFlag& operator=(const DeleteContentsFlag&) = delete;

 private:
  CDrawDoc* document_;
};

}  // namespace

CCompositeBlock::CCompositeBlock() { m_pInnerDiagram = new CCompositeBlockDiagram(this); }

CCompositeBlock::~CCompositeBlock() = default;

CMenu* CCompositeBlock::GetPopupMenu(CDrawView* view, CPoint point) {
  if (!view) return nullptr;
  if (viewlink::DiagramOf(view) == m_pDiagram) return viewlink::PopupMenu(view, kCompositeBlockMenu);
  return m_pInnerDiagram ? m_pInnerDiagram->GetPopupMenu(view, point) : nullptr;
}

CDrawObj* CCompositeBlock::Clone() { return CloneOrNull(*this); }

int CCompositeBlock::InitializeAs(UINT code, const CPoint& point, CDrawView* view) {
  if (!view) return 0;
  const PortMaker ports = [](bool input, const CPoint& at, CDrawBlock* block, CDrawView* on) -> CDrawPort* {
    if (input) return new CDrawInPortExternal(at, block, on, nullptr);
    return new CDrawOutPortExternal(at, block, on, nullptr);
  };
  if (!LayOutAs(code, point, view, u"CompositeBlock", ports)) return 0;
  CCompositeBlockDiagram* inner = m_pInnerDiagram;
  if (!inner->GetDocument()) inner->SetDocument(viewlink::DocumentOf(view));
  inner->ComputePageSize();
  CDrawDoc* document = inner->GetDocument();
  if (document && !document->BeginUndoRecording(u"Initialize Composite Block", 255)) return 0;
  {
    const DeleteContentsFlag quiet(document);
    const CRect canvas = inner->GetRect();
    const int inset = inner->GetHorizOffsetFromCanvasEdgeToInternalPortPoint0();
    const int step = inner->GetVerticalOffsetBetweenInternalPorts();
    int y = canvas.top + step;
    CDrawList listed(m_ports);
    for (POSITION pos = listed.GetHeadPosition(); pos;) {
      auto* external = static_cast<CDrawPort*>(listed.GetNext(pos));
      CDrawPort* partner;
      if (external->IsKindOf(RUNTIME_CLASS(CDrawInPortExternal))) {
        partner = new CDrawInPortInternal(CPoint(canvas.left + inset, y), external, this);
      } else {
        partner = new CDrawOutPortInternal(CPoint(canvas.right - inset, y), external, this);
      }
      external->SetAssociatedPort(partner);
      partner->AddPortAndComponentsToDiagram(inner);
      AddPort(partner, -1);
      y += step;
    }
    // The partners belong to the block from the start: nothing of their
    // making is kept for undo.
    if (document) document->FlushUndoRecording();
  }
  if (document) document->EndUndoRecording();
  return 1;
}

CDrawPort* CCompositeBlock::AddNewInPort() { return AddBoundaryPair(true); }

CDrawPort* CCompositeBlock::AddNewOutPort() { return AddBoundaryPair(false); }

CDrawPort* CCompositeBlock::AddBoundaryPair(bool input) {
  if (input ? !UserCanAddInPorts() : !UserCanAddOutPorts()) return nullptr;
  CCompositeBlockDiagram* inner = m_pInnerDiagram;
  CDiagram* diagram = m_pDiagram;
  CDrawDoc* document = GetDocument();
  if (!document) document = inner->GetDocument();
  if (document && !document->BeginUndoRecording(input ? u"AddNewInPort" : u"AddNewOutPort", 255)) return nullptr;
  if (diagram) diagram->BeginDynamicRouteChanges();
  inner->BeginDynamicRouteChanges();

  const CPoint edge(input ? m_position.left : m_position.right, m_position.bottom);
  CDrawPort* external = input ? static_cast<CDrawPort*>(new CDrawInPortExternal(edge, this, nullptr, nullptr))
                              : new CDrawOutPortExternal(edge, this, nullptr, nullptr);
  external->SetDiagram(diagram);
  m_ports.AddTail(external);
  if (diagram) external->AddPortAndComponentsToDiagram(diagram);
  const int step = (!diagram || diagram->IsUpwardPositive()) ? -kPortPitch : kPortPitch;
  const int bottom = m_position.bottom + step;
  InitializeReshaping(5);
  m_position.bottom = bottom;
  m_dragRect = m_position;
  m_drawState = drawStateNormal;
  if (diagram) {
    diagram->UpdateObject(this, 1);
    // A block lengthened past the canvas edge moves back onto the canvas
    // in the same step.
    diagram->ForceObjectOntoCanvas(this, 1);
  }
  Invalidate();

  // Inside, the partner goes below the others, or where the user opened
  // the inner diagram's pop-up menu when working inside it.
  const CRect canvas = inner->GetRect();
  const int inset = inner->GetHorizOffsetFromCanvasEdgeToInternalPortPoint0();
  CPoint at(input ? canvas.left + inset : canvas.right - inset, canvas.top + inner->GetVerticalOffsetForNextPort());
  if (document && document->GetActiveDiagram() == inner) {
    at = inner->GetLastPopupPoint();
    if (inner->IsSnapToGridEnabled()) inner->SnapToGrid(at);
  }
  CDrawPort* partner = input ? static_cast<CDrawPort*>(new CDrawInPortInternal(at, external, this))
                             : new CDrawOutPortInternal(at, external, this);
  external->SetAssociatedPort(partner);
  CRect place = partner->GetPosition();
  place.NormalizeRect();
  CRect inside = place;
  inner->ForceRectWithinBounds(inside, canvas);
  partner->MoveBy(inside.TopLeft() - place.TopLeft(), FALSE);
  partner->AddPortAndComponentsToDiagram(inner);
  AddPort(partner, -1);

  CURAssocPort::RecordUndo(external, CURAssocPort::assocPortAdded);
  if (diagram) diagram->EndDynamicRouteChanges();
  inner->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
  return external;
}
