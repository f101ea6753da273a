#include "diagram/model/blocks/DrawPort.h"

#include <vector>

#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/objects/CloneOrNull.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/OwnedText.h"
#include "diagram/model/undo/URBlock.h"
#include "diagram/model/document/ViewLink.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

IMPLEMENT_SERIAL(CDrawPort, CDrawPoly, 0)

namespace {

// While it lives, every allocated outline point of the port is in use, so
// that a move, a drag or the stream covers the whole outline even while
// fewer points are drawn.
class AllPointsInUse {
 public:
  AllPointsInUse(int& inUse, int allocated) : inUse_(inUse), saved_(inUse) { inUse_ = allocated; }
  ~AllPointsInUse() { inUse_ = saved_; }
  AllPointsInUse(const AllPointsInUse&) = delete;
  AllPointsInUse& operator=(const AllPointsInUse&) = delete;

 private:
  int& inUse_;
  int saved_;
};

// The ports whose records are being read, innermost last.
std::vector<const CDrawPort*>& PortsBeingRead() {
  thread_local std::vector<const CDrawPort*> ports;
  return ports;
}

ULONGLONG& PortReadsStarted() {
  thread_local ULONGLONG count = 0;
  return count;
}

// A port on that list for the life of the object.
class ReadingPort {
 public:
  explicit ReadingPort(const CDrawPort* port) { PortsBeingRead().push_back(port); }
  ~ReadingPort() { PortsBeingRead().pop_back(); }
  ReadingPort(const ReadingPort&) = delete;
  ReadingPort& operator=(const ReadingPort&) = delete;
};

}  // namespace

ULONGLONG CDrawPort::ReadsStarted() { return PortReadsStarted(); }

const CDrawPort* CDrawPort::InnermostBeingRead() {
  const std::vector<const CDrawPort*>& ports = PortsBeingRead();
  return ports.empty() ? nullptr : ports.back();
}

CDrawPort::CDrawPort(CDrawPort* associated)
    : m_pAssociatedPort(associated),
      m_bMonitor(FALSE),
      m_nUnlinkedPoints(0),
      m_pBlock(nullptr),
      m_pLabel(nullptr),
      m_pValue(nullptr),
      m_pLnkLbl(nullptr),
      m_arcs(10),
      m_nDeletedIndex(-1) {}

CDrawPort::CDrawPort(const CDrawPort& other)
    : CDrawPoly(other),
      m_pAssociatedPort(nullptr),
      m_bMonitor(other.m_bMonitor),
      m_nUnlinkedPoints(other.m_nUnlinkedPoints),
      m_pBlock(other.m_pBlock),
      m_pLabel(nullptr),
      m_pValue(nullptr),
      m_pLnkLbl(nullptr),
      m_arcs(10),
      m_nDeletedIndex(-1) {
  // A boundary-port pair is made by its composite block, never copied.
  if (other.m_pAssociatedPort) AfxThrowNotSupportedException(u"A boundary port is not copied.");
  // The copy has no wires: it shows the outline of an unlinked port.
  if (m_nUnlinkedPoints >= 1 && m_nUnlinkedPoints <= m_nAllocPoints) m_nPoints = m_nUnlinkedPoints;
  try {
    owned_text::CopyInto(m_pLabel, other.m_pLabel);
    owned_text::CopyInto(m_pValue, other.m_pValue);
    owned_text::CopyInto(m_pLnkLbl, other.m_pLnkLbl);
  } catch (...) {
    owned_text::Destroy(m_pLabel);
    owned_text::Destroy(m_pValue);
    owned_text::Destroy(m_pLnkLbl);
    throw;
  }
}

CDrawPort::~CDrawPort() {
  if (m_drawState != drawStateDeleted && m_pBlock) m_pBlock->RemovePort(this);
  if (CDrawPort* partner = m_pAssociatedPort) {
    // Pairs die together; the partner's pointer back is cleared first so
    // that it does not destroy this port in turn.
    m_pAssociatedPort = nullptr;
    if (partner->m_pAssociatedPort == this) {
      partner->m_pAssociatedPort = nullptr;
      delete partner;
    }
  }
  owned_text::Destroy(m_pLabel);
  owned_text::Destroy(m_pLnkLbl);
  owned_text::Destroy(m_pValue);
  while (!m_arcs.IsEmpty()) delete m_arcs.RemoveHead();
  m_bMonitor = FALSE;
}

void CDrawPort::SetOutline(const CPoint* points, int count, const CRect& position, CDrawBlock* block,
                           CDrawView* view) {
  CPoint* outline = NewPoints(count);
  if (!outline) AfxThrowMemoryException();
  for (int i = 0; i < count; ++i) outline[i] = points[i];
  DeletePoints(m_points);
  m_points = outline;
  m_nPoints = count;
  m_nAllocPoints = count;
  m_position = position;
  m_oldPosition = position;
  m_pBlock = block;
  if (view) {
    m_pDiagram = viewlink::DiagramOf(view);
  } else if (block) {
    m_pDiagram = block->GetDiagram();
  }
}

void CDrawPort::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    {
      const AllPointsInUse all(m_nPoints, m_nAllocPoints);
      CDrawPoly::Serialize(ar);
    }
    ar << static_cast<WORD>(m_nUnlinkedPoints);
    ar.WriteObject(m_pLnkLbl);
    ar.WriteObject(m_pValue);
    ar.WriteObject(m_pLabel);
    ar.WriteObject(m_pBlock);
    if (IsInternal()) ar.WriteObject(m_pAssociatedPort);
    return;
  }
  const ReadingPort reading(this);
  m_nReadNumber = ++PortReadsStarted();
  CDrawPoly::Serialize(ar);
  WORD unlinked = 0;
  ar >> unlinked;
  // The points drawn unlinked are some of the outline's.
  if (unlinked > m_nAllocPoints) AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName.GetString());
  m_nUnlinkedPoints = unlinked;
  if (m_nUnlinkedPoints >= 1) m_nPoints = m_nUnlinkedPoints;
  // Each text is claimed as soon as it is read, so that a failure further
  // on destroys it once; a link label stored as the same object as the
  // value is not a text of its own.
  m_pLnkLbl = static_cast<CDrawText*>(ar.ReadObject(RUNTIME_CLASS(CDrawText)));
  owned_text::Claim(m_pLnkLbl);
  CDrawText* value = static_cast<CDrawText*>(ar.ReadObject(RUNTIME_CLASS(CDrawText)));
  if (value && value == m_pLnkLbl) {
    m_pLnkLbl->SetPointerToNullOnDelete(nullptr);
    m_pLnkLbl = nullptr;
  }
  m_pValue = value;
  owned_text::Claim(m_pValue);
  m_pLabel = static_cast<CDrawText*>(ar.ReadObject(RUNTIME_CLASS(CDrawText)));
  owned_text::Claim(m_pLabel);
  m_pBlock = static_cast<CDrawBlock*>(ar.ReadObject(RUNTIME_CLASS(CDrawBlock)));
  // A port is stored inside its block's port list, so its block is reading
  // that list now. A port that comes first in a diagram's stream (a group's
  // member stored before its block) names its block, which has just read
  // its list, holding the port: the block is an element of the diagram
  // being read, as its own entry further on says again.
  auto* document = DYNAMIC_DOWNCAST(CDrawDoc, ar.m_pDocument);
  CDiagram* loading = document ? document->GetActiveDiagram() : nullptr;
  CDrawList* elements = loading ? loading->GetLoadingElements() : nullptr;
  if (m_pBlock && !m_pBlock->IsReadingPorts() && elements && m_pBlock->GetPorts().Find(this)) {
    elements->AddTail(m_pBlock);
  } else if (m_pBlock && loading && IsInternal() && static_cast<CDiagram*>(m_pBlock->GetInternalDiagram()) == loading) {
    // An internal port is read with its composite block's inner diagram,
    // whose list of internal ports takes it after the objects.
  } else if (m_pBlock && !m_pBlock->IsReadingPorts()) {
    // A port read anywhere else belongs to no block, and the block it names
    // (one a damaged stream made for it, or one stored elsewhere) goes to
    // the document's load failures, which free it. A block made for the
    // port may already list it: it lets go of it, so that the port has one
    // owner at most (whoever reads it next).
    CDrawBlock* named = m_pBlock;
    m_pBlock = nullptr;
    named->RemovePort(this);
    if (document) document->AddLoadFailure(named);
  }
  if (IsInternal()) {
    auto* partner = static_cast<CDrawPort*>(ar.ReadObject(RUNTIME_CLASS(CDrawPort)));
    if (partner == this) partner = nullptr;
    m_pAssociatedPort = partner;
    if (partner) partner->m_pAssociatedPort = this;
  }
}

HCURSOR CDrawPort::GetHandleCursor(int) const { return ::LoadCursor(nullptr, IDC_ARROW); }

BOOL CDrawPort::Copyable() const { return FALSE; }

BOOL CDrawPort::UserMayReshape() const { return FALSE; }

CMenu* CDrawPort::GetPopupMenu(CDrawView* view, CPoint) { return view ? viewlink::PopupMenu(view, 1) : nullptr; }

void CDrawPort::MoveTo(const CRect& position, CDrawView* view) {
  const CPoint delta(position.left - m_position.left, position.top - m_position.top);
  if (delta.x == 0 && delta.y == 0) return;
  {
    const AllPointsInUse all(m_nPoints, m_nAllocPoints);
    CDrawPoly::MoveTo(position, view);
  }
  for (CDrawText* text : {m_pLabel, m_pLnkLbl, m_pValue}) {
    if (text) text->MoveTo(text->GetPosition() + CSize(delta.x, delta.y), view);
  }
  MoveAttachedArcPointsBy(delta, view, 1);
}

void CDrawPort::MoveBy(CPoint delta, int bInvalidate) {
  if (delta.x == 0 && delta.y == 0) return;
  {
    const AllPointsInUse all(m_nPoints, m_nAllocPoints);
    CDrawPoly::MoveBy(delta, bInvalidate);
  }
  for (CDrawText* text : {m_pLabel, m_pLnkLbl, m_pValue}) {
    if (text) text->MoveBy(delta, bInvalidate);
  }
  MoveAttachedArcPointsBy(delta, nullptr, bInvalidate);
}

BOOL CDrawPort::Intersects(const CRect& rect) { return CDrawObj::Intersects(rect); }

void CDrawPort::OnOpen(CDrawView*) {}

void CDrawPort::IncludeComponentsInList(CDrawList* list) const {
  for (CDrawText* text : {m_pLabel, m_pLnkLbl, m_pValue}) {
    if (text) list->AddTail(text);
  }
}

void CDrawPort::ExcludeComponentsFromList(CDrawList* list) const {
  for (CDrawText* text : {m_pLabel, m_pLnkLbl, m_pValue}) {
    if (text) *list -= text;
  }
}

void CDrawPort::FinalizeDrawing(CRect position, CDrawView* view, int flag) {
  {
    const AllPointsInUse all(m_nPoints, m_nAllocPoints);
    CDrawPoly::FinalizeDrawing(position, view, flag);
  }
  for (CDrawText* text : {m_pLabel, m_pLnkLbl, m_pValue}) {
    if (text) text->FinalizeDrawing(text->GetPosition(), view, flag);
  }
  for (POSITION pos = m_arcs.GetHeadPosition(); pos;) {
    CDrawObj* arc = m_arcs.GetNext(pos);
    arc->FinalizeDrawing(arc->GetPosition(), view, flag);
  }
}

void CDrawPort::InitializeDrawing(CDrawView* view) {
  {
    const AllPointsInUse all(m_nPoints, m_nAllocPoints);
    CDrawPoly::InitializeDrawing(view);
  }
  for (CDrawText* text : {m_pLabel, m_pLnkLbl, m_pValue}) {
    if (text) text->InitializeDrawing(view);
  }
  for (POSITION pos = m_arcs.GetHeadPosition(); pos;) m_arcs.GetNext(pos)->InitializeDrawing(view);
}

void CDrawPort::SetDiagram(CDiagram* diagram) {
  CDrawPoly::SetDiagram(diagram);
  for (CDrawText* text : {m_pLabel, m_pLnkLbl, m_pValue}) {
    if (text) text->SetDiagram(diagram);
  }
  for (POSITION pos = m_arcs.GetHeadPosition(); pos;) m_arcs.GetNext(pos)->SetDiagram(diagram);
}

CDrawObj* CDrawPort::Clone() { return CloneOrNull(*this); }

int CDrawPort::Delete() {
  if (!m_pDiagram) {
    delete this;
    return 1;
  }
  CDiagram* diagram = m_pDiagram;
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"Delete CCompositePort", 255)) return 0;
  diagram->BeginDynamicRouteChanges();
  CDrawPort* partner = nullptr;
  if (m_pAssociatedPort && m_pAssociatedPort->GetDrawState() != drawStateDeleted &&
      m_pAssociatedPort->GetDrawState() != drawStateMarked) {
    CURAssocPort::RecordUndo(this, CURAssocPort::assocPortDeleted);
    partner = m_pAssociatedPort;
  }
  const DrawObjState saved = m_drawState;
  m_drawState = drawStateMarked;
  CDrawList arcs(m_arcs);
  arcs.DeleteElements(document);
  for (CDrawText* text : {m_pValue, m_pLnkLbl, m_pLabel}) {
    if (text) text->Delete();
  }
  if (partner) partner->Delete();
  if (m_pBlock) {
    // A port the block no longer lists keeps the place it had.
    const int index = m_pBlock->GetPorts().GetIndex(this);
    if (index >= 0) {
      m_nDeletedIndex = index;
      m_pBlock->RemovePort(this);
    }
  }
  m_drawState = saved == drawStateMarked ? drawStateNormal : saved;
  // The base may destroy the port when nothing is kept for undo.
  CDrawObj::Delete();
  diagram->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
  return 1;
}

int CDrawPort::UnDelete() {
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"UnDelete Port", 255)) return 0;
  if (!CDrawObj::UnDelete()) {
    if (document) document->EndUndoRecording();
    return 0;
  }
  if (m_pBlock && !m_pBlock->GetPorts().Find(this)) m_pBlock->AddPort(this, m_nDeletedIndex);
  for (CDrawText* text : {m_pLabel, m_pLnkLbl, m_pValue}) {
    if (text && text->GetDrawState() == drawStateDeleted) text->UnDelete();
  }
  CDrawList arcs(m_arcs);
  arcs.UnDeleteElements();
  if (document) document->EndUndoRecording();
  return 1;
}

BOOL CDrawPort::UserMayAddPoints() const { return FALSE; }
BOOL CDrawPort::UserMayRemovePoints() const { return FALSE; }
void CDrawPort::AddPoint(const CPoint&, CDrawView*) {}
int CDrawPort::InsertPoint(int, const CPoint&, CDrawView*) { return 0; }
int CDrawPort::RemovePoint(int, CDrawView*) { return 0; }
int CDrawPort::RecalcBounds(CDrawView*, int) { return 0; }

void CDrawPort::EndAssocUnDelete() {}

int CDrawPort::AddPortAndComponentsToDiagram(CDiagram* diagram) {
  if (!diagram) return 0;
  CDrawDoc* document = diagram->GetDocument();
  if (document && !document->BeginUndoRecording(u"AddPortAndComponentsToDiagram", 255)) return 0;
  diagram->BeginDynamicRouteChanges();
  diagram->Add(this);
  Invalidate();
  for (CDrawText* text : {m_pLabel, m_pLnkLbl, m_pValue}) {
    if (!text) continue;
    diagram->Add(text);
    text->Invalidate();
  }
  diagram->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
  return 1;
}

void CDrawPort::IncludeArcsInList(CDrawList* list) const { list->AddTail(m_arcs); }

CPoint CDrawPort::ConnectionPoint() const { return m_nAllocPoints > 0 ? m_points[0] : m_position.TopLeft(); }

int CDrawPort::AddArc(CDrawArc* arc, int bInvalidate) {
  const bool wasEmpty = m_arcs.IsEmpty();
  if (!m_arcs.AddTail(arc)) return 1;
  if (wasEmpty && m_nUnlinkedPoints >= 1) {
    m_nPoints = m_nAllocPoints;
    if (bInvalidate) Invalidate();
  }
  return 1;
}

int CDrawPort::RemoveArc(CDrawArc* arc, int bInvalidate) {
  POSITION pos = m_arcs.Find(arc);
  if (!pos) return 0;
  m_arcs.RemoveAt(pos);
  if (m_arcs.IsEmpty() && m_nUnlinkedPoints >= 1) {
    // Repaint the whole outline away before fewer points are drawn.
    if (bInvalidate) Invalidate();
    m_nPoints = m_nUnlinkedPoints;
    if (bInvalidate) Invalidate();
  }
  return 1;
}

int CDrawPort::IsArcInConnectionList(CDrawArc* arc) { return arc && m_arcs.Find(arc) ? 1 : 0; }

int CDrawPort::IsLinked() const { return !m_arcs.IsEmpty(); }

int CDrawPort::Monitor(int mode) {
  BOOL flag;
  switch (mode) {
    case 1: flag = TRUE; break;
    case 2: flag = !m_bMonitor; break;
    case 3: return m_bMonitor;
    default: flag = FALSE; break;
  }
  if (flag != m_bMonitor) {
    m_bMonitor = flag;
    Invalidate();
  }
  return m_bMonitor;
}

int CDrawPort::IsSrcOutput() const { return 0; }
int CDrawPort::IsDestInput() const { return 0; }

ArcConnectionType CDrawPort::CanConnectArc() const {
  if (!IsSrcOutput()) return IsDestInput() ? arcConnectDestination : arcConnectNone;
  return IsDestInput() ? arcConnectBoth : arcConnectSource;
}

int CDrawPort::CanSourceValue(int) const { return 1; }

ArcDirection CDrawPort::PreferredArcDirection() { return IsDestInput() ? arcDirectionIntoInput : arcDirectionOther; }

int CDrawPort::CanCompleteArc(const CDrawArc* arc) const {
  if (!arc || arc->IsComplete()) return 0;
  const ArcConnectionType type = CanConnectArc();
  if (type == arcConnectNone) return 0;
  CDrawPort* src = arc->GetSrcOutPort();
  CDrawPort* dst = arc->GetDestInPort();
  if (src && dst) return 0;
  CDrawPort* attached = src ? src : dst;
  if (!attached || attached == this) return 0;
  // This port would take the other end.
  if (src && type == arcConnectSource) return 0;
  if (!src && type == arcConnectDestination) return 0;
  return 1;
}

int CDrawPort::IsInternal() const { return 0; }

namespace {

CDrawPort* FarEnd(const CDrawArc* arc, const CDrawPort* port) {
  return arc->GetDestInPort() == port ? arc->GetSrcOutPort() : arc->GetDestInPort();
}

}  // namespace

void CDrawPort::GetConnections(CDrawList& ports) const {
  for (POSITION pos = m_arcs.GetHeadPosition(); pos;) {
    const auto* arc = static_cast<const CDrawArc*>(m_arcs.GetNext(pos));
    if (CDrawPort* other = FarEnd(arc, this)) ports.AddTail(other);
  }
}

void CDrawPort::GetRealConnections(CDrawList& ports) const {
  // The working set grows while it is walked and holds each port once, so
  // the walk ends however the boundaries nest.
  CDrawList working;
  GetConnections(working);
  if (m_pAssociatedPort) m_pAssociatedPort->GetConnections(working);
  for (POSITION pos = working.GetHeadPosition(); pos;) {
    const POSITION at = pos;
    auto* port = static_cast<CDrawPort*>(working.GetAt(at));
    if (port != this) {
      if (CDrawPort* partner = port->GetAssociatedPort()) {
        partner->GetConnections(working);
      } else {
        ports.AddTail(port);
      }
    }
    // The next port is taken after the appending, so that ports added
    // behind the last one are walked too.
    pos = at;
    working.GetNext(pos);
  }
}

int CDrawPort::GetDirectedArcs(int bAsSource, CDrawList& arcs) const {
  int added = 0;
  for (POSITION pos = m_arcs.GetHeadPosition(); pos;) {
    auto* arc = static_cast<CDrawArc*>(m_arcs.GetNext(pos));
    const CDrawPort* end = bAsSource ? arc->GetSrcOutPort() : arc->GetDestInPort();
    if (end == this) {
      arcs.AddTail(arc);
      added = 1;
    }
  }
  return added;
}

void CDrawPort::MoveAttachedArcPointsBy(CPoint delta, CDrawView* view, int bInvalidate) {
  if (delta.x == 0 && delta.y == 0) return;
  CDrawList arcs(m_arcs);
  for (POSITION pos = arcs.GetHeadPosition(); pos;)
    static_cast<CDrawArc*>(arcs.GetNext(pos))->MovePortConnectionBy(this, delta, view, bInvalidate);
}
