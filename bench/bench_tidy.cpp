// The tidy command's whole-drawing pass (modes 0, centre lines, and 1,
// duplicates) over generated drawings of 1,000 and 10,000 entities, with
// the partner and duplicate indexes (index 1) and, for the smaller drawing,
// walking every candidate for every item (index 0). Each cell of the
// drawing holds a circle, a centre line across it from outside and one
// from inside it, two overlapping lines and two overlapping arcs; the cells
// stand in a square grid. Building the drawing is not timed; "per_entity"
// is the pass's time over the number of entities.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "draft/edit/TidyCenterLineCmd.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "platform/ui/ModalDriver.h"

namespace {

constexpr int kPerCell = 7;

void BuildDrawing(CDraftView& view, int entities) {
  const int cells = entities / kPerCell;
  const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(cells))));
  for (int i = 0; i < cells; ++i) {
    const double x = 100.0 * (i % side), y = 100.0 * (i / side);
    view.AddEntityToView(ConstructCircleEntity(0, nullptr, x + 50, y + 50, 20));
    view.AddEntityToView(ConstructLineEntity(2, nullptr, x + 10, y + 50, x + 90, y + 50));
    view.AddEntityToView(ConstructLineEntity(2, nullptr, x + 50, y + 45, x + 50, y + 95));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x, y + 5, x + 60, y + 5));
    view.AddEntityToView(ConstructLineEntity(1, nullptr, x + 40, y + 5, x + 95, y + 5));
    view.AddEntityToView(ConstructArcEntity(0, nullptr, x + 50, y + 50, 30, 0, 120));
    view.AddEntityToView(ConstructArcEntity(0, nullptr, x + 50, y + 50, 30, 90, 200));
  }
}

void TidyPass(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  const int entities = static_cast<int>(state.range(1));
  const bool indexes = state.range(2) != 0;
  auto previous = SetSettingsBacking(std::make_unique<CMemorySettings>());
  platform::ScopedModalDriver driver([mode](platform::ModalSession& m) {
    m.Click(mode == 0 ? 2245 : 2234);
    m.EnterText(1121, CStringA("3"));
    m.Click(IDOK);
  });
  for (auto _ : state) {
    state.PauseTiming();
    auto view = std::make_unique<CDraftView>();
    CCmdStack stack;
    BuildDrawing(*view, entities);
    auto* cmd = new CTidyCenterLineCmd(90, view.get());
    cmd->SetUseIndexes(indexes);
    state.ResumeTiming();
    stack.Push(view.get(), cmd);  // one pass, and the command ends
    state.PauseTiming();
    if (view->GetUndoCount() != 1) state.SkipWithError("the pass changed nothing");
    view.reset();
    state.ResumeTiming();
  }
  state.counters["per_entity"] =
      benchmark::Counter(static_cast<double>(entities), benchmark::Counter::kIsIterationInvariantRate |
                                                            benchmark::Counter::kInvert);
  SetSettingsBacking(std::move(previous));
}

}  // namespace

BENCHMARK(TidyPass)
    ->ArgNames({"mode", "entities", "index"})
    ->Args({0, 1000, 1})
    ->Args({0, 10000, 1})
    ->Args({1, 1000, 1})
    ->Args({1, 10000, 1})
    ->Args({0, 1000, 0})
    ->Args({1, 1000, 0})
    ->Unit(benchmark::kMillisecond);
