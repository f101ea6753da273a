// CDiagram: OLE objects, made by the factory and pasted from data.
#include <new>
#include <utility>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/objects/DrawItem.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "platform/core/Exceptions.h"
#include "platform/ui/CmdTarget.h"

CDrawOleObj* CDiagram::MakeDrawOleObj(const CPoint& point) {
  try {
    return new CDrawOleObj(point);
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (CMemoryException&) {
    return nullptr;
  }
}

CDrawOleObj* CDiagram::PasteOLE(COleDataObject& data, int link, CPoint at) {
  if (!m_pDocument || !m_pDocument->BeginUndoRecording(link ? u"PasteLink" : u"PasteEmbedded", 255)) return nullptr;
  CWaitCursor wait;
  BeginDynamicRouteChanges();
  // Repeated pastes at one point step by one offset each.
  if (at != m_lastPastePoint) {
    m_pasteOffset = CSize(0, 0);
    m_lastPastePoint = at;
  } else {
    m_pasteOffset += GetOffsetDelta();
  }
  CPoint point = at + m_pasteOffset;
  if (m_bSnapToGrid) SnapPointToGrid(point, m_gridSize);
  CDrawOleObj* object = MakeDrawOleObj(point);
  BOOL made = FALSE;
  if (object) {
    auto* item = new CDrawItem(m_pDocument, object);
    object->SetItem(item);
    made = link ? item->CreateLinkFromData(&data)
                : (item->CreateFromData(&data) || item->CreateStaticFromData(&data));
    if (made) {
      if (item->GetType() == OT_LINK) item->UpdateLink();
      item->UpdateExtent();
    }
  }
  if (!made) {
    delete object;
    object = nullptr;
    m_pDocument->FlushUndoRecording();
    CMsgBox::Notify(20);
  } else {
    // Kept on the canvas in the diagram's own direction (the canvas test
    // normalises the rectangle).
    CRect position = object->GetPosition();
    const bool upward = position.top > position.bottom;
    ForceRectWithinBounds(position, GetRect());
    if (upward) std::swap(position.top, position.bottom);
    if (position != object->GetPosition()) object->MoveTo(position, nullptr);
    if (Add(object)) {
      object->Invalidate();
    } else {
      delete object;
      object = nullptr;
    }
  }
  EndDynamicRouteChanges();
  m_pDocument->EndUndoRecording();
  return object;
}
