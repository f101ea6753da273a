// Pick and edit: a requirement block starts the requirements command on
// top (the editor confirmed: it runs over pick-and-edit; cancelled: nothing
// runs); every kind with an editor is replaced by its edited copy in one
// undo step (cancelled or unchanged: nothing recorded); a kind without one
// reports it.
#include <gtest/gtest.h>

#include <memory>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/PickEditCmd.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DimensionEntity.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EntityValueDlg.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/PointEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextInputDlg.h"
#include "draft/host/TwoPointEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextBlockEntity.h"
#include "draft/tables/DimValueDlg.h"
#include "draft/tables/TecReqCmd.h"
#include "draft/tables/TecReqDlg.h"
#include "draft/testsupport/EntityValues.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/Exceptions.h"
#include "platform/ui/ModalDriver.h"

namespace {

class PickEditCmdTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>()); }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }
  CTextBlockEntity* AddBlock() {
    CStringArrayA items;
    items.Add("一\r\n");
    CTextBlockEntity* block =
        ConstructTextBlockEntity(0, nullptr, 100, 500, "T", items, CTextAttrib(), CTextAttrib(), 7, 5, 3);
    UpdateTextBlock(block);
    b.view.AddEntityToView(block);
    return block;
  }

  CSystemDataScratch scratch_;
  std::unique_ptr<CSettingsBacking> previous_;
  drafttest::MessageBoxAnswers answers_{IDNO};
  CommandBench b;
};

TEST_F(PickEditCmdTest, ARequirementBlockStartsTheRequirementsCommandOnTop) {
  AddBlock();
  auto* cmd = b.Push(new CPickEditCmd(309));
  ASSERT_EQ(b.stack.GetCurrent(), cmd);
  for (int button : {IDCANCEL, IDOK}) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (s.As<CTecReqDlg>()) s.Click(button);
    });
    b.Click(101, 494);  // on the block's title
    EXPECT_EQ(cmd->IsPicked(), 1);
    EXPECT_EQ(b.view.GetSelectionCount(), 0);
    auto* top = dynamic_cast<CTecReqCmd*>(b.stack.GetCurrent());
    if (button == IDCANCEL) {
      EXPECT_EQ(b.stack.GetCurrent(), cmd);
      continue;
    }
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->GetId(), 61551);
    EXPECT_NE(top->GetExistingBlock(), nullptr);
    // Abandoned: the block is back, and pick-and-edit runs again.
    b.stack.OnRButton(0, CommandBench::At(300, 300), &b.view);
    EXPECT_EQ(b.stack.GetCurrent(), cmd);
  }
}

TEST_F(PickEditCmdTest, AnEntityWithoutAnEditorIsReported) {
  CTwoPointEntity* wave = ConstructTwoPointEntity(0, nullptr, 2, 4);
  wave->SetEndPoints(100, 100, 300, 100, 1);
  b.view.AddEntityToView(wave);
  auto* cmd = b.Push(new CPickEditCmd(309));
  EXPECT_THROW(b.Click(200, 100), CNotSupportedException);
  EXPECT_EQ(cmd->IsPicked(), 1);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
}

// One kind in the value dialog: the entity, a point on it, the value typed
// (edit number, text) and the geometry the edited copy has.
struct ValueEditCase {
  const char* name;
  CEntity* (*make)();
  double pickX, pickY;
  int value;
  const char* typed;
  std::vector<double> edited;
};

const ValueEditCase kValueEdits[] = {
    {"line", [] { return static_cast<CEntity*>(ConstructLineEntity(4, nullptr, 100, 100, 300, 100)); }, 200, 100,
     3, "150", {100, 100, 300, 150}},
    {"circle", [] { return static_cast<CEntity*>(ConstructCircleEntity(4, nullptr, 200, 200, 50)); }, 250, 200, 2,
     "30", {200, 200, 30}},
    {"arc", [] { return static_cast<CEntity*>(ConstructArcEntity(4, nullptr, 200, 200, 50, 0, 90)); }, 250, 200, 4,
     "180", {200, 200, 50, 0, 180}},
    {"point", [] { return static_cast<CEntity*>(ConstructPointEntity(4, nullptr, 200, 200, 0, 2)); }, 200, 200, 0,
     "210.5", {210.5, 200}},
    {"ellipse",
     [] { return static_cast<CEntity*>(ConstructEllipseEntity(4, nullptr, 200, 200, 80, 40, 0, 0, 360)); }, 280,
     200, 3, "20", {200, 200, 80, 20, 0, 0, 360}},
};

TEST_F(PickEditCmdTest, EachKindIsReplacedByItsEditedCopyInOneStepAndNothingElseRecords) {
  for (const ValueEditCase& c : kValueEdits) {
    SCOPED_TRACE(c.name);
    CommandBench bench;
    CEntity* original = c.make();
    bench.view.AddEntityToView(original);
    const std::vector<double> before = drafttest::Geometry(original);
    auto* cmd = bench.Push(new CPickEditCmd(309));
    // Cancelled, then OK without a change: nothing is recorded.
    for (int button : {IDCANCEL, IDOK}) {
      platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
        ASSERT_NE(s.As<CEntityValueDlg>(), nullptr);
        s.Click(button);
      });
      bench.Click(c.pickX, c.pickY);
      EXPECT_EQ(bench.view.GetUndoCount(), 0);
      EXPECT_TRUE(bench.view.IsInDrawing(original));
    }
    {
      platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
        s.EnterText(CEntityValueDlg::kFirstValueEdit + c.value, CStringA(c.typed));
        s.Click(IDOK);
      });
      bench.Click(c.pickX, c.pickY);
    }
    EXPECT_EQ(cmd->IsPicked(), 1);
    ASSERT_EQ(bench.view.GetUndoCount(), 1);
    EXPECT_FALSE(bench.view.IsInDrawing(original));
    ASSERT_EQ(bench.view.GetEntityList()->GetCount(), 1);
    CEntity* copy = bench.view.GetEntityList()->GetHead();
    EXPECT_EQ(copy->GetKind(), original->GetKind());
    EXPECT_EQ(copy->GetEntityLayer(), 4);
    EXPECT_EQ(drafttest::Geometry(copy), c.edited);
    EXPECT_EQ(bench.view.GetSelectionCount(), 0);
    ASSERT_TRUE(bench.view.Undo());
    EXPECT_TRUE(bench.view.IsInDrawing(original));
    EXPECT_FALSE(bench.view.IsInDrawing(copy));
    EXPECT_EQ(drafttest::Geometry(original), before);
  }
}

TEST_F(PickEditCmdTest, TheValueDialogNamesLayerAndGroupAndShowsGroupUnits) {
  CDrawingGroup* group = b.view.GetGroupTable()->AddGroup("详图", 2.0);
  b.view.GetLayerTable()->GetLayerRecord(3)->SetName("虚线");
  // Drawn at scale 2 about the origin: radius 20 shows as 40.
  b.view.AddEntityToView(ConstructCircleEntity(3, group, 200, 200, 40));
  b.Push(new CPickEditCmd(309));
  CStringA layer, groupName, radius;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    layer = CStringA(s.Text(CEntityValueDlg::kLayerText));
    groupName = CStringA(s.Text(CEntityValueDlg::kGroupText));
    radius = CStringA(s.Text(CEntityValueDlg::kFirstValueEdit + 2));
    s.EnterText(CEntityValueDlg::kFirstValueEdit + 2, CStringA("25"));
    s.Click(IDOK);
  });
  b.Click(240, 200);
  EXPECT_EQ(layer, "图层 3 虚线");
  EXPECT_EQ(groupName, "图组 详图");
  EXPECT_EQ(radius, "20");
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  CEntity* copy = b.view.GetEntityList()->GetHead();
  EXPECT_EQ(copy->GetEntityGroup(), group);
  EXPECT_EQ(copy->GetEntityLayer(), 3);
  EXPECT_EQ(drafttest::Geometry(copy), (std::vector<double>{200, 200, 50}));
}

TEST_F(PickEditCmdTest, AValueTheKindCannotTakeIsRefusedAndTheDialogStaysOpen) {
  // An arc: its radius (value 2) and its end angle (value 4).
  CArcEntity* arc = ConstructArcEntity(0, nullptr, 200, 200, 50, 0, 90);
  b.view.AddEntityToView(arc);
  b.Push(new CPickEditCmd(309));
  const struct {
    int value;
    const char* typed;
  } refused[] = {{2, "0"}, {2, "-5"}, {2, "abc"}, {2, "1e13"}, {0, "-1e13"}, {4, "361"}, {4, "-1e12"}};
  int shown = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    ++shown;
    for (const auto& r : refused) {
      const CStringW before = s.Text(CEntityValueDlg::kFirstValueEdit + r.value);
      s.EnterText(CEntityValueDlg::kFirstValueEdit + r.value, CStringA(r.typed));
      s.Click(IDOK);
      EXPECT_TRUE(s.IsRunning()) << r.typed;
      s.EnterText(CEntityValueDlg::kFirstValueEdit + r.value, before);
    }
    s.Click(IDCANCEL);
  });
  b.Click(250, 200);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(b.boxes.size(), std::size(refused));
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_TRUE(b.view.IsInDrawing(arc));
}

TEST_F(PickEditCmdTest, ABlockMemberKeepsItsOwnerAndPlace) {
  CBlockEntity* block = new CBlockEntity(0, nullptr);
  CEntity* first = ConstructLineEntity(0, nullptr, 100, 100, 300, 100);
  block->AddMember(first);
  block->AddMember(ConstructLineEntity(0, nullptr, 100, 300, 300, 300));
  b.view.AddEntityToView(block);
  b.Push(new CPickEditCmd(309));
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    s.EnterText(CEntityValueDlg::kFirstValueEdit + 0, CStringA("120"));
    s.Click(IDOK);
  });
  b.Click(200, 100);
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  ASSERT_EQ(block->GetMemberCount(), 2);
  CEntity* copy = block->GetMember(0);
  EXPECT_NE(copy, first);
  EXPECT_EQ(copy->GetEntityOwner(), block);
  EXPECT_EQ(drafttest::Geometry(copy), (std::vector<double>{120, 100, 300, 100}));
  ASSERT_TRUE(b.view.Undo());
  EXPECT_EQ(block->GetMember(0), first);
  ASSERT_TRUE(b.view.Redo());
  EXPECT_EQ(block->GetMember(0), copy);
}

TEST_F(PickEditCmdTest, ATextIsEditedInTheTextDialog) {
  CTextAttrib attr;
  attr.SetHeight(10);
  CTextEntity* text = ConstructTextEntity(5, nullptr, "旧", 100, 100, attr);
  b.view.AddEntityToView(text);
  b.Push(new CPickEditCmd(309));
  for (const char* typed : {"", "旧", "新文字"}) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      ASSERT_NE(s.As<CTextInputDlg>(), nullptr);
      EXPECT_EQ(CStringA(s.Caption()), "修改文本");
      if (*typed) s.EnterText(CTextInputDlg::kTextEdit, CStringA(typed));
      s.Click(*typed ? IDOK : IDCANCEL);
    });
    b.Click(103, 103);
  }
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
  auto* edited = static_cast<CTextEntity*>(b.view.GetEntityList()->GetHead());
  EXPECT_EQ(edited->GetText(), "新文字");
  EXPECT_EQ(edited->GetEntityLayer(), 5);
  ASSERT_TRUE(b.view.Undo());
  EXPECT_TRUE(b.view.IsInDrawing(text));
}

TEST_F(PickEditCmdTest, ADimensionPickedByItsLineEditsItsValueAsAWhole) {
  CDimensionEntity* dim = ConstructDimensionEntity(1, nullptr);
  dim->AddMember(ConstructLineEntity(1, nullptr, 50, 95, 150, 95));
  CTextAttrib attr;
  attr.SetHeight(5);
  dim->AddMember(ConstructTextEntity(1, nullptr, "50", 100, 100, attr));
  dim->Strings(CDimensionEntity::kValue) = {"50"};
  dim->Strings(CDimensionEntity::kPrefix) = {""};
  dim->Strings(CDimensionEntity::kBasicSize) = {"50"};
  dim->Strings(CDimensionEntity::kCode) = {""};
  dim->Strings(CDimensionEntity::kLower) = {""};
  dim->Strings(CDimensionEntity::kUpper) = {""};
  dim->SetTextStyle(1, 1, 0);
  b.view.AddEntityToView(dim);
  b.Push(new CPickEditCmd(309));
  // Cancelled, OK unchanged, then a code typed.
  for (int round = 0; round < 3; ++round) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      ASSERT_NE(s.As<CDimValueDlg>(), nullptr);
      if (round == 2) s.EnterText(CDimValueDlg::kCodeEdit, CStringA("H7"));
      s.Click(round == 0 ? IDCANCEL : IDOK);
    });
    b.Click(120, 95);
    EXPECT_EQ(b.view.GetUndoCount(), round == 2 ? 1 : 0);
  }
  ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
  CEntity* replaced = b.view.GetEntityList()->GetHead();
  ASSERT_TRUE(replaced->IsDimension());
  ASSERT_NE(replaced, dim);
  auto* edited = static_cast<CDimensionEntity*>(replaced);
  EXPECT_EQ(edited->Strings(CDimensionEntity::kValue)[0], "50H7(+0.025/0)");
  EXPECT_EQ(edited->GetEntityLayer(), 1);
  ASSERT_EQ(edited->GetMemberCount(), 2);
  EXPECT_EQ(static_cast<CTextEntity*>(edited->GetMember(1))->GetText(), "50H7(+0.025/0)");
  ASSERT_TRUE(b.view.Undo());
  EXPECT_TRUE(b.view.IsInDrawing(dim));
  EXPECT_EQ(static_cast<CTextEntity*>(dim->GetMember(1))->GetText(), "50");
}

TEST_F(PickEditCmdTest, ADimensionWhoseValuesLackItsTextEditsTheTextInTheTextDialog) {
  CDimensionEntity* dim = ConstructDimensionEntity(1, nullptr);
  dim->AddMember(ConstructLineEntity(1, nullptr, 50, 95, 150, 95));
  CTextAttrib attr;
  attr.SetHeight(5);
  dim->AddMember(ConstructTextEntity(1, nullptr, "50", 100, 100, attr));
  dim->Strings(CDimensionEntity::kValue) = {"60"};
  b.view.AddEntityToView(dim);
  b.Push(new CPickEditCmd(309));
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    ASSERT_NE(s.As<CTextInputDlg>(), nullptr);
    s.EnterText(CTextInputDlg::kTextEdit, CStringA("55"));
    s.Click(IDOK);
  });
  b.Click(102, 102);
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  CEntity* replaced = b.view.GetEntityList()->GetHead();
  ASSERT_TRUE(replaced->IsDimension());
  auto* edited = static_cast<CDimensionEntity*>(replaced);
  ASSERT_EQ(edited->GetMemberCount(), 2);
  EXPECT_EQ(static_cast<CTextEntity*>(edited->GetMember(1))->GetText(), "55");
  EXPECT_EQ(edited->GetMember(1)->GetEntityOwner(), edited);
  EXPECT_EQ(static_cast<CTextEntity*>(dim->GetMember(1))->GetText(), "50");
}

}  // namespace
