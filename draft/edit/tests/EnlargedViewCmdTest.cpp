// The enlarged detail view, driven through the command stack with its
// dialog answered.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "draft/edit/EnlargedViewCmd.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/framework/CmdStack.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/testsupport/DevicePoint.h"
#include "platform/ui/ModalDriver.h"

namespace {

using Line = std::array<double, 4>;

struct DetailAnswer {
  const char* scale;  // null: keep what the dialog shows
  const char* label;
  bool ok = true;
};

class EnlargedViewTest : public EditCmdFixture {
 protected:
  ~EnlargedViewTest() override { stack.DeleteAll(); }

  void Click(double x, double y) {
    stack.OnMouseMove(0, drafttest::DevicePoint(x, y), &view);
    stack.OnLButton(0, drafttest::DevicePoint(x, y), &view);
  }
  // A corner of two lines at (100, 100) in `group`.
  void AddCorner(CDrawingGroup* group = nullptr) {
    view.AddEntityToView(new CLineEntity(0, group, 100, 100, 160, 100));
    view.AddEntityToView(new CLineEntity(0, group, 100, 100, 100, 160));
  }
  // The centre (100, 100) and radius 10 given; the dialog answered. The
  // captions the driver saw and whether the dialog was still open after OK.
  CEnlargedViewCmd* MarkArea(DetailAnswer answer, bool* refused = nullptr) {
    auto* cmd = new CEnlargedViewCmd(317);
    stack.Push(&view, cmd);
    EXPECT_EQ(CStringA(stack.GetPrompt()), "输入局部放大中心");
    Click(100, 100);
    EXPECT_EQ(CStringA(stack.GetPrompt()), "输入半径点(R: 半径  D: 直径)");
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      EXPECT_EQ(CStringA(s.Caption()), "局部放大图");
      if (answer.scale) s.EnterText(352, CStringA(answer.scale));
      if (answer.label) s.EnterText(351, CStringA(answer.label));
      s.Click(answer.ok ? IDOK : IDCANCEL);
      if (refused) *refused = s.IsRunning();
      if (s.IsRunning()) s.Click(IDCANCEL);
    });
    Click(110, 100);
    return cmd;
  }
  // The label, entity and annotation points.
  void Place() {
    Click(90, 130);
    Click(300, 300);
    Click(300, 250);
  }
  std::vector<CBlockEntity*> Blocks() {
    std::vector<CBlockEntity*> out;
    for (CEntity* e : *view.GetEntityList())
      if (e->IsBlock()) out.push_back(static_cast<CBlockEntity*>(e));
    return out;
  }
  std::vector<std::string> Texts(const CBlockEntity* block) {
    std::vector<std::string> out;
    for (int i = 0; i < block->GetMemberCount(); ++i)
      if (block->GetMember(i)->IsText()) out.push_back(static_cast<CTextEntity*>(block->GetMember(i))->GetText().GetString());
    return out;
  }

  CDraftView view;
  CCmdStack stack;
};

}  // namespace

// The scale is the number before the colon; a plain number gets ":1"; a
// scale that is not positive keeps the dialog open (Cancel then abandons
// the detail).
TEST_F(EnlargedViewTest, ScaleTextsAndRefusedScales) {
  struct Case {
    const char* typed;
    bool refused;
    const char* text;
    double scale;
  };
  const Case cases[] = {{"3", false, "3:1", 3}, {"2.5:1", false, "2.5:1", 2.5}, {"0", true, "2:1", 2},
                        {"abc", true, "2:1", 2}, {"-2:1", true, "2:1", 2}};
  AddCorner();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    boxes.clear();
    bool refused = false;
    CEnlargedViewCmd* cmd = MarkArea({c.typed, nullptr}, &refused);
    EXPECT_EQ(refused, c.refused);
    EXPECT_EQ(boxes.size(), c.refused ? 1u : 0u);
    EXPECT_EQ(cmd->GetScaleText(), c.text);
    EXPECT_DOUBLE_EQ(cmd->GetScale(), c.scale);
    EXPECT_EQ(cmd->GetStep(), c.refused ? 0 : 2);
    EXPECT_EQ(cmd->GetCopyCount(), c.refused ? 0 : 2);
    stack.DeleteAll();
  }
}

// The detail placed: the source compound (circle, leader, label) and the
// enlarged compound in a new group of the chosen scale with its origin at
// the centre; a second "A" gets the next free group name.
TEST_F(EnlargedViewTest, PlacesBothSidesInOneStepAndNamesGroupsUniquely) {
  AddCorner();
  CEnlargedViewCmd* cmd = MarkArea({nullptr, nullptr});
  Place();
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(cmd->GetCopyCount(), 0);
  EXPECT_EQ(view.GetUndoCount(), 1);
  std::vector<CBlockEntity*> blocks = Blocks();
  ASSERT_EQ(blocks.size(), 2u);
  CDrawingGroup* group = view.GetGroupTable()->FindGroup("局部放大图 A");
  ASSERT_NE(group, nullptr);
  EXPECT_DOUBLE_EQ(group->GetGroupScale(), 2.0);
  EXPECT_DOUBLE_EQ(group->GetOriginX(), 100.0);
  EXPECT_EQ(blocks[1]->GetEntityGroup(), group);
  EXPECT_EQ(Texts(blocks[0]), std::vector<std::string>{"A"});
  EXPECT_EQ(Texts(blocks[1]), (std::vector<std::string>{"A", "2:1"}));
  // The annotation shows at the system text height although its group
  // enlarges what it holds.
  for (int i = 0; i < blocks[1]->GetMemberCount(); ++i) {
    const CEntity* m = blocks[1]->GetMember(i);
    if (!m->IsText()) continue;
    EXPECT_DOUBLE_EQ(static_cast<const CTextEntity*>(m)->GetShownText().attr.GetHeight(), view.GetSystemReal(1));
  }
  // The corner's pieces inside the circle, twice as long from (300, 300).
  std::vector<Line> lines;
  for (int i = 0; i < blocks[1]->GetMemberCount(); ++i) {
    CEntity* m = blocks[1]->GetMember(i);
    double v[kMaxGeometryValues];
    if (!m->IsLine() || m->GetGeometry(v) != 4) continue;
    EXPECT_EQ(m->GetEntityGroup(), group);
    if (v[1] != 250) lines.push_back({v[0], v[1], v[2], v[3]});  // the rule lies at the annotation point
  }
  ASSERT_EQ(lines.size(), 2u);
  for (const Line& l : lines) EXPECT_NEAR(std::hypot(l[2] - l[0], l[3] - l[1]), 20, 1e-9);
  view.Undo();
  EXPECT_TRUE(Blocks().empty());
  view.Redo();

  MarkArea({nullptr, nullptr});
  Place();
  EXPECT_NE(view.GetGroupTable()->FindGroup("局部放大图 A - 2"), nullptr);
}

// Copies from a group of scale 2 enlarged 2 times: the new group's scale is 4.
TEST_F(EnlargedViewTest, TheGroupScaleMultipliesTheDialogScale) {
  CDrawingGroup* base = view.GetGroupTable()->AddGroup("base", 2.0, 0, 0);
  AddCorner(base);
  MarkArea({"2:1", nullptr});
  Place();
  CDrawingGroup* group = view.GetGroupTable()->FindGroup("局部放大图 A");
  ASSERT_NE(group, nullptr);
  EXPECT_DOUBLE_EQ(group->GetGroupScale(), 4.0);
}

// Without a label only the scale text is written.
TEST_F(EnlargedViewTest, AnEmptyLabelWritesOnlyTheScale) {
  AddCorner();
  MarkArea({"5:1", ""});
  Place();
  std::vector<CBlockEntity*> blocks = Blocks();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(Texts(blocks[1]), std::vector<std::string>{"5:1"});
}

// Ending before the last point frees the copies and leaves the drawing as
// it was: the right button, the command's end, or the stack deleting it.
TEST_F(EnlargedViewTest, EndingBeforeTheLastPointFreesTheCopies) {
  AddCorner();
  for (int how = 0; how < 3; ++how) {
    SCOPED_TRACE(how);
    CEnlargedViewCmd* cmd = MarkArea({nullptr, nullptr});
    Click(90, 130);
    Click(300, 300);
    EXPECT_EQ(cmd->GetCopyCount(), 2);
    if (how == 0) {
      stack.OnRButton(0, drafttest::DevicePoint(0, 0), &view);
      EXPECT_EQ(cmd->GetCopyCount(), 0);
    } else if (how == 1) {
      cmd->End(&view);
      EXPECT_EQ(cmd->GetCopyCount(), 0);
    }
    stack.DeleteAll();
    EXPECT_EQ(view.GetUndoCount(), 0);
    EXPECT_TRUE(Blocks().empty());
  }
}
