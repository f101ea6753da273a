// One closed-boundary search in generated drawings: a grid of cells, each a
// filleted rectangle with a circle inside, and lines crossing the whole
// drawing between the cells. The search starts from a point inside one
// filleted rectangle, beside its circle. For comparison, the worst case: the
// same cells without the crossing lines inside one frame, the point between
// the cells, so that the face found spans the whole drawing.
#include <benchmark/benchmark.h>

#include <cmath>

#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"

namespace {
constexpr double kCell = 10.0;

void FilletedRect(CDraftView& v, double x0, double y0, double x1, double y1, double r) {
  v.AddEntityToView(ConstructLineEntity(0, nullptr, x0 + r, y0, x1 - r, y0));
  v.AddEntityToView(ConstructArcEntity(0, nullptr, x1 - r, y0 + r, r, 270, 0));
  v.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y0 + r, x1, y1 - r));
  v.AddEntityToView(ConstructArcEntity(0, nullptr, x1 - r, y1 - r, r, 0, 90));
  v.AddEntityToView(ConstructLineEntity(0, nullptr, x1 - r, y1, x0 + r, y1));
  v.AddEntityToView(ConstructArcEntity(0, nullptr, x0 + r, y1 - r, r, 90, 180));
  v.AddEntityToView(ConstructLineEntity(0, nullptr, x0, y1 - r, x0, y0 + r));
  v.AddEntityToView(ConstructArcEntity(0, nullptr, x0 + r, y0 + r, r, 180, 270));
}

// About `target` entities: nine a cell and the crossing lines (or a frame
// round everything).
int BuildDrawing(CDraftView& v, int target, bool crossing = true) {
  const int k = static_cast<int>(std::lround(std::sqrt(target / 9.0)));
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < k; ++j) {
      const double x = i * kCell, y = j * kCell;
      FilletedRect(v, x + 1, y + 1, x + 9, y + 9, 1.5);
      v.AddEntityToView(ConstructCircleEntity(0, nullptr, x + 5, y + 5, 2));
    }
  if (!crossing) {
    const double e = k * kCell;
    v.AddEntityToView(ConstructLineEntity(0, nullptr, -1, -1, e, -1));
    v.AddEntityToView(ConstructLineEntity(0, nullptr, e, -1, e, e));
    v.AddEntityToView(ConstructLineEntity(0, nullptr, e, e, -1, e));
    v.AddEntityToView(ConstructLineEntity(0, nullptr, -1, e, -1, -1));
    return v.GetEntityList()->GetCount();
  }
  for (int i = 0; i <= k; ++i) {
    v.AddEntityToView(ConstructLineEntity(0, nullptr, -5, i * kCell, k * kCell + 5, i * kCell));
    v.AddEntityToView(ConstructLineEntity(0, nullptr, i * kCell, -5, i * kCell, k * kCell + 5));
  }
  return v.GetEntityList()->GetCount();
}

void BM_BoundarySearchInOneCell(benchmark::State& state) {
  CDraftView view;
  const int count = BuildDrawing(view, static_cast<int>(state.range(0)));
  const int k = static_cast<int>(std::lround(std::sqrt(state.range(0) / 9.0)));
  const double x = (k / 2) * kCell + 2.5, y = (k / 2) * kCell + 5;  // beside the circle of a middle cell
  for (auto _ : state) {
    CEntityList boundary, second;
    const BOOL found = view.FindClosedBoundary(*view.GetEntityList(), boundary, second, x, y, 1, 0, 0, 1);
    if (!found || boundary.GetCount() != 8) state.SkipWithError("the filleted rectangle was not found");
    while (!boundary.IsEmpty()) delete boundary.RemoveHead();
  }
  state.counters["entities"] = count;
}
BENCHMARK(BM_BoundarySearchInOneCell)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BoundarySearchInAFaceSpanningTheDrawing(benchmark::State& state) {
  CDraftView view;
  const int count = BuildDrawing(view, static_cast<int>(state.range(0)), false);
  const int k = static_cast<int>(std::lround(std::sqrt(state.range(0) / 9.0)));
  const double at = (k / 2) * kCell + 0.5;  // between the cells
  for (auto _ : state) {
    CEntityList boundary, second;
    const BOOL found = view.FindClosedBoundary(*view.GetEntityList(), boundary, second, at, at, 1, 0, 0, 1);
    if (!found || boundary.GetCount() != 4) state.SkipWithError("the frame was not found");
    while (!boundary.IsEmpty()) delete boundary.RemoveHead();
  }
  state.counters["entities"] = count;
}
BENCHMARK(BM_BoundarySearchInAFaceSpanningTheDrawing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}  // namespace
