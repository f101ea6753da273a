// The shipped tangent session, end to end: a circle tangent to three lines
// (one of two solutions kept) and a shaft's end chamfered from one click on
// its end face; the drawing file and the picture it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/DrawingFile.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/testsupport/ScratchFolder.h"

using namespace draftsession;

TEST(TangentSession, KeepsOneTangentCircleAndChamfersTheShaftEnd) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "tangent.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  EXPECT_TRUE(view.GetSelectionList()->IsEmpty());

  std::vector<SegmentEnds> lines;
  std::vector<std::vector<double>> circles;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (e->IsLine()) lines.push_back(OrderedEnds(e));
    if (e->IsCircle() && e->GetGeometry(v) == 3)
      circles.push_back({std::round(v[0] * 1e6) / 1e6, std::round(v[1] * 1e6) / 1e6, std::round(v[2] * 1e6) / 1e6});
  }
  std::sort(lines.begin(), lines.end());
  std::vector<SegmentEnds> wantLines = {
      {2, 50, 70, 50}, {2, 80, 70, 80}, {35, 45, 35, 85},
      // The shaft: its end face shrunk to the chamfers, the contour lines
      // shortened, and the line joining the chamfers' ends on them.
      {75, 10, 75, 30}, {75, 10, 108, 10}, {75, 30, 108, 30}, {108, 10, 108, 30}, {108, 10, 110, 12},
      {108, 30, 110, 28}, {110, 12, 110, 28}};
  std::sort(wantLines.begin(), wantLines.end());
  EXPECT_EQ(lines, wantLines);
  EXPECT_EQ(circles, (std::vector<std::vector<double>>{{50, 65, 15}}));

  // Three lines, the kept circle, the rectangle and the chamfer.
  EXPECT_EQ(view.GetUndoCount(), 6);
  ASSERT_TRUE(view.Undo());  // the chamfer
  ASSERT_TRUE(view.Undo());  // the rectangle
  ASSERT_TRUE(view.Undo());  // the circle
  for (CEntity* e : *view.GetEntityList()) EXPECT_FALSE(e->IsCircle());
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(view.Redo());

  const std::string shown = session.out.str();
  for (const char* part : {"  prompt: 请选择所需的公切圆（右键结束）\n", "  prompt: 选择轴的端面\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;

  const testsupport::ScratchFolder scratch("tangent-session");
  const std::filesystem::path folder = scratch.path();
  std::string error;
  ASSERT_TRUE(WriteDrawingFile(view, folder / "tangent.drawing", &error)) << error;
  const std::string file = ReadFileBytes(folder / "tangent.drawing");
  EXPECT_NE(file.find("\ncircle "), std::string::npos) << file;
  ASSERT_TRUE(session.player.WritePicture((folder / "tangent.png").string()));
  EXPECT_EQ(ReadFileBytes(folder / "tangent.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
}
