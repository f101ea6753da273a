// The shipped requirements session, end to end: the requirements read from
// a shipped .tec file, titled, written to the output folder and placed as a
// numbered block; a line's piece between two crossings cut away and a piece
// of a crossing line moved to the dashed layer.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/TextBlockEntity.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/core/Charset.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"

using namespace draftsession;

TEST(RequirementsSession, PlacesTheRequirementsAndBreaksALineIntoParts) {
  const testsupport::ScratchFolder scratch("scrivel-requirements");
  const std::filesystem::path out = scratch.path();
  ASSERT_FALSE(out.empty());
  PlayedSession session;
  session.player.SetVariable("OUT", out.string());
  session.player.SetVariable("SCRIPT", SCRIVEL_SESSION_FOLDER);
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "requirements.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());

  const CTextBlockEntity* block = nullptr;
  std::vector<std::vector<double>> lines;
  std::vector<int> layers;
  for (CEntity* e : *view.GetEntityList()) {
    if (e->IsRequirementText()) block = static_cast<const CTextBlockEntity*>(e);
    double v[kMaxGeometryValues];
    if (e->IsLine() && e->GetGeometry(v) == 4) {
      lines.push_back({v[0], v[1], v[2], v[3]});
      layers.push_back(e->GetEntityLayer());
    }
  }
  ASSERT_NE(block, nullptr) << session.out.str();
  EXPECT_EQ(platform::GbkToUtf8(block->GetTitle().GetString()), "技术要求");
  ASSERT_EQ(block->GetItems().GetSize(), 3);
  EXPECT_EQ(platform::GbkToUtf8(block->GetItems()[2].GetString()), "调质处理HB220~250,\r\n表面发蓝.\r\n");
  EXPECT_NEAR(block->GetPlacePoint().x, 10, 1e-9);
  EXPECT_NEAR(block->GetPlacePoint().y, 140, 1e-9);
  // The .tec file written: the title and the items renumbered.
  EXPECT_EQ(testsupport::ReadFileBytes(out / "requirements.tec"),
            platform::Utf8ToGbk("技术要求\r\n1.未注倒角C1.\r\n2.去毛刺, 锐边倒钝.\r\n3.调质处理HB220~250,\r\n"
                                "表面发蓝.\r\n"));

  // The long line's two outer pieces, the left line whole, the right line's
  // lower piece and, on the dashed layer, its upper piece.
  const std::vector<std::vector<double>> expected = {
      {60, 10, 60, 60}, {10, 30, 60, 30}, {140, 30, 190, 30}, {140, 10, 140, 30}, {140, 30, 140, 60}};
  const std::vector<int> expectedLayers = {0, 0, 0, 0, 3};
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    bool found = false;
    for (size_t k = 0; k < lines.size() && !found; ++k) {
      bool same = true;
      for (size_t j = 0; j < 4; ++j) same = same && std::abs(lines[k][j] - expected[i][j]) < 1e-6;
      if (same) {
        found = true;
        EXPECT_EQ(layers[k], expectedLayers[i]) << i;
      }
    }
    EXPECT_TRUE(found) << i;
  }
  // The block, the three lines, the cut and the layer change.
  EXPECT_EQ(view.GetUndoCount(), 6);
}
