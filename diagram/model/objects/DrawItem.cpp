#include "diagram/model/objects/DrawItem.h"

#include <unordered_set>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/ViewLink.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "platform/core/Archive.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"

IMPLEMENT_SERIAL(CDrawItem, COleClientItem, 0)

namespace {

// The live items, by which a pointer is known to be one without following
// it.
std::unordered_set<const CObject*>& LiveItems() {
  static std::unordered_set<const CObject*> items;
  return items;
}

// HIMETRIC (0.01 mm) to diagram units (0.01 inch).
int HimetricToUnits(int himetric) { return MulDiv(himetric, 10, 254); }

}  // namespace

namespace drawitem {

void CloseOtherInPlaceItems(COleClientItem* item) {
  CView* view = item->GetActiveView();
  COleDocument* document = item->GetDocument();
  if (!view || !document) return;
  CFrameWnd* frame = view->GetParentFrame();
  for (POSITION pos = document->GetStartPosition(); pos;) {
    auto* other = dynamic_cast<COleClientItem*>(document->GetNextItem(pos));
    if (!other || other == item || !other->IsInPlaceActive() || !other->GetActiveView()) continue;
    if (other->GetActiveView()->GetParentFrame() == frame) other->Close();
  }
}

}  // namespace drawitem

CDrawItem::CDrawItem(CDrawDoc* container, CDrawOleObj* object) : COleClientItem(container), m_pDrawObj(object) {
  LiveItems().insert(this);
}

CDrawItem::~CDrawItem() {
  LiveItems().erase(this);
  if (m_pDrawObj) m_pDrawObj->m_pClientItem = nullptr;
}

CDrawItem* CDrawItem::FromObject(const CObject* object) {
  if (!object || !LiveItems().count(object)) return nullptr;
  return const_cast<CDrawItem*>(static_cast<const CDrawItem*>(object));
}

CDrawDoc* CDrawItem::GetDocument() const { return static_cast<CDrawDoc*>(COleClientItem::GetDocument()); }

CDrawView* CDrawItem::GetActiveView() const { return viewlink::AsDrawView(COleClientItem::GetActiveView()); }

BOOL CDrawItem::UpdateExtent() {
  CSize extent;
  if (!GetExtent(&extent)) return FALSE;
  if (!m_pDrawObj || extent == m_pDrawObj->m_extent) return TRUE;
  CDrawOleObj* object = m_pDrawObj;
  const CRect old = object->m_position;
  CRect position = old;
  // An extent with a side that is not positive (none yet, or a damaged
  // stream's) gives no ratio to scale by: the object is sized afresh.
  if (object->m_extent.cx <= 0 || object->m_extent.cy <= 0) {
    CDiagram* diagram = object->GetDiagram();
    if (!diagram && GetDocument()) diagram = GetDocument()->GetActiveDiagram();
    const bool upward = !diagram || diagram->IsUpwardPositive();
    position.right = position.left + HimetricToUnits(extent.cx);
    const int height = HimetricToUnits(extent.cy);
    position.bottom = upward ? position.top - height : position.top + height;
  } else if (!IsInPlaceActive()) {
    position.right = position.left + MulDiv(old.right - old.left, extent.cx, object->m_extent.cx);
    position.bottom = position.top + MulDiv(old.bottom - old.top, extent.cy, object->m_extent.cy);
  }
  object->m_extent = extent;
  if (position != old) {
    object->Invalidate();
    object->m_position = position;
    if (CDiagram* diagram = object->GetDiagram()) {
      diagram->BeginDynamicRouteChanges();
      diagram->UpdateObject(object, 1);
      diagram->EndDynamicRouteChanges();
    }
  }
  object->Invalidate();
  return TRUE;
}

void CDrawItem::Serialize(CArchive& ar) { COleClientItem::Serialize(ar); }

BOOL CDrawItem::IsBlank() const {
  return !m_pDrawObj || m_pDrawObj->GetDrawState() == drawStateDeleted || COleClientItem::IsBlank();
}

void CDrawItem::OnChange(OLE_NOTIFICATION notification, DWORD param) {
  COleClientItem::OnChange(notification, param);
  if (!m_pDrawObj) return;
  switch (notification) {
    case OLE_CHANGED:
      UpdateExtent();
      m_pDrawObj->Invalidate();
      break;
    case OLE_CHANGED_STATE:
    case OLE_CHANGED_ASPECT:
      m_pDrawObj->Invalidate();
      break;
    default:
      break;
  }
}

void CDrawItem::OnGetItemPosition(CRect& position) {
  if (!m_pDrawObj) {
    position.SetRectEmpty();
    return;
  }
  if (m_pDrawObj->m_extent == CSize(0, 0)) UpdateExtent();
  position = m_pDrawObj->m_position;
  if (CDrawView* view = GetActiveView()) viewlink::DocToClient(view, position);
}

BOOL CDrawItem::OnChangeItemPosition(const CRect& position) {
  CDrawView* view = GetActiveView();
  if (m_pDrawObj && view) {
    CRect rect(position);
    viewlink::ClientToDoc(view, rect);
    if (rect != m_pDrawObj->m_position) {
      m_pDrawObj->Invalidate();
      m_pDrawObj->m_position = rect;
      CSize extent;
      if (GetExtent(&extent)) m_pDrawObj->m_extent = extent;
      m_pDrawObj->Invalidate();
      if (CDiagram* diagram = m_pDrawObj->GetDiagram()) {
        diagram->BeginDynamicRouteChanges();
        diagram->UpdateObject(m_pDrawObj, 1);
        diagram->EndDynamicRouteChanges();
      } else if (CDrawDoc* document = GetDocument()) {
        document->SetModifiedFlag(TRUE);
      }
    }
  }
  return COleClientItem::OnChangeItemPosition(position);
}

void CDrawItem::OnDeactivateUI(BOOL undoable) {
  COleClientItem::OnDeactivateUI(undoable);
  if (GetMiscStatus() & OLEMISC_INSIDEOUT) DoVerb(OLEIVERB_HIDE, nullptr);
}

BOOL CDrawItem::CanActivate() { return COleClientItem::CanActivate(); }

void CDrawItem::OnActivate() {
  drawitem::CloseOtherInPlaceItems(this);
  COleClientItem::OnActivate();
}
