#include "diagram/model/objects/DrawObj.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/canvas/QuadTree.h"
#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/model/document/ViewLink.h"
#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/CloneOrNull.h"
#include "diagram/model/undo/URAttributes.h"
#include "diagram/model/undo/URObject.h"
#include "diagram/model/undo/UndoRecordingScope.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/ui/PropertySheet.h"

IMPLEMENT_SERIAL(CDrawObj, CObject, 0)

namespace {

// The caption of the shape property sheet.
constexpr UINT kShapePropertiesCaption = 28036;
// Half the side of a selection handle, in pixels.
constexpr int kHandleHalf = 3;
// The widest pen a stream may hold: as far as any canvas reaches, so that
// an outline grown by half of it stays a coordinate.
constexpr LONG kMaxPenWidth = 0x3FFFFFFF;

CRect Normalized(CRect r) {
  r.NormalizeRect();
  return r;
}

}  // namespace

CDrawObj::CDrawObj()
    : m_bPen(FALSE),
      m_logpen{PS_INSIDEFRAME, {1, 1}, 0},
      m_bBrush(FALSE),
      m_logbrush{BS_SOLID, RGB(192, 192, 192), 0},
      m_bHatch(FALSE),
      m_crHatch(0),
      m_pDiagram(nullptr),
      m_drawState(drawStateNormal),
      m_pGroup(nullptr),
      m_wMark(0),
      m_nZIndex(-1) {
  m_oldPosition = m_position;
}

CDrawObj::CDrawObj(const CRect& position) : CDrawObj() {
  m_bPen = TRUE;
  m_bBrush = TRUE;
  m_position = position;
  m_oldPosition = position;
}

CDrawObj::CDrawObj(const CDrawObj& other)
    : CObject(),
      m_bPen(other.m_bPen),
      m_logpen(other.m_logpen),
      m_bBrush(other.m_bBrush),
      m_logbrush(other.m_logbrush),
      m_bHatch(other.m_bHatch),
      m_crHatch(other.m_crHatch),
      m_pDiagram(other.m_pDiagram),
      m_drawState(other.m_drawState),
      m_position(other.m_position),
      m_oldPosition(other.m_oldPosition),
      m_pGroup(other.m_pGroup),
      m_wMark(0),
      m_nZIndex(-1) {}

CDrawObj::~CDrawObj() {
  if (m_pGroup && m_drawState != drawStateDeleted) m_pGroup->Remove(this);
  if (m_pDiagram) {
    m_pDiagram->Expunge(this);
    m_pDiagram = nullptr;
  }
  // A node of the tree must never keep a destroyed object, even one left
  // behind while the diagram's tree was switched off.
  if (IsInQuadTree()) RemoveFromAllQuads();
}

void CDrawObj::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_position;
    ar << static_cast<WORD>(m_bPen);
    ar << m_logpen;
    ar << static_cast<WORD>(m_bBrush);
    ar << m_logbrush;
    ar << static_cast<WORD>(m_bHatch);
    ar << static_cast<DWORD>(m_crHatch);
    return;
  }
  CDrawDoc* document = DYNAMIC_DOWNCAST(CDrawDoc, ar.m_pDocument);
  m_pDiagram = document ? document->GetActiveDiagram() : nullptr;
  WORD flag = 0;
  ar >> m_position;
  ar >> flag;
  m_bPen = flag;
  ar >> m_logpen;
  if (std::abs(int64_t{m_logpen.lopnWidth.x}) > kMaxPenWidth || std::abs(int64_t{m_logpen.lopnWidth.y}) > kMaxPenWidth) {
    AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName.GetString());
  }
  ar >> flag;
  m_bBrush = flag;
  ar >> m_logbrush;
  if (GetArchiveStreamVersion(ar) >= 14) {
    ar >> flag;
    m_bHatch = flag;
    DWORD color = 0;
    ar >> color;
    m_crHatch = color;
  }
  m_oldPosition = m_position;
}

const CRect& CDrawObj::GetPosition() const { return m_position; }

int CDrawObj::GetHandleCount() const { return 8; }

CPoint CDrawObj::GetHandle(int handle) {
  const CRect& r = m_position;
  const int xc = r.left + (r.right - r.left) / 2;
  const int yc = r.top + (r.bottom - r.top) / 2;
  switch (handle) {
    case 2: return CPoint(xc, r.top);
    case 3: return CPoint(r.right, r.top);
    case 4: return CPoint(r.right, yc);
    case 5: return CPoint(r.right, r.bottom);
    case 6: return CPoint(xc, r.bottom);
    case 7: return CPoint(r.left, r.bottom);
    case 8: return CPoint(r.left, yc);
    default: return CPoint(r.left, r.top);
  }
}

CRect CDrawObj::GetHandleRect(int handle, CDrawView* view) {
  CPoint point = GetHandle(handle);
  if (!view) {
    // Without a view there is no pixel size: the handle is a square of the
    // same number of document units, in the diagram's y direction.
    CRect r(point.x - kHandleHalf, point.y - kHandleHalf, point.x + kHandleHalf, point.y + kHandleHalf);
    if (m_pDiagram && m_pDiagram->IsUpwardPositive()) std::swap(r.top, r.bottom);
    return r;
  }
  // Converted through the view, so handles keep their pixel size at every
  // zoom.
  viewlink::DocToClient(view, point);
  CRect r(point.x - kHandleHalf, point.y - kHandleHalf, point.x + kHandleHalf, point.y + kHandleHalf);
  viewlink::ClientToDoc(view, r);
  return r;
}

HCURSOR CDrawObj::GetHandleCursor(int handle) const {
  if (!UserMayReshape()) return ::LoadCursor(nullptr, IDC_ARROW);
  bool flip = m_pDiagram ? !m_pDiagram->IsUpwardPositive() : false;
  if (m_position.top < m_position.bottom) flip = !flip;
  if (m_position.left > m_position.right) flip = !flip;
  LPCTSTR id;
  switch (handle) {
    case 2:
    case 6: id = IDC_SIZENS; break;
    case 4:
    case 8: id = IDC_SIZEWE; break;
    case 3:
    case 7: id = flip ? IDC_SIZENWSE : IDC_SIZENESW; break;
    default: id = flip ? IDC_SIZENESW : IDC_SIZENWSE; break;
  }
  return ::LoadCursor(nullptr, id);
}

SIZE CDrawObj::GetExtraSize4LineWidth() { return SIZE{0, 0}; }

BOOL CDrawObj::Selectable() const { return !IsInGroup(); }
BOOL CDrawObj::Draggable() const { return TRUE; }
BOOL CDrawObj::Deleteable() const { return TRUE; }
BOOL CDrawObj::Groupable() const { return TRUE; }
BOOL CDrawObj::Copyable() const { return TRUE; }
BOOL CDrawObj::UserMayReshape() const { return TRUE; }

CRect CDrawObj::BoundingRectOf(const CRect& position) {
  const SIZE extra = GetExtraSize4LineWidth();
  CRect r(std::min(position.left, position.right) - extra.cx, std::max(position.top, position.bottom) + extra.cy,
          std::max(position.left, position.right) + extra.cx, std::min(position.top, position.bottom) - extra.cy);
  if (m_pDiagram && !m_pDiagram->IsUpwardPositive()) std::swap(r.top, r.bottom);
  return r;
}

CRect CDrawObj::GetBoundingRect() { return BoundingRectOf(m_position); }

CRect CDrawObj::GetOldBoundingRect() { return BoundingRectOf(m_oldPosition); }

CRect CDrawObj::GetBoundingRectIncludingComponents() const {
  CRect extent = const_cast<CDrawObj*>(this)->GetBoundingRect();
  CDrawList components;
  IncludeComponentsInList(&components);
  for (POSITION pos = components.GetHeadPosition(); pos;) {
    if (CDrawObj* component = components.GetNext(pos)) GrowExtentToBoundRect(extent, component->GetBoundingRect());
  }
  return extent;
}

CRect CDrawObj::GetDraggingRect() { return GetBoundingRectIncludingComponents(); }

CMenu* CDrawObj::GetPopupMenu(CDrawView* view, CPoint) { return view ? viewlink::PopupMenu(view, 0) : nullptr; }

UINT CDrawObj::GetPropertySheetCaptionID() { return kShapePropertiesCaption; }

BOOL CDrawObj::DoesSecurityAllow(DWORD op1, DWORD op2) const {
  return m_pDiagram ? m_pDiagram->DoesSecurityAllow(op1, op2) : TRUE;
}

void CDrawObj::Draw(CDC*) {}

void CDrawObj::DrawTracker(CDC* dc, TrackerState state) {
  if (state == normal) return;
  for (int handle = 1; handle <= GetHandleCount(); ++handle) {
    CPoint point = GetHandle(handle);
    dc->LPtoDP(&point);
    CRect r(point.x - kHandleHalf, point.y - kHandleHalf, point.x + kHandleHalf, point.y + kHandleHalf);
    dc->DPtoLP(&r);
    dc->PatBlt(r.left, r.top, r.Width(), r.Height(), DSTINVERT);
  }
}

void CDrawObj::InvalidateIn(CDrawView* view) {
  if (view) {
    viewlink::InvalidateObject(view, this);
  } else {
    Invalidate();
  }
}

void CDrawObj::MoveTo(const CRect& position, CDrawView* view) {
  if (position == m_position) return;
  InvalidateIn(view);
  m_position = position;
  InvalidateIn(view);
  SetDiagramModified();
}

void CDrawObj::MoveBy(CPoint delta, int bInvalidate) {
  if (delta.x == 0 && delta.y == 0) return;
  if (!bInvalidate) {
    m_position.OffsetRect(delta);
    return;
  }
  Invalidate();
  m_position.OffsetRect(delta);
  Invalidate();
  if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
}

int CDrawObj::HitTest(CPoint point, CDrawView* view, int bSelected) const {
  if (!bSelected) {
    const CRect r = Normalized(m_position);
    return (r.left <= point.x && point.x <= r.right && r.top <= point.y && point.y <= r.bottom) ? 1 : 0;
  }
  // A selected object is hit on its handles only: x half-open to the right,
  // y half-open toward the handle rectangle's bottom edge in the diagram's
  // own direction.
  auto* self = const_cast<CDrawObj*>(this);
  for (int handle = 1; handle <= GetHandleCount(); ++handle) {
    const CRect r = self->GetHandleRect(handle, view);
    const bool inX = r.left <= point.x && point.x < r.right;
    bool inY = false;
    if (r.top < r.bottom) {
      inY = r.top <= point.y && point.y < r.bottom;
    } else if (r.top > r.bottom) {
      inY = r.bottom < point.y && point.y <= r.top;
    }
    if (inX && inY) return handle;
  }
  return 0;
}

BOOL CDrawObj::Intersects(const CRect& rect) {
  // The two share an area (IntersectRect's answer, without its result).
  const CRect a = Normalized(m_position);
  const CRect b = Normalized(rect);
  if (a.right <= a.left || a.bottom <= a.top || b.right <= b.left || b.bottom <= b.top) return FALSE;
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

BOOL CDrawObj::BoundedBy(const CRect& rect) const {
  // Containment by the edges, so that a rectangle of no width or height is
  // tested too (a union would ignore it as empty).
  const CRect a = Normalized(m_position);
  const CRect b = Normalized(rect);
  return a.left >= b.left && a.right <= b.right && a.top >= b.top && a.bottom <= b.bottom;
}

void CDrawObj::MoveHandleTo(int handle, CPoint point, CDrawView* view) {
  CRect r = m_position;
  switch (handle) {
    case 2: r.top = point.y; break;
    case 3: r.right = point.x; r.top = point.y; break;
    case 4: r.right = point.x; break;
    case 5: r.right = point.x; r.bottom = point.y; break;
    case 6: r.bottom = point.y; break;
    case 7: r.left = point.x; r.bottom = point.y; break;
    case 8: r.left = point.x; break;
    default: r.left = point.x; r.top = point.y; break;
  }
  MoveTo(r, view);
}

void CDrawObj::FlagsMoveHandleTo(int handle, CPoint point, CDrawView* view, UINT) {
  if (m_pDiagram) m_pDiagram->ForcePointOnDiagram(point);
  MoveHandleTo(handle, point, view);
}

void CDrawObj::OnOpen(CDrawView*) {}

void CDrawObj::OnEditProperties(CWnd* parent) {
  CDrawDoc* document = GetDocument();
  if (!document || !document->BeginUndoRecording(u"Edit Object Properties", 255)) return;
  m_pDiagram->BeginDynamicRouteChanges();
  CPropertySheet sheet(GetPropertySheetCaptionID(), parent);
  sheet.m_psh.dwFlags &= ~PSH_HASHELP;
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  OnEditPropertiesWithSheet(&sheet);
  m_pDiagram->EndDynamicRouteChanges();
  document->EndUndoRecording();
}

int CDrawObj::OnEditPropertiesWithSheet(CPropertySheet* sheet) {
  if (!m_pDiagram) return 2;
  CDrawList objects;
  objects.AddTail(this);
  return m_pDiagram->DoGeneralPropertyPage(objects, sheet);
}

void CDrawObj::ViewInvalidate(CDrawView* view) const {
  CRect r = const_cast<CDrawObj*>(this)->GetBoundingRect();
  viewlink::DocToClient(view, r);
  ViewInflateForSelect(view, r);
  r.InflateRect(1, 1);
  viewlink::InvalidateClientRect(view, r);
}

void CDrawObj::ViewInflateForSelect(CDrawView* view, CRect& rect) const {
  // The handles stick out of the object by a few pixels.
  if (viewlink::IsActive(view) && viewlink::IsSelected(view, this)) rect.InflateRect(4, 5, 5, 4);
}

void CDrawObj::IncludeComponentsInList(CDrawList*) const {}
void CDrawObj::ExcludeComponentsFromList(CDrawList*) const {}

void CDrawObj::SnapToGrid(CDrawView* view, int bMoveTo) {
  if (!m_pDiagram) return;
  const CRect& position = GetPosition();
  const CPoint corner(std::min(position.left, position.right),
                      m_pDiagram->IsUpwardPositive() ? std::max(position.top, position.bottom)
                                                     : std::min(position.top, position.bottom));
  CPoint snapped = corner;
  m_pDiagram->SnapToGrid(snapped);
  const CSize delta = snapped - corner;
  if (bMoveTo) {
    MoveTo(position + delta, view);
  } else {
    MoveBy(CPoint(delta), 0);
  }
}

void CDrawObj::IncludeAttachmentDrawPorts(CDrawList*) {}
void CDrawObj::ExcludeAttachmentDrawPorts(CDrawList*) {}

void CDrawObj::FinalizeDrawing(CRect position, CDrawView* view, int flag) {
  MoveTo(position, view);
  // Repaint where the object was when the drag began, then where it is.
  m_position = m_oldPosition;
  Invalidate();
  if (position != m_oldPosition) {
    m_position = position;
    Invalidate();
  }
  if (m_pDiagram) m_pDiagram->UpdateObject(this, flag);
}

void CDrawObj::InitializeDrawing(CDrawView*) { m_oldPosition = m_position; }

void CDrawObj::SetDiagram(CDiagram* diagram) { m_pDiagram = diagram; }

CDrawObj* CDrawObj::Clone() { return CloneOrNull(*this); }

void CDrawObj::FlipAndOffset(int bFlip, CPoint offset) {
  FlipAndOffsetRect(m_position, bFlip, offset);
  FlipAndOffsetRect(m_oldPosition, bFlip, offset);
}

void CDrawObj::FlipAndOffsetRect(CRect& rect, int bFlip, CPoint offset) {
  if (bFlip) {
    rect.top = -rect.top;
    rect.bottom = -rect.bottom;
  }
  rect.OffsetRect(offset);
}

BOOL CDrawObj::IsUndoBeingDiscarded() const {
  CDrawDoc* document = GetDocument();
  return document && (document->IsUndoRecordingDisabled() || document->IsDeleteContentsInProgress());
}

int CDrawObj::Delete() {
  if (!m_pDiagram) {
    delete this;
    return 1;
  }
  if (m_drawState != drawStateDeleted && !CURDeleteObj::RecordUndo(this)) return 0;
  Invalidate();
  // When nothing is kept for undo the object goes at once; an object that a
  // delete record refers to is kept in the trash for that record to free.
  if (IsUndoBeingDiscarded() && !CURDeleteObj::IsReferenced(this)) {
    delete this;
    return 1;
  }
  if (m_pGroup) {
    // Leave the group but remember it, so that undelete can put the object
    // back.
    CDrawGroup* group = m_pGroup;
    m_nGroupIndex = group->IndexOfMember(this);
    group->Remove(this);
    m_pGroup = group;
  }
  const int index = m_pDiagram->DelObj(this);
  if (index != -1) m_nZIndex = index;
  m_drawState = drawStateDeleted;
  return 1;
}

int CDrawObj::UnDelete() {
  if (!m_pDiagram) return 1;
  if (!m_pDiagram->UnDelObj(this)) return 0;
  Invalidate();
  if (m_drawState == drawStateDeleted) m_drawState = drawStateNormal;
  if (m_pGroup) m_pGroup->Add(this, m_nGroupIndex);
  return 1;
}

int CDrawObj::InitializeRepositioning() {
  if (!CURRepositioning::RecordUndo(this)) return 0;
  InitializeDrawing(nullptr);
  return 1;
}

int CDrawObj::InitializeReshaping(int handle) {
  if (!CURReshaping::RecordUndo(this, handle)) return 0;
  InitializeDrawing(nullptr);
  return 1;
}

UINT CDrawObj::GetPenStyle() const { return m_bPen ? m_logpen.lopnStyle : PS_NULL; }

CDrawDoc* CDrawObj::GetDocument() const { return m_pDiagram ? m_pDiagram->GetDocument() : nullptr; }

void CDrawObj::Invalidate() {
  if (m_pDiagram) m_pDiagram->UpdateDiagramViews(nullptr, CDrawHint::objectChanged, this);
}

void CDrawObj::SetDiagramModified() {
  if (m_pDiagram) m_pDiagram->SetModifiedFlag(TRUE);
}

namespace {

// The pattern of the plain attribute setters: without a diagram only the
// field changes; with one the undo record comes first (refused: 0, nothing
// changed), then the field, a repaint and the modified mark.
template <typename Record, typename Apply>
int SetAttribute(CDrawObj* object, Record record, Apply apply) {
  if (!object->GetDiagram()) {
    apply();
    return 1;
  }
  if (!record(object)) return 0;
  apply();
  object->Invalidate();
  object->GetDiagram()->SetModifiedFlag(TRUE);
  return 1;
}

}  // namespace

int CDrawObj::SetLineColor(COLORREF color) {
  return SetAttribute(this, CURLineColor::RecordUndo, [&] { m_logpen.lopnColor = color; });
}

int CDrawObj::SetFillColor(COLORREF color) {
  return SetAttribute(this, CURFillColor::RecordUndo, [&] { m_logbrush.lbColor = color; });
}

int CDrawObj::SetHatchColor(COLORREF color) {
  return SetAttribute(this, CURHatchColor::RecordUndo, [&] { m_crHatch = color; });
}

int CDrawObj::SetHatchStyle(LONG style) {
  return SetAttribute(this, CURHatchStyle::RecordUndo, [&] { m_logbrush.lbHatch = static_cast<ULONG_PTR>(style); });
}

int CDrawObj::EnableFill(BOOL enable) {
  return SetAttribute(this, CUREnableFill::RecordUndo, [&] { m_bBrush = enable; });
}

int CDrawObj::EnableHatch(BOOL enable) {
  return SetAttribute(this, CUREnableHatch::RecordUndo, [&] { m_bHatch = enable; });
}

namespace {

// Wide pens are drawn solid: a width above 0 turns the dashed and dotted
// styles into PS_SOLID.
void MakeWidePenSolid(LOGPEN& pen) {
  const UINT style = pen.lopnStyle;
  if (pen.lopnWidth.x > 0 && style != PS_SOLID && style != PS_NULL && style != PS_INSIDEFRAME) pen.lopnStyle = PS_SOLID;
}

// The outline setters: as SetAttribute, but the outline bounds the object.
// A narrower outline leaves the wider one behind unless it is erased first
// (`narrowing`), and a bounding rectangle that changed updates the object
// in the diagram. What a dynamic router lays again for the new outline
// belongs to the same undo step.
template <typename Apply>
int SetOutline(CDrawObj* object, bool narrowing, Apply apply) {
  CDiagram* diagram = object->GetDiagram();
  if (!diagram) {
    apply();
    return 1;
  }
  CUndoRecordingScope recording(diagram->GetDocument());
  if (!recording.Begin(u"CURPenSizeStyle")) return 0;
  recording.BeginRouteChanges(diagram);
  if (!CURPenSizeStyle::RecordUndo(object)) return 0;
  const CRect before = object->GetBoundingRect();
  if (narrowing) object->Invalidate();
  apply();
  object->Invalidate();
  if (object->GetBoundingRect() == before) {
    diagram->SetModifiedFlag(TRUE);
  } else {
    diagram->UpdateObject(object, 1);
    // A wider outline at the canvas edge takes the object in; an undo puts
    // back an outline that fitted where the object was.
    const CDrawDoc* document = diagram->GetDocument();
    if (!(document && document->IsDoingUndoOrRedo())) diagram->ForceObjectOntoCanvas(object, 1);
  }
  recording.End();
  return 1;
}

}  // namespace

int CDrawObj::SetPenSize(UINT width) {
  const LONG w = static_cast<LONG>(width);
  return SetOutline(this, m_bPen && w < m_logpen.lopnWidth.x, [&] {
    m_logpen.lopnWidth = POINT{w, w};
    MakeWidePenSolid(m_logpen);
  });
}

int CDrawObj::SetPenStyle(UINT style, UINT width) {
  if (style > PS_INSIDEFRAME) return 0;
  LOGPEN pen = m_logpen;
  BOOL enabled = TRUE;
  if (style == PS_NULL) {
    // The null style only switches the outline off.
    enabled = FALSE;
  } else {
    pen.lopnStyle = style;
    const LONG w = (style == PS_SOLID || style == PS_INSIDEFRAME) ? static_cast<LONG>(width) : 0;
    pen.lopnWidth = POINT{w, w};
  }
  return SetOutline(this, m_bPen && pen.lopnWidth.x < m_logpen.lopnWidth.x, [&] {
    m_logpen = pen;
    m_bPen = enabled;
  });
}

void CDrawObj::AddQuadReference(QuadTreeNode* node) { m_quadRefs.push_back(node); }

void CDrawObj::RemoveQuadReference(QuadTreeNode* node) {
  m_quadRefs.erase(node);
}

void CDrawObj::RemoveFromAllQuads() {
  // Each node takes the object out of its list and drops its own reference.
  const size_t count = m_quadRefs.size();
  for (size_t i = 0; i < count && !m_quadRefs.empty(); ++i) m_quadRefs.front()->RemoveObjFromNode(this);
  m_quadRefs.clear();
}

BOOL CDrawObj::ReAddToAllQuads() {
  const std::vector<QuadTreeNode*> nodes = m_quadRefs.ToVector();
  RemoveFromAllQuads();
  BOOL taken = FALSE;
  for (QuadTreeNode* node : nodes) {
    if (node->AddedObject(this)) taken = TRUE;
  }
  return taken;
}
