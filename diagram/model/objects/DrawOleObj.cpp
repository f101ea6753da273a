#include "diagram/model/objects/DrawOleObj.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/ViewLink.h"
#include "diagram/model/objects/CloneOrNull.h"
#include "diagram/model/objects/DrawItem.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/ole/OleDocument.h"
#include "platform/ole/OlePropertiesDialog.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/RectTracker.h"
#include "platform/ui/WindowApi.h"

IMPLEMENT_SERIAL(CDrawOleObj, CDrawObj, 0)

BOOL CDrawOleObj::c_bShowItems = TRUE;

CDrawOleObj::CDrawOleObj() : m_extent(0, 0) {}

CDrawOleObj::CDrawOleObj(const CPoint& point) : CDrawObj(CRect(point, point)), m_extent(0, 0) {
  m_bPen = FALSE;
  m_bBrush = FALSE;
}

CDrawOleObj::CDrawOleObj(const CDrawOleObj& other) : CDrawObj(other), m_extent(other.m_extent) {
  if (!other.m_pClientItem) return;
  CWaitCursor wait;
  auto* item = new CDrawItem(other.m_pClientItem->GetDocument(), this);
  try {
    if (!item->CreateCloneFrom(other.m_pClientItem)) AfxThrowMemoryException();
  } catch (...) {
    delete item;
    throw;
  }
  m_pClientItem = item;
}

CDrawOleObj::~CDrawOleObj() {
  if (!m_pClientItem) return;
  // The item lets go of the object first, so that closing it tells the
  // object nothing while it goes.
  CDrawItem* item = m_pClientItem;
  m_pClientItem = nullptr;
  item->SetDrawObj(nullptr);
  if (item->IsOpen() || item->IsInPlaceActive()) item->Close(OLECLOSE_NOSAVE);
  delete item;
}

void CDrawOleObj::SetItem(CDrawItem* item) {
  m_pClientItem = item;
  if (item) item->SetDrawObj(this);
}

void CDrawOleObj::CloseItemIfOpen() {
  if (m_pClientItem && (m_pClientItem->IsOpen() || m_pClientItem->IsInPlaceActive()))
    m_pClientItem->Close(OLECLOSE_NOSAVE);
}

void CDrawOleObj::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_extent;
    ar << static_cast<CObject*>(m_pClientItem);
    return;
  }
  ar >> m_extent;
  auto* item = static_cast<CDrawItem*>(ar.ReadObject(RUNTIME_CLASS(CDrawItem)));
  // Every object owns an item of its own: a stream that gives none, or one
  // that another object holds, is damaged.
  if (!item || item->GetDrawObj()) AfxThrowArchiveException(CArchiveException::badIndex);
  SetItem(item);
  // An item read from a paste joins the document it is pasted into.
  if (!item->GetDocument()) {
    if (auto* document = dynamic_cast<COleDocument*>(ar.m_pDocument)) document->AddItem(item);
  }
}

void CDrawOleObj::Draw(CDC* dc) {
  if (!m_pClientItem) return;
  m_pClientItem->Draw(dc, &m_position);
  if (dc->IsPrinting()) return;
  CRect rect(m_position);
  dc->LPtoDP(&rect);
  CRectTracker tracker(&rect, 0);
  if (c_bShowItems) {
    tracker.m_nStyle |= m_pClientItem->GetType() == OT_LINK ? CRectTracker::dottedLine : CRectTracker::solidLine;
  }
  const UINT state = m_pClientItem->GetItemState();
  if (state == COleClientItem::openState || state == COleClientItem::activeUIState)
    tracker.m_nStyle |= CRectTracker::hatchInside;
  tracker.Draw(dc);
}

void CDrawOleObj::MoveTo(const CRect& position, CDrawView* view) {
  if (position == m_position) return;
  CDrawObj::MoveTo(position, view);
  if (m_pClientItem && m_pClientItem->IsInPlaceActive()) m_pClientItem->SetItemRects();
}

void CDrawOleObj::OnOpen(CDrawView* view) {
  if (!m_pClientItem) return;
  CWaitCursor wait;
  const LONG verb = ::GetKeyState(VK_CONTROL) < 0 ? OLEIVERB_OPEN : OLEIVERB_PRIMARY;
  m_pClientItem->DoVerb(verb, viewlink::ViewOf(view));
}

void CDrawOleObj::OnEditProperties(CWnd* parent) {
  if (!m_pClientItem) return;
  COlePropertiesDialog dialog(m_pClientItem, 100, 100, parent);
  dialog.DoModal();
}

CDrawObj* CDrawOleObj::Clone() { return CloneOrNull(*this); }

int CDrawOleObj::Delete() {
  CDrawDoc* document = GetDocument();
  if (!document) return CDrawObj::Delete();
  if (!document->BeginUndoRecording(u"Delete Ole Object", 255)) return 0;
  CloseItemIfOpen();
  // The base may free the object: nothing of it is used after.
  const int deleted = CDrawObj::Delete();
  document->EndUndoRecording();
  return deleted ? 1 : 0;
}
