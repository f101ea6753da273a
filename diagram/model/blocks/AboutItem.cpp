#include "diagram/model/blocks/AboutItem.h"

#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/objects/DrawItem.h"
#include "platform/core/Archive.h"
#include "platform/ole/OleDocument.h"
#include "platform/ui/MessageApi.h"

IMPLEMENT_SERIAL(CAboutItem, COleClientItem, 0)

COleDocument* CAboutItem::c_pScratchDoc = nullptr;
UINT_PTR CAboutItem::c_uTimerID = 0;
BOOL CAboutItem::c_bNotifying = FALSE;

CAboutItem::CAboutItem() : m_pBlock(nullptr), m_pClone(nullptr), m_pSource(nullptr) {}

CAboutItem::CAboutItem(CDrawDoc* document, CDrawBlock* block)
    : COleClientItem(document), m_pBlock(block), m_pClone(nullptr), m_pSource(nullptr) {}

CAboutItem::CAboutItem(CAboutItem* source, COleDocument* scratch)
    : COleClientItem(scratch), m_pBlock(nullptr), m_pClone(nullptr), m_pSource(source) {}

CAboutItem::~CAboutItem() {
  if (m_pSource) {
    if (m_pSource->m_pClone == this) m_pSource->m_pClone = nullptr;
    m_pSource = nullptr;
  }
  if (m_pClone) DeleteClone(m_pClone);
  if (m_pBlock && m_pBlock->m_pAboutItem == this) m_pBlock->m_pAboutItem = nullptr;
}

BOOL CAboutItem::IsOpen() const { return COleClientItem::IsOpen() || (m_pClone && m_pClone->COleClientItem::IsOpen()); }

BOOL CAboutItem::Open(int bReadOnly) {
  if (IsOpen() && !IsReadOnly()) {
    CMsgBox::Notify(1);
    return FALSE;
  }
  if (!bReadOnly) {
    if (m_pClone) DeleteClone(m_pClone);
    return DoVerb(OLEIVERB_OPEN, nullptr);
  }
  if (IsOpen()) {
    CMsgBox::Notify(2);
    return FALSE;
  }
  if (!c_pScratchDoc) {
    c_pScratchDoc = new COleDocument;
    c_pScratchDoc->EnableCompoundFile();
    if (!c_pScratchDoc->OnNewDocument()) {
      COleDocument* scratch = c_pScratchDoc;
      c_pScratchDoc = nullptr;
      scratch->OnCloseDocument();
      return FALSE;
    }
  }
  if (!m_pClone) {
    auto* clone = new CAboutItem(this, c_pScratchDoc);
    if (!clone->CreateCloneFrom(this)) {
      delete clone;
      return FALSE;
    }
    m_pClone = clone;
  }
  if (!m_pClone->DoVerb(OLEIVERB_OPEN, nullptr)) {
    DeleteClone(m_pClone);
    return FALSE;
  }
  return TRUE;
}

BOOL CAboutItem::DeleteClone(CAboutItem* clone) {
  if (!clone || clone != m_pClone) return FALSE;
  m_pClone = nullptr;
  clone->m_pSource = nullptr;
  delete clone;
  if (c_pScratchDoc && !c_pScratchDoc->GetStartPosition()) {
    COleDocument* scratch = c_pScratchDoc;
    c_pScratchDoc = nullptr;
    scratch->SetModifiedFlag(FALSE);
    scratch->OnCloseDocument();
  }
  return TRUE;
}

void CAboutItem::CleanUpClones(HWND, UINT, UINT_PTR, DWORD) {
  ::KillTimer(nullptr, c_uTimerID);
  c_uTimerID = 0;
  // Each clone that is closed goes; the scratch document goes with the last.
  while (c_pScratchDoc) {
    CAboutItem* closed = nullptr;
    for (POSITION pos = c_pScratchDoc->GetStartPosition(); pos && !closed;) {
      auto* clone = dynamic_cast<CAboutItem*>(c_pScratchDoc->GetNextItem(pos));
      if (clone && clone->m_pSource && !clone->COleClientItem::IsOpen()) closed = clone;
    }
    if (!closed) break;
    closed->m_pSource->DeleteClone(closed);
  }
}

void CAboutItem::OnChange(OLE_NOTIFICATION notification, DWORD param) {
  COleClientItem::OnChange(notification, param);
  if (((notification == OLE_CHANGED || notification == OLE_SAVED) && param == DVASPECT_CONTENT) && IsReadOnly() &&
      !c_bNotifying) {
    c_bNotifying = TRUE;
    CMsgBox::Notify(3);
    c_bNotifying = FALSE;
  }
  if (notification == OLE_CLOSED && !m_pClone && m_pSource && !c_uTimerID)
    c_uTimerID = ::SetTimer(nullptr, 0, 1, &CAboutItem::CleanUpClones);
}

void CAboutItem::Serialize(CArchive& ar) { COleClientItem::Serialize(ar); }

BOOL CAboutItem::IsBlank() const {
  return !m_pBlock || m_pBlock->GetDrawState() == drawStateDeleted || COleClientItem::IsBlank();
}

void CAboutItem::OnDeactivateUI(BOOL undoable) {
  COleClientItem::OnDeactivateUI(undoable);
  if (GetMiscStatus() & OLEMISC_INSIDEOUT) DoVerb(OLEIVERB_HIDE, nullptr);
}

BOOL CAboutItem::CanActivate() { return COleClientItem::CanActivate(); }

void CAboutItem::OnActivate() {
  drawitem::CloseOtherInPlaceItems(this);
  COleClientItem::OnActivate();
}
