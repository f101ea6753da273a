// Wire routing with the cell router.
//
// A family of generated diagrams: blocks on a grid with a seeded random
// jitter, each wire from the output port of one block to the input port of
// another (a block of the next column, or further), on a canvas of whole
// pages that holds them, at the default pitch.
//
// BM_RoutePass: one routing pass over all wires through the library's own
// driver (CDiagram::RouteArcs, so the undo recording is included).
// BM_MoveOneBlock: with the cell router as the live dynamic router, the move
// of one block and the re-routing it causes.
//
// Beside each time: wires routed and failed (or re-routed), bends per wire,
// total wire length and overlapping stretches (segments shared by two wires).
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include "diagram/model/Diagram.h"
#include "diagram/model/DrawArc.h"
#include "diagram/model/DrawBlock.h"
#include "diagram/model/DrawDoc.h"
#include "diagram/model/DrawPort.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/WinUser.h"

extern "C" void _InitScrivel();

namespace {

double Now() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void LinkLibrary() {
  static const bool linked = [] {
    _InitScrivel();
    return true;
  }();
  (void)linked;
}

CDrawPort* PortOf(CDrawBlock* block, int index) {
  POSITION pos = block->GetPorts().FindIndex(index);
  return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
}

struct Family {
  CDrawDoc doc;
  CDrawView view;
  CDiagram* diagram = nullptr;
  std::vector<CDrawBlock*> sources;
  std::vector<CDrawBlock*> targets;
  std::vector<CDrawArc*> wires;

  Family(int blocks, int wiresWanted) {
    LinkLibrary();
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    doc.AddView(&view);
    view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), nullptr, 0);
    view.OnInitialUpdate();
    doc.DisableUndoRecording();
    const int columns = std::max(2, static_cast<int>(std::sqrt(static_cast<double>(blocks)) * 1.5));
    const int rows = (blocks + columns - 1) / columns;
    const int pitchX = 220;
    const int pitchY = 160;
    const CSize page = diagram->GetPageSize();
    // Whole pages holding the blocks with a margin of 200 units around them.
    const int across = std::min(255, (columns * pitchX + 400 + page.cx - 1) / page.cx);
    const int down = std::min(255, (rows * pitchY + 400 + page.cy - 1) / page.cy);
    diagram->SetCanvasSize(static_cast<BYTE>(across), static_cast<BYTE>(down));
    const CRect canvas = diagram->GetRect();
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> jitter(-20, 20);
    // Even blocks carry an output port (code 1), odd ones an input (code 100).
    for (int i = 0; i < blocks; ++i) {
      const int c = i % columns;
      const int r = i / columns;
      const CPoint at(canvas.left + 200 + c * pitchX + jitter(random), canvas.top - 200 - r * pitchY + jitter(random));
      auto* block = new CDrawBlock;
      const UINT code = (c % 2 == 0) ? 1 : 100;
      if (!block->InitializeAs(code, at, &view) || !block->AddBlockAndComponentsToDiagram(diagram)) {
        delete block;
        continue;
      }
      (code == 1 ? sources : targets).push_back(block);
    }
    std::uniform_int_distribution<size_t> pick(0, targets.size() - 1);
    for (int w = 0; w < wiresWanted && !sources.empty(); ++w) {
      CDrawBlock* from = sources[static_cast<size_t>(w) % sources.size()];
      CDrawBlock* to = targets[pick(random)];
      auto* arc = new CDrawArc;
      if (!arc->Initialize(PortOf(from, 0), PortOf(to, 0), TRUE) || !diagram->Add(arc)) {
        delete arc;
        continue;
      }
      wires.push_back(arc);
    }
    doc.EnableUndoRecording();
  }
  ~Family() {
    diagram->SetAutoRouteModeAndMethod(0, 0);
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    view.DestroyWindow();
  }
};

struct Quality {
  int routed = 0;
  int failed = 0;
  double bendsPerWire = 0;
  int64_t length = 0;
  int overlaps = 0;
};

Quality Measure(const std::vector<CDrawArc*>& wires) {
  Quality q;
  int64_t bends = 0;
  // Unit stretches along rows and columns, counted per wire.
  std::map<std::tuple<int, int, int, int>, int> stretches;
  for (CDrawArc* arc : wires) {
    const int n = arc->GetHandleCount();
    bool orthogonal = n > 2;
    for (int i = 2; i <= n; ++i) {
      const CPoint a = arc->GetHandle(i - 1);
      const CPoint b = arc->GetHandle(i);
      if (a.x != b.x && a.y != b.y) orthogonal = false;
      q.length += std::abs(a.x - b.x) + std::abs(a.y - b.y);
      if (a.x == b.x || a.y == b.y) {
        const CPoint lo(std::min(a.x, b.x), std::min(a.y, b.y));
        const CPoint hi(std::max(a.x, b.x), std::max(a.y, b.y));
        ++stretches[{lo.x, lo.y, hi.x, hi.y}];
      }
    }
    if (orthogonal ||
        (n == 2 && (arc->GetHandle(1).x == arc->GetHandle(2).x || arc->GetHandle(1).y == arc->GetHandle(2).y))) {
      ++q.routed;
      bends += n - 2;
    } else {
      ++q.failed;
    }
  }
  for (const auto& [key, count] : stretches) {
    if (count > 1) q.overlaps += count - 1;
  }
  q.bendsPerWire = q.routed ? static_cast<double>(bends) / q.routed : 0;
  return q;
}

void Report(benchmark::State& state, const Quality& q, int wires) {
  state.counters["wires"] = wires;
  state.counters["routed"] = q.routed;
  state.counters["failed"] = q.failed;
  state.counters["bends_per_wire"] = q.bendsPerWire;
  state.counters["length"] = static_cast<double>(q.length);
  state.counters["overlaps"] = q.overlaps;
}

void BM_RoutePass(benchmark::State& state) {
  const int blocks = static_cast<int>(state.range(0));
  const int wires = static_cast<int>(state.range(1));
  for (auto _ : state) {
    state.PauseTiming();
    auto family = std::make_unique<Family>(blocks, wires);
    CDiagram::m_nManualRouteMethod = 1;
    CDiagram::m_nRouteWhat = 0;
    CDiagram::m_bCanArcRoutingBeCancelled = FALSE;
    state.ResumeTiming();
    const double start = Now();
    family->diagram->RouteArcs(CDrawList(), 0);
    state.counters["seconds"] = Now() - start;
    state.PauseTiming();
    Report(state, Measure(family->wires), static_cast<int>(family->wires.size()));
    family.reset();
    state.ResumeTiming();
  }
}

void BM_MoveOneBlock(benchmark::State& state) {
  const int blocks = static_cast<int>(state.range(0));
  const int wires = static_cast<int>(state.range(1));
  auto family = std::make_unique<Family>(blocks, wires);
  CDiagram::m_bCanArcRoutingBeCancelled = FALSE;
  family->diagram->SetAutoRouteModeAndMethod(2, 1);
  CDrawList all(family->diagram->GetObjects());
  family->diagram->RouteArcs(all, 1);
  CDrawBlock* moved = family->targets[family->targets.size() / 2];
  int step = 0;
  int rerouted = 0;
  auto shapes = [&family]() {
    std::vector<std::vector<CPoint>> all;
    for (CDrawArc* arc : family->wires) {
      std::vector<CPoint> points;
      for (int i = 1; i <= arc->GetHandleCount(); ++i) points.push_back(arc->GetHandle(i));
      all.push_back(points);
    }
    return all;
  };
  for (auto _ : state) {
    state.PauseTiming();
    const auto before = shapes();
    state.ResumeTiming();
    const CPoint delta(0, (step++ % 2 == 0) ? -40 : 40);
    family->doc.BeginUndoRecording(u"Move", 255);
    family->diagram->BeginDynamicRouteChanges();
    moved->MoveBy(delta, TRUE);
    family->diagram->EndDynamicRouteChanges();
    family->doc.EndUndoRecording();
    state.PauseTiming();
    const auto after = shapes();
    rerouted = 0;
    for (size_t i = 0; i < after.size(); ++i) rerouted += after[i] != before[i] ? 1 : 0;
    family->doc.ClearUndoStack();
    state.ResumeTiming();
  }
  Report(state, Measure(family->wires), static_cast<int>(family->wires.size()));
  state.counters["rerouted"] = rerouted;
}

}  // namespace

BENCHMARK(BM_RoutePass)
    ->Args({20, 40})
    ->Args({100, 300})
    ->Args({400, 1200})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveOneBlock)->Args({20, 40})->Args({100, 300})->Args({400, 1200})->Unit(benchmark::kMillisecond);
