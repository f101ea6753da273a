// Moving a diagram's objects off its page boundaries: the objects are laid
// out down and across the pages in a work table (PageBoundaryTable), the
// canvas grows to hold them, and each object moves once to its place, all
// as one undo step.
#include <algorithm>
#include <cstdint>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/PageBoundaryTable.h"
#include "diagram/model/undo/URArc.h"
#include "diagram/model/undo/URDiagram.h"

namespace {

// Blocks and ports.
class BlocksAndPorts : public IDrawListFilter {
 public:
  BOOL Passes(CDrawObj* object) override {
    return object && (object->IsKindOf(RUNTIME_CLASS(CDrawBlock)) || object->IsKindOf(RUNTIME_CLASS(CDrawPort)));
  }
};

// The pages of length `page` that reach `reach` from the canvas's edge, at
// least 1 and at most `most` (itself at most 255).
int PagesToReach(int64_t reach, int page, int most) {
  most = std::clamp(most, 1, 255);
  if (page <= 0 || reach <= 0) return 1;
  const int64_t pages = (reach + page - 1) / page;
  return static_cast<int>(std::clamp<int64_t>(pages, 1, most));
}

// Runs its action when it goes out of scope, also when an exception passes.
template <typename Action>
class AtScopeEnd {
 public:
  explicit AtScopeEnd(Action action) : m_action(action) {}
  AtScopeEnd(const AtScopeEnd&) = delete;
  AtScopeEnd& operator=(const AtScopeEnd&) = delete;
  ~AtScopeEnd() { m_action(); }

 private:
  Action m_action;
};

}  // namespace

int CDiagram::AvoidPageBoundary(int topMargin, int bottomMargin, int leftMargin, int rightMargin, int justBlocks) {
  CDrawList objects;
  if (justBlocks) {
    BlocksAndPorts filter;
    objects.CopyFromFilter(m_objects, filter);
  } else {
    objects = m_objects;
    objects.ExcludeArcs();
  }
  objects.ExcludeElementComponents();
  // A canvas mode without a rectangle has no pages to keep off.
  if (objects.IsEmpty() || (GetCanvasMode() != 0 && GetCanvasMode() != 1)) return 1;

  if (m_pDocument && !m_pDocument->BeginUndoRecording(u"AvoidPageBoundary", 255)) return 0;
  BeginDynamicRouteChanges();
  if (!CURCanvasSize::RecordUndo(this)) {
    EndDynamicRouteChanges();
    if (m_pDocument) m_pDocument->EndUndoRecording();
    return 0;
  }
  if (m_pDocument) m_pDocument->BeginWaitCursor();
  // Objects move one by one while the tree would still place the others at
  // their old places: it stays off until all have moved, then is rebuilt.
  const int savedUseQuadTree = m_bUseQuadTree;
  m_bUseQuadTree = 0;
  const AtScopeEnd finish([this, savedUseQuadTree] {
    m_bUseQuadTree = savedUseQuadTree;
    ComputeDrawingExtent();
    if (m_bUseQuadTree) RebuildQuadTree();
    UpdateDiagramViews(nullptr, CDrawHint::paperColorChanged, nullptr);  // hint 10: repaint everything
    if (m_pDocument) m_pDocument->EndWaitCursor();
    EndDynamicRouteChanges();
    if (m_pDocument) m_pDocument->EndUndoRecording();
  });

  // A wire follows the ports that move, bending its end segments as it
  // goes; following them back is no exact inverse, so every wire's points
  // are recorded before anything moves and an undo puts them back as they
  // were.
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    if (auto* arc = DYNAMIC_DOWNCAST(CDrawArc, m_objects.GetNext(pos))) CURArcReroute::RecordUndo(arc);
  }
  PageBoundaryTable table;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->InitializeRepositioning();
    table.Add(object, object->GetBoundingRectIncludingComponents());
  }
  const BOOL upward = IsUpwardPositive();
  const CSize page = GetPageSize();
  const int64_t reachDown = table.LayOutDown(upward, page.cy, topMargin, bottomMargin);
  const int64_t reachAcross = table.LayOutAcross(page.cx, leftMargin, rightMargin);

  // The canvas grows to the pages the objects now reach; the objects are
  // then placed from its new top and left edges, so that a centred canvas,
  // which grows on both sides, keeps them at their places on the pages.
  const CSize most = GetMaxCanvasSize();
  const int across = PagesToReach(reachAcross, page.cx, most.cx);
  const int down = PagesToReach(reachDown, page.cy, most.cy);
  if (across > m_hPages || down > m_vPages || m_size == CSize(0, 0)) {
    SetCanvasSize(static_cast<BYTE>(std::max<int>(across, m_hPages)), static_cast<BYTE>(std::max<int>(down, m_vPages)));
  }

  const CRect canvas = GetRect();
  CRect bounds = canvas;
  bounds.NormalizeRect();
  for (int i = 0; i < table.GetCount(); ++i) {
    CDrawObj* object = table.GetObject(i);
    // Beyond the largest canvas, the object is pushed back onto it.
    CRect placed = table.PlacedRect(i, canvas, upward);
    ForceRectWithinBounds(placed, bounds);
    object->MoveBy(placed.TopLeft() - table.GetRect(i).TopLeft(), 1);
    object->FinalizeDrawing(object->GetPosition(), nullptr, 1);
  }
  return 1;
}
