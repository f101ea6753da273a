// The diagram's spatial index against a plain scan of the object list:
// finding the objects under a view-sized area on diagrams of 1,000, 10,000
// and 100,000 objects, and filing large objects that overlap one area.
//
// Canvas sizes are in letter pages of 850 x 1100 diagram units (0.01 inch).
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/canvas/QuadTree.h"

namespace {

constexpr int kPageWidth = 850;
constexpr int kPageHeight = 1100;

// A diagram's objects in z-order and the tree over them. The tree is
// declared after the objects, so that it lets go of them first.
struct Scene {
  std::vector<std::unique_ptr<CDrawObj>> objects;
  CDrawList zOrder;
  QuadTreeHead tree;
  CRect canvas;
  std::vector<CRect> queries;
};

// `count` objects of 20 to 120 units a side, spread evenly over a canvas of
// `pages` x `pages` pages; 256 query areas of 1000 x 800 units (about one
// screen at 100 %) inside it.
std::unique_ptr<Scene> MakeScene(int count, double pages) {
  auto scene = std::make_unique<Scene>();
  scene->canvas = CRect(0, 0, static_cast<int>(pages * kPageWidth), static_cast<int>(pages * kPageHeight));
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> side(20, 120);
  std::uniform_int_distribution<int> x(0, scene->canvas.right - 120), y(0, scene->canvas.bottom - 120);
  for (int i = 0; i < count; ++i) {
    int l = x(rng), t = y(rng);
    // Stored with the y axis pointing up, as a diagram keeps them.
    scene->objects.push_back(std::make_unique<CDrawObj>(CRect(l, t + side(rng), l + side(rng), t)));
    scene->zOrder.AddTail(scene->objects.back().get());
  }
  scene->tree.Initialize(scene->canvas, scene->zOrder);
  std::uniform_int_distribution<int> qx(0, scene->canvas.right - 1000), qy(0, scene->canvas.bottom - 800);
  for (int i = 0; i < 256; ++i) {
    int l = qx(rng), t = qy(rng);
    scene->queries.emplace_back(l, t, l + 1000, t + 800);
  }
  return scene;
}

// Scenes are built once per shape and kept for the run.
Scene& GetScene(int count, bool sameDensity) {
  static std::map<std::pair<int, bool>, std::unique_ptr<Scene>> scenes;
  auto& scene = scenes[{count, sameDensity}];
  if (!scene) {
    // Same density: 100,000 objects on 20 x 20 pages, fewer objects on a
    // proportionally smaller canvas. Same canvas: always 20 x 20 pages.
    double pages = sameDensity ? 20.0 * std::sqrt(count / 100000.0) : 20.0;
    scene = MakeScene(count, pages);
  }
  return *scene;
}

void TreeQuery(benchmark::State& state, bool sameDensity) {
  Scene& scene = GetScene(static_cast<int>(state.range(0)), sameDensity);
  size_t i = 0, found = 0, queries = 0;
  for (auto _ : state) {
    CDrawList out;
    scene.tree.GetObjectsInRect(scene.queries[i++ % scene.queries.size()], out, FALSE);
    found += static_cast<size_t>(out.GetCount());
    ++queries;
    benchmark::DoNotOptimize(out.GetHeadPosition());
  }
  state.counters["found"] = static_cast<double>(found) / static_cast<double>(queries);
}

// What the diagram does without the tree: every object of the z-order list
// is tested, the hits appended in z-order.
void ScanQuery(benchmark::State& state, bool sameDensity) {
  Scene& scene = GetScene(static_cast<int>(state.range(0)), sameDensity);
  size_t i = 0, found = 0, queries = 0;
  for (auto _ : state) {
    CDrawList out;
    const CRect& rect = scene.queries[i++ % scene.queries.size()];
    for (POSITION pos = scene.zOrder.GetHeadPosition(); pos;) {
      CDrawObj* object = scene.zOrder.GetNext(pos);
      if (object->Intersects(rect)) out.AddTail(object);
    }
    found += static_cast<size_t>(out.GetCount());
    ++queries;
    benchmark::DoNotOptimize(out.GetHeadPosition());
  }
  state.counters["found"] = static_cast<double>(found) / static_cast<double>(queries);
}

void BM_TreeQuery_SameDensity(benchmark::State& state) { TreeQuery(state, true); }
void BM_ScanQuery_SameDensity(benchmark::State& state) { ScanQuery(state, true); }
void BM_TreeQuery_SameCanvas(benchmark::State& state) { TreeQuery(state, false); }
void BM_ScanQuery_SameCanvas(benchmark::State& state) { ScanQuery(state, false); }

BENCHMARK(BM_TreeQuery_SameDensity)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_ScanQuery_SameDensity)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_TreeQuery_SameCanvas)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_ScanQuery_SameCanvas)->Arg(1000)->Arg(10000)->Arg(100000);

// Counts the nodes of the tree and the entries in their lists.
void Measure(const QuadTreeNode& node, size_t& nodes, size_t& entries) {
  ++nodes;
  entries += static_cast<size_t>(node.GetObjects().GetCount());
  if (!node.IsLeaf()) {
    for (int i = 0; i < 4; ++i) Measure(*node.GetChild(i), nodes, entries);
  }
}

// Building the tree over a diagram (what a canvas resize does). An object
// is filed in one tree at a time, so the scene's own tree is rebuilt.
void BM_BuildTree(benchmark::State& state) {
  Scene& scene = GetScene(static_cast<int>(state.range(0)), true);
  for (auto _ : state) scene.tree.Initialize(scene.canvas, scene.zOrder);
  size_t nodes = 0, entries = scene.tree.GetOutsideObjects().GetCount();
  Measure(scene.tree, nodes, entries);
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_BuildTree)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The hard case: 100 rectangles, each covering most of a canvas of
// `pages` x `pages` pages, inserted into an empty tree over that canvas.
void BM_LargeOverlappingRects(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  const CRect canvas(0, 0, pages * kPageWidth, pages * kPageHeight);
  std::vector<std::unique_ptr<CDrawObj>> objects;
  for (int i = 0; i < 100; ++i) {
    objects.push_back(std::make_unique<CDrawObj>(
        CRect(canvas.right / 20 + i, canvas.bottom - canvas.bottom / 20 - i, canvas.right - canvas.right / 20 - i,
              canvas.bottom / 20 + i)));
  }
  size_t nodes = 0, entries = 0;
  for (auto _ : state) {
    QuadTreeHead tree;
    tree.Initialize(canvas, CDrawList());
    for (auto& o : objects) tree.AddObject(o.get());
    state.PauseTiming();
    nodes = 0, entries = 0;
    Measure(tree, nodes, entries);
    state.ResumeTiming();
  }
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_LargeOverlappingRects)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

// Queries on the diagram of 100,000 objects with those 100 large rectangles
// added: every query meets all of them.
void BM_TreeQuery_WithLargeRects(benchmark::State& state) {
  Scene& scene = GetScene(100000, true);
  std::vector<std::unique_ptr<CDrawObj>> large;
  const CRect& c = scene.canvas;
  for (int i = 0; i < 100; ++i) {
    large.push_back(std::make_unique<CDrawObj>(
        CRect(c.right / 20 + i, c.bottom - c.bottom / 20 - i, c.right - c.right / 20 - i, c.bottom / 20 + i)));
    scene.tree.AddObject(large.back().get());
  }
  size_t i = 0, found = 0, queries = 0;
  for (auto _ : state) {
    CDrawList out;
    scene.tree.GetObjectsInRect(scene.queries[i++ % scene.queries.size()], out, FALSE);
    found += static_cast<size_t>(out.GetCount());
    ++queries;
  }
  state.counters["found"] = static_cast<double>(found) / static_cast<double>(queries);
  for (auto& o : large) scene.tree.RemoveObject(o.get());
}
BENCHMARK(BM_TreeQuery_WithLargeRects);

}  // namespace
