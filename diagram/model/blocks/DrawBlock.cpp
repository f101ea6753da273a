#include "diagram/model/blocks/DrawBlock.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "diagram/model/blocks/AboutItem.h"
#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/objects/CloneOrNull.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawInPort.h"
#include "diagram/model/blocks/DrawOutPort.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/objects/OwnedText.h"
#include "diagram/model/objects/ShapeTools.h"
#include "diagram/model/undo/URBlock.h"
#include "diagram/model/document/ViewLink.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/ole/OleDocument.h"
#include "platform/ole/OleInsertDialog.h"
#include "platform/ui/PropertyPage.h"
#include "platform/ui/PropertySheet.h"

IMPLEMENT_SERIAL(CDrawBlock, CDrawObj, 0)

namespace {

// The caption of the block property sheet, "Block Properties".
constexpr UINT kBlockPropertiesCaption = 28037;
// The height of a port on a block's edge; ports stand 2 units apart.
constexpr int kPortHeight = 10;
constexpr int kPortPitch = kPortHeight + 2;
// The edit-lock bits of the operations that reach into a composite
// block's inner diagram.
constexpr DWORD kInnerDiagramOperations = 0x380;

}  // namespace

CDrawBlock::CDrawBlock()
    : CDrawObj(CRect(0, 0, 0, 0)),
      m_bMonitor(FALSE),
      m_nLayoutCode(0),
      m_pText1(nullptr),
      m_pNameText(nullptr),
      m_pText3(nullptr),
      m_ports(10),
      m_pInnerDiagram(nullptr),
      m_pAboutItem(nullptr) {
  m_logbrush.lbColor = RGB(0, 255, 255);
}

CDrawBlock::CDrawBlock(const CDrawBlock& other)
    : CDrawObj(other),
      m_bMonitor(other.m_bMonitor),
      m_nLayoutCode(other.m_nLayoutCode),
      m_pText1(nullptr),
      m_pNameText(nullptr),
      m_pText3(nullptr),
      m_ports(10),
      m_pInnerDiagram(nullptr),
      m_pAboutItem(nullptr),
      m_dragRect(other.m_dragRect) {
  // An inner diagram is not copied.
  if (other.m_pInnerDiagram) AfxThrowNotSupportedException(u"A composite block is not copied.");
  try {
    if (other.m_pAboutItem) {
      auto* item = new CAboutItem(static_cast<CDrawDoc*>(other.m_pAboutItem->GetDocument()), this);
      if (!item->CreateCloneFrom(other.m_pAboutItem)) {
        delete item;
        AfxThrowMemoryException();
      }
      m_pAboutItem = item;
    }
    owned_text::CopyInto(m_pText1, other.m_pText1);
    owned_text::CopyInto(m_pNameText, other.m_pNameText);
    owned_text::CopyInto(m_pText3, other.m_pText3);
    for (POSITION pos = other.m_ports.GetHeadPosition(); pos;) {
      CDrawObj* copy = other.m_ports.GetNext(pos)->Clone();
      if (!copy) AfxThrowMemoryException();
      auto* port = static_cast<CDrawPort*>(copy);
      port->m_pBlock = this;
      m_ports.AddTail(port);
    }
  } catch (...) {
    owned_text::Destroy(m_pText1);
    owned_text::Destroy(m_pNameText);
    owned_text::Destroy(m_pText3);
    DeletePorts();
    delete m_pAboutItem;
    throw;
  }
}

void CDrawBlock::DeletePorts() {
  while (!m_ports.IsEmpty()) {
    auto* port = static_cast<CDrawPort*>(m_ports.RemoveHead());
    port->m_pBlock = nullptr;
    delete port;
  }
}

CDrawBlock::~CDrawBlock() {
  if (m_bMonitor) Monitor(0);
  // The inner diagram goes first, with the internal ports and (through
  // them) their partners on the block's edge.
  if (m_pInnerDiagram) {
    delete m_pInnerDiagram;
    m_pInnerDiagram = nullptr;
  }
  owned_text::Destroy(m_pNameText);
  owned_text::Destroy(m_pText1);
  owned_text::Destroy(m_pText3);
  DeletePorts();
  CloseAboutIfOpen();
  // The item leaves its document and the block as it goes.
  delete m_pAboutItem;
}

void CDrawBlock::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(m_nLayoutCode);
    ar.WriteObject(m_pText1);
    ar.WriteObject(m_pNameText);
    ar.WriteObject(m_pText3);
    ar.WriteObject(m_pAboutItem);
    ar.WriteCount(static_cast<DWORD_PTR>(m_ports.GetCount()));
    for (POSITION pos = m_ports.GetHeadPosition(); pos;) ar.WriteObject(m_ports.GetNext(pos));
    if (m_pInnerDiagram) m_pInnerDiagram->Serialize(ar);
    return;
  }
  WORD code = 0;
  ar >> code;
  m_nLayoutCode = code;
  m_drawState = drawStateNormal;
  m_dragRect = m_position;
  m_pText1 = static_cast<CDrawText*>(ar.ReadObject(RUNTIME_CLASS(CDrawText)));
  owned_text::Claim(m_pText1);
  m_pNameText = static_cast<CDrawText*>(ar.ReadObject(RUNTIME_CLASS(CDrawText)));
  owned_text::Claim(m_pNameText);
  m_pText3 = static_cast<CDrawText*>(ar.ReadObject(RUNTIME_CLASS(CDrawText)));
  owned_text::Claim(m_pText3);
  if (GetArchiveStreamVersion(ar) >= 12) {
    auto* about = static_cast<CAboutItem*>(ar.ReadObject(RUNTIME_CLASS(CAboutItem)));
    // A description belongs to one block: one that another block holds
    // makes the stream damaged.
    if (about && about->GetBlock()) AfxThrowArchiveException(CArchiveException::badIndex);
    m_pAboutItem = about;
    if (m_pAboutItem) {
      m_pAboutItem->SetBlock(this);
      // A description read from a paste joins the document it is pasted
      // into.
      if (!m_pAboutItem->GetDocument()) {
        if (auto* document = dynamic_cast<COleDocument*>(ar.m_pDocument)) document->AddItem(m_pAboutItem);
      }
    }
  }
  m_bReadingPorts = TRUE;
  const ULONGLONG portsReadBefore = CDrawPort::ReadsStarted();
  // The port whose record names this block, when the block is read inside
  // it.
  const CDrawPort* namedBy = CDrawPort::InnermostBeingRead();
  try {
    for (DWORD_PTR count = ar.ReadCount(); count > 0; --count) {
      auto* port = static_cast<CDrawPort*>(ar.ReadObject(RUNTIME_CLASS(CDrawPort)));
      if (!port) continue;
      // A port read in full before this list is held by whoever read it
      // (a group, a diagram's list): a block never stores its ports that
      // way, so a damaged stream cannot hand it to this block, which would
      // free it with itself. The port whose record names this block is
      // this block's; any other port still being read names a block of its
      // own, which may take it.
      if (!port->WasReadSince(portsReadBefore) && port != namedBy) continue;
      // A port that another block already lists stays that block's.
      CDrawBlock* named = port->m_pBlock;
      if (named && named != this && named->m_ports.Find(port)) continue;
      port->m_pBlock = this;
      m_ports.AddTail(port);
    }
  } catch (...) {
    m_bReadingPorts = FALSE;
    // The port whose record names this block is still being read: it is
    // that read's to free, and the failed block lets go of it.
    if (namedBy && m_ports.Find(namedBy)) {
      auto* port = const_cast<CDrawPort*>(namedBy);
      m_ports -= port;
      port->m_pBlock = nullptr;
    }
    throw;
  }
  m_bReadingPorts = FALSE;
  if (m_pInnerDiagram) m_pInnerDiagram->Serialize(ar);
}

const CRect& CDrawBlock::GetPosition() const {
  return m_drawState == drawStateMoved ? m_dragRect : m_position;
}

CMenu* CDrawBlock::GetPopupMenu(CDrawView* view, CPoint point) {
  if (!view) return nullptr;
  if (viewlink::DiagramOf(view) == m_pDiagram) return viewlink::PopupMenu(view, 4);
  return m_pInnerDiagram ? m_pInnerDiagram->GetPopupMenu(view, point) : nullptr;
}

UINT CDrawBlock::GetPropertySheetCaptionID() { return kBlockPropertiesCaption; }

BOOL CDrawBlock::DoesSecurityAllow(DWORD op1, DWORD op2) const {
  if (m_pDiagram && !m_pDiagram->DoesSecurityAllow(op1, op2)) return FALSE;
  if (m_pInnerDiagram && (op1 & kInnerDiagramOperations))
    return m_pInnerDiagram->DoesSecurityAllow(op1 & kInnerDiagramOperations, op2);
  return TRUE;
}

void CDrawBlock::Draw(CDC* dc) {
  const ShapeTools tools(dc, ShapeStyle{m_logpen, m_bPen, m_bBrush, m_logbrush.lbColor, m_bHatch, GetHatchStyle(),
                                        m_crHatch});
  if (!tools.Ready()) return;
  dc->Rectangle(&m_position);
  DrawExtra(dc);
}

void CDrawBlock::DrawDragOutline(CDrawView* view, const CRect& rect) {
  viewlink::DrawFocusRect(view, rect);
}

void CDrawBlock::MoveTo(const CRect& position, CDrawView* view) {
  // The block stays where it is while it is dragged; an outline shows where
  // it will land, and FinalizeDrawing moves it there.
  if (m_drawState == drawStateNormal) InitializeDrawing(view);
  if (m_drawState == drawStateDragInitialized) {
    m_drawState = drawStateMoved;
  } else if (view) {
    DrawDragOutline(view, m_dragRect);
  }
  if (view) DrawDragOutline(view, position);
  m_dragRect = position;
}

void CDrawBlock::MoveBy(CPoint delta, int bInvalidate) {
  if (delta.x == 0 && delta.y == 0) return;
  if (bInvalidate) Invalidate();
  for (CDrawText* text : {m_pText1, m_pNameText, m_pText3}) {
    if (text) text->MoveBy(delta, bInvalidate);
  }
  m_position.OffsetRect(delta);
  m_dragRect.OffsetRect(delta);
  CDrawList ports(m_ports);
  for (POSITION pos = ports.GetHeadPosition(); pos;) ports.GetNext(pos)->MoveBy(delta, bInvalidate);
  if (bInvalidate) {
    Invalidate();
    if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
  }
}

BOOL CDrawBlock::Intersects(const CRect& rect) {
  CRect a = m_position;
  CRect b = rect;
  a.NormalizeRect();
  b.NormalizeRect();
  // A flat rectangle still meets what it crosses.
  for (CRect* r : {&a, &b}) {
    if (r->Width() == 0) r->right = r->left + 1;
    if (r->Height() == 0) r->bottom = r->top + 1;
  }
  CRect meet;
  return meet.IntersectRect(&a, &b);
}

void CDrawBlock::OnOpen(CDrawView* view) {
  if (m_pInnerDiagram) m_pInnerDiagram->OnOpen(view);
}

int CDrawBlock::OnEditPropertiesWithSheet(CPropertySheet* sheet) {
  // The description page lives until the sheet that the base runs is done.
  std::unique_ptr<CPropertyPage> about;
  if (sheet && IsAboutAllowed()) {
    about = viewlink::NewBlockAboutPage(this);
    about->m_psp.dwFlags &= ~PSP_HASHELP;
    sheet->AddPage(about.get());
  }
  const int result = CDrawObj::OnEditPropertiesWithSheet(sheet);
  if (about) sheet->RemovePage(about.get());
  return result;
}

void CDrawBlock::IncludeComponentsInList(CDrawList* list) const {
  for (CDrawText* text : {m_pText1, m_pNameText, m_pText3}) {
    if (text) list->AddTail(text);
  }
  CDrawList ports(m_ports);
  ports.IncludeElementComponents();
  list->AddTail(ports);
}

void CDrawBlock::ExcludeComponentsFromList(CDrawList* list) const {
  for (CDrawText* text : {m_pText1, m_pNameText, m_pText3}) {
    if (text) *list -= text;
  }
  CDrawList ports(m_ports);
  ports.IncludeElementComponents();
  *list -= ports;
}

void CDrawBlock::FinalizeDrawing(CRect position, CDrawView* view, int flag) {
  if (m_drawState == drawStateMoved && view) DrawDragOutline(view, m_dragRect);
  m_drawState = drawStateNormal;
  if (position == m_position) {
    m_dragRect = m_position;
    return;
  }
  Invalidate();
  const CPoint delta(position.left - m_position.left, position.top - m_position.top);
  const CSize offset(delta.x, delta.y);
  for (CDrawText* text : {m_pText1, m_pNameText, m_pText3}) {
    if (!text) continue;
    text->InitializeDrawing(view);
    text->FinalizeDrawing(text->GetPosition() + offset, view, flag);
  }
  m_position = position;
  m_dragRect = position;
  if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
  CDrawList ports(m_ports);
  for (POSITION pos = ports.GetHeadPosition(); pos;) {
    CDrawObj* port = ports.GetNext(pos);
    port->InitializeDrawing(view);
    port->FinalizeDrawing(port->GetPosition() + offset, view, flag);
  }
  Invalidate();
}

void CDrawBlock::InitializeDrawing(CDrawView* view) {
  CDrawObj::InitializeDrawing(view);
  m_dragRect = m_position;
  m_drawState = drawStateDragInitialized;
}

void CDrawBlock::SetDiagram(CDiagram* diagram) {
  CDrawObj::SetDiagram(diagram);
  for (CDrawText* text : {m_pText1, m_pNameText, m_pText3}) {
    if (text) text->SetDiagram(diagram);
  }
  for (POSITION pos = m_ports.GetHeadPosition(); pos;) m_ports.GetNext(pos)->SetDiagram(diagram);
}

CDrawObj* CDrawBlock::Clone() { return CloneOrNull(*this); }

void CDrawBlock::FlipAndOffset(int bFlip, CPoint offset) {
  FlipAndOffsetRect(m_dragRect, bFlip, offset);
  CDrawObj::FlipAndOffset(bFlip, offset);
}

int CDrawBlock::Delete() {
  if (!m_pDiagram) {
    delete this;
    return 1;
  }
  CDiagram* diagram = m_pDiagram;
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"Delete Block", 255)) return 0;
  if (m_drawState != drawStateDeleted) {
    if (m_drawState != drawStateMarked) {
      if (!CURBlock::RecordUndo(this, CURBlock::blockDeleted)) {
        if (document) document->EndUndoRecording();
        return 0;
      }
      m_drawState = drawStateMarked;
    }
    if (m_pInnerDiagram) {
      m_pInnerDiagram->MarkInternalPorts(drawStateMarked);
      m_pInnerDiagram->CloseAllInternalViews();
    }
  }
  diagram->BeginDynamicRouteChanges();
  CloseAboutIfOpen();
  if (document && document->IsDeleteContentsInProgress()) {
    diagram->EndDynamicRouteChanges();
    document->EndUndoRecording();
    delete this;
    return 1;
  }
  CDrawList ports(m_ports);
  ports.DeleteElements(document);
  for (CDrawText* text : {m_pText3, m_pText1, m_pNameText}) {
    if (text) text->Delete();
  }
  // The base may destroy the block when nothing is kept for undo.
  CDrawObj::Delete();
  diagram->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
  return 1;
}

int CDrawBlock::UnDelete() {
  CDrawDoc* document = GetDocument();
  if (document && !document->BeginUndoRecording(u"UnDelete Block", 255)) return 0;
  if (m_pInnerDiagram) m_pInnerDiagram->MarkInternalPorts(drawStateNormal);
  if (!CDrawObj::UnDelete()) {
    if (document) document->EndUndoRecording();
    return 0;
  }
  // Components that their own undo records brought back already stay as
  // they are.
  for (CDrawText* text : {m_pNameText, m_pText1, m_pText3}) {
    if (text && text->GetDrawState() == drawStateDeleted) text->UnDelete();
  }
  CDrawList ports;
  for (POSITION pos = m_ports.GetHeadPosition(); pos;) {
    CDrawObj* port = m_ports.GetNext(pos);
    if (port->GetDrawState() == drawStateDeleted) ports.AddTail(port);
  }
  ports.UnDeleteElements();
  if (document) document->EndUndoRecording();
  return 1;
}

int CDrawBlock::InitializeAs(UINT code, const CPoint& point, CDrawView* view) {
  const PortMaker ports = [](bool input, const CPoint& at, CDrawBlock* block, CDrawView* on) -> CDrawPort* {
    if (input) return new CDrawInPort(at, block, on);
    return new CDrawOutPort(at, block, on);
  };
  return LayOutAs(code, point, view, u"Block", ports);
}

int CDrawBlock::LayOutAs(UINT code, const CPoint& point, CDrawView* view, LPCWSTR name, PortMaker makePort) {
  if (!view) return 0;
  m_position = CRect(point, point);
  m_nLayoutCode = code;
  CDiagram* diagram = viewlink::DiagramOf(view);
  m_pDiagram = diagram;
  if (!m_pNameText) {
    m_pNameText = new CDrawText(name, point, view);
    m_pNameText->SetPointerToNullOnDelete(&m_pNameText);
  }
  CRect nameRect = m_pNameText->GetPosition();
  nameRect.NormalizeRect();
  m_position = CRect(nameRect.left - 5, nameRect.bottom + 5, nameRect.right + 5, nameRect.top - 5);
  // Ports go down the edges from 5 beyond the bottom edge, one pitch apart.
  int y = m_position.bottom - 5;
  int direction = 1;
  if (diagram && !diagram->IsUpwardPositive()) {
    std::swap(m_position.top, m_position.bottom);
    y = m_position.bottom + 5;
    direction = -1;
  }
  for (UINT i = 0; i < code / 100; ++i) {
    m_ports.AddTail(makePort(true, CPoint(m_position.left, y), this, view));
    y -= kPortPitch * direction;
  }
  for (UINT i = 0; i < code % 100; ++i) {
    m_ports.AddTail(makePort(false, CPoint(m_position.right, y), this, view));
    y -= kPortPitch * direction;
  }
  m_position.bottom = y;
  m_dragRect = m_position;
  MoveBy(point - m_position.TopLeft(), FALSE);
  m_oldPosition = m_position;
  SetDiagram(diagram);
  return 1;
}

int CDrawBlock::UserCanAddInPorts() const { return 1; }
int CDrawBlock::UserCanAddOutPorts() const { return 1; }

int CDrawBlock::GetNumberOfInputPorts() const {
  int count = 0;
  for (POSITION pos = m_ports.GetHeadPosition(); pos;) {
    if (static_cast<CDrawPort*>(m_ports.GetNext(pos))->IsDestInput()) ++count;
  }
  return count;
}

int CDrawBlock::GetNumberOfOutputPorts() const {
  int count = 0;
  for (POSITION pos = m_ports.GetHeadPosition(); pos;) {
    if (static_cast<CDrawPort*>(m_ports.GetNext(pos))->IsSrcOutput()) ++count;
  }
  return count;
}

int CDrawBlock::IsAboutAllowed() { return m_pInnerDiagram != nullptr; }

int CDrawBlock::AddBlockAndComponentsToDiagram(CDiagram* diagram) {
  if (!diagram) return 0;
  CDrawDoc* document = diagram->GetDocument();
  if (document && !document->BeginUndoRecording(u"AddBlockAndComponentsToDiagram", 255)) return 0;
  diagram->BeginDynamicRouteChanges();
  diagram->Add(this);
  Invalidate();
  CDrawList components;
  IncludeComponentsInList(&components);
  for (POSITION pos = components.GetHeadPosition(); pos;) {
    CDrawObj* component = components.GetNext(pos);
    diagram->Add(component);
    component->Invalidate();
  }
  CURBlock::RecordUndo(this, CURBlock::blockAdded);
  diagram->EndDynamicRouteChanges();
  if (document) document->EndUndoRecording();
  return 1;
}

namespace {

// Adds a port at the bottom of one edge of the block and lengthens the block
// by one port pitch, as one undo step; a block that then reaches past the
// canvas edge moves back onto it.
template <typename Port>
CDrawPort* AddEdgePort(CDrawBlock* block, CDrawList& ports, CRect& position, DrawObjState& state, LPCWSTR name,
                       bool leftEdge) {
  CDiagram* diagram = block->GetDiagram();
  CDrawDoc* document = block->GetDocument();
  if (document && !document->BeginUndoRecording(name, 255)) return nullptr;
  auto* port = new Port(CPoint(leftEdge ? position.left : position.right, position.bottom), block, nullptr);
  port->SetDiagram(diagram);
  ports.AddTail(port);
  if (diagram) port->AddPortAndComponentsToDiagram(diagram);
  const int step = (!diagram || diagram->IsUpwardPositive()) ? -kPortPitch : kPortPitch;
  const int bottom = position.bottom + step;
  block->InitializeReshaping(5);
  position.bottom = bottom;
  state = drawStateNormal;
  block->Invalidate();
  if (diagram) {
    diagram->UpdateObject(block, 1);
    // A block lengthened past the canvas edge moves back onto the canvas
    // in the same step.
    diagram->ForceObjectOntoCanvas(block, 1);
  }
  if (document) document->EndUndoRecording();
  return port;
}

}  // namespace

CDrawPort* CDrawBlock::AddNewInPort() {
  if (!UserCanAddInPorts()) return nullptr;
  return AddEdgePort<CDrawInPort>(this, m_ports, m_position, m_drawState, u"AddNewInPort", true);
}

CDrawPort* CDrawBlock::AddNewOutPort() {
  if (!UserCanAddOutPorts()) return nullptr;
  return AddEdgePort<CDrawOutPort>(this, m_ports, m_position, m_drawState, u"AddNewOutPort", false);
}

void CDrawBlock::DrawExtra(CDC*) {}

void CDrawBlock::AddPort(CDrawPort* port, int index) {
  if (m_pInnerDiagram && port && port->GetDiagram() == m_pInnerDiagram) {
    m_pInnerDiagram->AddInternalPort(port, -1);
    return;
  }
  if (index >= 0) {
    m_ports.InsertAtIndex(index, port);
  } else {
    m_ports.AddTail(port);
  }
}

int CDrawBlock::RemovePort(CDrawPort* port) {
  if (m_pInnerDiagram && m_pInnerDiagram->RemoveInternalPort(port)) return 1;
  POSITION pos = m_ports.Find(port);
  if (!pos) return 0;
  m_ports.RemoveAt(pos);
  return 1;
}

void CDrawBlock::OpenAbout(int bReadOnly) {
  if (!IsAboutAllowed()) return;
  if (m_pAboutItem) {
    m_pAboutItem->Open(bReadOnly);
    return;
  }
  if (bReadOnly) {
    CMsgBox::Notify(26);
    return;
  }
  CDrawDoc* document = GetDocument();
  if (!document) return;
  COleInsertDialog dialog(IOF_SELECTCREATENEW | IOF_DISABLELINK);
  if (dialog.DoModal() != IDOK) return;
  auto* item = new CAboutItem(document, this);
  BOOL made = FALSE;
  try {
    made = dialog.CreateItem(item);
  } catch (CMemoryException&) {
    made = FALSE;
  }
  if (!made) {
    delete item;
    CMsgBox::Notify(27);
    return;
  }
  m_pAboutItem = item;
  if (m_pDiagram) m_pDiagram->SetModifiedFlag(TRUE);
  item->Open(bReadOnly);
}

void CDrawBlock::EndUnDelete() {}

int CDrawBlock::Monitor(int mode) {
  BOOL flag;
  switch (mode) {
    case 1: flag = TRUE; break;
    case 2: flag = !m_bMonitor; break;
    case 3: return m_bMonitor;
    default: flag = FALSE; break;
  }
  if (flag == m_bMonitor) return m_bMonitor;
  m_bMonitor = flag;
  const int portMode = mode == 2 ? (flag ? 1 : 0) : mode;
  for (POSITION pos = m_ports.GetHeadPosition(); pos;) static_cast<CDrawPort*>(m_ports.GetNext(pos))->Monitor(portMode);
  Invalidate();
  return m_bMonitor;
}

void CDrawBlock::CloseAboutIfOpen() {
  if (!m_pAboutItem) return;
  if (CAboutItem* clone = m_pAboutItem->GetClone()) {
    m_pAboutItem->DeleteClone(clone);
  } else if (m_pAboutItem->COleClientItem::IsOpen()) {
    m_pAboutItem->Close(OLECLOSE_NOSAVE);
  }
}

void CDrawBlock::DeleteAbout() {
  CloseAboutIfOpen();
  delete m_pAboutItem;
  if (m_pDiagram) m_pDiagram->SetModifiedFlag(TRUE);
}
