// The shipped example session, end to end: parsed, replayed with the
// library's commands, and the drawing it leaves checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>


#include "draft/host/DrawingFile.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Geometry2D.h"
#include "draft/testsupport/EntityValues.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/testsupport/ScratchFolder.h"

using namespace draftsession;

namespace {

using Segment = std::vector<double>;

// The lines of the drawing, in drawing order (nothing is left selected).
std::vector<Segment> DrawnLines(CDraftView& view) {
  std::vector<Segment> out;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    EXPECT_EQ(e->GetKind(), EntityKind::kLine);
    out.emplace_back(v, v + e->GetGeometry(v));
  }
  return out;
}

void ExpectNear(const Segment& got, const Segment& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-9) << "value " << i;
}

}  // namespace

TEST(ExampleSession, DrawsTheOutlineTheRectangleWithCentreLinesTheCopyAndTheMove) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(SCRIVEL_SESSION_SCRIPT));
  CDraftView& view = session.player.View();
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_TRUE(session.player.Stack().IsEmpty());

  const std::vector<Segment> lines = DrawnLines(view);
  ASSERT_EQ(lines.size(), 18u);
  // The outline, typed length by length and closed with C.
  const Segment outline[] = {{20, 20, 100, 20}, {100, 20, 100, 70}, {100, 70, 60, 70},
                             {60, 70, 60, 50},  {60, 50, 20, 50},   {20, 50, 20, 20}};
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    ExpectNear(lines[i], outline[i]);
  }
  // The rectangle (undone and redone) with its centre lines, where drawn.
  const Segment original[] = {{30, 28, 50, 28}, {50, 28, 50, 42}, {50, 42, 30, 42},
                              {30, 42, 30, 28}, {26, 35, 54, 35}, {40, 24, 40, 46}};
  // Its copy, 40 to the right, moved 20 up.
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    ExpectNear(lines[6 + i], original[i]);
    const Segment& o = original[i];
    ExpectNear(lines[12 + i], {o[0] + 40, o[1] + 20, o[2] + 40, o[3] + 20});
  }
  // The centre lines and their copies are on the centre-line layer, the rest on layer 0.
  std::vector<int> layers;
  for (CEntity* e : *view.GetEntityList()) layers.push_back(e->GetEntityLayer());
  EXPECT_EQ(layers, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 0, 0, 0, 0, 2, 2}));
  // Rectangle, centre lines, copy and move: one record each.
  EXPECT_EQ(view.GetUndoCount(), 6 + 4);

  // What the user saw: the prompts and the dialogs, in UTF-8.
  const std::string shown = session.out.str();
  for (const char* part : {"  prompt: 输入直线起点\n", "  dialog \"长度输入\"\n    1048 = \"80\"\n",
                           "  prompt: 输入拷贝基点\n", "  prompt: 输入移动基点\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;

  // The drawing file lists the 18 lines; the picture is a PNG file.
  const testsupport::ScratchFolder scratch("example-session");
  const std::filesystem::path folder = scratch.path();
  std::string error;
  ASSERT_TRUE(WriteDrawingFile(view, folder / "outline.drawing", &error)) << error;
  const std::string file = ReadFileBytes(folder / "outline.drawing");
  size_t lineEntities = 0;
  for (size_t at = file.find("\nline "); at != std::string::npos; at = file.find("\nline ", at + 1)) ++lineEntities;
  EXPECT_EQ(lineEntities, 18u);
  EXPECT_NE(file.find("\nline 0 \"零件\" 70 48 90 48\n"), std::string::npos) << file;
  ASSERT_TRUE(session.player.WritePicture((folder / "outline.png").string()));
  EXPECT_EQ(ReadFileBytes(folder / "outline.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
}

namespace {
// The entities of the drawing, by kind, in drawing order.
std::vector<CEntity*> OfKind(CDraftView& view, EntityKind kind) {
  std::vector<CEntity*> out;
  for (CEntity* e : *view.GetEntityList())
    if (e->GetKind() == kind) out.push_back(e);
  return out;
}

using drafttest::Geometry;

// The start point of every edge of a polygon block.
std::vector<GPoint> Vertices(const CEntity* block) {
  CEntityList parts;
  block->ListInto(parts);
  std::vector<GPoint> out;
  for (CEntity* e : parts)
    if (e->IsLine()) out.push_back({Geometry(e)[0], Geometry(e)[1]});
  return out;
}
}  // namespace

TEST(ExampleSession, ShapesDrawsCirclesAPolygonArcsARotatedCopyACircularArrayAndMeasuresAreas) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "shapes.session"));
  CDraftView& view = session.player.View();
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  EXPECT_EQ(view.GetEntityList()->GetCount(), 17);

  // Two concentric circles, the circle with centre lines, the small circle and its five copies.
  const std::vector<CEntity*> circles = OfKind(view, EntityKind::kCircle);
  ASSERT_EQ(circles.size(), 9u);
  ExpectNear(Geometry(circles[0]), {20, 70, 8});
  ExpectNear(Geometry(circles[1]), {20, 70, 12});
  ExpectNear(Geometry(circles[2]), {20, 30, 8});
  for (size_t i = 3; i < 9; ++i) {
    SCOPED_TRACE(i);
    const double a = (-90.0 + 60.0 * static_cast<double>(i - 3)) * tressil::kPi / 180;
    ExpectNear(Geometry(circles[i]), {100 + 12 * std::cos(a), 37 + 12 * std::sin(a), 3});
  }
  // The centre lines, 5 beyond the circle, on the centre-line layer; the two radii closing the quarter arc.
  const std::vector<CEntity*> lines = OfKind(view, EntityKind::kLine);
  ASSERT_EQ(lines.size(), 4u);
  ExpectNear(Geometry(lines[0]), {7, 30, 33, 30});
  ExpectNear(Geometry(lines[1]), {20, 17, 20, 43});
  EXPECT_EQ(lines[0]->GetEntityLayer(), 2);
  ExpectNear(Geometry(lines[2]), {100, 70, 110, 70});
  ExpectNear(Geometry(lines[3]), {100, 70, 100, 80});
  EXPECT_EQ(lines[3]->GetEntityLayer(), 0);
  // The hexagon and its copy turned by 30 degrees about the centre.
  const std::vector<CEntity*> blocks = OfKind(view, EntityKind::kBlock);
  ASSERT_EQ(blocks.size(), 2u);
  for (size_t b = 0; b < 2; ++b) {
    const std::vector<GPoint> v = Vertices(blocks[b]);
    ASSERT_EQ(v.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
      const double a = (30.0 * static_cast<double>(b) + 60.0 * static_cast<double>(i)) * tressil::kPi / 180;
      EXPECT_NEAR(v[i].x, 60 + 10 * std::cos(a), 1e-9) << b << " " << i;
      EXPECT_NEAR(v[i].y, 70 + 10 * std::sin(a), 1e-9) << b << " " << i;
    }
  }
  // The arc through (45, 20), (60, 30), (75, 20) and the quarter arc by centre.
  const std::vector<CEntity*> arcs = OfKind(view, EntityKind::kArc);
  ASSERT_EQ(arcs.size(), 2u);
  const Segment a3 = Geometry(arcs[0]);
  ExpectNear({a3[0], a3[1], a3[2]}, {60, 13.75, 16.25});
  ExpectNear(Geometry(arcs[1]), {100, 70, 10, 0, 90});
  // One record per circle, polygon, arc, turn, array and line; measuring adds nothing to the drawing.
  EXPECT_EQ(view.GetUndoCount(), 11);
  EXPECT_EQ(view.GetSecondList()->GetCount(), 0);

  const std::string shown = session.out.str();
  for (const char* part : {"  dialog \"正多边形边数\"\n", "  message box: 保留原图？ -> Yes\n",
                           "  dialog \"周分布参数\"\n    1047 = \"6\"\n    1073 : entry 0\n",
                           // The sector (a quarter of radius 10) and the ring between radii 8 and 12.
                           "  dialog \"测量面积\"\n    3101 row 0: 面积1 | 78.54\n    3101 row 1: 面积2 | 251.33\n"
                           "    3101 row 2: 总面积 | 329.87\n    click OK\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}

// The three-view session: the side view's edges carried over the mitre into
// the top view, outline, hidden and centre lines each on its layer.
TEST(ExampleSession, ThreeViewCarriesTheSideViewOverTheMitre) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "three-view.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  EXPECT_EQ(view.IsThreeViewDivided(), 1);
  EXPECT_EQ(view.GetThreeViewOriginX(), 60);
  EXPECT_EQ(view.GetThreeViewOriginY(), 45);

  // The new lines follow the rectangle and the circle; x + y = 105 carries
  // x = 70, 100 (outline), 80, 90 (hidden) and 85 (centre) to y = 35, 5, 25, 15, 20.
  std::vector<std::pair<int, Segment>> made;
  int i = 0;
  for (CEntity* e : *view.GetEntityList())
    if (i++ >= 5) made.push_back({e->GetEntityLayer(), Geometry(e)});
  std::sort(made.begin(), made.end());
  const std::vector<std::pair<int, Segment>> expected = {
      {0, {10, 5, 40, 5}},   {0, {10, 35, 10, 5}},  {0, {10, 35, 40, 35}}, {0, {40, 35, 40, 5}},
      {2, {5, 20, 45, 20}},  {3, {10, 15, 40, 15}}, {3, {10, 25, 40, 25}},
  };
  ASSERT_EQ(made.size(), expected.size());
  for (size_t k = 0; k < made.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(made[k].first, expected[k].first);
    ExpectNear(made[k].second, expected[k].second);
  }
  // Outline and centre lines are one undo step, the hidden lines another.
  EXPECT_EQ(view.GetUndoCount(), 2 + 2);
}
