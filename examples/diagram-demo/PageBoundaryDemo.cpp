#include "examples/diagram-demo/PageBoundaryDemo.h"

#include <cstdio>
#include <string>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/ui/DrawView.h"
#include "examples/diagram-demo/DemoSupport.h"
#include "platform/ui/WinUser.h"

namespace demo {
namespace {

namespace fs = std::filesystem;

// The view's command that moves the objects off the page boundaries.
constexpr UINT kAvoidPageBoundary = 57027;

// A view that labels the places where wires cross a page boundary.
class CrossLabelView : public CDrawView {
 public:
  CrossLabelView() { m_bShowCrossLabels = TRUE; }
};

CDrawPort* PortOf(CDrawBlock* block, int index) {
  POSITION pos = block->GetPorts().FindIndex(index);
  return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
}

// The blocks that lie across a boundary between two pages.
int BlocksAcrossBoundaries(CDiagram& diagram, const std::vector<CDrawBlock*>& blocks) {
  const CRect canvas = diagram.GetRect();  // y grows upward: top > bottom
  const CSize page = diagram.GetPageSize();
  int across = 0;
  for (CDrawBlock* block : blocks) {
    CRect r = block->GetBoundingRectIncludingComponents();
    r.NormalizeRect();
    const int left = r.left - canvas.left;
    const int right = r.right - canvas.left;
    const int top = canvas.top - r.bottom;
    const int bottom = canvas.top - r.top;
    if (left / page.cx != right / page.cx || top / page.cy != bottom / page.cy) ++across;
  }
  return across;
}

// Both ends of every wire on their ports' connection points.
bool WiresJoined(const std::vector<CDrawArc*>& wires) {
  for (CDrawArc* wire : wires) {
    const int count = wire->GetHandleCount();
    if (count < 2 || wire->GetHandle(1) != wire->GetSrcOutPort()->ConnectionPoint() ||
        wire->GetHandle(count) != wire->GetDestInPort()->ConnectionPoint()) {
      return false;
    }
  }
  return true;
}

// Paints the whole canvas with its page boundaries and crossing labels in a
// new view at 75 %, where the labels can be read, its window as large as the
// canvas, and writes the view's pixels: the picture is the canvas, whatever
// pages it has grown by.
bool PaintCanvas(CDrawDoc& doc, const std::string& path) {
  const UINT savedPercent = CDrawView::c_uNewViewScalePercent;
  CDrawView::c_uNewViewScalePercent = 75;
  CrossLabelView view;
  const bool written = PaintInView(doc, view, u"page boundaries", CRect(0, 0, 1100, 1300), path, true);
  CDrawView::c_uNewViewScalePercent = savedPercent;
  return written;
}

}  // namespace

void RunPageBoundaryDemo(const fs::path& folder) {
  std::printf("Avoiding page boundaries\n");
  CDrawDoc doc;
  Check(doc.OnNewDocument() != FALSE, "a new document");
  CDiagram& diagram = *doc.GetDiagram();
  Check(diagram.SetCanvasSize(2, 2) != FALSE, "a canvas of 2 x 2 pages");
  if (diagram.IsSnapToGridEnabled()) diagram.ToggleSnapToGrid();
  // The view the user works in; the command goes to it.
  CDrawView editor;
  doc.AddView(&editor);
  editor.CreateEx(0, u"AfxWnd", u"editor", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1240, 680), nullptr, 0);
  editor.OnInitialUpdate();
  editor.SetActive(TRUE);

  // Points measured right and down from the canvas's top-left corner; pages
  // meet at (w, h).
  const CRect canvas = diagram.GetRect();
  const int w = diagram.GetPageSize().cx;
  const int h = diagram.GetPageSize().cy;
  auto at = [&](int right, int down) { return CPoint(canvas.left + right, canvas.top - down); };
  struct Placed {
    UINT code;  // inputs x 100 + outputs
    int right, down;
    const char16_t* name;
  };
  const Placed layout[] = {
      {2, 120, 80, u"Source"},
      {101, w - 25, 300, u"Filter"},      // across the boundary between pages 1 and 2
      {101, w + 330, 520, u"Gain"},
      {201, 280, h - 30, u"Mixer"},       // across the boundary between pages 1 and 3
      {101, w - 25, h - 30, u"Delay"},    // across both, where the four pages meet
      {100, w + 360, 2 * h - 130, u"Scope"},  // pushed over the canvas's bottom edge
  };
  std::vector<CDrawBlock*> blocks;
  for (const Placed& p : layout) {
    if (CDrawBlock* block = PlaceNamedBlock(&diagram, p.code, at(p.right, p.down), &editor, p.name)) {
      blocks.push_back(block);
    }
  }
  Check(blocks.size() == 6, "six blocks placed");
  if (blocks.size() != 6) {
    editor.DestroyWindow();
    doc.RemoveView(&editor);
    return;
  }
  // Source, Filter, Gain, Mixer, Delay, Scope: output port indexes follow
  // the inputs.
  struct Join {
    int from, out, to, in;
  };
  const Join joins[] = {{0, 0, 1, 0}, {1, 1, 2, 0}, {0, 1, 3, 0}, {2, 1, 3, 1}, {3, 2, 4, 0}, {4, 1, 5, 0}};
  std::vector<CDrawArc*> wires;
  for (const Join& j : joins) {
    auto* arc = new CDrawArc;
    if (arc->Initialize(PortOf(blocks[j.from], j.out), PortOf(blocks[j.to], j.in), TRUE) && diagram.Add(arc)) {
      wires.push_back(arc);
    } else {
      delete arc;
    }
  }
  Check(wires.size() == 6, "six wires drawn");
  CDiagram::m_nManualRouteMethod = 1;
  CDiagram::m_nRouteWhat = 0;
  Check(diagram.RouteArcs(CDrawList(), 0) == 1, "the wires routed with the cell router");
  const int acrossBefore = BlocksAcrossBoundaries(diagram, blocks);
  Check(acrossBefore == 3, std::to_string(acrossBefore) + " blocks across page boundaries");
  Check(PaintCanvas(doc, (folder / "page-boundaries-before.png").string()), "the canvas painted before");

  // Wires are routed again as their blocks move.
  diagram.SetAutoRouteModeAndMethod(2, 1);
  doc.ClearUndoStack();
  editor.SendMessage(WM_COMMAND, kAvoidPageBoundary);
  Check(BlocksAcrossBoundaries(diagram, blocks) == 0, "the view's command moved every block off the boundaries");
  const CSize pages = diagram.GetCanvasSize();
  Check(pages == CSize(2, 3), "the canvas grew to hold them: " + std::to_string(pages.cx) + " x " +
                                 std::to_string(pages.cy) + " pages");
  Check(WiresJoined(wires), "every wire still ends on its ports");
  Check(doc.GetNumberUndosOnStack() == 1 && CStringW(doc.GetNextUndoCmdName()) == CStringW(u"AvoidPageBoundary"),
        "the move is one \"AvoidPageBoundary\" entry");
  Check(PaintCanvas(doc, (folder / "page-boundaries-after.png").string()), "the canvas painted after");
  diagram.SetAutoRouteModeAndMethod(0, 0);
  editor.DestroyWindow();
  doc.RemoveView(&editor);
}

}  // namespace demo
