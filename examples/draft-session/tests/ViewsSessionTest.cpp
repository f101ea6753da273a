// The shipped views session, end to end: the end view of a stepped shaft,
// the intersection line of two cylinders and an enlarged detail of a
// corner, with the drawing file and the picture written.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "draft/host/BlockEntity.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/testsupport/ScratchFolder.h"

using namespace draftsession;

TEST(ViewsSession, EndViewIntersectionLineAndDetail) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "views.session"));
  CDraftView& view = session.player.View();

  // The end view seen from the thick end: the thin step dashed (layer 3),
  // the cross 20 long each way (radius 15 and 5) on the axis's layer.
  std::vector<std::vector<double>> circles;
  const CBlockEntity* curve = nullptr;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (e->IsCircle() && e->GetGeometry(v) == 3) circles.push_back({v[0], v[1], v[2], 1.0 * e->GetEntityLayer()});
    if (e->IsCompoundCurve()) curve = static_cast<const CBlockEntity*>(e);
  }
  EXPECT_EQ(circles, (std::vector<std::vector<double>>{{130, 40, 15, 0}, {130, 40, 8, 3}}));

  // The intersection line: 16 segments from one corner of the thin
  // cylinder's outlines to the other, down to sqrt(12² − 6²) above the
  // thick cylinder's axis.
  ASSERT_NE(curve, nullptr);
  ASSERT_EQ(curve->GetMemberCount(), 16);
  double v[kMaxGeometryValues];
  curve->GetMember(0)->GetGeometry(v);
  EXPECT_NEAR(v[0], 144, 1e-9);
  EXPECT_NEAR(v[1], 112, 1e-9);
  curve->GetMember(7)->GetGeometry(v);
  EXPECT_NEAR(v[2], 150, 1e-9);
  EXPECT_NEAR(v[3], 100 + std::sqrt(108.0), 1e-9);
  curve->GetMember(15)->GetGeometry(v);
  EXPECT_NEAR(v[2], 156, 1e-9);
  EXPECT_NEAR(v[3], 112, 1e-9);

  // The detail (in the drawing file, UTF-8): its group of scale 2 about the
  // corner, the corner's pieces twice as long from the entity point, the
  // circle round them and the annotation.
  const testsupport::ScratchFolder scratch("views-session");
  const std::filesystem::path folder = scratch.path();
  std::string error;
  ASSERT_TRUE(WriteDrawingFile(view, folder / "views.drawing", &error)) << error;
  const std::string file = ReadFileBytes(folder / "views.drawing");
  for (const char* part : {"\ngroup \"局部放大图 A\" 2 60 80\n", "\ncircle 3 - 130 40 8\n", "\nline 2 - 150 40 110 40\n",
                           "\n  line 0 \"局部放大图 A\" 79 120 95 120\n", "\n  line 0 \"局部放大图 A\" 95 120 95 136\n",
                           "\n  circle 6 \"局部放大图 A\" 95 120 16\n", "\n  text 7 \"局部放大图 A\" 92.375 89.75 \"2:1\"\n"})
    EXPECT_NE(file.find(part), std::string::npos) << part << "\n" << file;
  ASSERT_TRUE(session.player.WritePicture((folder / "views.png").string()));
  EXPECT_EQ(ReadFileBytes(folder / "views.png").substr(0, 8), "\x89PNG\r\n\x1a\n");

  const std::string shown = session.out.str();
  EXPECT_NE(shown.find("  dialog \"局部放大图\"\n    352 = \"2:1\"\n"), std::string::npos);
}
