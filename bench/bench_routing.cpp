// Wire routing: the routers side by side on one family of diagrams.
//
// A family of generated diagrams (20 blocks / 40 wires, 100 / 300 and
// 400 / 1,200): blocks in a grid of columns, left to right, with a seeded
// jitter, each with its input ports down its left edge and its output ports
// down its right edge, as many as its wires need. Every wire runs from an
// output to an input of a block one or two columns further right and a few
// rows up or down, so every wire can be laid. Half of the wires are single
// wires, one output each; the other half come in fan-out nets of 3 to 6
// wires from one output to inputs of different blocks. An input takes one
// wire. A fixed seed makes every run build the same diagrams.
//
// BM_RoutePass/<router>: one routing pass over all wires through the
// library's own driver (CDiagram::RouteArcs, so building the router's model
// and the undo recording are included). The diagram is built anew, untimed,
// before each pass, so that every pass routes the same input.
// BM_MoveOneBlock/<router>: with the router as the live dynamic router, the
// move of one block and the re-routing it causes.
//
// The routers compared are the rows of kRouters; a router is added with one
// row. Beside each time, for the wires as the pass (or the last move) left
// them:
//   wires           the wires of the diagram;
//   failed          the wires not laid: a wire the router cannot lay keeps
//                   its straight slanted line, so a failed wire is one with a
//                   leg that is neither horizontal nor vertical;
//   bends_per_wire  inner points per laid wire;
//   length          the legs' lengths of all laid wires, each wire counted
//                   whole;
//   drawn_length    the same with the stretches that wires of one net share
//                   counted once (what is drawn on the page);
//   overlaps        overlapping segments: pairs of legs of laid wires of
//                   different nets that lie on one line (both horizontal at
//                   the same y, or both vertical at the same x) and share a
//                   stretch of positive length, so that a reader cannot tell
//                   the two wires apart there. A net is the wires leaving one
//                   output port; legs shared within a net do not count.
//   rerouted        (moves only) the wires whose points the last move changed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
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

// The routers compared: the method number CDiagram::GetNewArcRouter takes
// and the name shown in the benchmark's name.
struct RouterRow {
  UINT method;
  const char* name;
};
constexpr RouterRow kRouters[] = {
    {1, "cell"},
    {2, "segment"},
    {3, "shared-path"},
};

// The sizes of the family: blocks and wires.
constexpr int kSizes[][2] = {{20, 40}, {100, 300}, {400, 1200}};

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

// One wire of the plan: from output `output` of block `from` to input
// `input` of block `to`, in net `net`.
struct PlannedWire {
  int from = 0;
  int output = 0;
  int to = 0;
  int input = 0;
  int net = 0;
};

// Which blocks, with how many ports, and which wires: the diagram before
// it is built. Block b stands in column b % columns and row b / columns.
struct Plan {
  int columns = 0;
  int rows = 0;
  std::vector<int> inputs;
  std::vector<int> outputs;
  std::vector<PlannedWire> wires;
};

// The sizes of the nets: half of the wires in nets of 3 to 6, the rest
// single, in a shuffled order so that fan-outs and single wires alternate
// in the routing order.
std::vector<int> NetSizes(int wires, std::mt19937& random) {
  std::vector<int> sizes;
  std::uniform_int_distribution<int> fan(3, 6);
  for (int left = wires / 2; left > 0;) {
    int size = fan(random);
    if (left <= 6) {
      size = left;
    } else if (left - size < 3) {
      size = left - 3;
    }
    sizes.push_back(size);
    left -= size;
  }
  for (int i = wires / 2; i < wires; ++i) sizes.push_back(1);
  std::shuffle(sizes.begin(), sizes.end(), random);
  return sizes;
}

Plan MakePlan(int blocks, int wires) {
  Plan plan;
  std::mt19937 random(12345);
  plan.columns = std::max(3, static_cast<int>(std::lround(std::sqrt(static_cast<double>(blocks)))));
  plan.rows = (blocks + plan.columns - 1) / plan.columns;
  plan.inputs.assign(static_cast<size_t>(blocks), 0);
  plan.outputs.assign(static_cast<size_t>(blocks), 0);
  auto column = [&plan](int b) { return b % plan.columns; };
  auto row = [&plan](int b) { return b / plan.columns; };
  std::vector<int> sources;
  for (int b = 0; b < blocks; ++b) {
    if (column(b) < plan.columns - 1) sources.push_back(b);
  }
  std::uniform_int_distribution<size_t> anySource(0, sources.size() - 1);
  std::uniform_int_distribution<int> noise(0, 3);
  const std::vector<int> sizes = NetSizes(wires, random);
  for (size_t net = 0; net < sizes.size(); ++net) {
    const int size = sizes[net];
    // The targets: blocks of the next two columns, the nearer and the less
    // used first, within a few rows (all rows when that is not enough).
    auto targets = [&](int from, int reach) {
      std::vector<std::pair<int, int>> scored;
      for (int b = 0; b < blocks; ++b) {
        const int dc = column(b) - column(from);
        const int dr = std::abs(row(b) - row(from));
        if (dc < 1 || dc > 2 || dr > reach) continue;
        scored.emplace_back(plan.inputs[static_cast<size_t>(b)] * 4 + (dc - 1) * 3 + dr + noise(random), b);
      }
      return scored;
    };
    // The less used of two sources drawn at random, among those with
    // enough blocks to their right.
    auto draw = [&]() {
      int from = sources[anySource(random)];
      while (static_cast<int>(targets(from, plan.rows).size()) < size) from = sources[anySource(random)];
      return from;
    };
    int from = draw();
    const int other = draw();
    if (plan.outputs[static_cast<size_t>(other)] < plan.outputs[static_cast<size_t>(from)]) from = other;
    const int output = plan.outputs[static_cast<size_t>(from)]++;
    std::vector<std::pair<int, int>> scored = targets(from, 3);
    if (static_cast<int>(scored.size()) < size) scored = targets(from, plan.rows);
    std::sort(scored.begin(), scored.end());
    for (int k = 0; k < size && k < static_cast<int>(scored.size()); ++k) {
      const int to = scored[static_cast<size_t>(k)].second;
      plan.wires.push_back({from, output, to, plan.inputs[static_cast<size_t>(to)]++, static_cast<int>(net)});
    }
  }
  // Each block's inputs, top to bottom, take the wires from the highest
  // source down, so that wires into one block do not cross there.
  std::vector<std::vector<PlannedWire*>> into(static_cast<size_t>(blocks));
  for (PlannedWire& w : plan.wires) into[static_cast<size_t>(w.to)].push_back(&w);
  for (auto& list : into) {
    std::stable_sort(list.begin(), list.end(), [&](const PlannedWire* a, const PlannedWire* b) {
      return std::make_tuple(row(a->from), a->output) < std::make_tuple(row(b->from), b->output);
    });
    for (size_t i = 0; i < list.size(); ++i) list[i]->input = static_cast<int>(i);
  }
  return plan;
}

// The plan built as a diagram of a document shown in a view, each wire a
// straight line between its ports.
struct Family {
  CDrawDoc doc;
  CDrawView view;
  CDiagram* diagram = nullptr;
  std::vector<CDrawBlock*> blocks;
  std::vector<CDrawArc*> wires;
  std::vector<int> nets;  // the net of each wire

  explicit Family(const Plan& plan) {
    LinkLibrary();
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    doc.AddView(&view);
    view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), nullptr, 0);
    view.OnInitialUpdate();
    doc.DisableUndoRecording();
    int ports = 0;
    for (size_t b = 0; b < plan.inputs.size(); ++b) ports = std::max(ports, plan.inputs[b] + plan.outputs[b]);
    // A block is its name (about 25 units) and 12 units per port.
    const int pitchX = 320;
    const int pitchY = 25 + 12 * ports + 90;
    const CSize page = diagram->GetPageSize();
    // Whole pages holding the blocks with a margin of 200 units around them.
    const int across = std::min(255, (plan.columns * pitchX + 400 + page.cx - 1) / page.cx);
    const int down = std::min(255, (plan.rows * pitchY + 400 + page.cy - 1) / page.cy);
    diagram->SetCanvasSize(static_cast<BYTE>(across), static_cast<BYTE>(down));
    const CRect canvas = diagram->GetRect();
    std::mt19937 random(54321);
    std::uniform_int_distribution<int> jitter(-20, 20);
    for (size_t b = 0; b < plan.inputs.size(); ++b) {
      const int c = static_cast<int>(b) % plan.columns;
      const int r = static_cast<int>(b) / plan.columns;
      const CPoint at(canvas.left + 200 + c * pitchX + jitter(random), canvas.top - 200 - r * pitchY + jitter(random));
      auto* block = new CDrawBlock;
      const auto code = static_cast<UINT>(plan.inputs[b] * 100 + plan.outputs[b]);
      if (!block->InitializeAs(code, at, &view) || !block->AddBlockAndComponentsToDiagram(diagram)) {
        delete block;
        block = nullptr;
      }
      blocks.push_back(block);
    }
    for (const PlannedWire& w : plan.wires) {
      CDrawBlock* from = blocks[static_cast<size_t>(w.from)];
      CDrawBlock* to = blocks[static_cast<size_t>(w.to)];
      if (!from || !to) continue;
      auto* arc = new CDrawArc;
      if (!arc->Initialize(PortOf(from, plan.inputs[static_cast<size_t>(w.from)] + w.output), PortOf(to, w.input),
                           TRUE) ||
          !diagram->Add(arc)) {
        delete arc;
        continue;
      }
      wires.push_back(arc);
      nets.push_back(w.net);
    }
    doc.EnableUndoRecording();
  }
  ~Family() {
    diagram->SetAutoRouteModeAndMethod(0, 0);
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    view.DestroyWindow();
  }
  Family(const Family&) = delete;
  Family& operator=(const Family&) = delete;
};

const Plan& PlanFor(int blocks, int wires) {
  static std::map<std::pair<int, int>, Plan> plans;
  auto found = plans.find({blocks, wires});
  if (found == plans.end()) found = plans.emplace(std::make_pair(blocks, wires), MakePlan(blocks, wires)).first;
  return found->second;
}

// A horizontal or vertical leg of a laid wire: its line (y of a horizontal
// leg, x of a vertical one), the span along it and the wire's net.
struct Leg {
  bool vertical;
  int line;
  int low;
  int high;
  int net;
};

struct Quality {
  int failed = 0;
  double bendsPerWire = 0;
  int64_t length = 0;
  int64_t drawnLength = 0;
  int64_t overlaps = 0;
};

Quality Measure(const std::vector<CDrawArc*>& wires, const std::vector<int>& nets) {
  Quality q;
  int64_t bends = 0;
  int laid = 0;
  std::vector<Leg> legs;
  for (size_t w = 0; w < wires.size(); ++w) {
    CDrawArc* arc = wires[w];
    const int n = arc->GetHandleCount();
    bool orthogonal = n >= 2;
    for (int i = 2; i <= n && orthogonal; ++i) {
      const CPoint a = arc->GetHandle(i - 1);
      const CPoint b = arc->GetHandle(i);
      orthogonal = a.x == b.x || a.y == b.y;
    }
    if (!orthogonal) {
      ++q.failed;
      continue;
    }
    ++laid;
    bends += n - 2;
    for (int i = 2; i <= n; ++i) {
      const CPoint a = arc->GetHandle(i - 1);
      const CPoint b = arc->GetHandle(i);
      if (a == b) continue;
      const bool vertical = a.x == b.x;
      const int low = vertical ? std::min(a.y, b.y) : std::min(a.x, b.x);
      const int high = vertical ? std::max(a.y, b.y) : std::max(a.x, b.x);
      q.length += high - low;
      legs.push_back({vertical, vertical ? a.x : a.y, low, high, nets[w]});
    }
  }
  q.bendsPerWire = laid ? static_cast<double>(bends) / laid : 0;

  // Legs of one line in the order of their start; each leg is held against
  // the legs before it that still reach past its start.
  std::sort(legs.begin(), legs.end(), [](const Leg& a, const Leg& b) {
    return std::make_tuple(a.vertical, a.line, a.low, a.high) < std::make_tuple(b.vertical, b.line, b.low, b.high);
  });
  for (size_t first = 0; first < legs.size();) {
    size_t end = first;
    while (end < legs.size() && legs[end].vertical == legs[first].vertical && legs[end].line == legs[first].line) ++end;
    std::vector<const Leg*> open;
    for (size_t i = first; i < end; ++i) {
      const Leg& leg = legs[i];
      open.erase(std::remove_if(open.begin(), open.end(), [&leg](const Leg* o) { return o->high <= leg.low; }),
                 open.end());
      for (const Leg* o : open) q.overlaps += o->net != leg.net ? 1 : 0;
      open.push_back(&leg);
    }
    first = end;
  }

  // The drawn length: the union of each net's legs on each line.
  std::sort(legs.begin(), legs.end(), [](const Leg& a, const Leg& b) {
    return std::make_tuple(a.net, a.vertical, a.line, a.low) < std::make_tuple(b.net, b.vertical, b.line, b.low);
  });
  for (size_t i = 0; i < legs.size();) {
    int low = legs[i].low;
    int high = legs[i].high;
    size_t j = i + 1;
    for (; j < legs.size() && legs[j].net == legs[i].net && legs[j].vertical == legs[i].vertical &&
           legs[j].line == legs[i].line && legs[j].low <= high;
         ++j) {
      high = std::max(high, legs[j].high);
    }
    q.drawnLength += high - low;
    i = j;
  }
  return q;
}

void Report(benchmark::State& state, const Quality& q, size_t wires) {
  state.counters["wires"] = static_cast<double>(wires);
  state.counters["failed"] = q.failed;
  state.counters["bends_per_wire"] = q.bendsPerWire;
  state.counters["length"] = static_cast<double>(q.length);
  state.counters["drawn_length"] = static_cast<double>(q.drawnLength);
  state.counters["overlaps"] = static_cast<double>(q.overlaps);
}

void RoutePass(benchmark::State& state, UINT method) {
  const Plan& plan = PlanFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const UINT savedMethod = CDiagram::m_nManualRouteMethod;
  const int savedWhat = CDiagram::m_nRouteWhat;
  const BOOL savedCancel = CDiagram::m_bCanArcRoutingBeCancelled;
  for (auto _ : state) {
    state.PauseTiming();
    auto family = std::make_unique<Family>(plan);
    CDiagram::m_nManualRouteMethod = method;
    CDiagram::m_nRouteWhat = 0;
    CDiagram::m_bCanArcRoutingBeCancelled = FALSE;
    state.ResumeTiming();
    family->diagram->RouteArcs(CDrawList(), 0);
    state.PauseTiming();
    Report(state, Measure(family->wires, family->nets), family->wires.size());
    family.reset();
    state.ResumeTiming();
  }
  CDiagram::m_nManualRouteMethod = savedMethod;
  CDiagram::m_nRouteWhat = savedWhat;
  CDiagram::m_bCanArcRoutingBeCancelled = savedCancel;
}

std::vector<std::vector<CPoint>> Shapes(const std::vector<CDrawArc*>& wires) {
  std::vector<std::vector<CPoint>> all;
  for (CDrawArc* arc : wires) {
    std::vector<CPoint> points;
    for (int i = 1; i <= arc->GetHandleCount(); ++i) points.push_back(arc->GetHandle(i));
    all.push_back(points);
  }
  return all;
}

void MoveOneBlock(benchmark::State& state, UINT method) {
  const Plan& plan = PlanFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const BOOL savedCancel = CDiagram::m_bCanArcRoutingBeCancelled;
  auto family = std::make_unique<Family>(plan);
  CDiagram::m_bCanArcRoutingBeCancelled = FALSE;
  family->diagram->SetAutoRouteModeAndMethod(2, method);
  CDrawList all(family->diagram->GetObjects());
  family->diagram->RouteArcs(all, 1);
  // A block in the middle of the family, with wires on both sides.
  CDrawBlock* moved = family->blocks[family->blocks.size() / 2 + static_cast<size_t>(plan.columns) / 2];
  int step = 0;
  int rerouted = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const auto before = Shapes(family->wires);
    state.ResumeTiming();
    const CPoint delta(0, (step++ % 2 == 0) ? -40 : 40);
    family->doc.BeginUndoRecording(u"Move", 255);
    family->diagram->BeginDynamicRouteChanges();
    moved->MoveBy(delta, TRUE);
    family->diagram->EndDynamicRouteChanges();
    family->doc.EndUndoRecording();
    state.PauseTiming();
    const auto after = Shapes(family->wires);
    rerouted = 0;
    for (size_t i = 0; i < after.size(); ++i) rerouted += after[i] != before[i] ? 1 : 0;
    family->doc.ClearUndoStack();
    state.ResumeTiming();
  }
  Report(state, Measure(family->wires, family->nets), family->wires.size());
  state.counters["rerouted"] = rerouted;
  family.reset();
  CDiagram::m_bCanArcRoutingBeCancelled = savedCancel;
}

// Every router of the table on every size.
const bool kRegistered = [] {
  for (const RouterRow& router : kRouters) {
    auto* pass = benchmark::RegisterBenchmark((std::string("BM_RoutePass/") + router.name).c_str(), RoutePass,
                                              router.method);
    auto* move = benchmark::RegisterBenchmark((std::string("BM_MoveOneBlock/") + router.name).c_str(), MoveOneBlock,
                                              router.method);
    for (const auto& size : kSizes) {
      pass->Args({size[0], size[1]});
      move->Args({size[0], size[1]});
    }
    pass->Unit(benchmark::kMillisecond);
    move->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
