#include "diagram/model/Diagram.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <new>
#include <utility>
#include <vector>

#include "diagram/model/ArchiveEncoding.h"
#include "diagram/model/BlockFormat.h"
#include "diagram/model/DrawArc.h"
#include "diagram/model/DrawBlock.h"
#include "diagram/model/DrawPort.h"
#include "diagram/model/DrawDoc.h"
#include "diagram/model/DrawGroup.h"
#include "diagram/model/DrawHint.h"
#include "diagram/model/DrawPoly.h"
#include "diagram/model/DrawRect.h"
#include "diagram/model/DrawText.h"
#include "diagram/model/MsgBox.h"
#include "diagram/model/PrinterSetupInfo.h"
#include "diagram/model/TextFont.h"
#include "diagram/model/URDiagram.h"
#include "diagram/model/URObject.h"
#include "diagram/model/UndoRecordingScope.h"
#include "diagram/routing/CellArcRouter.h"
#include "diagram/routing/ProgressDlg.h"
#include "diagram/routing/SegmentArcRouter.h"
#include "diagram/routing/SharedPathArcRouter.h"
#include "diagram/ui/ArcRouteAutoDlg.h"
#include "diagram/ui/ArcRouteDlg.h"
#include "diagram/ui/ArcRouteGeneralDlg.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/Failed2RouteDlg.h"
#include "diagram/ui/RectDlg.h"
#include "platform/ui/PropertySheet.h"
#include "platform/core/Exceptions.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/DC.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WinApp.h"

namespace {

CRect Normalized(CRect r) {
  r.NormalizeRect();
  return r;
}

bool Contains(const CRect& outer, const CRect& inner) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

// The position of the element at `index` (0 <= index < count), walked to
// from the nearer end of the list.
POSITION PositionOfIndex(const CDrawList& list, INT_PTR index) {
  const INT_PTR count = list.GetCount();
  if (index < count / 2) return list.FindIndex(index);
  POSITION pos = list.GetTailPosition();
  for (INT_PTR i = count - 1; i > index; --i) list.GetPrev(pos);
  return pos;
}

// The place of the element at `position`, counted from the nearer end of
// the list: the walk costs the distance to that end.
int IndexOfPosition(const CDrawList& list, POSITION position) {
  POSITION back = position;
  POSITION front = position;
  list.GetPrev(back);
  list.GetNext(front);
  int before = 0;
  int after = 0;
  while (back && front) {
    list.GetPrev(back);
    ++before;
    list.GetNext(front);
    ++after;
  }
  if (!back) return before;
  // The walk toward the tail ended first: count from there.
  while (front) {
    list.GetNext(front);
    ++after;
  }
  return static_cast<int>(list.GetCount()) - 1 - after;
}

// An operation this build does not have throws CNotSupportedException
// saying so, instead of pretending to succeed.
[[noreturn]] void NotBuilt(LPCWSTR reason) { AfxThrowNotSupportedException(reason); }

}  // namespace

// Class-wide options, until the host's GetProfile gives its own.
int CDiagram::m_nArcFlags4OrthogonalLines = 0;
BOOL CDiagram::m_bAllowArcPencilMode = FALSE;
BOOL CDiagram::m_bCaptureArcCreation = FALSE;
UINT CDiagram::m_nDefaultArcAutoRouteMode = 0;
UINT CDiagram::m_nDefaultArcAutoRouteMethod = 1;
BOOL CDiagram::m_bCanArcRoutingBeCancelled = TRUE;
BOOL CDiagram::m_bArcToolSingleUse = FALSE;
BOOL CDiagram::m_bMoveUsesOleDragAndDrop = FALSE;
int CDiagram::m_nRouteWhat = 0;
BOOL CDiagram::m_bSelectedArcs = TRUE;
BOOL CDiagram::m_bSelectedNodes = TRUE;
BOOL CDiagram::m_bSelectedBlocks = TRUE;
UINT CDiagram::m_nManualRouteMethod = 1;
UINT CDiagram::m_nLastValidAutoRouteMethod = 1;
UINT CDiagram::m_nLastValidAutoRouteMode = 1;
short CDiagram::m_shDefaultOrientation = 1;
short CDiagram::m_shDefaultPaperSize = 1;
CSize CDiagram::m_pageSize(850, 1100);
BYTE CDiagram::m_hMaxPages = 0;
BYTE CDiagram::m_vMaxPages = 0;
WORD CDiagram::m_cfDraw = 0;
AutoRouteOption CDiagram::m_autoRouteOption;

void GrowExtentToBoundRect(CRect& extent, const CRect& rect) {
  if (extent.IsRectNull()) {
    extent = rect;
    return;
  }
  bool downward;
  if (extent.top != extent.bottom) {
    downward = extent.top < extent.bottom;
  } else {
    downward = rect.top < rect.bottom;
  }
  const int low = std::min({extent.top, extent.bottom, rect.top, rect.bottom});
  const int high = std::max({extent.top, extent.bottom, rect.top, rect.bottom});
  const int left = std::min({extent.left, extent.right, rect.left, rect.right});
  const int right = std::max({extent.left, extent.right, rect.left, rect.right});
  extent = CRect(left, downward ? low : high, right, downward ? high : low);
}

CDiagram::CDiagram(CDrawObj* host)
    : m_pHostObj(host),
      m_pDocument(nullptr),
      m_crPaper(RGB(255, 255, 255)),
      m_objects(10),
      m_trash(10),
      m_views(10),
      m_hPages(1),
      m_vPages(1),
      m_pBlockFormat(nullptr),
      m_gridSize(10, 10),
      m_bSnapToGrid(1),
      m_gridLineInterval(10, 10),
      m_bUseQuadTree(1),
      m_lastPasteCopyTime(static_cast<LONG>(std::time(nullptr))),
      m_bCrossLabels(0),
      m_pRouter(nullptr),
      m_bInDrag(0),
      m_pDragList(nullptr) {
  if (m_hMaxPages == 0) UpdatePrinterPageSize(nullptr);
  m_shSavedOrientation = m_shDefaultOrientation;
  m_shSavedPaperSize = m_shDefaultPaperSize;
  m_savedPageSize = m_pageSize;
  m_savedHMaxPages = m_hMaxPages;
  m_savedVMaxPages = m_vMaxPages;
}

CDiagram::~CDiagram() {
  delete m_pRouter;
  m_pRouter = nullptr;
  DeleteContents();
  // Every view that shows the diagram lets go of it, with or without a
  // document.
  UpdateDiagramViews(nullptr, CDrawHint::diagramDestroyed, nullptr);
}

// The small virtuals a derived diagram may change.
int CDiagram::GetCanvasMode() const { return 0; }
BOOL CDiagram::IsUpwardPositive() const { return TRUE; }

CSize CDiagram::GetOffsetDelta() const {
  return CSize(m_gridSize.cx, IsUpwardPositive() ? -m_gridSize.cy : m_gridSize.cy);
}

CSize CDiagram::GetMaxCanvasSize() const {
  if (CDrawDoc::m_bUsePrinterDefaults) return CSize(m_hMaxPages, m_vMaxPages);
  return CSize(m_savedHMaxPages, m_savedVMaxPages);
}

WORD CDiagram::GetClipboardFormat(int index) const { return index == 0 ? m_cfDraw : 0; }
const CObject* CDiagram::GetClipboardOther(int) { return nullptr; }
CMenu* CDiagram::GetPopupMenu(CDrawView* view, CPoint) { return view ? view->GetPopupMenu(6) : nullptr; }
int CDiagram::GetDefaultDistanceBetweenNeighborPorts() const { return 12; }
BOOL CDiagram::DoesSecurityAllow(DWORD op1, DWORD op2) const { return m_lock.IsAllowed(op1, op2); }
void CDiagram::SetDocument(CDrawDoc* document) { m_pDocument = document; }

void CDiagram::SetModifiedFlag(BOOL modified) {
  if (m_pDocument) m_pDocument->SetModifiedFlag(modified);
}

CPoint CDiagram::NewBlockPlacementPoint() {
  if (m_lastClickPoint != m_placementAnchor) {
    // The user clicked since the last placement: start from the click.
    m_placementAnchor = m_lastClickPoint;
    CPoint point = m_lastClickPoint;
    ForcePointOnDiagram(point);
    m_placementOffset = point - m_placementAnchor;
    return point;
  }
  m_placementOffset += GetOffsetDelta();
  CPoint point = m_placementAnchor + m_placementOffset;
  const CRect canvas = GetRect();
  const int width = m_size.cx;
  const int height = m_size.cy;
  if (width > 0) {
    while (point.x >= canvas.right) point.x -= width;
  }
  if (height > 0) {
    if (IsUpwardPositive()) {
      while (point.y <= canvas.bottom) point.y += height;
    } else {
      while (point.y >= canvas.bottom) point.y -= height;
    }
  }
  if (m_bSnapToGrid) SnapToGrid(point);
  return point;
}

// The object list.

int CDiagram::Add(CDrawObj* object) {
  if (!object) return 0;
  // The recording closes however the add ends, so that an add that throws
  // (memory for the list, the tree or the router) leaves no recording open
  // for every later command to fold into.
  CUndoRecordingScope recording(m_pDocument);
  if (!recording.Begin(u"Add Obj to Diagram")) return 0;
  CDiagram* previous = object->GetDiagram();
  object->SetDiagram(this);
  if (!CURAddToDoc::RecordUndo(object)) {
    object->SetDiagram(previous);
    recording.End();
    return 0;
  }
  Insert(object);
  if (m_pRouter) m_pRouter->AddObj(object);
  recording.End();
  return 1;
}

void CDiagram::Insert(CDrawObj* object) {
  // An object already on the canvas keeps its place; inserting it again
  // would corrupt the z-order.
  if (m_objects.Find(object)) return;
  const int count = static_cast<int>(m_objects.GetCount());
  const int index = object->GetZIndex();
  if (index >= 0 && index < count) {
    POSITION pos = PositionOfIndex(m_objects, index);
    m_objects.InsertBefore(pos, object);
    // Everything from the displaced object on moves one place to the front.
    for (; pos;) {
      CDrawObj* behind = m_objects.GetNext(pos);
      behind->SetZIndex(behind->GetZIndex() + 1);
    }
  } else {
    object->SetZIndex(count);
    m_objects.AddTail(object);
  }
  GrowExtentToBoundRect(m_rcExtent, object->GetBoundingRect());
  if (m_bUseQuadTree) m_quadTree.UpdateObject(object);
  SetModifiedFlag(TRUE);
}

void CDiagram::LoadFailAnythingInappropriate(CDrawList&) {}

int CDiagram::Remove(CDrawObj* object) {
  int index = -1;
  if (POSITION at = m_objects.Find(object)) {
    POSITION pos = at;
    m_objects.GetNext(pos);
    if (m_bDeletingContents) {
      // Nothing is renumbered while the contents go: the object's z-index
      // is still the place it had when they began to go.
      index = object->GetZIndex();
    } else {
      // Everything in front of it moves one place back; counting those
      // objects gives its place.
      int following = 0;
      for (; pos; ++following) {
        CDrawObj* next = m_objects.GetNext(pos);
        next->SetZIndex(next->GetZIndex() - 1);
      }
      index = static_cast<int>(m_objects.GetCount()) - 1 - following;
    }
    m_objects.RemoveAt(at);
    SetModifiedFlag(TRUE);
    if (m_bUseQuadTree || object->IsInQuadTree()) m_quadTree.RemoveObject(object);
  }
  if (m_objects.IsEmpty()) m_rcExtent.SetRectEmpty();
  if (m_pRouter) m_pRouter->RemoveObj(object);
  UpdateDiagramViews(nullptr, CDrawHint::objectRemoved, object);
  return index;
}

int CDiagram::DelObj(CDrawObj* object) {
  const int index = Remove(object);
  if (index != -1) m_trash.AddTail(object);
  return index;
}

int CDiagram::UnDelObj(CDrawObj* object) {
  if (!Add(object)) return 0;
  m_trash -= object;
  return 1;
}

void CDiagram::Expunge(CDrawObj* object) {
  Remove(object);
  if (m_pLoadingElements) *m_pLoadingElements -= object;
  if (m_pDocument) m_pDocument->RemoveLoadFailure(object);
  if (m_pDragList) {
    // A set keeps its index through its own members.
    if (auto* set = DYNAMIC_DOWNCAST(ObSetList, m_pDragList))
      *set -= object;
    else if (POSITION pos = m_pDragList->Find(object))
      m_pDragList->RemoveAt(pos);
  }
  m_trash -= object;
}

void CDiagram::UpdateObject(CDrawObj* object, int updateQuadTree) {
  GrowExtentToBoundRect(m_rcExtent, object->GetBoundingRect());
  if (updateQuadTree && m_bUseQuadTree) UpdateQuadTree(object);
  if (m_pRouter) m_pRouter->UpdateObj(object);
  SetModifiedFlag(TRUE);
}

void CDiagram::UpdateQuadTree(CDrawObj* object) {
  // Only an object the tree holds is filed again: one in the trash or not
  // yet inserted must not enter the index by being moved.
  if (object->IsInQuadTree()) m_quadTree.UpdateObject(object);
}

BOOL CDiagram::DoesTrashInclude(CDrawObj* object) const { return m_trash.Find(object) != nullptr; }

int CDiagram::GetObjectsInRect(CRect rect, CDrawList& out) {
  rect.NormalizeRect();
  if (rect.IsRectEmpty()) return 0;
  const int64_t area = static_cast<int64_t>(rect.Width()) * rect.Height();
  const int64_t canvas = static_cast<int64_t>(m_size.cx) * m_size.cy;
  if (m_bUseQuadTree && area < canvas / 2) {
    m_quadTree.GetObjectsInRect(rect, out, 0);
    return 1;
  }
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    if (object->Intersects(rect)) out.AddTail(object);
  }
  return 0;
}

CDrawObj* CDiagram::ObjectAt(CDrawView* view, const CPoint& point, const CRuntimeClass* kind) {
  const CRect rect = view->GetDocSenstivityRectForClientPoint(point);
  const bool fromTree = m_bUseQuadTree != 0;
  CDrawList treeCandidates;
  if (fromTree) {
    m_quadTree.GetObjectsInRect(rect, treeCandidates, 0);
    SortInDrawOrder(treeCandidates);
  }
  const CDrawList& candidates = fromTree ? treeCandidates : m_objects;
  for (POSITION pos = candidates.GetTailPosition(); pos;) {
    CDrawObj* object = candidates.GetPrev(pos);
    if (!object->Selectable()) continue;
    if (!fromTree && !object->Intersects(rect)) continue;
    if (!kind || object->IsKindOf(kind)) return object;
  }
  return nullptr;
}

void CDiagram::SortInDrawOrder(CDrawList& objects) {
  const int count = static_cast<int>(objects.GetCount());
  if (count < 2) return;
  if (static_cast<INT_PTR>(count) * 16 < m_objects.GetCount()) {
    // A few objects of a large diagram: each object on the canvas has its
    // place as its z-index (and while the contents are being deleted,
    // z-indexes still rise with the place), so sorting by them gives the
    // drawing order without a walk over the canvas.
    std::vector<CDrawObj*> listed;
    listed.reserve(static_cast<size_t>(count));
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CDrawObj* object = objects.GetNext(pos);
      if (m_objects.Find(object)) listed.push_back(object);
    }
    std::stable_sort(listed.begin(), listed.end(),
                     [](const CDrawObj* a, const CDrawObj* b) { return a->GetZIndex() < b->GetZIndex(); });
    objects.RemoveAll();
    for (CDrawObj* object : listed) objects.AddTail(object);
    return;
  }
  std::vector<CDrawObj*> listed;
  listed.reserve(static_cast<size_t>(count));
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->SetMark(1);
    listed.push_back(object);
  }
  objects.RemoveAll();
  int taken = 0;
  for (POSITION pos = m_objects.GetHeadPosition(); pos && taken < count;) {
    CDrawObj* object = m_objects.GetNext(pos);
    if (!object->GetMark()) continue;
    objects.AddTail(object);
    object->SetMark(0);
    ++taken;
  }
  // Listed objects that are not on the canvas drop out; their marks must not
  // linger.
  if (taken < count) {
    for (CDrawObj* object : listed) object->SetMark(0);
  }
}

CRect CDiagram::ComputeDrawingExtent(const CDrawList* objects) {
  const CDrawList& list = objects ? *objects : m_objects;
  m_rcExtent.SetRectEmpty();
  bool first = true;
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    CDrawObj* object = list.GetNext(pos);
    if (!object) continue;
    const CRect r = object->GetBoundingRect();
    if (first) {
      m_rcExtent = r;
      first = false;
    } else {
      GrowExtentToBoundRect(m_rcExtent, r);
    }
  }
  return m_rcExtent;
}

// Z-order.

int CDiagram::ChangeZorder(CDrawObj* object, UINT index) {
  POSITION at = m_objects.Find(object);
  if (!at) return 0;
  // The object's z-index is its place; one out of range is counted.
  int current = object->GetZIndex();
  if (current < 0 || current >= m_objects.GetCount()) current = IndexOfPosition(m_objects, at);
  if (!CURChangeZorder::RecordUndo(object)) return 0;
  const int64_t target = index;
  // The walks start at the object and go as far as it moves.
  POSITION insertBefore = nullptr;
  int64_t place = target;
  if (target <= current) {
    // Moving back: the objects from the target place up to the old one move
    // one place to the front; the object goes in before the one at the
    // target place (or stays where it is).
    insertBefore = at;
    m_objects.GetNext(insertBefore);
    POSITION pos = at;
    m_objects.GetPrev(pos);
    for (int64_t i = current; i > target && pos; --i) {
      insertBefore = pos;
      CDrawObj* other = m_objects.GetPrev(pos);
      other->SetZIndex(other->GetZIndex() + 1);
    }
  } else {
    // Moving forward: as many following objects as the distance move one
    // place to the back; the object goes in after the last of them, at the
    // end when the walk reaches it.
    POSITION pos = at;
    m_objects.GetNext(pos);
    for (int64_t i = current; i < target && pos; ++i) {
      CDrawObj* other = m_objects.GetNext(pos);
      other->SetZIndex(other->GetZIndex() - 1);
    }
    insertBefore = pos;
  }
  m_objects.RemoveAt(at);
  if (!insertBefore) {
    place = m_objects.GetCount();
    m_objects.AddTail(object);
  } else {
    m_objects.InsertBefore(insertBefore, object);
  }
  object->SetZIndex(static_cast<int>(place));
  object->Invalidate();
  SetModifiedFlag(TRUE);
  return 1;
}

int CDiagram::MoveToFront(CDrawObj* object) { return ChangeZorder(object, 0xFFFFFFFFu); }

int CDiagram::MoveToBack(CDrawObj* object) { return ChangeZorder(object, 0); }

namespace {

// The objects that overlap a rectangle, in drawing order.
CDrawList OverlappingInDrawOrder(CDiagram& diagram, const CRect& rect) {
  CDrawList objects;
  if (diagram.GetObjectsInRect(rect, objects)) diagram.SortInDrawOrder(objects);
  return objects;
}

}  // namespace

int CDiagram::MoveFoward(CDrawObj* object, int withComponents) {
  if (!object) return 0;
  if (!withComponents) {
    const CDrawList overlapping = OverlappingInDrawOrder(*this, object->GetBoundingRect());
    for (POSITION pos = overlapping.GetHeadPosition(); pos;) {
      CDrawObj* other = overlapping.GetNext(pos);
      if (other->GetZIndex() > object->GetZIndex()) return ChangeZorder(object, static_cast<UINT>(other->GetZIndex()));
    }
    return 0;
  }
  CUndoRecordingScope recording(m_pDocument);
  if (!recording.Begin(u"MoveToFront")) return 0;
  CDrawList group;
  group.AddTail(object);
  object->IncludeComponentsInList(&group);
  CDrawList candidates = OverlappingInDrawOrder(*this, object->GetBoundingRectIncludingComponents());
  candidates -= group;
  CDrawObj* inFront = nullptr;
  for (POSITION pos = candidates.GetHeadPosition(); pos && !inFront;) {
    CDrawObj* other = candidates.GetNext(pos);
    if (other->GetZIndex() > object->GetZIndex()) inFront = other;
  }
  if (inFront) {
    const int target = inFront->GetZIndex();
    SortInDrawOrder(group);
    for (POSITION pos = group.GetHeadPosition(); pos;) {
      CDrawObj* member = group.GetNext(pos);
      if (member->GetZIndex() < target) ChangeZorder(member, static_cast<UINT>(target));
    }
  }
  recording.End();
  return 1;
}

int CDiagram::MoveBack(CDrawObj* object, int withComponents) {
  if (!object) return 0;
  if (!withComponents) {
    const CDrawList overlapping = OverlappingInDrawOrder(*this, object->GetBoundingRect());
    for (POSITION pos = overlapping.GetTailPosition(); pos;) {
      CDrawObj* other = overlapping.GetPrev(pos);
      if (other->GetZIndex() < object->GetZIndex()) return ChangeZorder(object, static_cast<UINT>(other->GetZIndex()));
    }
    return 0;
  }
  CUndoRecordingScope recording(m_pDocument);
  if (!recording.Begin(u"MoveToBack")) return 0;
  CDrawList group;
  group.AddTail(object);
  object->IncludeComponentsInList(&group);
  CDrawList candidates = OverlappingInDrawOrder(*this, object->GetBoundingRectIncludingComponents());
  candidates -= group;
  CDrawObj* behind = nullptr;
  for (POSITION pos = candidates.GetTailPosition(); pos && !behind;) {
    CDrawObj* other = candidates.GetPrev(pos);
    if (other->GetZIndex() < object->GetZIndex()) behind = other;
  }
  if (behind) {
    const int target = behind->GetZIndex();
    SortInDrawOrder(group);
    for (POSITION pos = group.GetTailPosition(); pos;) {
      CDrawObj* member = group.GetPrev(pos);
      if (member->GetZIndex() > target) ChangeZorder(member, static_cast<UINT>(target));
    }
  }
  recording.End();
  return 1;
}

// Geometry, grid and canvas.

CRect CDiagram::GetRect() const {
  const int cx = m_size.cx;
  const int cy = m_size.cy;
  CRect r;
  switch (GetCanvasMode()) {
    case 0: r = CRect(-cx / 2, -cy / 2, cx - cx / 2, cy - cy / 2); break;
    case 1: r = CRect(0, 0, cx, cy); break;
    default: return CRect();
  }
  if (IsUpwardPositive()) std::swap(r.top, r.bottom);
  return r;
}

CSize CDiagram::GetPageSize() const { return CDrawDoc::m_bUsePrinterDefaults ? m_pageSize : m_savedPageSize; }

CSize CDiagram::GetGridLineSpacing() const {
  return CSize(m_gridSize.cx * m_gridLineInterval.cx, m_gridSize.cy * m_gridLineInterval.cy);
}

int CDiagram::SetGrid(CSize gridSize, CSize lineInterval) {
  if (!CURGridSizeLineInterval::RecordUndo(this)) return 0;
  const CSize oldSpacing = GetGridLineSpacing();
  m_gridSize = gridSize;
  m_gridLineInterval = lineInterval;
  if (GetGridLineSpacing() != oldSpacing) UpdateDiagramViews(nullptr, CDrawHint::gridChanged, nullptr);
  return 1;
}

int CDiagram::SnapCoordinate(int value, int step) {
  if (step <= 0) return value;
  if (value >= 0) return ((value + step / 2) / step) * step;
  return ((value - (step - 1) / 2) / step) * step;
}

void CDiagram::SnapPointToGrid(CPoint& point, CSize step) {
  point.x = SnapCoordinate(point.x, step.cx);
  point.y = SnapCoordinate(point.y, step.cy);
}

void CDiagram::SnapToGrid(CPoint& point) const {
  point.x = SnapCoordinate(point.x, m_gridSize.cx);
  point.y = SnapCoordinate(point.y, m_gridSize.cy);
}

void CDiagram::ClampPoint(CPoint& point, CRect bounds) const {
  bounds.NormalizeRect();
  const CSize step = m_bSnapToGrid ? m_gridSize : CSize(0, 0);
  const CPoint before = point;
  if (point.x < bounds.left) point.x = bounds.left + (step.cx - 1) / 2;
  if (point.x > bounds.right) point.x = bounds.right - step.cx / 2;
  if (point.y < bounds.top) point.y = bounds.top + (step.cy - 1) / 2;
  if (point.y > bounds.bottom) point.y = bounds.bottom - step.cy / 2;
  if (point != before && step.cx != 0 && step.cy != 0) SnapToGrid(point);
}

void CDiagram::ForcePointOnDiagram(CPoint& point) const { ClampPoint(point, GetRect()); }

void CDiagram::ForceRectWithinBounds(CRect& rect, CRect bounds) const {
  rect.NormalizeRect();
  CPoint farCorner(rect.right, rect.bottom);
  const CPoint farBefore = farCorner;
  ClampPoint(farCorner, bounds);
  CPoint nearCorner(rect.left, rect.top);
  nearCorner += farCorner - farBefore;
  ClampPoint(nearCorner, bounds);
  rect.OffsetRect(nearCorner - rect.TopLeft());
}

void CDiagram::GetDragSizeAndOffset(CSize& size, CSize& offset) const {
  size = m_dragSize;
  offset = m_dragOffset;
}

CBlockFormat* CDiagram::GetBlockFormat() {
  if (!m_pBlockFormat) m_pBlockFormat = new CBlockFormat;
  return m_pBlockFormat;
}

int CDiagram::SetPaperColor(COLORREF color) {
  if (color == m_crPaper) return 1;
  // Like every other edit, a colour whose undo step cannot be recorded (the
  // user would not go on without undo) is not changed.
  if (!CURChangePaperColor::RecordUndo(this)) return 0;
  m_crPaper = color;
  SetModifiedFlag(TRUE);
  UpdateDiagramViews(nullptr, CDrawHint::paperColorChanged, nullptr);
  return 1;
}

int CDiagram::SetCanvasSize(BYTE across, BYTE down) {
  if (!CURCanvasSize::RecordUndo(this)) return 0;
  m_hPages = across;
  m_vPages = down;
  ComputePageSize();
  return 1;
}

void CDiagram::ComputePageSize() {
  int across = 1;
  int down = 1;
  GetMinPagesToCover(m_rcExtent, GetCanvasMode(), IsUpwardPositive(), across, down);
  across = std::min(across, 255);
  down = std::min(down, 255);
  if (across > m_hPages) m_hPages = static_cast<BYTE>(across);
  if (down > m_vPages) m_vPages = static_cast<BYTE>(down);
  const CSize maxPages = GetMaxCanvasSize();
  const int maxAcross = std::clamp(static_cast<int>(maxPages.cx), 1, 255);
  const int maxDown = std::clamp(static_cast<int>(maxPages.cy), 1, 255);
  if (m_hPages > maxAcross) m_hPages = static_cast<BYTE>(maxAcross);
  if (m_vPages > maxDown) m_vPages = static_cast<BYTE>(maxDown);
  if (m_hPages < 1) m_hPages = 1;
  if (m_vPages < 1) m_vPages = 1;
  const CSize page = GetPageSize();
  const CSize size(m_hPages * page.cx, m_vPages * page.cy);
  if (size == m_size) return;
  if (m_size != CSize(0, 0)) SetModifiedFlag(TRUE);
  m_size = size;
  UpdateDiagramViews(nullptr, CDrawHint::canvasSizeChanged, nullptr);
  if (m_bUseQuadTree) RebuildQuadTree();
  if (m_pRouter) m_pRouter->Resize();
}

void CDiagram::RebuildQuadTree() { m_quadTree.Initialize(GetRect(), m_objects); }

void CDiagram::GetMinPagesToCover(const CRect& extent, int canvasMode, BOOL upward, int& across, int& down) const {
  if (m_hMaxPages == 0) UpdatePrinterPageSize(nullptr);
  across = 1;
  down = 1;
  const CSize page = GetPageSize();
  int64_t w = 0;
  int64_t h = 0;
  if (canvasMode == 1) {
    w = std::max(extent.left, extent.right);
    h = std::max(extent.top, extent.bottom);
  } else if (canvasMode == 0) {
    // Centred: both halves count.
    const int64_t positive = upward ? extent.top : extent.bottom;
    const int64_t negative = upward ? extent.bottom : extent.top;
    w = std::max<int64_t>(2 * int64_t{extent.right} - page.cx % 2, -2 * int64_t{extent.left});
    h = std::max<int64_t>(2 * positive - page.cy % 2, -2 * negative);
  } else {
    return;
  }
  if (w > 0 && page.cx > 0) across += static_cast<int>(std::min<int64_t>((w - 1) / page.cx, 0x7FFFFFFF - 1));
  if (h > 0 && page.cy > 0) down += static_cast<int>(std::min<int64_t>((h - 1) / page.cy, 0x7FFFFFFF - 1));
}

namespace {

// What the printer says: its page in hundredths of an inch, its orientation
// and paper, and its resolution. Without a printer: letter paper, portrait,
// 100 per inch.
struct PrinterPage {
  CSize size{850, 1100};
  short orientation = 1;
  short paperSize = 1;
  int resolutionX = 100;
  int resolutionY = 100;
};

PrinterPage ReadPrinter(CPrintDialog& printer) {
  PrinterPage page;
  if (const DEVMODEW* mode = printer.GetDevMode()) {
    page.orientation = mode->dmOrientation;
    page.paperSize = mode->dmPaperSize;
    GlobalUnlock(printer.m_pd.hDevMode);
  }
  CDC dc;
  if (HDC hdc = printer.CreatePrinterDC()) {
    dc.Attach(hdc);
    page.size = CSize(dc.GetDeviceCaps(HORZSIZE) * 1000 / 254, dc.GetDeviceCaps(VERTSIZE) * 1000 / 254);
    page.resolutionX = dc.GetDeviceCaps(LOGPIXELSX);
    page.resolutionY = dc.GetDeviceCaps(LOGPIXELSY);
  }
  return page;
}

// The largest page length whose 255 pages still fit a coordinate.
constexpr LONG kMaxPageLength = 0x7FFFFFFF / 255;

// A page set-up a canvas can hold: pages of 1 to kMaxPageLength units and 1
// to 255 of them each way.
bool IsHoldablePageSetup(const CPrinterSetupInfo& info) {
  const auto pageFits = [](LONG length) { return length >= 1 && length <= kMaxPageLength; };
  const auto countFits = [](LONG pages) { return pages >= 1 && pages <= 255; };
  return pageFits(info.m_pageSize.cx) && pageFits(info.m_pageSize.cy) && countFits(info.m_maxPages.cx) &&
         countFits(info.m_maxPages.cy);
}

// The most pages of `pageLength` that fit the coordinate range and keep the
// canvas within 0x7FFFFFF printer pixels, at most 255.
BYTE MaxPages(int64_t pageLength, int64_t resolution) {
  if (pageLength <= 0) return 1;
  int64_t pages = 0x7FFFFFFF / pageLength;
  if (resolution > 0) pages = std::min(pages, int64_t{0x7FFFFFF} * 100 / (pageLength * resolution));
  return static_cast<BYTE>(std::clamp<int64_t>(pages, 1, 255));
}

}  // namespace

BOOL CDiagram::UpdatePrinterPageSize(CPrintDialog* dialog) {
  PrinterPage page;
  if (dialog) {
    if (dialog->m_pd.hDevNames || dialog->m_pd.hDevMode) page = ReadPrinter(*dialog);
  } else {
    // The application's printer; its blocks stay the application's.
    CPrintDialog defaults(TRUE);
    CWinApp* app = AfxGetApp();
    if (app && app->GetPrinterDeviceDefaults(&defaults.m_pd)) page = ReadPrinter(defaults);
  }
  const BYTE hMax = MaxPages(page.size.cx, page.resolutionX);
  const BYTE vMax = MaxPages(page.size.cy, page.resolutionY);
  const BOOL changed = page.size != m_pageSize || hMax != m_hMaxPages || vMax != m_vMaxPages;
  m_pageSize = page.size;
  m_hMaxPages = hMax;
  m_vMaxPages = vMax;
  m_shDefaultOrientation = page.orientation;
  m_shDefaultPaperSize = page.paperSize;
  return changed;
}

int CDiagram::SetPrinterSetupInfo(const CPrinterSetupInfo& info) {
  const CPrinterSetupInfo current(m_shSavedOrientation, m_shSavedPaperSize, m_savedPageSize,
                                  CSize(m_savedHMaxPages, m_savedVMaxPages));
  if (info == current) return 1;
  // A page set-up no canvas can hold would overflow the canvas size.
  if (!IsHoldablePageSetup(info)) AfxThrowInvalidArgException();
  // The recording closes however the change ends, also when recomputing the
  // canvas or forcing the objects onto it throws.
  CUndoRecordingScope recording(CDrawDoc::m_bUsePrinterDefaults ? nullptr : m_pDocument);
  if (!recording.Begin(u"Change Printer Setup")) return 0;
  m_shSavedOrientation = info.m_shOrientation;
  m_shSavedPaperSize = info.m_shPaperSize;
  m_savedPageSize = info.m_pageSize;
  m_savedHMaxPages = info.m_maxPages.cx;
  m_savedVMaxPages = info.m_maxPages.cy;
  if (!m_pDocument) return 1;
  SetModifiedFlag(TRUE);
  if (CDrawDoc::m_bUsePrinterDefaults) return 1;
  try {
    ComputeDrawingExtent();
    int across = 1;
    int down = 1;
    GetMinPagesToCover(m_rcExtent, GetCanvasMode(), IsUpwardPositive(), across, down);
    ComputePageSize();
    if (across > m_hPages || down > m_vPages) HandleObjectsBeyondCanvas(1, 1);
  } catch (...) {
    // The set-up has changed: the entry that closes still takes it back.
    CURChangePrinterSetup::RecordUndo(this, current);
    throw;
  }
  CURChangePrinterSetup::RecordUndo(this, current);
  recording.End();
  return 1;
}

void CDiagram::SavePrinterSetup() {
  SetPrinterSetupInfo(CPrinterSetupInfo(m_shDefaultOrientation, m_shDefaultPaperSize, m_pageSize,
                                        CSize(m_hMaxPages, m_vMaxPages)));
}

int CDiagram::HandleObjectsBeyondCanvas(int ask, int recordUndo) {
  if (ask) {
    if (!CMsgBox::Confirm(6)) return 0;
    if (!recordUndo && !CMsgBox::Confirm(7)) return 0;
  }
  CUndoRecordingScope recording(m_pDocument);
  if (recordUndo) {
    if (!recording.Begin(u"Force Objects Onto Canvas")) return 0;
    recording.BeginRouteChanges(this);
  }
  const CRect bounds = Normalized(GetRect());
  CDrawList elements(m_objects);
  elements.ExcludeElementComponents();
  for (POSITION pos = elements.GetHeadPosition(); pos;) {
    CDrawObj* object = elements.GetNext(pos);
    const CRect extent = Normalized(object->GetBoundingRectIncludingComponents());
    if (Contains(bounds, extent)) continue;
    CRect forced = extent;
    ForceRectWithinBounds(forced, bounds);
    const CPoint delta = forced.TopLeft() - extent.TopLeft();
    if (recordUndo) object->InitializeRepositioning();
    object->MoveBy(delta, recordUndo);
    if (recordUndo) object->FinalizeDrawing(object->GetPosition(), nullptr, 1);
  }
  if (recordUndo) {
    recording.End();
  } else {
    // Objects moved without being told about it: bring the extent and the
    // tree up to where they are now.
    ComputeDrawingExtent();
    if (m_bUseQuadTree) RebuildQuadTree();
  }
  return 1;
}

// Drawing.

void CDiagram::Draw(CDC* dc, CRect rect, CDrawView* view) {
  // The tree's switch is put back however the paint ends.
  struct RestoreQuadTreeUse {
    int& flag;
    const int saved;
    ~RestoreQuadTreeUse() { flag = saved; }
  } restore{m_bUseQuadTree, m_bUseQuadTree};
  const bool activeScreen = view && view->IsActive() && !dc->IsPrinting();
  // With much of the diagram selected the tree gains nothing.
  if (activeScreen && view->GetSelection().GetCount() > m_objects.GetCount() / 3) m_bUseQuadTree = 0;
  m_bCrossLabels = view ? view->ShowCrossLabels() : 0;

  CDrawList objects;
  if (GetObjectsInRect(rect, objects)) {
    if (activeScreen) {
      // A drag moves the selected objects without filing them again, so the
      // tree knows them where the drag began: each is taken by where it is
      // now. Sorting drops any that are not on this canvas.
      const CRect damaged = Normalized(rect);
      const CDrawList& selection = view->GetSelection();
      for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CDrawObj* selected = selection.GetNext(pos);
        objects -= selected;
        if (selected->Intersects(damaged)) objects.AddTail(selected);
      }
    }
    SortInDrawOrder(objects);
  }

  const bool printingLabels = dc->IsPrinting() && m_bCrossLabels;
  if (printingLabels) m_crossPoints.clear();
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->Draw(dc);
    // Selection handles belong on the screen, not on paper.
    if (view && !dc->IsPrinting() && view->IsSelected(object)) object->DrawTracker(dc, CDrawObj::selected);
  }
  if (printingLabels) DrawCrossLabel(dc);
}

void CDiagram::AddCrossPoint(const CrossPoint* points, int count) {
  if (!m_bCrossLabels) return;
  for (int i = count - 1; i >= 0; --i) m_crossPoints.push_back(points[i]);
}

void CDiagram::DrawCrossLabel(CDC* dc) {
  if (m_crossPoints.empty()) return;
  const bool upward = IsUpwardPositive();
  // Crossings of one boundary between the same two pages end up next to
  // each other: vertical boundaries first.
  std::stable_sort(m_crossPoints.begin(), m_crossPoints.end(), [upward](const CrossPoint& a, const CrossPoint& b) {
    if (a.nKind != b.nKind) return a.nKind > b.nKind;
    if (a.nKind == 1) {
      if (a.x != b.x) return a.x < b.x;
      return upward ? a.y > b.y : a.y < b.y;
    }
    if (a.y != b.y) return upward ? a.y > b.y : a.y < b.y;
    return a.x < b.x;
  });

  CFont font;
  font.CreateFontIndirect(&defaultLogFont);
  CFont* oldFont = dc->SelectObject(&font);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
  CPen* oldPen = dc->SelectObject(&pen);
  const int digitHeight = dc->GetTextExtent(CStringW(u"9")).cy;

  int number = 0;
  const CrossPoint* previous = nullptr;
  for (CrossPoint& crossing : m_crossPoints) {
    const bool samePair = previous && previous->nFirstPage == crossing.nFirstPage &&
                          previous->nSecondPage == crossing.nSecondPage;
    bool withText = true;
    if (!samePair) {
      number = 1;
    } else if (crossing.nKind == 0) {
      withText = crossing.x - previous->x >= 3 * digitHeight;
    } else {
      withText = (upward ? previous->y - crossing.y : crossing.y - previous->y) >= digitHeight;
    }
    if (samePair && withText) ++number;
    ::DrawCrossLabel(dc, crossing, upward, number, withText);
    previous = &crossing;
  }

  dc->SelectObject(oldPen);
  dc->SetBkMode(oldMode);
  dc->SelectObject(oldFont);
  m_crossPoints.clear();
}

// Hierarchy and views.

CDiagram* CDiagram::GetParentDiagram() const { return m_pHostObj ? m_pHostObj->GetDiagram() : nullptr; }

int CDiagram::GetLevel() const {
  const CDiagram* parent = GetParentDiagram();
  return parent ? parent->GetLevel() + 1 : 0;
}

void CDiagram::AddViewRef(CView* view) {
  if (m_views.IsEmpty()) {
    if (CDrawDoc::m_bUsePrinterDefaults) {
      ComputeDrawingExtent();
      int across = 1;
      int down = 1;
      GetMinPagesToCover(m_rcExtent, GetCanvasMode(), IsUpwardPositive(), across, down);
      ComputePageSize();
      if (across > m_hPages || down > m_vPages) HandleObjectsBeyondCanvas(1, 0);
    }
    const UINT mode = GetPreferredAutoRouteMode();
    SetAutoRouteModeAndMethod(mode, GetPreferredAutoRouteMethod());
  }
  m_views.AddTail(view);
}

void CDiagram::RemoveViewRef(CView* view) {
  if (!m_views.Find(view)) return;
  m_views -= view;
  if (m_views.IsEmpty()) {
    delete m_pRouter;
    m_pRouter = nullptr;
  }
}

int CDiagram::CreateDiagramView(CDocTemplate* docTemplate) {
  CDrawDoc* document = GetDocument();
  CFrameWnd* frame = docTemplate && document ? docTemplate->CreateNewFrame(document, nullptr) : nullptr;
  if (!frame) {
    CMsgBox::Notify(21);
    return 0;
  }
  // The new view takes the document's active diagram in its first update.
  document->SetActiveDiagram(this);
  docTemplate->InitialUpdateFrame(frame, document);
  return 1;
}

CView* CDiagram::OpenDiagramView(const CRuntimeClass* viewClass) {
  CDrawDoc* document = GetDocument();
  if (!document || !viewClass) return nullptr;
  CView* last = nullptr;
  for (POSITION pos = document->GetFirstViewPosition(); pos;) {
    CView* view = document->GetNextView(pos);
    if (!view || !view->IsKindOf(viewClass) || !m_views.Find(view)) continue;
    CFrameWnd* frame = view->GetParentFrame();
    if (frame && !frame->IsIconic()) {
      frame->BringWindowToTop();
      return view;
    }
    last = view;
  }
  if (last) {
    if (CFrameWnd* frame = last->GetParentFrame()) frame->ShowWindow(SW_RESTORE);
  }
  return last;
}

void CDiagram::UpdateDiagramViews(CView* sender, LPARAM hint, CObject* object) {
  CDrawHint drawHint(this, object);
  // A view may leave the diagram while it handles the hint.
  std::vector<CObject*> views;
  for (POSITION pos = m_views.GetHeadPosition(); pos;) views.push_back(m_views.GetNext(pos));
  for (CObject* view : views) {
    if (view == sender || !m_views.Find(view)) continue;
    if (auto* drawView = DYNAMIC_DOWNCAST(CDrawView, view)) drawView->OnUpdate(sender, hint, &drawHint);
  }
}

// Routing. The live router hears of every change through Add, Remove and
// UpdateObject; the route-change brackets are its batches.

void CDiagram::BeginDynamicRouteChanges() {
  if (m_pRouter) m_pRouter->BeginChanges();
}

void CDiagram::EndDynamicRouteChanges() {
  if (m_pRouter) m_pRouter->EndChanges();
}

UINT CDiagram::GetAutoRouteMode() const {
  if (!m_pRouter) return 0;
  return m_pRouter->IsDynamic() ? 2 : 1;
}

UINT CDiagram::GetAutoRouteMethod() const {
  if (!m_pRouter) return 0;
  // The shared-path router is a cell router: it is asked about first.
  if (m_pRouter->IsKindOf(RUNTIME_CLASS(SharedPathArcRouter))) return 3;
  if (m_pRouter->IsKindOf(RUNTIME_CLASS(CellArcRouter))) return 1;
  if (m_pRouter->IsKindOf(RUNTIME_CLASS(SegmentArcRouter))) return 2;
  return 0;
}

CArcRouter* CDiagram::GetNewArcRouter(UINT method) {
  switch (method) {
    case 1: return new CellArcRouter(this, &m_autoRouteOption);
    case 2: return new SegmentArcRouter(this, &m_autoRouteOption);
    case 3: return new SharedPathArcRouter(this, &m_autoRouteOption);
    default: return nullptr;
  }
}

UINT CDiagram::ArcRoutingProgressCaptionID() { return 0; }

CProgressDlg* CDiagram::GetArcRoutingProgressDlg(int count) {
  if (count < 10) return nullptr;
  auto* dialog = new CProgressDlg(0, count, 1, ArcRoutingProgressCaptionID(), m_bCanArcRoutingBeCancelled ? 0 : 1);
  if (!dialog->Create()) {
    delete dialog;
    return nullptr;
  }
  return dialog;
}

namespace {

// Builds a router's model; a router whose initialisation throws counts as
// one that could not be initialised.
bool InitRouter(CArcRouter* router, const CDrawList& objects) {
  try {
    return router->Init(objects) != 0;
  } catch (...) {
    return false;
  }
}

}  // namespace

void CDiagram::SetAutoRouteModeAndMethod(UINT mode, UINT method) {
  if (mode == 0) {
    delete m_pRouter;
    m_pRouter = nullptr;
    return;
  }
  if (GetAutoRouteMethod() != method) {
    delete m_pRouter;
    m_pRouter = nullptr;
    CArcRouter* router = GetNewArcRouter(method);
    if (!router) return;
    if (!InitRouter(router, GetObjects())) {
      delete router;
      router = nullptr;
    }
    m_pRouter = router;
  }
  if (!m_pRouter) {
    CMsgBox::Notify(22);
    return;
  }
  m_pRouter->SetDynamic(mode == 2 ? 1 : 0);
}

int CDiagram::RouteArcs(const CDrawList& selection, int useLiveRouter) {
  if (useLiveRouter) return m_pRouter ? m_pRouter->Route(selection) : 1;

  CDrawList chosen(10);
  if (m_bSelectedBlocks) {
    CDrawList blocks(10);
    blocks.CopyFromFilter(selection, RUNTIME_CLASS(CDrawBlock));
    blocks.IncludeElementComponents();
    blocks.IncludeAttachedArcs();
    chosen.CopyFromFilter(blocks, RUNTIME_CLASS(CDrawArc));
  }
  if (m_bSelectedNodes) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
      if (auto* port = DYNAMIC_DOWNCAST(CDrawPort, selection.GetNext(pos))) port->IncludeArcsInList(&chosen);
    }
  }
  if (m_bSelectedArcs) chosen.CopyFromFilter(selection, RUNTIME_CLASS(CDrawArc));

  CDrawList arcs(10);
  switch (m_nRouteWhat) {
    case 0: arcs.CopyFromFilter(GetObjects(), RUNTIME_CLASS(CDrawArc)); break;
    case 1: arcs = chosen; break;
    case 2:
      arcs.CopyFromFilter(GetObjects(), RUNTIME_CLASS(CDrawArc));
      arcs -= chosen;
      break;
    default: return 1;
  }

  if (m_pDocument && !m_pDocument->BeginUndoRecording(u"Arc Routing", 255)) return 0;
  if (m_pDocument) m_pDocument->BeginWaitCursor();
  auto close = [this]() {
    if (m_pDocument) {
      m_pDocument->EndWaitCursor();
      m_pDocument->EndUndoRecording();
    }
  };

  CArcRouter* temporary = nullptr;
  CArcRouter* router = nullptr;
  CDrawList obstacles(GetObjects());
  obstacles -= arcs;
  try {
    if (m_nManualRouteMethod != GetAutoRouteMethod()) {
      temporary = GetNewArcRouter(m_nManualRouteMethod);
      if (!temporary) {
        close();
        return 1;
      }
      if (!InitRouter(temporary, obstacles)) {
        delete temporary;
        temporary = nullptr;
      }
      router = temporary;
    } else {
      router = m_pRouter;
      if (m_nRouteWhat == 0 && router) {
        router->Clear();
        if (!InitRouter(router, obstacles)) {
          delete m_pRouter;
          m_pRouter = nullptr;
          router = nullptr;
        }
      }
    }
  } catch (...) {
    delete temporary;
    close();
    throw;
  }

  if (router) {
    CArcRouter* live = (temporary && m_pRouter) ? m_pRouter : nullptr;
    int wasDynamic = 0;
    if (live) {
      wasDynamic = live->IsDynamic();
      live->SetDynamic(0);
      live->BeginChanges();
    }
    auto finishPass = [&]() {
      delete temporary;
      if (live) {
        live->EndChanges();
        live->SetDynamic(wasDynamic);
      }
    };
    try {
      router->Route(arcs);
    } catch (const CMemoryException&) {
      CMsgBox::Notify(23);
    } catch (const std::bad_alloc&) {
      CMsgBox::Notify(23);
    } catch (...) {
      // Any other failure goes on to the caller, with the run's router,
      // batch and recording closed as after a pass that ended.
      finishPass();
      close();
      throw;
    }
    finishPass();
  } else {
    CMsgBox::Notify(22);
  }
  close();
  return 1;
}

CDrawView* CDiagram::GetActiveViewOfThis() const {
  CDrawView* view = nullptr;
  if (auto* main = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd())) {
    if (CFrameWnd* frame = main->GetActiveFrame()) view = DYNAMIC_DOWNCAST(CDrawView, frame->GetActiveView());
  }
  return view && view->GetDiagram() == this ? view : nullptr;
}

void CDiagram::ReportArcRoutingFailure(const CDrawList& failedArcs) {
  if (failedArcs.IsEmpty()) return;
  // The failed arcs become the selection of the active view when that view
  // shows this diagram, so that the user finds them.
  int selected = 0;
  if (CDrawView* view = GetActiveViewOfThis()) {
    int add = 0;
    for (POSITION pos = failedArcs.GetHeadPosition(); pos;) {
      view->Select(failedArcs.GetNext(pos), add);
      add = 1;
    }
    selected = 1;
  }
  CFailed2RouteDlg dialog(static_cast<UINT>(failedArcs.GetCount()), selected);
  dialog.DoModal();
}
void CDiagram::ChangeRouteOptions() {
  if (m_nManualRouteMethod == 0) m_nManualRouteMethod = GetPreferredAutoRouteMethod();

  CArcRouteDlg manual;
  manual.m_nRouteWhat = m_nRouteWhat;
  manual.m_bSelected = m_bSelectedArcs;
  manual.m_bSelectedNodes = m_bSelectedNodes;
  manual.m_bSelectedBlocks = m_bSelectedBlocks;
  manual.m_nAlgorithm = static_cast<int>(m_nManualRouteMethod) - 1;

  CArcRouteGeneralDlg general;
  general.m_nTopMargin = static_cast<UINT>(m_autoRouteOption.m_nTopMargin);
  general.m_nBottomMargin = static_cast<UINT>(m_autoRouteOption.m_nBottomMargin);
  general.m_nLeftMargin = static_cast<UINT>(m_autoRouteOption.m_nLeftMargin);
  general.m_nRightMargin = static_cast<UINT>(m_autoRouteOption.m_nRightMargin);
  general.m_nMinDistance = m_autoRouteOption.m_nMinDistance - CArcRouteGeneralDlg::kFirstDistance;
  general.m_bJustBlocks = m_autoRouteOption.m_bRouteJustBlocks;

  CArcRouteAutoDlg automatic;
  const UINT liveMode = GetAutoRouteMode();
  const UINT liveMethod = GetAutoRouteMethod();
  automatic.m_bDisable = m_pRouter ? FALSE : TRUE;
  automatic.m_nRouteWhen = static_cast<int>(liveMode != 0 ? liveMode : m_nLastValidAutoRouteMode) - 1;
  automatic.m_nAlgorithm = static_cast<int>(liveMethod != 0 ? liveMethod : m_nLastValidAutoRouteMethod) - 1;

  CPropertySheet sheet(u"Arc/Link Routing & Page Boundary Options");
  sheet.AddPage(&manual);
  sheet.AddPage(&general);
  sheet.AddPage(&automatic);
  const INT_PTR result = sheet.DoModal();
  if (result == IDCANCEL) return;

  m_nRouteWhat = manual.m_nRouteWhat;
  m_bSelectedArcs = manual.m_bSelected;
  m_bSelectedNodes = manual.m_bSelectedNodes;
  m_bSelectedBlocks = manual.m_bSelectedBlocks;
  if (manual.m_nAlgorithm >= 0) m_nManualRouteMethod = static_cast<UINT>(manual.m_nAlgorithm) + 1;

  if (automatic.m_bDisable) {
    SetAutoRouteModeAndMethod(0, 0);
    m_nDefaultArcAutoRouteMode = 0;
  } else if (automatic.m_nRouteWhen >= 0 && automatic.m_nAlgorithm >= 0) {
    const UINT mode = static_cast<UINT>(automatic.m_nRouteWhen) + 1;
    const UINT method = static_cast<UINT>(automatic.m_nAlgorithm) + 1;
    SetAutoRouteModeAndMethod(mode, method);
    m_nDefaultArcAutoRouteMode = mode;
    m_nDefaultArcAutoRouteMethod = method;
    m_nLastValidAutoRouteMode = mode;
    m_nLastValidAutoRouteMethod = method;
  }

  m_autoRouteOption.m_nTopMargin = static_cast<int>(general.m_nTopMargin);
  m_autoRouteOption.m_nBottomMargin = static_cast<int>(general.m_nBottomMargin);
  m_autoRouteOption.m_nLeftMargin = static_cast<int>(general.m_nLeftMargin);
  m_autoRouteOption.m_nRightMargin = static_cast<int>(general.m_nRightMargin);
  const int distance = general.m_nMinDistance + CArcRouteGeneralDlg::kFirstDistance;
  if (general.m_nMinDistance >= 0 && distance != m_autoRouteOption.m_nMinDistance) {
    m_autoRouteOption.m_nMinDistance = distance;
    // A live router's model is laid out on the old spacing: start it again.
    if (m_pRouter) {
      const UINT mode = GetAutoRouteMode();
      const UINT method = GetAutoRouteMethod();
      SetAutoRouteModeAndMethod(0, 0);
      SetAutoRouteModeAndMethod(mode, method);
    }
  }
  m_autoRouteOption.m_bRouteJustBlocks = general.m_bJustBlocks;

  if (result == CArcRouteDlg::kRouteNowButton) {
    CDrawView* view = GetActiveViewOfThis();
    RouteArcs(view ? view->GetSelection() : CDrawList(), 0);
  }
}

// Clipboard, drag and drop.

void CDiagram::MoveObjectsForOleDragDrop(const CDrawList& objects, CSize offset) {
  OnBeginDragMoveInternal(objects);
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->FinalizeDrawing(object->GetPosition() + offset, nullptr, 1);
  }
  OnEndDragMoveInternal(objects);
}

void CDiagram::ComputeDragDimensions(const CDrawList& objects, CPoint dragPoint, CSize& offset, CSize& size) {
  CRect extent;
  for (POSITION pos = objects.GetHeadPosition(); pos;) GrowExtentToBoundRect(extent, objects.GetNext(pos)->GetDraggingRect());
  if (objects.IsEmpty()) {
    offset = CSize(0, 0);
    size = CSize(0, 0);
    return;
  }
  size = CSize(extent.right - extent.left, extent.bottom - extent.top);
  offset = dragPoint - extent.TopLeft();
}

void CDiagram::AddNonNativeClipboardFormatData(COleDataSource*, const CDrawList&) {}

void CDiagram::CopyNative2ClipboardFile(CFile*, const CDrawList&, LONG, CPoint, const CObject*) {
  NotBuilt(u"The diagram clipboard is not built.");
}

int CDiagram::PasteNative(COleDataObject&, WORD, CPoint, CDrawList&, CObject*&) { NotBuilt(u"The diagram clipboard is not built."); }
void CDiagram::EditCopy(const CDrawList&, WORD, CPoint, const CObject*) { NotBuilt(u"The diagram clipboard is not built."); }
void CDiagram::EditPaste(CPoint, CDrawList&) { NotBuilt(u"The diagram clipboard is not built."); }
CDrawOleObj* CDiagram::PasteOLE(COleDataObject&, int, CPoint) { NotBuilt(u"OLE objects in diagrams are not built."); }
void CDiagram::DragAndDrop(const CDrawList&, CDrawView*) { NotBuilt(u"Drag and drop of diagram objects is not built."); }
int CDiagram::Drop(COleDataObject*, DWORD, CPoint, CDrawList&) { NotBuilt(u"Drag and drop of diagram objects is not built."); }
BOOL CDiagram::IsHostInDrag(CDrawObj*) const { NotBuilt(u"Drag and drop of diagram objects is not built."); }

void CDiagram::OnEndDragMoveExternal(const CDrawList& objects, CDrawView*) {
  CUndoRecordingScope batch(nullptr);
  batch.BeginRouteChanges(this);
  CDrawList elements(objects);
  elements.ExcludeElementComponents();
  elements.DeleteElements(m_pDocument);
  batch.End();
}

void CDiagram::OnBeginDragMoveInternal(const CDrawList&) {}
void CDiagram::OnEndDragMoveInternal(const CDrawList&) {}

int CDiagram::DoGeneralPropertyPage(CDrawList& objects, CPropertySheet* sheet) {
  if (!sheet || objects.IsEmpty()) return 2;
  CDiagram* diagram = objects.GetHead()->GetDiagram();
  if (!diagram) return 2;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    if (objects.GetNext(pos)->GetDiagram() != diagram) return 2;
  }
  CDrawDoc* document = diagram->GetDocument();
  if (!document || !document->BeginUndoRecording(u"Edit General Properties", 255)) return 2;
  diagram->BeginDynamicRouteChanges();
  int result = 2;
  try {
    CRectDlg page;
    const CDrawObj* first = objects.GetHead();
    page.m_uLineWeight = first->GetPenSize();
    page.m_nPenStyle = first->GetPenStyle();
    page.m_crLineColor = first->GetLineColor();
    page.m_crFillColor = first->GetFillColor();
    page.m_crHatchColor = first->GetHatchColor();
    page.m_nHatchStyle = static_cast<UINT>(first->GetHatchStyle());
    page.m_bUseHatch = first->IsHatchEnabled();
    page.m_bNoFill = !first->IsFillEnabled();
    sheet->AddPage(&page);
    const INT_PTR answer = sheet->DoModal();
    sheet->RemovePage(&page);
    if (answer == IDOK) {
      for (POSITION pos = objects.GetHeadPosition(); pos;) ApplyGeneralProperties(objects.GetNext(pos), page);
      result = 1;
    }
  } catch (...) {
    diagram->EndDynamicRouteChanges();
    document->EndUndoRecording();
    throw;
  }
  diagram->EndDynamicRouteChanges();
  document->EndUndoRecording();
  return result;
}

void CDiagram::ApplyGeneralProperties(CDrawObj* object, const CRectDlg& page) {
  // Only what differs is set, so that each object's undo record holds its
  // real changes.
  const BOOL fill = !page.m_bNoFill;
  if (!object->IsFillEnabled() != !fill) object->EnableFill(fill);
  if (object->GetPenStyle() != page.m_nPenStyle || object->GetPenSize() != page.m_uLineWeight) {
    object->SetPenStyle(page.m_nPenStyle, page.m_uLineWeight);
  }
  if (object->GetLineColor() != page.m_crLineColor) object->SetLineColor(page.m_crLineColor);
  if (object->GetFillColor() != page.m_crFillColor) object->SetFillColor(page.m_crFillColor);
  if (object->GetHatchColor() != page.m_crHatchColor) object->SetHatchColor(page.m_crHatchColor);
  if (!object->IsHatchEnabled() != !page.m_bUseHatch) object->EnableHatch(page.m_bUseHatch);
  if (static_cast<UINT>(object->GetHatchStyle()) != page.m_nHatchStyle) {
    object->SetHatchStyle(static_cast<LONG>(page.m_nHatchStyle));
  }
}

CDrawRect* CDiagram::MakeDrawRect(const CPoint& point) {
  try {
    return new CDrawRect(CRect(point, point), CDrawRect::rectangle);
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (CMemoryException&) {
    return nullptr;
  }
}

CDrawPoly* CDiagram::MakeDrawPoly() {
  try {
    return new CDrawPoly;
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (CMemoryException&) {
    return nullptr;
  }
}

CDrawText* CDiagram::MakeDrawText(LPCWSTR text, const CPoint& point, CDrawView* view) {
  try {
    return new CDrawText(text, point, view);
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (CMemoryException&) {
    return nullptr;
  }
}

CDrawGroup* CDiagram::MakeDrawGroup() {
  try {
    return new CDrawGroup;
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (CMemoryException&) {
    return nullptr;
  }
}

// This build has no OLE object class to make.
CDrawOleObj* CDiagram::MakeDrawOleObj(const CPoint&) { NotBuilt(u"OLE objects in diagrams are not built."); }

// The diagram record.

namespace {

// Objects of a diagram lie within this distance of the origin: a canvas is
// at most 255 pages, and pages are measured in hundredths of an inch. A
// stream with coordinates beyond it is damaged (and moving such objects
// would overflow).
constexpr LONG kMaxCoordinate = 0x3FFFFFFF;
[[noreturn]] void ThrowBadFormat(CArchive& ar) {
  AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName.GetString());
}

// The block size of a copy of a whole object list made to be walked and
// dropped: few allocations, each well below the size the allocator maps
// from the system.
constexpr INT_PTR kCopyBlockSize = 128;

// What list.ExcludeElementComponents() does to a copy of `source`: each
// object of the source takes its components out of the copy. The walk goes
// over the source, which the exclusions leave as it is, so no snapshot of
// the copy is needed.
void ExcludeComponentsOfSource(const CDrawList& source, CDrawList& copy) {
  for (POSITION pos = source.GetHeadPosition(); pos;) {
    CDrawObj* object = source.GetNext(pos);
    if (!object) continue;
    object->ExcludeComponentsFromList(&copy);
    object->ExcludeAttachmentDrawPorts(&copy);
  }
}

// Writes a list of objects as CObList does: the count, then each object.
void WriteObjects(CArchive& ar, const CDrawList& objects) {
  ar.WriteCount(static_cast<DWORD_PTR>(objects.GetCount()));
  for (POSITION pos = objects.GetHeadPosition(); pos;) ar << static_cast<const CObject*>(objects.GetNext(pos));
}

// Reads such a list into `objects`. Every entry must be a drawing object
// (badClass otherwise); null entries and repeated objects add nothing. An
// object read is in `objects` before the next one is read, so that whoever
// cleans up after a failure finds it.
void ReadObjects(CArchive& ar, CDrawList& objects) {
  for (DWORD_PTR count = ar.ReadCount(); count > 0; --count) {
    auto* object = static_cast<CDrawObj*>(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
    if (object) objects.AddTail(object);
  }
}

// Copies the stored state of an edit lock (masks and scrambled password)
// into another, which keeps its master value.
void CopyLockState(CSecurityChecker& from, CSecurityChecker& to) {
  CMemFile memory;
  {
    CArchive ar(&memory, CArchive::store);
    from.Serialize(ar);
  }
  memory.SeekToBegin();
  CArchive ar(&memory, CArchive::load);
  to.Serialize(ar);
}

int64_t RoundUpToStep(int64_t value, int step) { return step ? (value + step - 1) / step * step : value; }
int64_t RoundToStep(int64_t value, int step) { return step ? (value + step / 2) / step * step : value; }

}  // namespace

void CDiagram::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    StoreRecord(ar);
  else
    LoadRecord(ar);
}

void CDiagram::StoreRecord(CArchive& ar) {
  ar << static_cast<WORD>(GetCanvasMode()) << static_cast<WORD>(IsUpwardPositive() ? 1 : 0);
  ar << m_hPages << m_vPages;
  ar << static_cast<DWORD>(m_crPaper);
  ar << static_cast<const CObject*>(m_pBlockFormat);
  ar << m_savedPageSize;
  ar << static_cast<WORD>(m_shSavedOrientation) << static_cast<WORD>(m_shSavedPaperSize);
  ar << CSize(m_savedHMaxPages, m_savedVMaxPages);
  // The elements come first, so that every block exists before the ports
  // and arcs that refer to it.
  CDrawList elements(kCopyBlockSize);
  elements.AddTail(m_objects);
  ExcludeComponentsOfSource(m_objects, elements);
  elements.ExcludeArcs();
  WriteObjects(ar, elements);
  m_lock.Serialize(ar);
  WriteObjects(ar, m_objects);
}

namespace {

// Makes a diagram the document's active one for a load, so that every
// object read takes it as its own, and the elements list known to the
// diagram; both are put back on every way out.
class LoadScope {
 public:
  LoadScope(CDrawDoc* document, CDiagram* diagram, CDrawList*& loadingSlot, CDrawList& elements)
      : document_(document), previous_(document->GetActiveDiagram()), slot_(loadingSlot) {
    document_->SetActiveDiagram(diagram);
    slot_ = &elements;
  }
  ~LoadScope() {
    slot_ = nullptr;
    document_->SetActiveDiagram(previous_);
  }
  LoadScope(const LoadScope&) = delete;
  LoadScope& operator=(const LoadScope&) = delete;

 private:
  CDrawDoc* document_;
  CDiagram* previous_;
  CDrawList*& slot_;
};

}  // namespace

void CDiagram::LoadRecord(CArchive& ar) {
  // The objects of a diagram find their diagram, and the stream version,
  // through the archive's document.
  CDrawDoc* document = DYNAMIC_DOWNCAST(CDrawDoc, ar.m_pDocument);
  if (!document) AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName.GetString());
  m_pDocument = document;
  // Loading replaces the contents.
  DeleteContents();
  const WORD version = GetArchiveStreamVersion(ar);

  // The settings as they were, for a load that fails.
  const BYTE oldHPages = m_hPages;
  const BYTE oldVPages = m_vPages;
  const COLORREF oldPaper = m_crPaper;
  const CSize oldPageSize = m_savedPageSize;
  const short oldOrientation = m_shSavedOrientation;
  const short oldPaperSize = m_shSavedPaperSize;
  const int oldHMax = m_savedHMaxPages;
  const int oldVMax = m_savedVMaxPages;

  CDrawList elements;
  const LoadScope scope(document, this, m_pLoadingElements, elements);
  CObject* format = nullptr;
  try {
    WORD storedMode = 0;
    WORD storedUpward = 1;
    if (version >= 16) ar >> storedMode >> storedUpward;
    BYTE hPages = 0;
    BYTE vPages = 0;
    DWORD paper = 0;
    ar >> hPages >> vPages >> paper;
    format = ar.ReadObject(RUNTIME_CLASS(CBlockFormat));
    CSize pageSize = m_savedPageSize;
    short orientation = m_shSavedOrientation;
    short paperSize = m_shSavedPaperSize;
    int hMax = m_savedHMaxPages;
    int vMax = m_savedVMaxPages;
    if (version >= 17) {
      WORD storedOrientation = 0;
      WORD storedPaperSize = 0;
      ar >> pageSize >> storedOrientation >> storedPaperSize;
      if (pageSize.cx < 1 || pageSize.cy < 1 || pageSize.cx > kMaxPageLength || pageSize.cy > kMaxPageLength)
        ThrowBadFormat(ar);
      orientation = static_cast<short>(storedOrientation);
      paperSize = static_cast<short>(storedPaperSize);
    }
    if (version >= 18) {
      CSize maxPages;
      ar >> maxPages;
      // A canvas has 1 to 255 pages each way.
      hMax = std::clamp(static_cast<int>(maxPages.cx), 1, 255);
      vMax = std::clamp(static_cast<int>(maxPages.cy), 1, 255);
    } else if (version == 17) {
      DWORD ignored = 0;
      ar >> ignored >> ignored;
      hMax = 255;
      vMax = 255;
    }
    ReadObjects(ar, elements);
    CSecurityChecker lock;
    if (version >= 13) lock.Serialize(ar);
    ReadObjects(ar, m_objects);

    m_hPages = hPages;
    m_vPages = vPages;
    m_crPaper = paper;
    m_pBlockFormat = static_cast<CBlockFormat*>(format);
    format = nullptr;
    m_savedPageSize = pageSize;
    m_shSavedOrientation = orientation;
    m_shSavedPaperSize = paperSize;
    m_savedHMaxPages = hMax;
    m_savedVMaxPages = vMax;
    PlaceLoadedObjects(ar, elements, storedMode, storedUpward);
    if (version >= 13) CopyLockState(lock, m_lock);
  } catch (...) {
    delete format;
    DiscardFailedLoad(elements);
    m_hPages = oldHPages;
    m_vPages = oldVPages;
    m_crPaper = oldPaper;
    m_savedPageSize = oldPageSize;
    m_shSavedOrientation = oldOrientation;
    m_shSavedPaperSize = oldPaperSize;
    m_savedHMaxPages = oldHMax;
    m_savedVMaxPages = oldVMax;
    throw;
  }
}

void CDiagram::PlaceLoadedObjects(CArchive& ar, CDrawList& elements, int storedMode, BOOL storedUpward) {
  // Objects whose classes failed to load stay out.
  if (m_pDocument) {
    m_pDocument->ExcludeLoadFailuresFrom(elements);
    m_pDocument->ExcludeLoadFailuresFrom(m_objects);
  }
  // Every element and every component of an object belongs on the canvas.
  CDrawList wanted(elements);
  wanted += m_objects;
  wanted.IncludeElementComponents();
  if (m_pDocument) m_pDocument->ExcludeLoadFailuresFrom(wanted);
  bool added = false;
  for (POSITION pos = wanted.GetHeadPosition(); pos;) {
    CDrawObj* object = wanted.GetNext(pos);
    if (m_objects.AddTail(object)) added = true;
  }
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    // The diagram owns what it holds (an archive without a document gives
    // the objects none).
    if (object->GetDiagram() != this) object->SetDiagram(this);
    const CRect& r = object->GetPosition();
    if (std::max({std::abs(int64_t{r.left}), std::abs(int64_t{r.right}), std::abs(int64_t{r.top}),
                  std::abs(int64_t{r.bottom})}) > kMaxCoordinate)
      ThrowBadFormat(ar);
  }
  if (added) SetModifiedFlag(TRUE);

  ComputeDrawingExtent();

  // A diagram stored with another canvas mode or y direction is moved onto
  // this canvas.
  const int mode = GetCanvasMode();
  const BOOL upward = IsUpwardPositive();
  const bool flip = (storedUpward != 0) != (upward != 0);
  // The extent as the stored canvas saw it; negated below, it is ordered
  // for this canvas again.
  if (flip) std::swap(m_rcExtent.top, m_rcExtent.bottom);
  const CRect extent = m_rcExtent;
  int step = 0;
  const UINT method = GetAutoRouteMethod();
  if ((method == 0 || method == 1 || method == 3) && (m_nManualRouteMethod == 1 || m_nManualRouteMethod == 3))
    step = m_autoRouteOption.m_nMinDistance;
  int across = 1;
  int down = 1;
  GetMinPagesToCover(extent, storedMode, storedUpward, across, down);
  // No canvas has more than 255 pages each way.
  across = std::min(across, 255);
  down = std::min(down, 255);
  const CSize page = GetPageSize();
  int64_t dx = 0;
  int64_t dy = 0;
  if (storedMode == 0 && mode == 1) {
    dx = RoundUpToStep(int64_t{page.cx} * across / 2, step);
    dy = RoundUpToStep(int64_t{page.cy} * down / 2, step);
  } else if (storedMode == 1 && mode == 0) {
    dx = -(int64_t{page.cx} * across / 2);
    dy = -(int64_t{page.cy} * down / 2);
    if (flip) dy = -dy;
    dx = RoundToStep(dx, step);
    dy = RoundToStep(dy, step);
  } else if (storedMode == 1 && mode == 1 && flip) {
    dy = RoundUpToStep(int64_t{page.cy} * down, step);
  }
  const bool convert = flip || dx != 0 || dy != 0;
  const CPoint offset(static_cast<int>(dx), static_cast<int>(dy));

  int index = 0;
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    object->SetZIndex(index++);
    if (convert) object->FlipAndOffset(flip, offset);
  }
  if (convert) {
    if (flip) {
      m_rcExtent.top = -m_rcExtent.top;
      m_rcExtent.bottom = -m_rcExtent.bottom;
    }
    m_rcExtent.OffsetRect(offset);
  }
  GetMinPagesToCover(m_rcExtent, mode, upward, across, down);

  const CSize sizeBefore = m_size;
  ComputePageSize();
  // ComputePageSize files the objects only when the canvas changed size.
  if (m_bUseQuadTree && m_size == sizeBefore) RebuildQuadTree();
  if (across > m_hPages || down > m_vPages) HandleObjectsBeyondCanvas(1, 0);
}

void CDiagram::DiscardFailedLoad(CDrawList& elements) {
  // The document frees the objects that failed; they leave the lists first.
  if (m_pDocument) {
    m_pDocument->ExcludeLoadFailuresFrom(elements);
    m_pDocument->ExcludeLoadFailuresFrom(m_objects);
    m_pDocument->DeleteLoadFailures();
  }
  // Everything else that was read is deleted with the contents: elements
  // not yet on the canvas join it, and every object is made this diagram's,
  // so that an owner deleted first takes its components off the list.
  m_objects += elements;
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    if (object->GetDiagram() != this) object->SetDiagram(this);
  }
  elements.RemoveAll();
  DeleteContents();
}

void CDiagram::DeleteAllOf(CDrawList& objects) {
  CDrawList first(kCopyBlockSize);
  first.AddTail(objects);
  ExcludeComponentsOfSource(objects, first);
  const CObList& entries = first;
  // The objects go from the head, which the list finds without its index:
  // no entry is erased per object. A search for one further in (an owner
  // taking its components, an entry already gone) builds the index again,
  // once.
  objects.DropIndex();
  for (POSITION pos = entries.GetHeadPosition(); pos;) {
    // An owner destroys its components, and an object may take others
    // with it: only what the list still holds is alive, so an entry is
    // looked at as a diagram object only once the list vouches for it.
    // Arcs go last.
    const CObject* entry = entries.GetNext(pos);
    if (!objects.Find(entry)) continue;
    CDrawObj* object = static_cast<CDrawObj*>(const_cast<CObject*>(entry));
    if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) continue;
    delete object;
  }
  while (!objects.IsEmpty()) {
    CDrawObj* object = objects.GetHead();
    delete object;
    // An object that did not leave the list by itself (attached elsewhere)
    // is taken off here, so the loop ends.
    if (!objects.IsEmpty() && objects.GetHead() == object) objects.RemoveHead();
  }
}

void CDiagram::DeleteContents() {
  if (m_objects.IsEmpty() && m_trash.IsEmpty() && m_quadTree.IsEmpty() && !m_pBlockFormat) return;
  if (m_pDocument) UpdateDiagramViews(nullptr, CDrawHint::contentsCleared, nullptr);
  BeginDynamicRouteChanges();
  m_bDeletingContents = true;
  // The tree lets go of every object at once, so that no object leaves it
  // node by node as it goes.
  m_quadTree.ClearTree();
  DeleteAllOf(m_trash);
  DeleteAllOf(m_objects);
  m_bDeletingContents = false;
  m_rcExtent.SetRectEmpty();
  m_size = CSize(0, 0);
  // Deleted through its base: the format is a CObject.
  CObject* format = m_pBlockFormat;
  delete format;
  m_pBlockFormat = nullptr;
  EndDynamicRouteChanges();
}
