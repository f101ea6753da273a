#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingFileReader.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/ScratchDrawing.h"
#include "draft/host/Settings.h"
#include "draft/regions/MakeBlockCmd.h"
#include "draft/regions/SaveBlockCmd.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ModalDriver.h"

namespace {

constexpr const char* kNoBasePointBox = "保存图块时没有确定基点,是否取消图块保存操作?";

std::vector<double> ValuesOf(const CEntity* e) {
  double v[kMaxGeometryValues];
  const int n = e->GetGeometry(v);
  return std::vector<double>(v, v + n);
}

class BlockCmdTest : public ::testing::Test {
 protected:
  BlockCmdTest() : previousSettings_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {
    CGroupTable* table = bench.view.GetGroupTable();
    a = AddGroup(table, "零件A", 2.0, 3, 1, 5, nullptr);
    a->SetOrigin(10, 10);
    b = AddGroup(table, "零件B", 1.0, 0, 0, 0, nullptr);
    table->SetActiveGroup(b);
  }
  ~BlockCmdTest() override { SetSettingsBacking(std::move(previousSettings_)); }

  CEntity* Add(CEntity* e) {
    bench.view.AddEntityToView(e);
    return e;
  }
  // A line and a block of two members in A, a circle and a line in B, and
  // a line of no group.
  void AddGroupedDrawing() {
    Add(ConstructLineEntity(0, a, 20, 20, 40, 20));
    CBlockEntity* block = ConstructBlockEntity(1, a);
    block->AddMember(ConstructLineEntity(1, a, 0, 0, 10, 0));
    block->AddMember(ConstructCircleEntity(1, a, 5, 5, 2));
    Add(block);
    Add(ConstructCircleEntity(2, b, 50, 50, 8));
    Add(ConstructLineEntity(0, b, 60, 0, 60, 30));
    Add(ConstructLineEntity(0, nullptr, 0, 90, 30, 90));
  }
  void SelectAll() {
    CEntityList all;
    for (CEntity* e : *bench.view.GetEntityList()) all.AddTail(e);
    bench.view.SelectEntities(all);
  }
  // Pushes the save command with everything selected and answers its file
  // dialog with `typed` and the file type `kind`.
  void SaveWithDialog(const std::string& typed, int kind) {
    SelectAll();
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      ASSERT_NE(m.As<CFileDialog>(), nullptr);
      EXPECT_TRUE(m.Choose(cmb1, kind - 1));
      EXPECT_TRUE(m.EnterText(edt1, CStringA(typed.c_str())));
      m.Click(IDOK);
    });
    bench.Push(new CSaveBlockCmd(320, &bench.view, 0, 0));
  }
  std::string Path(const char* name) const { return scratch.path() + "/" + name; }
  static bool ReadBack(const std::string& path, CScratchDrawing& d) {
    std::string error;
    const bool ok = ReadDrawingFile(path.c_str(), d, &error);
    EXPECT_TRUE(ok) << error;
    return ok;
  }

  CommandBench bench;
  testsupport::ScratchFolder scratch{"save-block"};
  CDrawingGroup* a;
  CDrawingGroup* b;

 private:
  std::unique_ptr<CSettingsBacking> previousSettings_;
};

TEST_F(BlockCmdTest, ABlockFileIsWrittenOnTheClickWithItsBasePointAndEachGroupOnce) {
  AddGroupedDrawing();
  SaveWithDialog(Path("part"), 1);
  EXPECT_EQ(bench.stack.GetPrompt(), "输入图块基点");
  EXPECT_FALSE(std::filesystem::exists(Path("part.gdf")));  // not before the base point
  EXPECT_EQ(GetProfileStringSetting("User Path", "Block Path", "?"), CStringA((scratch.path() + "\\").c_str()));
  EXPECT_EQ(GetProfileIntSetting("User Block Extion", "extion", 0), 1);

  bench.Click(30, 40);
  CScratchDrawing d;
  ASSERT_TRUE(ReadBack(Path("part.gdf"), d));
  EXPECT_EQ(d.GetHeader().baseX, 30);
  EXPECT_EQ(d.GetHeader().baseY, 40);
  EXPECT_EQ(d.GetHeader().baseFlag, 1);
  EXPECT_EQ(d.GetHeader().flags[1], 0);
  // Each group once, with its base point, scale and flags; the current
  // group is the active one.
  ASSERT_EQ(d.GetGroupTable()->GetCount(), 2);
  const CDrawingGroup* copyA = d.GetGroupTable()->FindGroup("零件A");
  ASSERT_NE(copyA, nullptr);
  EXPECT_EQ(copyA->GetGroupScale(), 2.0);
  EXPECT_EQ(copyA->GetOriginX(), 10);
  EXPECT_EQ(copyA->GetOriginY(), 10);
  EXPECT_EQ(GetGroupFlagA(copyA), 3);
  EXPECT_TRUE(IsGroupPickedWhole(copyA));
  EXPECT_EQ(GetGroupFlagC(copyA), 5);
  EXPECT_EQ(d.GetGroupTable()->GetActiveGroup(), d.GetGroupTable()->FindGroup("零件B"));
  // Every grouped entity, shown where it was; the one without a group is
  // left out.
  std::vector<CEntity*> originals;
  for (CEntity* e : *bench.view.GetEntityList())
    if (e->GetEntityGroup()) originals.push_back(e);
  ASSERT_EQ(d.GetEntityList()->GetCount(), static_cast<int>(originals.size()));
  size_t i = 0;
  for (CEntity* e : *d.GetEntityList()) {
    SCOPED_TRACE(i);
    EXPECT_EQ(e->GetKind(), originals[i]->GetKind());
    EXPECT_EQ(e->GetEntityGroup()->GetGroupName(), originals[i]->GetEntityGroup()->GetGroupName());
    EXPECT_EQ(ValuesOf(e), ValuesOf(originals[i]));
    ++i;
  }
  // The command goes on selecting, with nothing selected.
  EXPECT_EQ(bench.view.GetSelectionCount(), 0);
  ASSERT_NE(bench.stack.GetCurrent(), nullptr);
}

TEST_F(BlockCmdTest, TitleBlockFilesAreWrittenAtOnceDecomposedAndTheCommandEnds) {
  const struct {
    int kind;
    const char* name;
    const char* file;
  } cases[] = {{2, "title.btl", "title.btl"}, {3, "annex.btf", "annex.btf"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    CommandBench local;
    CDrawingGroup* g = AddGroup(local.view.GetGroupTable(), "零件B", 1.0, 0, 0, 0, nullptr);
    CBlockEntity* block = ConstructBlockEntity(1, g);
    block->AddMember(ConstructLineEntity(1, g, 0, 0, 10, 0));
    block->AddMember(ConstructLineEntity(1, g, 10, 0, 10, 10));
    local.view.AddEntityToView(ConstructLineEntity(0, g, 0, 0, 5, 5));
    local.view.AddEntityToView(block);
    CEntityList all;
    for (CEntity* e : *local.view.GetEntityList()) all.AddTail(e);
    local.view.SelectEntities(all);
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      EXPECT_TRUE(m.Choose(cmb1, c.kind - 1));
      EXPECT_TRUE(m.EnterText(edt1, CStringA(Path(c.name).c_str())));
      m.Click(IDOK);
    });
    local.Push(new CSaveBlockCmd(320, &local.view, 0, 0));
    EXPECT_EQ(local.stack.GetCurrent(), nullptr);
    EXPECT_EQ(GetProfileIntSetting("User Block Extion", "extion", 0), c.kind);
    CScratchDrawing d;
    ASSERT_TRUE(ReadBack(Path(c.file), d));
    EXPECT_EQ(d.GetHeader().baseFlag, 0);
    EXPECT_EQ(d.GetHeader().baseX, 0);
    EXPECT_EQ(d.GetHeader().flags[1], 1);
    ASSERT_EQ(d.GetEntityList()->GetCount(), 3);  // the line and the block's two members
    for (CEntity* e : *d.GetEntityList()) {
      EXPECT_TRUE(e->IsLine());
      EXPECT_EQ(e->GetEntityOwner(), nullptr);
    }
  }
}

TEST_F(BlockCmdTest, TheRightButtonAtTheBasePointAsksWhetherToGiveUp) {
  for (const int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer);
    CommandBench local;
    local.view.AddEntityToView(ConstructLineEntity(0, AddGroup(local.view.GetGroupTable(), "G", 1, 0, 0, 0, nullptr),
                                                   0, 0, 10, 10));
    CEntityList all;
    for (CEntity* e : *local.view.GetEntityList()) all.AddTail(e);
    local.view.SelectEntities(all);
    {
      platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
        EXPECT_TRUE(m.EnterText(edt1, CStringA(Path("q").c_str())));
        m.Click(IDOK);
      });
      local.Push(new CSaveBlockCmd(320, &local.view, 0, 0));
    }
    local.answers.push_back(answer);
    local.stack.OnRButton(0, CommandBench::At(1, 1), &local.view);
    ASSERT_EQ(local.boxes.size(), 1U);
    EXPECT_EQ(local.boxes[0], kNoBasePointBox);
    if (answer == IDYES) {
      EXPECT_EQ(local.stack.GetCurrent(), nullptr);
      EXPECT_EQ(local.view.GetSelectionCount(), 0);
      EXPECT_FALSE(std::filesystem::exists(Path("q.gdf")));
    } else {
      EXPECT_EQ(local.stack.GetPrompt(), "输入图块基点");
      local.Click(5, 5);  // the base point is still taken
      CScratchDrawing d;
      ASSERT_TRUE(ReadBack(Path("q.gdf"), d));
      EXPECT_EQ(d.GetHeader().baseX, 5);
      std::filesystem::remove(Path("q.gdf"));
    }
  }
}

TEST_F(BlockCmdTest, APathWithoutAFolderStoresNoFolderSetting) {
  AddGroupedDrawing();
  SaveWithDialog("nofolder", 1);
  auto* cmd = static_cast<CSaveBlockCmd*>(bench.stack.GetCurrent());
  ASSERT_NE(cmd, nullptr);
  EXPECT_EQ(cmd->GetFilePath(), "nofolder.gdf");
  EXPECT_EQ(GetProfileStringSetting("User Path", "Block Path", "unset"), "unset");
  EXPECT_EQ(GetProfileIntSetting("User Block Extion", "extion", 99), 99);
  // Given up at the base point: nothing is written in the working folder.
  bench.answers.push_back(IDYES);
  bench.stack.OnRButton(0, CommandBench::At(1, 1), &bench.view);
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  EXPECT_FALSE(std::filesystem::exists("nofolder.gdf"));
}

TEST_F(BlockCmdTest, ACancelledDialogWritesNothingAndEndsTheCommand) {
  AddGroupedDrawing();
  SelectAll();
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) { m.Click(IDCANCEL); });
  bench.Push(new CSaveBlockCmd(320, &bench.view, 0, 0));
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  EXPECT_EQ(bench.view.GetSelectionCount(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
}

TEST_F(BlockCmdTest, MakeBlockWithOneEntityDoesNothing) {
  CEntity* line = Add(ConstructLineEntity(0, a, 0, 0, 10, 0));
  bench.view.SelectEntity(line);
  bench.Push(new CMakeBlockCmd(321, &bench.view, 0, 0));
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
  EXPECT_TRUE(bench.view.IsInDrawing(line));
  EXPECT_FALSE(line->GetEntityOwner());
}

TEST_F(BlockCmdTest, MakeBlockReplacesTwoEntitiesByOneBlockInOneStep) {
  CEntity* first = Add(ConstructLineEntity(0, a, 20, 20, 40, 20));
  CEntity* second = Add(ConstructCircleEntity(2, b, 50, 50, 8));
  bench.view.SetCurrentLayer(4);
  SelectAll();
  const std::vector<double> shownFirst = ValuesOf(first), shownSecond = ValuesOf(second);
  bench.Push(new CMakeBlockCmd(321, &bench.view, 0, 0));
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  EXPECT_EQ(bench.view.GetUndoCount(), 1);
  ASSERT_EQ(bench.view.GetEntityList()->GetCount(), 1);
  EXPECT_FALSE(bench.view.IsInDrawing(first));
  EXPECT_FALSE(bench.view.IsInDrawing(second));
  CEntity* made = bench.view.GetEntityList()->GetHead();
  ASSERT_TRUE(made->IsBlock());
  auto* block = static_cast<CBlockEntity*>(made);
  EXPECT_EQ(block->GetEntityLayer(), 4);
  EXPECT_EQ(block->GetEntityGroup(), a);
  ASSERT_EQ(block->GetMemberCount(), 2);
  // Copies in the first entity's group, shown where the originals were.
  EXPECT_EQ(block->GetMember(0)->GetEntityGroup(), a);
  EXPECT_EQ(block->GetMember(1)->GetEntityGroup(), a);
  EXPECT_EQ(ValuesOf(block->GetMember(0)), shownFirst);
  const std::vector<double> circle = ValuesOf(block->GetMember(1));
  ASSERT_EQ(circle.size(), 3U);
  for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(circle[i], shownSecond[i], 1e-9);

  ASSERT_TRUE(bench.view.Undo());
  EXPECT_TRUE(bench.view.IsInDrawing(first));
  EXPECT_TRUE(bench.view.IsInDrawing(second));
  EXPECT_EQ(bench.view.GetEntityList()->GetCount(), 2);
}

}  // namespace
