// Repainting a diagram view on the raster back end: a window-sized area at
// 100 % and the whole canvas scaled to fit, over diagrams of 1,000 and
// 10,000 objects spread evenly over the canvas (the same density, so the
// visible area holds about as many objects in both).
//
// The objects are filled rectangles with a border: blocks with ports and
// wires need the block classes, and rectangles go through the same quad
// tree, off-screen bitmap and copy.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

#include "diagram/model/Diagram.h"
#include "diagram/model/DrawDoc.h"
#include "diagram/model/DrawRect.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/WinUser.h"

extern "C" void _InitScrivel();

namespace {

constexpr int kPageWidth = 850;
constexpr int kPageHeight = 1100;
// Objects a page holds.
constexpr int kPerPage = 60;

// A document whose diagram holds `count` rectangles, shown in a view of
// 1024 x 768 pixels.
struct Scene {
  explicit Scene(int count) {
    static const bool linked = [] {
      _InitScrivel();
      return true;
    }();
    (void)linked;
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    const int pages = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count) / kPerPage))));
    diagram->SetCanvasSize(static_cast<BYTE>(pages), static_cast<BYTE>(pages));
    const CRect canvas = diagram->GetRect();
    std::mt19937 rng(20261211);
    std::uniform_int_distribution<int> x(canvas.left, canvas.right - 200);
    std::uniform_int_distribution<int> y(canvas.bottom + 200, canvas.top);
    std::uniform_int_distribution<int> side(40, 160);
    for (int i = 0; i < count; ++i) {
      const int l = x(rng);
      const int t = y(rng);
      auto* object = new CDrawRect(CRect(l, t, l + side(rng), t - side(rng)));
      diagram->Add(object);
      object->SetFillColor(RGB(i * 37 % 256, i * 91 % 256, 200));
    }
    doc.ClearUndoStack();
    doc.AddView(&view);
    view.CreateEx(0, u"AfxWnd", u"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1024, 768), nullptr, 0);
    CDrawView::c_uNewViewScalePercent = 100;
    view.OnInitialUpdate();
    view.SetActive(TRUE);
  }
  ~Scene() {
    view.DestroyWindow();
    doc.ClearUndoStack();
  }

  CDrawDoc doc;
  CDiagram* diagram = nullptr;
  CDrawView view;
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
  state.SetLabel(fit ? "whole canvas scaled to fit" : "window at 100 %");
}

void BM_RepaintWindowAt100(benchmark::State& state) { Repaint(state, false); }
void BM_RepaintScaledToFit(benchmark::State& state) { Repaint(state, true); }

BENCHMARK(BM_RepaintWindowAt100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintScaledToFit)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
