// ScrivelDiagram at scale.
//
// BM_DiagramLife: the whole life of a generated diagram of N rectangles (made
// with MakeDrawRect, moved apart, added with CDiagram::Add inside one undo
// recording), saved through its document to a memory file, opened into a
// second document, queried, and closed. One iteration, repeated three times
// (read the medians: the machine may be busy); each phase is a counter in
// seconds and in microseconds per object.
//
// BM_Query_*: the diagram's quad tree side by side with a scan of an array of
// bounding rectangles and with boost::geometry's R-tree (packed, and filled
// one object at a time), on the same objects and windows: rectangles of 5 to
// 60 units at random, 4,000 square units of canvas per object (100,000 on a
// 20,000-unit square), 200 x 200 windows. Before any timing every structure
// is checked to find the same objects for every window.
//
// BM_LargeOverlappingInsert: N large rectangles over one area filed into an
// empty tree, per object.
#include <benchmark/benchmark.h>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/box.hpp>
#include <boost/geometry/geometries/point.hpp>
#include <boost/geometry/index/rtree.hpp>

#include <algorithm>
#include <time.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/canvas/QuadTree.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

extern "C" void _InitScrivel();

namespace {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

// The phases are timed in the thread's own processor time, so that other
// work on a busy machine does not count.
struct Clock {
  using time_point = double;
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }
};

double Seconds(Clock::time_point from) { return Clock::now() - from; }

void LinkLibrary() {
  static const bool linked = [] {
    _InitScrivel();
    return true;
  }();
  (void)linked;
}

// The side of a square canvas holding `count` objects at 4,000 square units
// each.
int CanvasSide(int64_t count) { return static_cast<int>(std::sqrt(4000.0 * static_cast<double>(count))); }

// ------------------------------------------------------------ diagram life

void BM_DiagramLife(benchmark::State& state) {
  LinkLibrary();
  const int count = static_cast<int>(state.range(0));
  const int side = CanvasSide(count);
  for (auto _ : state) {
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> size(5, 60);
    auto doc = std::make_unique<CDrawDoc>();
    doc->OnNewDocument();
    CDiagram& diagram = *doc->GetDiagram();
    const CSize page = diagram.GetPageSize();
    diagram.SetCanvasSize(static_cast<BYTE>(std::min(255, side / page.cx + 1)),
                          static_cast<BYTE>(std::min(255, side / page.cy + 1)));
    const CRect canvas = diagram.GetRect();  // top > bottom: y grows upward
    std::uniform_int_distribution<int> x(canvas.left, canvas.left + side - 60);
    std::uniform_int_distribution<int> y(canvas.bottom, canvas.bottom + side - 60);

    auto start = Clock::now();
    doc->BeginUndoRecording(u"Build", 255);
    for (int i = 0; i < count; ++i) {
      const int l = x(rng), b = y(rng);
      CDrawRect* rect = diagram.MakeDrawRect(CPoint(l, b));
      rect->MoveTo(CRect(l, b + size(rng), l + size(rng), b), nullptr);
      diagram.Add(rect);
    }
    doc->EndUndoRecording();
    const double build = Seconds(start);

    start = Clock::now();
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      ar.m_pDocument = doc.get();
      doc->Serialize(ar);
    }
    const double save = Seconds(start);
    const double bytes = static_cast<double>(file.GetLength());

    start = Clock::now();
    auto opened = std::make_unique<CDrawDoc>();
    opened->OnNewDocument();
    file.SeekToBegin();
    {
      CArchive ar(&file, CArchive::load);
      ar.m_pDocument = opened.get();
      opened->Serialize(ar);
    }
    const double open = Seconds(start);
    if (opened->GetDiagram()->GetObjects().GetCount() != count) state.SkipWithError("the reopened diagram differs");

    std::uniform_int_distribution<int> qx(canvas.left, canvas.left + side - 200);
    std::uniform_int_distribution<int> qy(canvas.bottom, canvas.bottom + side - 200);
    size_t found = 0;
    start = Clock::now();
    constexpr int kQueries = 10000;
    for (int i = 0; i < kQueries; ++i) {
      const int l = qx(rng), b = qy(rng);
      CDrawList out;
      opened->GetDiagram()->GetObjectsInRect(CRect(l, b + 200, l + 200, b), out);
      found += static_cast<size_t>(out.GetCount());
    }
    const double query = Seconds(start);

    start = Clock::now();
    opened.reset();
    const double close = Seconds(start);

    start = Clock::now();
    doc.reset();
    const double closeBuilt = Seconds(start);

    state.SetIterationTime(build + save + open + close);
    const double n = count;
    state.counters["build_s"] = build;
    state.counters["save_s"] = save;
    state.counters["open_s"] = open;
    state.counters["close_s"] = close;
    state.counters["close_built_s"] = closeBuilt;
    state.counters["build_us_per_obj"] = build * 1e6 / n;
    state.counters["save_us_per_obj"] = save * 1e6 / n;
    state.counters["open_us_per_obj"] = open * 1e6 / n;
    state.counters["close_us_per_obj"] = close * 1e6 / n;
    state.counters["queries_per_s"] = kQueries / query;
    state.counters["found_per_query"] = static_cast<double>(found) / kQueries;
    state.counters["MB"] = bytes / 1e6;
  }
}
BENCHMARK(BM_DiagramLife)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ queries

using Point = bg::model::point<double, 2, bg::cs::cartesian>;
using Box = bg::model::box<Point>;
using Value = std::pair<Box, CDrawObj*>;
using RTree = bgi::rtree<Value, bgi::quadratic<16>>;

// The same objects in every structure. The tree is declared after the
// objects, so that it lets go of them first.
struct QueryScene {
  std::vector<std::unique_ptr<CDrawObj>> objects;
  std::vector<std::pair<CRect, CDrawObj*>> array;  // normalised bounding rectangles
  std::unique_ptr<RTree> packed;
  std::unique_ptr<RTree> filled;
  CDrawList zOrder;
  QuadTreeHead tree;
  std::vector<CRect> windows;
};

// Rectangles overlap when they share an area, as CDrawObj::Intersects has
// it; on integer corners that is a closed-box test against the window shrunk
// by half a unit.
Box QueryBox(const CRect& w) { return Box(Point(w.left + 0.5, w.top + 0.5), Point(w.right - 0.5, w.bottom - 0.5)); }

bool Overlap(const CRect& a, const CRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::vector<CDrawObj*> Sorted(std::vector<CDrawObj*> v) {
  std::sort(v.begin(), v.end());
  return v;
}

std::unique_ptr<QueryScene> MakeQueryScene(int count) {
  auto scene = std::make_unique<QueryScene>();
  const int side = CanvasSide(count);
  std::mt19937 rng(777);
  std::uniform_int_distribution<int> size(5, 60);
  std::uniform_int_distribution<int> pos(0, side - 60);
  std::vector<Value> values;
  for (int i = 0; i < count; ++i) {
    const int l = pos(rng), t = pos(rng);
    const CRect r(l, t, l + size(rng), t + size(rng));
    // Kept with the y axis pointing up, as a diagram keeps them.
    scene->objects.push_back(std::make_unique<CDrawObj>(CRect(r.left, r.bottom, r.right, r.top)));
    CDrawObj* object = scene->objects.back().get();
    scene->array.emplace_back(r, object);
    values.emplace_back(Box(Point(r.left, r.top), Point(r.right, r.bottom)), object);
    scene->zOrder.AddTail(object);
  }
  scene->tree.Initialize(CRect(0, 0, side, side), scene->zOrder);
  scene->packed = std::make_unique<RTree>(values.begin(), values.end());
  scene->filled = std::make_unique<RTree>();
  for (const Value& v : values) scene->filled->insert(v);
  std::uniform_int_distribution<int> wpos(0, side - 200);
  for (int i = 0; i < 10000; ++i) {
    const int l = wpos(rng), t = wpos(rng);
    scene->windows.emplace_back(l, t, l + 200, t + 200);
  }
  // Every structure finds the same objects for every window.
  for (const CRect& w : scene->windows) {
    CDrawList out;
    scene->tree.GetObjectsInRect(w, out, FALSE);
    std::vector<CDrawObj*> fromTree, fromArray, fromPacked, fromFilled;
    for (POSITION p = out.GetHeadPosition(); p;) fromTree.push_back(out.GetNext(p));
    for (const auto& [r, o] : scene->array) {
      if (Overlap(r, w)) fromArray.push_back(o);
    }
    std::vector<Value> hits;
    scene->packed->query(bgi::intersects(QueryBox(w)), std::back_inserter(hits));
    for (const Value& v : hits) fromPacked.push_back(v.second);
    hits.clear();
    scene->filled->query(bgi::intersects(QueryBox(w)), std::back_inserter(hits));
    for (const Value& v : hits) fromFilled.push_back(v.second);
    const auto expected = Sorted(fromArray);
    if (Sorted(fromTree) != expected || Sorted(fromPacked) != expected || Sorted(fromFilled) != expected) {
      std::fprintf(stderr, "structures disagree on a window\n");
      std::abort();
    }
  }
  return scene;
}

QueryScene& GetQueryScene(int count) {
  static std::map<int, std::unique_ptr<QueryScene>> scenes;
  auto& scene = scenes[count];
  if (!scene) scene = MakeQueryScene(count);
  return *scene;
}

template <typename Query>
void RunQueries(benchmark::State& state, Query query) {
  QueryScene& scene = GetQueryScene(static_cast<int>(state.range(0)));
  size_t i = 0, found = 0, queries = 0;
  for (auto _ : state) {
    found += query(scene, scene.windows[i++ % scene.windows.size()]);
    ++queries;
  }
  state.counters["found"] = static_cast<double>(found) / static_cast<double>(queries);
  state.counters["queries_per_s"] = benchmark::Counter(static_cast<double>(queries), benchmark::Counter::kIsRate);
}

void BM_Query_QuadTree(benchmark::State& state) {
  RunQueries(state, [](QueryScene& scene, const CRect& w) {
    CDrawList out;
    scene.tree.GetObjectsInRect(w, out, FALSE);
    return static_cast<size_t>(out.GetCount());
  });
}

void BM_Query_ArrayScan(benchmark::State& state) {
  RunQueries(state, [](QueryScene& scene, const CRect& w) {
    std::vector<CDrawObj*> out;
    for (const auto& [r, o] : scene.array) {
      if (Overlap(r, w)) out.push_back(o);
    }
    benchmark::DoNotOptimize(out.data());
    return out.size();
  });
}

void BM_Query_RTreePacked(benchmark::State& state) {
  RunQueries(state, [](QueryScene& scene, const CRect& w) {
    std::vector<Value> out;
    scene.packed->query(bgi::intersects(QueryBox(w)), std::back_inserter(out));
    benchmark::DoNotOptimize(out.data());
    return out.size();
  });
}

void BM_Query_RTreeFilled(benchmark::State& state) {
  RunQueries(state, [](QueryScene& scene, const CRect& w) {
    std::vector<Value> out;
    scene.filled->query(bgi::intersects(QueryBox(w)), std::back_inserter(out));
    benchmark::DoNotOptimize(out.data());
    return out.size();
  });
}

BENCHMARK(BM_Query_QuadTree)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Query_ArrayScan)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Query_RTreePacked)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_Query_RTreeFilled)->Arg(1000)->Arg(10000)->Arg(100000);

// A query with nothing to find: a tree over the same canvas with no objects.
void BM_Query_QuadTreeEmpty(benchmark::State& state) {
  QueryScene& scene = GetQueryScene(100000);
  QuadTreeHead empty;
  empty.Initialize(CRect(0, 0, CanvasSide(100000), CanvasSide(100000)), CDrawList());
  size_t i = 0;
  for (auto _ : state) {
    CDrawList out;
    empty.GetObjectsInRect(scene.windows[i++ % scene.windows.size()], out, FALSE);
    benchmark::DoNotOptimize(out.GetCount());
  }
}
BENCHMARK(BM_Query_QuadTreeEmpty);

// ------------------------------------------------------------ large objects

void BM_LargeOverlappingInsert(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const CRect canvas(0, 0, 20 * 850, 20 * 1100);
  std::vector<std::unique_ptr<CDrawObj>> objects;
  for (int i = 0; i < count; ++i) {
    const int d = i % 500;
    objects.push_back(std::make_unique<CDrawObj>(CRect(canvas.right / 20 + d, canvas.bottom - canvas.bottom / 20 - d,
                                                       canvas.right - canvas.right / 20 - d, canvas.bottom / 20 + d)));
  }
  double seconds = 0;
  for (auto _ : state) {
    QuadTreeHead tree;
    tree.Initialize(canvas, CDrawList());
    const auto start = Clock::now();
    for (auto& o : objects) tree.AddObject(o.get());
    seconds += Seconds(start);
    state.PauseTiming();
    tree.ClearTree();
    state.ResumeTiming();
  }
  state.counters["us_per_obj"] = seconds * 1e6 / (static_cast<double>(state.iterations()) * count);
}
BENCHMARK(BM_LargeOverlappingInsert)->Arg(100)->Arg(3200)->Unit(benchmark::kMillisecond);

}  // namespace
