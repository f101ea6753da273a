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
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawInPort.h"
#include "diagram/model/blocks/DrawOutPort.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/undo/URArc.h"
#include "diagram/ui/DrawView.h"
#include "bench/RoutingFamilyPlan.h"
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

// ---------------------------------------------------------------------------
// The large family (RoutingFamilyPlan.h): blocks of 600 x 400 diagram units,
// many routing tracks wide, with wires from right-edge outputs to left-edge
// inputs of random blocks; wires on one pin share its port. The page holds
// the whole family, so no page boundary crosses it.
//
// BM_Family/<router>/<blocks>/<wires> (sizes up to 400 / 1,200) and
// BM_FamilyLarge/<router>/800/2400: the router as the live dynamic router;
// one full routing pass (CDiagram::RouteArcs over every wire), then five
// block moves, each its own step and cumulative: block
// floor(B * (2k + 5) / 10) mod B moves by (+200, 0) and the wires on it are
// re-routed dynamically. The benchmark's time is the pass's thread CPU time;
// its counters:
//   failed          wires not laid by the pass (their shape is not the
//                   router's), or left with a slanted leg;
//   bends_per_wire  direction changes per laid wire (zero-length legs
//                   ignored);
//   length          the legs' lengths of all laid wires;
//   through_blocks  laid wires with a leg inside a block (its rectangle
//                   shrunk by half a unit);
//   pass_s          the pass's thread CPU time in seconds;
//   move<k>_ms, move<k>_rerouted, move_max_ms  each move's thread CPU time
//                   and the wires it re-routed;
//   moved_failed, moved_through_blocks  failed and through-block wires after
//                   the five moves.
// With SCRIVEL_ROUTING_DUMP set to a folder, every wire's points after the
// pass and after each move are written there, one wire a line, to compare
// the routes of two builds.
namespace {

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The router's rewrites of wires, caught where they are recorded for undo:
// a wire that the router lays is written through CDrawArc::ReRoute, which
// records its old shape first.
class WatchedDoc : public CDrawDoc {
 public:
  std::set<CDrawArc*> rerouted;
  void AddToUndoList(CUndoRedo* record) override {
    if (auto* reroute = DYNAMIC_DOWNCAST(CURArcReroute, record)) rerouted.insert(ArcOf(reroute));
    CDrawDoc::AddToUndoList(record);
  }

 private:
  struct Peek : CURArcReroute {
    static CDrawArc* Arc(const CURArcReroute* record) { return record->*(&Peek::m_pArc); }
  };
  static CDrawArc* ArcOf(const CURArcReroute* record) { return Peek::Arc(record); }
};

// A block of a given rectangle with ports at given offsets from its top.
class FamilyBlock : public CDrawBlock {
 public:
  int Build(const CRect& rect, CDrawView* view) {
    if (!InitializeAs(0, rect.TopLeft(), view)) return 0;
    m_position = rect;
    m_dragRect = rect;
    m_oldPosition = rect;
    return 1;
  }
  CDrawPort* AddPin(bool output, const CPoint& at, CDrawView* view) {
    CDrawPort* port = output ? static_cast<CDrawPort*>(new CDrawOutPort(at, this, view))
                             : static_cast<CDrawPort*>(new CDrawInPort(at, this, view));
    m_ports.AddTail(port);
    return port;
  }
};

// Answers yes to the question about a large cell grid.
class YesToLargeGrids : public CMsgBox {
 public:
  int HandleConfirm(ULONG code, LPCWSTR, int& answer) override {
    if (code != 3) return 0;
    answer = 1;
    return 1;
  }
};

struct LargeFamily {
  WatchedDoc doc;
  CDrawView view;
  CDiagram* diagram = nullptr;
  std::vector<CDrawBlock*> blocks;
  std::vector<CDrawArc*> wires;
  CSize savedPage;

  explicit LargeFamily(const routingfamily::Plan& plan) {
    LinkLibrary();
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    doc.AddView(&view);
    view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), nullptr, 0);
    view.OnInitialUpdate();
    doc.DisableUndoRecording();
    constexpr int kScale = 10;
    constexpr int kMargin = 1000;
    const int rows = (static_cast<int>(plan.blocks.size()) + plan.columns - 1) / plan.columns;
    savedPage = CDiagram::m_pageSize;
    CDiagram::m_pageSize = CSize(plan.columns * 100 * kScale + 2 * kMargin, rows * 80 * kScale + 2 * kMargin);
    diagram->SetCanvasSize(1, 1);
    const CRect canvas = diagram->GetRect();
    const bool upward = diagram->IsUpwardPositive();
    auto at = [&](int x, int y) {
      return CPoint(canvas.left + kMargin + x * kScale,
                    upward ? canvas.top - kMargin - y * kScale : canvas.top + kMargin + y * kScale);
    };
    std::vector<FamilyBlock*> made;
    for (const routingfamily::Block& b : plan.blocks) {
      const CPoint topLeft = at(b.left, b.top);
      const CPoint bottomRight = at(b.left + routingfamily::kBlockWidth, b.top + routingfamily::kBlockHeight);
      auto* block = new FamilyBlock;
      if (!block->Build(CRect(topLeft, bottomRight), &view)) {
        delete block;
        block = nullptr;
      }
      made.push_back(block);
    }
    // One port per distinct pin: block, side and offset.
    std::map<std::tuple<int, bool, int>, CDrawPort*> pins;
    auto pin = [&](int b, bool output, int offset) -> CDrawPort* {
      FamilyBlock* block = made[static_cast<size_t>(b)];
      if (!block) return nullptr;
      CDrawPort*& port = pins[{b, output, offset}];
      if (!port) {
        const routingfamily::Block& g = plan.blocks[static_cast<size_t>(b)];
        port = block->AddPin(output, at(g.left + (output ? routingfamily::kBlockWidth : 0), g.top + offset), &view);
      }
      return port;
    };
    std::vector<std::pair<CDrawPort*, CDrawPort*>> ends;
    for (const routingfamily::Wire& w : plan.wires)
      ends.emplace_back(pin(w.source, true, w.sourceOffset), pin(w.target, false, w.targetOffset));
    for (FamilyBlock* block : made) {
      if (block && !block->AddBlockAndComponentsToDiagram(diagram)) block = nullptr;
      blocks.push_back(block);
    }
    for (const auto& [from, to] : ends) {
      if (!from || !to) continue;
      auto* arc = new CDrawArc;
      if (!arc->Initialize(from, to, TRUE) || !diagram->Add(arc)) {
        delete arc;
        continue;
      }
      wires.push_back(arc);
    }
    doc.EnableUndoRecording();
  }
  ~LargeFamily() {
    diagram->SetAutoRouteModeAndMethod(0, 0);
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    view.DestroyWindow();
    CDiagram::m_pageSize = savedPage;
  }
  LargeFamily(const LargeFamily&) = delete;
  LargeFamily& operator=(const LargeFamily&) = delete;
};

struct FamilyQuality {
  int failed = 0;
  double bendsPerWire = 0;
  int64_t length = 0;
  int throughBlocks = 0;
};

bool Slanted(const std::vector<CPoint>& points) {
  for (size_t i = 1; i < points.size(); ++i) {
    if (points[i].x != points[i - 1].x && points[i].y != points[i - 1].y) return true;
  }
  return points.size() < 2;
}

FamilyQuality MeasureFamily(const LargeFamily& family, const std::set<CDrawArc*>& laid) {
  FamilyQuality q;
  std::vector<CRect> blockRects;
  for (CDrawBlock* block : family.blocks) {
    if (!block) continue;
    CRect r = block->GetPosition();
    r.NormalizeRect();
    blockRects.push_back(r);
  }
  int64_t bends = 0;
  int counted = 0;
  for (CDrawArc* arc : family.wires) {
    std::vector<CPoint> points;
    for (int i = 1; i <= arc->GetHandleCount(); ++i) {
      const CPoint p = arc->GetHandle(i);
      if (points.empty() || p != points.back()) points.push_back(p);
    }
    if (!laid.count(arc) || Slanted(points)) {
      ++q.failed;
      continue;
    }
    ++counted;
    bool inside = false;
    for (size_t i = 1; i < points.size(); ++i) {
      const CPoint a = points[i - 1];
      const CPoint b = points[i];
      q.length += std::abs(a.x - b.x) + std::abs(a.y - b.y);
      if (i >= 2) {
        const CPoint before = points[i - 2];
        const bool wasVertical = before.x == a.x;
        bends += (wasVertical != (a.x == b.x)) ? 1 : 0;
      }
      for (const CRect& r : blockRects) {
        if (inside) break;
        const int lowX = std::min(a.x, b.x), highX = std::max(a.x, b.x);
        const int lowY = std::min(a.y, b.y), highY = std::max(a.y, b.y);
        inside = highX > r.left && lowX < r.right && highY > r.top && lowY < r.bottom &&
                 (lowX == highX ? (lowX > r.left && lowX < r.right) : (lowY > r.top && lowY < r.bottom));
      }
    }
    q.throughBlocks += inside ? 1 : 0;
  }
  q.bendsPerWire = counted ? static_cast<double>(bends) / counted : 0;
  return q;
}

void DumpWires(const LargeFamily& family, const std::string& name) {
  const char* folder = std::getenv("SCRIVEL_ROUTING_DUMP");
  if (!folder || !*folder) return;
  std::ofstream out(std::string(folder) + "/" + name + ".txt");
  for (CDrawArc* arc : family.wires) {
    for (int i = 1; i <= arc->GetHandleCount(); ++i) {
      const CPoint p = arc->GetHandle(i);
      out << (i > 1 ? " " : "") << p.x << "," << p.y;
    }
    out << "\n";
  }
}

void FamilyRun(benchmark::State& state, UINT method, const char* routerName) {
  const int blockCount = static_cast<int>(state.range(0));
  const int wireCount = static_cast<int>(state.range(1));
  const routingfamily::Plan plan = routingfamily::MakePlan(blockCount, wireCount);
  for (const routingfamily::Size& size : routingfamily::kSizes) {
    if (size.blocks == blockCount && size.wires == wireCount &&
        routingfamily::Fingerprint(plan) != size.fingerprint) {
      state.SkipWithError(("generator fingerprint differs: " + routingfamily::Fingerprint(plan)).c_str());
      return;
    }
  }
  YesToLargeGrids yes;
  const UINT savedMethod = CDiagram::m_nManualRouteMethod;
  const int savedWhat = CDiagram::m_nRouteWhat;
  const BOOL savedCancel = CDiagram::m_bCanArcRoutingBeCancelled;
  CDiagram::m_nManualRouteMethod = method;
  CDiagram::m_nRouteWhat = 0;
  CDiagram::m_bCanArcRoutingBeCancelled = FALSE;
  const std::string dumpName = std::string(routerName) + "-" + std::to_string(blockCount);
  for (auto _ : state) {
    LargeFamily family(plan);
    family.diagram->SetAutoRouteModeAndMethod(2, method);
    family.doc.rerouted.clear();
    const double start = ThreadSeconds();
    family.diagram->RouteArcs(CDrawList(), 0);
    const double pass = ThreadSeconds() - start;
    state.SetIterationTime(pass);
    const FamilyQuality q = MeasureFamily(family, family.doc.rerouted);
    DumpWires(family, dumpName);
    family.doc.ClearUndoStack();
    state.counters["wires"] = static_cast<double>(family.wires.size());
    state.counters["failed"] = q.failed;
    state.counters["bends_per_wire"] = q.bendsPerWire;
    state.counters["length"] = static_cast<double>(q.length);
    state.counters["through_blocks"] = q.throughBlocks;
    state.counters["pass_s"] = pass;
    double slowest = 0;
    std::set<CDrawArc*> laid = family.doc.rerouted;
    for (int k = 0; k < 5; ++k) {
      CDrawBlock* moved = family.blocks[static_cast<size_t>((blockCount * (2 * k + 5) / 10) % blockCount)];
      if (!moved) continue;
      family.doc.rerouted.clear();
      const double moveStart = ThreadSeconds();
      family.doc.BeginUndoRecording(u"Move", 255);
      family.diagram->BeginDynamicRouteChanges();
      moved->MoveBy(CPoint(200, 0), TRUE);
      family.diagram->EndDynamicRouteChanges();
      family.doc.EndUndoRecording();
      const double took = ThreadSeconds() - moveStart;
      slowest = std::max(slowest, took);
      family.doc.ClearUndoStack();
      DumpWires(family, dumpName + "-move" + std::to_string(k));
      const std::string key = "move" + std::to_string(k);
      state.counters[key + "_ms"] = took * 1e3;
      state.counters[key + "_rerouted"] = static_cast<double>(family.doc.rerouted.size());
      laid.insert(family.doc.rerouted.begin(), family.doc.rerouted.end());
    }
    state.counters["move_max_ms"] = slowest * 1e3;
    // After the moves: a wire counts as laid when the pass or a move laid
    // it and it has no slanted leg (a wire that failed on a moved block has
    // one, its end having followed the block).
    const FamilyQuality moved = MeasureFamily(family, laid);
    state.counters["moved_failed"] = moved.failed;
    state.counters["moved_through_blocks"] = moved.throughBlocks;
  }
  CDiagram::m_nManualRouteMethod = savedMethod;
  CDiagram::m_nRouteWhat = savedWhat;
  CDiagram::m_bCanArcRoutingBeCancelled = savedCancel;
}

const bool kFamilyRegistered = [] {
  for (const RouterRow& router : kRouters) {
    auto* family = benchmark::RegisterBenchmark((std::string("BM_Family/") + router.name).c_str(), FamilyRun,
                                                router.method, router.name);
    auto* large = benchmark::RegisterBenchmark((std::string("BM_FamilyLarge/") + router.name).c_str(), FamilyRun,
                                               router.method, router.name);
    for (const routingfamily::Size& size : routingfamily::kSizes) {
      (size.blocks < 800 ? family : large)->Args({size.blocks, size.wires});
    }
    for (auto* b : {family, large}) b->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
