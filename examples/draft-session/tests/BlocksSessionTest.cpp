// The shipped blocks session, end to end: a flange and a bolt hole in two
// drawing groups saved as a block file in the output folder (the save
// dialog answered, the base point clicked), then made one compound entity.
// The block file is read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/BlockEntity.h"
#include "draft/host/DrawingFileReader.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/GroupTable.h"
#include "draft/host/ScratchDrawing.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/core/Charset.h"
#include "platform/testsupport/ScratchFolder.h"

using namespace draftsession;

TEST(BlocksSession, SavesABlockFileWithItsBasePointAndMakesACompound) {
  const testsupport::ScratchFolder scratch("scrivel-blocks");
  const std::filesystem::path out = scratch.path();
  PlayedSession session;
  session.player.SetVariable("OUT", out.string());
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "blocks.session"));
  EXPECT_NE(session.out.str().find("prompt: 输入图块基点\n"), std::string::npos);

  // The block file: the base point clicked, both groups once with their
  // scales, the four sides and the bore in the flange's group, the hole in
  // the bolt's; the line apart was not selected.
  CScratchDrawing file;
  std::string error;
  ASSERT_TRUE(ReadDrawingFile((out / "blocks.gdf").string().c_str(), file, &error)) << error;
  EXPECT_EQ(file.GetHeader().baseFlag, 1);
  EXPECT_EQ(file.GetHeader().baseX, 20);
  EXPECT_EQ(file.GetHeader().baseY, 20);
  ASSERT_EQ(file.GetGroupTable()->GetCount(), 2);
  const CDrawingGroup* flange = file.GetGroupTable()->FindGroup(platform::Utf8ToGbk("法兰").c_str());
  const CDrawingGroup* bolt = file.GetGroupTable()->FindGroup(platform::Utf8ToGbk("螺栓").c_str());
  ASSERT_NE(flange, nullptr);
  ASSERT_NE(bolt, nullptr);
  EXPECT_EQ(flange->GetGroupScale(), 2.0);
  EXPECT_EQ(bolt->GetGroupScale(), 1.0);
  std::vector<std::vector<double>> circles;
  int flangeLines = 0;
  for (const CEntity* e : *file.GetEntityList()) {
    double v[kMaxGeometryValues];
    const int n = e->GetGeometry(v);
    if (e->IsLine() && e->GetEntityGroup() == flange) ++flangeLines;
    if (e->IsCircle()) circles.push_back({v[0], v[1], v[2], e->GetEntityGroup() == flange ? 1.0 : 2.0});
    EXPECT_TRUE(n == 4 || n == 3);
  }
  EXPECT_EQ(flangeLines, 4);
  EXPECT_EQ(circles, (std::vector<std::vector<double>>{{50, 40, 10, 1}, {30, 30, 3, 2}}));
  EXPECT_EQ(file.GetEntityList()->GetCount(), 6);

  // The drawing: the line apart and one block of copies of the six in the
  // flange's group, made in one undo step.
  CDraftView& view = session.player.View();
  ASSERT_EQ(view.GetEntityList()->GetCount(), 2);
  const CEntity* block = view.GetEntityList()->GetTail();
  ASSERT_TRUE(block->IsBlock());
  EXPECT_EQ(static_cast<const CBlockEntity*>(block)->GetMemberCount(), 6);
  EXPECT_EQ(block->GetEntityGroup()->GetGroupName(), platform::Utf8ToGbk("法兰").c_str());
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(view.GetEntityList()->GetCount(), 7);
}
