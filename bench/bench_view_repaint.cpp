// Repainting a diagram view on the raster back end: a window-sized area at
// 100 % and the whole canvas scaled to fit, over diagrams of 1,000 and
// 10,000 blocks laid out on a grid at the same density (so the visible area
// holds about as many objects in both).
//
// Each block has two inputs and one output. Its output feeds the first
// input of its right neighbour, and every other block's output also feeds
// the second input of the block below, through wires of three or four
// horizontal and vertical segments; rows and columns run across page
// boundaries, so many wires cross them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/WinUser.h"

extern "C" void _InitScrivel();

namespace {

// Grid cells of a page: blocks a page holds.
constexpr int kAcrossPerPage = 6;
constexpr int kDownPerPage = 10;

CDrawPort* PortOf(CDrawBlock* block, int index) {
  POSITION pos = block->GetPorts().FindIndex(index);
  return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
}

// A document whose diagram holds `count` blocks with their ports, names and
// wires, shown in a view of 1024 x 768 pixels.
struct Scene {
  explicit Scene(int count) {
    static const bool linked = [] {
      _InitScrivel();
      return true;
    }();
    (void)linked;
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    if (diagram->IsSnapToGridEnabled()) diagram->ToggleSnapToGrid();
    const int perPage = kAcrossPerPage * kDownPerPage;
    const int pages = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count) / perPage))));
    diagram->SetCanvasSize(static_cast<BYTE>(pages), static_cast<BYTE>(pages));
    doc.AddView(&view);
    view.CreateEx(0, u"AfxWnd", u"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1024, 768), nullptr, 0);
    CDrawView::c_uNewViewScalePercent = 100;
    view.OnInitialUpdate();
    view.SetActive(TRUE);

    const CRect canvas = diagram->GetRect();  // y grows upward
    const CSize page = diagram->GetPageSize();
    const int cellWidth = page.cx / kAcrossPerPage;
    const int cellHeight = page.cy / kDownPerPage;
    columns = pages * kAcrossPerPage;
    grid.assign(static_cast<size_t>(count), nullptr);
    for (int i = 0; i < count; ++i) {
      auto* block = new CDrawBlock;
      const CPoint at(canvas.left + (i % columns) * cellWidth + 25, canvas.top - (i / columns) * cellHeight - 10);
      if (!block->InitializeAs(201, at, &view) || !block->AddBlockAndComponentsToDiagram(diagram)) {
        delete block;
        continue;
      }
      grid[static_cast<size_t>(i)] = block;
      // The undo history of the build is of no interest.
      if (i % 256 == 255) doc.ClearUndoStack();
    }
    for (int i = 0; i < count; ++i) {
      CDrawBlock* block = grid[static_cast<size_t>(i)];
      if (!block) continue;
      const bool lastInRow = i % columns == columns - 1;
      if (!lastInRow && i + 1 < count) Join(block, grid[static_cast<size_t>(i + 1)], 0);
      if (i % 2 == 0 && i + columns < count) Join(block, grid[static_cast<size_t>(i + columns)], 1);
      if (i % 256 == 255) doc.ClearUndoStack();
    }
    doc.ClearUndoStack();
  }
  ~Scene() {
    view.DestroyWindow();
    doc.ClearUndoStack();
  }

  // A wire from the block's output to input `input` of the other block:
  // to the right neighbour's first input with one vertical jog, to the
  // second input of the block below through the gap above that block.
  void Join(CDrawBlock* from, CDrawBlock* to, int input) {
    if (!to) return;
    CDrawPort* out = PortOf(from, 2);
    CDrawPort* in = PortOf(to, input);
    auto* arc = new CDrawArc;
    if (!out || !in || !arc->Initialize(out, in, FALSE) || !diagram->Add(arc)) {
      delete arc;
      return;
    }
    const CPoint a = out->ConnectionPoint();
    const CPoint b = in->ConnectionPoint();
    if (input == 0) {
      const int middle = (a.x + b.x) / 2;
      const CPoint path[] = {a, CPoint(middle, a.y), CPoint(middle, b.y), b};
      arc->ReRoute(path, 4);
    } else {
      // Through the gap above the block below.
      const int gap = to->GetPosition().top + 5;
      const CPoint path[] = {a, CPoint(a.x + 12, a.y), CPoint(a.x + 12, gap), CPoint(b.x - 12, gap),
                             CPoint(b.x - 12, b.y), b};
      arc->ReRoute(path, 6);
    }
    ++wires;
  }

  CDrawDoc doc;
  CDiagram* diagram = nullptr;
  CDrawView view;
  std::vector<CDrawBlock*> grid;
  int columns = 1;
  int wires = 0;
};

void Repaint(benchmark::State& state, bool fit) {
  Scene scene(static_cast<int>(state.range(0)));
  if (fit) {
    scene.view.OnViewScaleToFit();
  } else {
    // A window-sized area in the middle of the canvas.
    const CSize total = scene.view.GetTotalSize();
    scene.view.ScrollToPosition(CPoint(total.cx / 2, total.cy / 2));
  }
  for (auto _ : state) {
    scene.view.Invalidate(FALSE);
    scene.view.UpdateWindow();
  }
  state.counters["objects"] = static_cast<double>(scene.diagram->GetObjects().GetCount());
  state.counters["wires"] = scene.wires;
  state.SetLabel(fit ? "whole canvas scaled to fit" : "window at 100 %");
}

void BM_RepaintWindowAt100(benchmark::State& state) { Repaint(state, false); }
void BM_RepaintScaledToFit(benchmark::State& state) { Repaint(state, true); }

BENCHMARK(BM_RepaintWindowAt100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintScaledToFit)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
