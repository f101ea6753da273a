#include "diagram/model/canvas/Diagram.h"

#include <algorithm>
#include <ctime>
#include <new>
#include <unordered_set>
#include <vector>

#include <ctime>

#include "diagram/model/canvas/ArcRouter.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/model/objects/DrawItem.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/document/ViewLink.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"

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

namespace {

// Every diagram that exists.
std::unordered_set<const CDiagram*>& LiveDiagrams() {
  static std::unordered_set<const CDiagram*> diagrams;
  return diagrams;
}

}  // namespace

BOOL CDiagram::IsLive(const CDiagram* diagram) { return LiveDiagrams().count(diagram) != 0; }

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
      // No copy has time 0, so a new diagram matches none, even one made
      // in the second it was made in.
      m_lastPasteCopyTime(0),
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
  LiveDiagrams().insert(this);
}

CDiagram::~CDiagram() {
  delete m_pRouter;
  m_pRouter = nullptr;
  DeleteContents();
  // Every view that shows the diagram lets go of it, with or without a
  // document.
  UpdateDiagramViews(nullptr, CDrawHint::diagramDestroyed, nullptr);
  LiveDiagrams().erase(this);
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
CMenu* CDiagram::GetPopupMenu(CDrawView* view, CPoint) { return view ? viewlink::PopupMenu(view, 6) : nullptr; }
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

// Drawing.

void CDiagram::Draw(CDC* dc, CRect rect, CDrawView* view) {
  // The tree's switch is put back however the paint ends.
  struct RestoreQuadTreeUse {
    int& flag;
    const int saved;
    ~RestoreQuadTreeUse() { flag = saved; }
  } restore{m_bUseQuadTree, m_bUseQuadTree};
  const bool activeScreen = view && viewlink::IsActive(view) && !dc->IsPrinting();
  // With much of the diagram selected the tree gains nothing.
  if (activeScreen && viewlink::Selection(view).GetCount() > m_objects.GetCount() / 3) m_bUseQuadTree = 0;
  m_bCrossLabels = view ? viewlink::ShowsCrossLabels(view) : 0;

  CDrawList objects;
  if (GetObjectsInRect(rect, objects)) {
    if (activeScreen) {
      // A drag moves the selected objects without filing them again, so the
      // tree knows them where the drag began: each is taken by where it is
      // now. Sorting drops any that are not on this canvas.
      CRect damaged = rect;
      damaged.NormalizeRect();
      const CDrawList& selection = viewlink::Selection(view);
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
    if (view && !dc->IsPrinting() && viewlink::IsSelected(view, object)) object->DrawTracker(dc, CDrawObj::selected);
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
    CloseOpenItems();
  }
}

void CDiagram::CloseOpenItems() {
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    if (auto* ole = DYNAMIC_DOWNCAST(CDrawOleObj, object)) {
      CDrawItem* item = ole->GetItem();
      if (item && item->IsInPlaceActive()) item->Close();
    } else if (auto* block = DYNAMIC_DOWNCAST(CDrawBlock, object)) {
      block->CloseAboutIfOpen();
    }
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
    viewlink::SendUpdate(view, sender, hint, &drawHint);
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
