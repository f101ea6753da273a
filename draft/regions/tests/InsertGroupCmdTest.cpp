// Group insertion: stored groups read from block files of the "Block Path"
// folder, placed once or again and again, with a scale and an angle, into a
// target group with a made-up name, with the drawing's hidden lines removed
// over the group's outline or over clicked regions.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/host/AttributeItems.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/DrawingIO.h"
#include "draft/host/DrawingService.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/ScratchDrawing.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "draft/regions/InsertGroupAltCmd.h"
#include "draft/regions/InsertGroupCmd.h"
#include "platform/core/WinConstants.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

using InsertLine = std::array<double, 4>;

std::vector<InsertLine> SortedBlockLines(const CEntity* e) {
  std::vector<InsertLine> out;
  if (!e || !e->IsBlock()) return out;
  const auto* block = static_cast<const CBlockEntity*>(e);
  for (int i = 0; i < block->GetMemberCount(); ++i) {
    double v[kMaxGeometryValues];
    if (!block->GetMember(i)->IsLine() || block->GetMember(i)->GetGeometry(v) != 4) continue;
    InsertLine l{v[0], v[1], v[2], v[3]};
    if (std::make_pair(l[0], l[1]) > std::make_pair(l[2], l[3])) l = {l[2], l[3], l[0], l[1]};
    out.push_back(l);
  }
  std::sort(out.begin(), out.end());
  return out;
}

void ExpectInsertLines(const std::vector<InsertLine>& actual, const std::vector<InsertLine>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i)
    for (size_t k = 0; k < 4; ++k) EXPECT_NEAR(actual[i][k], expected[i][k], 1e-6) << "line " << i;
}

// Counts the destruction of the entities it watches.
struct InsertDestroyCounter : CEntityWatcher {
  void OnEntityDestroyed(CEntity*) override { ++count; }
  int count = 0;
};

class InsertGroupTest : public ::testing::Test {
 protected:
  InsertGroupTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {
    WriteProfileStringSetting("User Path", "Block Path", (folder.path() + "/").c_str());
    // The rectangle 0..40 × 0..20 in the group "零件", base point (0, 0).
    WriteBlock("part", "零件", 0);
  }
  ~InsertGroupTest() override { SetSettingsBacking(std::move(previous_)); }

  // A block file of a rectangle 40 × 20 moved right by `shift`, in group
  // `group` (active), base point (0, 0); `items` go to the group.
  void WriteBlock(const char* name, const char* group, double shift,
                  const std::vector<CAttributeItem>& items = {}) {
    CScratchDrawing d;
    CDrawingGroup* g = AddGroup(d.GetGroupTable(), group, 1.0, 0, 0, 0, nullptr);
    for (const CAttributeItem& item : items) g->GetItemList()->Append(item);
    SetActiveGroup(d.GetGroupTable(), g);
    const double s = shift;
    for (const InsertLine& l : std::vector<InsertLine>{
             {s, 0, s + 40, 0}, {s + 40, 0, s + 40, 20}, {s + 40, 20, s, 20}, {s, 20, s, 0}})
      d.GetEntityList()->AddTail(ConstructLineEntity(0, g, l[0], l[1], l[2], l[3]));
    const std::string path = folder.path() + "/" + name + ".gdf";
    ASSERT_TRUE(d.SaveDrawingFile(path.c_str(), 1, 0, 1, 0, 0, 1));
  }
  CInsertGroupCmd* Insert(const char* name, int hideOption = 0, int mode = 0, const char* target = "") {
    return bench.Push(new CInsertGroupCmd(&bench.view, 1, hideOption, name, 0, 0, target, mode, nullptr));
  }
  void ClickAt(double x, double y) {
    bench.Move(x, y);
    bench.Click(x, y);
  }
  void RightButton() { bench.stack.OnRButton(0, bench.view.GetCursorPos(), &bench.view); }
  std::vector<CEntity*> Blocks() {
    std::vector<CEntity*> out;
    for (CEntity* e : *bench.view.GetEntityList())
      if (e->IsBlock()) out.push_back(e);
    return out;
  }

  testsupport::ScratchFolder folder{"insertgroup"};
  CommandBench bench;

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};

}  // namespace

TEST_F(InsertGroupTest, TargetGroupNamesAreMadeUnique) {
  CGroupTable* table = bench.view.GetGroupTable();
  table->AddGroup("插入组 1", 1.0);
  table->AddGroup("甲", 1.0);
  table->AddGroup("轴A", 1.0);
  struct Case {
    const char* target;
    const char* name;
    const char* remark;
    const char* expected;
  };
  const Case cases[] = {{"", "", "", "插入组 2"},
                        {"甲", "", "", "甲 2"},
                        {"乙", "", "", "乙"},
                        {"", "轴", "A", "轴A 2"},
                        {"", "轴", "B", "轴B"}};
  for (const Case& c : cases) {
    InsertGroupAttrib attrib;
    attrib.name = c.name;
    attrib.remark = c.remark;
    CInsertGroupCmd cmd(&bench.view, 1, 0, "part", 0, 0, c.target, 0, &attrib);
    ASSERT_TRUE(cmd.MakeTargetGroup(&bench.view));
    EXPECT_EQ(cmd.GetTargetGroup()->GetGroupName(), CStringA(c.expected)) << c.expected;
  }
}

TEST_F(InsertGroupTest, OnePlacementMakesOneBlockAndOneRecord) {
  Insert("part");
  ASSERT_NE(bench.stack.GetCurrent(), nullptr);
  // The loaded entities are the command's, not the drawing's.
  EXPECT_EQ(bench.view.GetSelectionCount(), 4);
  EXPECT_FALSE(bench.view.IsSelectionTracking());
  EXPECT_TRUE(bench.view.GetEntityList()->IsEmpty());
  ClickAt(100, 100);
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);  // continuous insertion is off
  EXPECT_TRUE(bench.view.IsSelectionTracking());
  EXPECT_EQ(bench.view.GetSelectionCount(), 0);
  EXPECT_EQ(bench.view.GetUndoCount(), 1);
  const std::vector<CEntity*> blocks = Blocks();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(bench.view.GetEntityList()->GetCount(), 1);
  ExpectInsertLines(SortedBlockLines(blocks[0]),
                    {{100, 100, 100, 120}, {100, 100, 140, 100}, {100, 120, 140, 120}, {140, 100, 140, 120}});
  CDrawingGroup* group = bench.view.GetGroupTable()->FindGroup("插入组 1");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(blocks[0]->GetEntityGroup(), group);
  // The source group's attributes went to the new group.
  ASSERT_TRUE(bench.view.Undo());
  EXPECT_TRUE(bench.view.GetEntityList()->IsEmpty());
}

TEST_F(InsertGroupTest, ContinuousInsertionWithAScaleAndAnAngle) {
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_INSERTSTATUS_CON", 1);
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_INSERTSTATUS_SCALE", 1);
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_INSERTSTATUS_ANGLE", 1);
  Insert("part");
  for (int round = 0; round < 2; ++round) {
    const double x = 100 + 200 * round;
    ClickAt(x, 100);
    EXPECT_EQ(bench.stack.GetPrompt(), CString("输入插入比例"));
    ClickAt(x + 100, 100);  // 100 units: scale 2
    EXPECT_EQ(bench.stack.GetPrompt(), CString("输入插入角度"));
    ClickAt(x, 200);  // 90 degrees
    ASSERT_NE(bench.stack.GetCurrent(), nullptr);
  }
  EXPECT_EQ(bench.view.GetUndoCount(), 2);
  const std::vector<CEntity*> blocks = Blocks();
  ASSERT_EQ(blocks.size(), 2u);
  ExpectInsertLines(SortedBlockLines(blocks[1]),
                    {{260, 100, 260, 180}, {260, 100, 300, 100}, {260, 180, 300, 180}, {300, 100, 300, 180}});
  EXPECT_EQ(blocks[0]->GetEntityGroup(), blocks[1]->GetEntityGroup());
  RightButton();
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  EXPECT_TRUE(bench.view.IsSelectionTracking());
}

TEST_F(InsertGroupTest, AListOfNamesInOrderOnceOrAgain) {
  WriteBlock("a", "甲组", 0);
  WriteBlock("b", "乙组", 1000);
  WriteBlock("c", "丙组", 2000);
  CStringArray names;
  names.Add("a");
  names.Add("b");
  names.Add("c");
  for (int continuous : {0, 1}) {
    SCOPED_TRACE(continuous);
    WriteProfileIntSetting("SYSVAR_NORMAL", "SET_INSERTSTATUS_CON", continuous);
    const int before = static_cast<int>(Blocks().size());
    auto* cmd = bench.Push(new CInsertGroupAltCmd(&bench.view, 1, 0, &names, 0, 0, "", 0, nullptr));
    std::vector<CString> placed;
    for (int i = 0; i < 4 && bench.stack.GetCurrent() == cmd; ++i) {
      placed.push_back(cmd->GetGroupName());
      ClickAt(0, 0);
    }
    const std::vector<CString> expected =
        continuous ? std::vector<CString>{"a", "b", "c", "a"} : std::vector<CString>{"a", "b", "c"};
    EXPECT_EQ(placed, expected);
    EXPECT_EQ(static_cast<int>(Blocks().size()) - before, static_cast<int>(expected.size()));
    if (bench.stack.GetCurrent()) RightButton();
    EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  }
}

TEST_F(InsertGroupTest, AutomaticHidingCutsTheDrawingsLinesUnderTheGroup) {
  CEntity* line = ConstructLineEntity(0, nullptr, -50, 10, 200, 10);
  bench.view.AddEntityToView(line);
  bench.answers.push_back(IDYES);
  Insert("part", 1);
  ClickAt(50, 0);
  EXPECT_EQ(bench.boxes.back(), CStringA("消隐？"));
  ASSERT_EQ(bench.view.GetUndoCount(), 1);
  const CUndoRecord* record = bench.view.GetLastUndoRecord();
  ASSERT_EQ(record->GetOldEntities().size(), 1u);
  EXPECT_EQ(record->GetOldEntities()[0], line);
  EXPECT_EQ(record->GetNewEntities().size(), 3u);  // two pieces and the block
  EXPECT_FALSE(bench.view.IsInDrawing(line));
  std::vector<InsertLine> lines;
  for (CEntity* e : *bench.view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (e->IsLine() && e->GetGeometry(v) == 4) lines.push_back({v[0], v[1], v[2], v[3]});
  }
  std::sort(lines.begin(), lines.end());
  ExpectInsertLines(lines, {{-50, 10, 50, 10}, {90, 10, 200, 10}});
  ASSERT_TRUE(bench.view.Undo());
  EXPECT_TRUE(bench.view.IsInDrawing(line));
}

TEST_F(InsertGroupTest, ManualRegionsHideThePlacedGroupAndEveryDraggedEntityGoesOnce) {
  WriteProfileIntSetting("SYSVAR_MISC", "SET_MISC_NORMALHIDE", 0);
  bench.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 50, 10, 5));
  bench.answers.push_back(IDYES);
  auto* cmd = Insert("part", 1);
  InsertDestroyCounter counter;
  for (CEntity* e : *bench.view.GetSelectionList()) e->SetWatcher(&counter);
  ClickAt(50, 0);
  ASSERT_TRUE(cmd->IsPickingHideRange());
  EXPECT_EQ(bench.stack.GetPrompt(), CString("指定消隐范围"));
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
  ClickAt(48, 10);  // inside the circle
  EXPECT_FALSE(bench.view.GetSecondList()->IsEmpty());
  RightButton();
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  EXPECT_EQ(counter.count, 4);
  EXPECT_TRUE(bench.view.GetSecondList()->IsEmpty());
  ASSERT_EQ(bench.view.GetUndoCount(), 1);
  const std::vector<CEntity*> blocks = Blocks();
  ASSERT_EQ(blocks.size(), 1u);
  // The left side loses what the circle hides.
  ExpectInsertLines(SortedBlockLines(blocks[0]), {{50, 0, 50, 5},
                                                  {50, 0, 90, 0},
                                                  {50, 15, 50, 20},
                                                  {50, 20, 90, 20},
                                                  {90, 0, 90, 20}});
}

TEST_F(InsertGroupTest, ARefusedBeginLeavesTheViewAsItWas) {
  CEntity* line = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
  bench.view.AddEntityToView(line);
  // A missing file, and a file whose entities belong to no group.
  CScratchDrawing loose;
  loose.GetEntityList()->AddTail(ConstructLineEntity(0, nullptr, 0, 0, 5, 5));
  ASSERT_TRUE(loose.SaveDrawingFile((folder.path() + "/loose.gdf").c_str(), 1, 0, 1, 0, 0, 1));
  for (const char* name : {"missing", "loose"}) {
    SCOPED_TRACE(name);
    Insert(name);
    EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
    EXPECT_TRUE(bench.view.IsSelectionTracking());
    EXPECT_EQ(bench.view.GetSelectionCount(), 0);
    EXPECT_EQ(bench.view.GetEntityList()->GetCount(), 1);
    EXPECT_EQ(bench.view.GetUndoCount(), 0);
  }
}

TEST_F(InsertGroupTest, ADrawingFileGivesTitleAttributesLongerThanThePrefix) {
  const std::vector<CAttributeItem> items = {
      {"_Qvz_", "字串", "短", 1}, {"_Qvz_图号", "字串", "A-1", 1}, {"材料", "字串", "钢", 1}};
  WriteBlock("title", "零件", 0, items);
  theDrawingService.SetGroupFile((folder.path() + "/title.gdf").c_str());
  Insert("", 0, 3);
  ASSERT_NE(bench.stack.GetCurrent(), nullptr);
  ClickAt(0, 0);
  CAttributeItemList* drawing = bench.view.GetDrawingAttributeList();
  EXPECT_NE(drawing->Find("_Qvz_图号"), nullptr);
  EXPECT_EQ(drawing->Find("_Qvz_"), nullptr);
  EXPECT_EQ(drawing->Find("材料"), nullptr);
  theDrawingService.SetGroupFile(nullptr);
}

TEST_F(InsertGroupTest, TheCreatorsRecordNamesTheNewGroupAndGivesItsAttributes) {
  InsertGroupAttrib attrib;
  attrib.name = "轴";
  attrib.remark = "A";
  attrib.material = "45钢";
  attrib.weight = 1.5;
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_INSERTSTATUS_GROUP", 0);
  bench.Push(new CInsertGroupCmd(&bench.view, 1, 0, "part", 0, 0, "", 1, &attrib));
  ClickAt(100, 100);
  CDrawingGroup* group = bench.view.GetGroupTable()->FindGroup("轴A");
  ASSERT_NE(group, nullptr);
  const CAttributeItemList& items = *group->GetItemList();
  ASSERT_EQ(items.GetCount(), 4);
  EXPECT_EQ(items.Find("名称")->value, CStringA("轴"));
  EXPECT_EQ(items.Find("备注")->value, CStringA("A"));
  EXPECT_EQ(items.Find("材料")->value, CStringA("45钢"));
  EXPECT_EQ(items.Find("重量")->value, CStringA("1.500000"));
  EXPECT_EQ(items.Find("重量")->type, CStringA("字串"));
}

TEST_F(InsertGroupTest, ADrawingFileIsNotReadWhileTheDrawingServiceWorks) {
  theDrawingService.SetGroupFile((folder.path() + "/part.gdf").c_str());
  SetDrawingIOFlag(1);
  Insert("", 0, 3);
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  EXPECT_TRUE(bench.view.IsSelectionTracking());
  SetDrawingIOFlag(0);
  Insert("", 0, 3);
  EXPECT_NE(bench.stack.GetCurrent(), nullptr);
  RightButton();
  theDrawingService.SetGroupFile(nullptr);
}

TEST_F(InsertGroupTest, ACommandDeletedWithoutEndFreesWhatItDragged) {
  auto* cmd = Insert("part");
  InsertDestroyCounter counter;
  for (CEntity* e : *bench.view.GetSelectionList()) e->SetWatcher(&counter);
  ASSERT_EQ(bench.stack.GetCurrent(), cmd);
  bench.stack.DeleteAll();
  EXPECT_EQ(counter.count, 4);
  EXPECT_TRUE(bench.view.IsSelectionTracking());
}
