// The host services of group insertion: moving an entity between groups,
// the layer an inserted entity takes, the insertion's point transform, and
// loading a named group from the block folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/GroupServices.h"
#include "draft/host/GroupTable.h"
#include "draft/host/InsertServices.h"
#include "draft/host/LineEntity.h"
#include "draft/host/ScratchDrawing.h"
#include "draft/host/Settings.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {
void ExpectLineAt(const CEntity* e, double x1, double y1, double x2, double y2) {
  double v[kMaxGeometryValues];
  ASSERT_EQ(e->GetGeometry(v), 4);
  EXPECT_NEAR(v[0], x1, 1e-9);
  EXPECT_NEAR(v[1], y1, 1e-9);
  EXPECT_NEAR(v[2], x2, 1e-9);
  EXPECT_NEAR(v[3], y2, 1e-9);
}
}  // namespace

TEST(InsertServicesTest, ChangeGroupKeepsGroupCoordinatesUnlessPrepared) {
  CDrawingGroup half("半", 0.5), twice("倍", 2.0, 10, 0);
  // Shown from (0, 0) to (10, 0) at scale 0.5: group points (0, 0), (20, 0).
  std::unique_ptr<CEntity> line(ConstructLineEntity(0, &half, 0, 0, 10, 0));
  ChangeGroup(line.get(), &twice);
  EXPECT_EQ(line->GetEntityGroup(), &twice);
  ExpectLineAt(line.get(), -10, 0, 30, 0);  // 10 + 2·(p − 10)
  // Prepared, it stays where it is shown.
  PrepareGroupChange(line.get());
  ChangeGroup(line.get(), &half);
  ApplyGroupChange(line.get());
  EXPECT_EQ(line->GetEntityGroup(), &half);
  ExpectLineAt(line.get(), -10, 0, 30, 0);
}

TEST(InsertServicesTest, LayersPointsAndGroupsOfAnInsertion) {
  CLayerTable layers;
  std::unique_ptr<CEntity> line(ConstructLineEntity(3, nullptr, 0, 0, 1, 0));
  EXPECT_TRUE(ApplyInsertLayer(1, nullptr, &layers, 7, line.get()));
  EXPECT_EQ(line->GetEntityLayer(), 3);
  EXPECT_TRUE(ApplyInsertLayer(0, nullptr, &layers, 7, line.get()));
  EXPECT_EQ(line->GetEntityLayer(), 7);
  EXPECT_FALSE(ApplyInsertLayer(1, nullptr, &layers, 7, nullptr));

  double x = 12, y = 0;
  TransformPoint(x, y, 100, 50, 10, 0, 2.0, 90.0);
  EXPECT_NEAR(x, 110, 1e-9);
  EXPECT_NEAR(y, 54, 1e-9);

  std::unique_ptr<CDrawingGroup> group(ConstructDrawingGroup("插入组 1", 1.5, 1, 0, 2));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetFlagA(), 1);
  EXPECT_EQ(group->GetFlagC(), 2);
  EXPECT_FALSE(group->IsGroupPickedWhole());
  EXPECT_EQ(ConstructDrawingGroup("", 1.0, 0, 0, 0), nullptr);
  EXPECT_TRUE(AddGroupAttribute(group.get(), "名称", "字串", "螺栓"));
  EXPECT_TRUE(AddGroupAttribute(group.get(), "名称", "字串", "垫圈"));
  EXPECT_EQ(group->GetItemList()->Find("名称")->value, CStringA("垫圈"));
}

TEST(InsertServicesTest, ANamedGroupComesFromTheBlockFolder) {
  auto previous = SetSettingsBacking(std::make_unique<CMemorySettings>());
  testsupport::ScratchFolder folder{"groupload"};
  {
    CScratchDrawing d;
    CDrawingGroup* g = AddGroup(d.GetGroupTable(), "零件", 2.0, 0, 0, 0, nullptr);
    g->GetItemList()->Append({"材料", "字串", "钢", 1});
    SetActiveGroup(d.GetGroupTable(), g);
    d.GetEntityList()->AddTail(ConstructLineEntity(0, g, 0, 0, 20, 0));
    ASSERT_TRUE(d.SaveDrawingFile((folder.path() + "/part.gdf").c_str(), 1, 0, 1, 5, 6, 1));
  }
  // The folder with or without its separator, the name with or without
  // the extension.
  struct Case {
    std::string folder;
    const char* name;
    int result;
  };
  const Case cases[] = {{folder.path() + "/", "part", 1},
                        {folder.path(), "part.gdf", 1},
                        {folder.path(), "other", 0},
                        {folder.path(), "", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteProfileStringSetting("User Path", "Block Path", c.folder.c_str());
    CDraftView view;
    ASSERT_TRUE(view.EnableSelectionTracking(0));  // the loaded entities are the caller's
    CGroupTable groups;
    CInsertContext context;
    double bx = 0, by = 0;
    ASSERT_EQ(view.LoadGroupByName(c.name, 1, 0, 0, 0, 0, 0, 0, &bx, &by, &context, &groups, nullptr), c.result);
    if (!c.result) {
      EXPECT_EQ(view.GetSelectionCount(), 0);
      continue;
    }
    EXPECT_EQ(bx, 5);
    EXPECT_EQ(by, 6);
    EXPECT_EQ(context.loaded, 1);
    ASSERT_EQ(view.GetSelectionCount(), 1);
    CEntity* e = view.GetSelectionList()->GetHead();
    ASSERT_NE(groups.GetActiveGroup(), nullptr);
    EXPECT_EQ(e->GetEntityGroup(), groups.GetActiveGroup());
    EXPECT_EQ(groups.GetActiveGroup()->GetGroupScale(), 2.0);
    EXPECT_NE(groups.GetActiveGroup()->GetItemList()->Find("材料"), nullptr);
    ExpectLineAt(e, 0, 0, 20, 0);
    view.ClearSelection(nullptr);
    delete e;
  }
  SetSettingsBacking(std::move(previous));
}
