// CDrawView: OLE drag and drop over the view, with a focus rectangle that
// shows where the dragged objects would land.
#include "diagram/model/canvas/Diagram.h"
#include "diagram/ui/DrawView.h"
#include "platform/ole/DragDrop.h"
#include "platform/ole/ObjectDescriptor.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/WindowDC.h"

namespace {

// The view update hint that repaints the selection.
constexpr LPARAM kHintSelection = 30;

// HIMETRIC (hundredths of a mm) as document units (hundredths of an inch).
LONG FromHimetric(LONG value) { return MulDiv(value, 100, 2540); }

}  // namespace

int CDrawView::GetObjectInfo(COleDataObject* data, CSize* size, CSize* offset) {
  *size = CSize(0, 0);
  *offset = CSize(0, 0);
  HGLOBAL block = data ? data->GetGlobalData(static_cast<CLIPFORMAT>(m_cfObjectDescriptor)) : nullptr;
  if (!block) return 0;
  OBJECTDESCRIPTOR descriptor{};
  const bool whole = GlobalSize(block) >= sizeof(OBJECTDESCRIPTOR);
  if (whole) descriptor = *static_cast<const OBJECTDESCRIPTOR*>(GlobalLock(block));
  GlobalUnlock(block);
  GlobalFree(block);
  if (!whole) return 0;
  *size = CSize(FromHimetric(descriptor.sizel.cx), FromHimetric(descriptor.sizel.cy));
  *offset = CSize(FromHimetric(descriptor.pointl.x), FromHimetric(descriptor.pointl.y));
  if (m_pDiagram && m_pDiagram->IsUpwardPositive()) {
    size->cy = -size->cy;
    offset->cy = -offset->cy;
  }
  return 1;
}

CRect CDrawView::ComputeCurrentDragItemRect(CPoint point, CSize size, CSize offset) {
  CRect item(point.x - offset.cx, point.y - offset.cy, point.x - offset.cx + size.cx, point.y - offset.cy + size.cy);
  DocToClient(item);
  item.OffsetRect(GetDeviceScrollPosition());
  if (item.Width() == 0) item.right = item.left + 1;
  if (item.Height() == 0) item.bottom = item.top + 1;
  return item;
}

BOOL CDrawView::IsDragWithinDiagram(COleDataObject*, const CRect& diagramRect, const CRect& itemRect, const CPoint&) {
  return itemRect.left >= diagramRect.left && itemRect.top >= diagramRect.top && itemRect.right <= diagramRect.right &&
         itemRect.bottom <= diagramRect.bottom;
}

void CDrawView::DisplayDragOverUserFeedback(const CRect& itemRect, BOOL draw) {
  if (m_bDragRectShown && itemRect == m_dragItemRect) return;
  CClientDC dc(this);
  const CPoint scroll = GetDeviceScrollPosition();
  if (m_bDragRectShown) {
    CRect shown = m_dragItemRect;
    shown.OffsetRect(-scroll);
    dc.DrawFocusRect(&shown);  // drawn again, it goes
    m_bDragRectShown = FALSE;
  }
  m_dragItemRect = itemRect;
  if (draw) {
    CRect shown = itemRect;
    shown.OffsetRect(-scroll);
    dc.DrawFocusRect(&shown);
    m_bDragRectShown = TRUE;
  }
}

DROPEFFECT CDrawView::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) {
  m_bDragDataAcceptable = FALSE;
  m_prevDropEffect = DROPEFFECT_NONE;
  m_nDragFormat = -1;
  if (!m_pDiagram || !data) return DROPEFFECT_NONE;
  for (int i = 0;; ++i) {
    const WORD format = m_pDiagram->GetClipboardFormat(i);
    if (!format) break;
    if (data->IsDataAvailable(format)) {
      m_nDragFormat = i;
      break;
    }
  }
  // Other data are dropped as an OLE object when one can be made of them.
  if (m_nDragFormat < 0 && !COleClientItem::CanCreateFromData(data) && !COleClientItem::CanCreateLinkFromData(data))
    return DROPEFFECT_NONE;
  // Objects whose size the data do not give cannot be placed.
  GetObjectInfo(data, &m_dragSize, &m_dragOffset);
  if (m_dragSize == CSize(0, 0) && m_dragOffset == CSize(0, 0)) return DROPEFFECT_NONE;
  m_bDragDataAcceptable = TRUE;
  DROPEFFECT effect = OnDragOver(data, keyState, point);
  if (m_nDragFormat > 0 && effect != DROPEFFECT_NONE) effect = DROPEFFECT_COPY;
  m_prevDropEffect = effect;
  return effect;
}

DROPEFFECT CDrawView::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
  if (!m_bDragDataAcceptable || !m_pDiagram) return DROPEFFECT_NONE;
  DROPEFFECT effect = DROPEFFECT_NONE;
  if (keyState & MK_CONTROL)
    effect = DROPEFFECT_COPY;
  else if (keyState & (MK_SHIFT | MK_ALT))
    effect = DROPEFFECT_MOVE;
  else
    effect = m_pDiagram->IsInDrag() ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
  if (m_nDragFormat > 0) effect = DROPEFFECT_COPY;

  CSize size = m_dragSize;
  CSize offset = m_dragOffset;
  if (m_pDiagram->IsInDrag() && (effect & DROPEFFECT_MOVE)) m_pDiagram->GetDragSizeAndOffset(size, offset);
  CPoint at = point;
  ClientToDoc(at);
  if (m_pDiagram->IsSnapToGridEnabled()) m_pDiagram->SnapToGrid(at);
  const CRect item = ComputeCurrentDragItemRect(at, size, offset);
  CRect canvas = GetDiagramRect();
  DocToClient(canvas);
  canvas.OffsetRect(GetDeviceScrollPosition());
  if (!IsDragWithinDiagram(data, canvas, item, point)) effect = DROPEFFECT_NONE;
  DisplayDragOverUserFeedback(item, effect != DROPEFFECT_NONE);
  m_prevDropEffect = effect;
  return effect;
}

void CDrawView::OnDragLeave() {
  if (m_bDragRectShown) {
    CClientDC dc(this);
    CRect shown = m_dragItemRect;
    shown.OffsetRect(-GetDeviceScrollPosition());
    dc.DrawFocusRect(&shown);
    m_bDragRectShown = FALSE;
  }
  m_dragItemRect.SetRectEmpty();
}

BOOL CDrawView::OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) {
  CWaitCursor wait;
  BOOL dropped = FALSE;
  // A block is never moved into its own inner diagram.
  const bool move = (effect & DROPEFFECT_MOVE) != 0;
  if (effect != DROPEFFECT_NONE && m_bDragDataAcceptable && m_pDiagram && !(move && m_pDiagram->IsHostInDrag(nullptr))) {
    CSize size;
    CSize offset;
    bool known = true;
    if (move && m_pDiagram->IsInDrag())
      m_pDiagram->GetDragSizeAndOffset(size, offset);
    else
      known = GetObjectInfo(data, &size, &offset) != 0;
    if (known) {
      CPoint at = point;
      ClientToDoc(at);
      if (m_pDiagram->IsSnapToGridEnabled()) m_pDiagram->SnapToGrid(at);
      at -= offset;
      OnUpdate(nullptr, kHintSelection, nullptr);
      m_selection.RemoveAll();
      if (m_pDiagram->Drop(data, effect, at, m_selection)) {
        m_selection.ExcludeNonSelectables();
        OnUpdate(nullptr, kHintSelection, nullptr);
        dropped = TRUE;
      }
    }
  }
  OnDragLeave();
  return dropped;
}
