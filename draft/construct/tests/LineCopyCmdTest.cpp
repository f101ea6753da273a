#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "draft/construct/ConstructHelpers.h"
#include "draft/construct/LineCopyCmd.h"
#include "draft/construct/LinkFormDlg.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/SectionSymbolEntity.h"
#include "draft/host/Settings.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WinUser.h"

namespace {

// The settings store in memory while a test runs; a base that comes before
// the bench, so the commands the bench deletes write into it.
struct LineCopySettingsInMemory {
  LineCopySettingsInMemory() : previous(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~LineCopySettingsInMemory() { SetSettingsBacking(std::move(previous)); }
  std::unique_ptr<CSettingsBacking> previous;
};

// Answers the number dialog with `value`.
platform::ScopedModalDriver AnswerSpacing(const char* value) {
  return platform::ScopedModalDriver([value](platform::ModalSession& s) {
    s.EnterText(1062, CStringA(value));
    s.Click(IDOK);
  });
}

// Answers the join-form dialog by clicking form `form`'s picture (0: Cancel).
platform::ScopedModalDriver AnswerJoinForm(int form, int* opened) {
  return platform::ScopedModalDriver([form, opened](platform::ModalSession& s) {
    ++*opened;
    EXPECT_EQ(CStringA(s.Caption()), "连线形式");
    s.Click(form == 0 ? IDCANCEL : form == 1 ? CLinkFormDlg::kFormOne : CLinkFormDlg::kFormTwo);
  });
}

class LineCopyTest : public ::testing::Test, protected LineCopySettingsInMemory, public CommandBench {
 protected:
  CLineCopyCmd* Start(int doubleFlag, int lengthMode) {
    WriteProfileIntSetting("LineCopySetting", "DoubleLine", doubleFlag);
    return Push(new CLineCopyCmd(lengthMode ? 101 : 100, 0, lengthMode));
  }
  CEntity* AddLine(int layer, double x1, double y1, double x2, double y2) {
    auto* line = new CLineEntity(layer, nullptr, x1, y1, x2, y2);
    view.AddEntityToView(line);
    return line;
  }
  void ClickAt(double x, double y) {
    Move(x, y);
    Click(x, y);
  }
  // The last "D " readout drawn.
  CStringA LastOffsetText() {
    CStringA text;
    for (const ViewDrawOp& op : view.GetDrawLog())
      if (op.kind == ViewDrawKind::kText && op.text.Left(2) == "D ") text = op.text;
    return text;
  }
  std::vector<double> Radii() {
    std::vector<double> out;
    for (CEntity* e : *view.GetEntityList()) {
      double v[kMaxGeometryValues];
      if (e->IsCircle() && e->GetGeometry(v) == 3) out.push_back(v[2]);
    }
    return out;
  }
  std::vector<CEntity*> Drawn() {
    std::vector<CEntity*> out;
    for (CEntity* e : *view.GetEntityList()) out.push_back(e);
    return out;
  }
  // The lines added after the first `skip` of the drawing.
  std::vector<Line> LinesAfter(size_t skip) {
    std::vector<Line> all = Lines();
    return std::vector<Line>(all.begin() + static_cast<std::ptrdiff_t>(skip), all.end());
  }
};

TEST_F(LineCopyTest, SingleAndDoubleCopiesOfALineOnTheCursorsSide) {
  struct Case {
    int doubleFlag;
    std::vector<Line> copies;
  };
  const Case cases[] = {
      {0, {{100, 105, 110, 105}}},
      {1, {{100, 105, 110, 105}, {100, 95, 110, 95}}},
  };
  for (const Case& c : cases) {
    CommandBench bench;
    bench.view.AddEntityToView(new CLineEntity(0, nullptr, 100, 100, 110, 100));
    WriteProfileIntSetting("LineCopySetting", "DoubleLine", c.doubleFlag);
    bench.Push(new CLineCopyCmd(100, 0, 0));
    bench.Move(105, 100);
    bench.Click(105, 100);
    bench.Move(104, 105);
    CStringA shown;
    for (const ViewDrawOp& op : bench.view.GetDrawLog())
      if (op.kind == ViewDrawKind::kText && op.text.Left(2) == "D ") shown = op.text;
    EXPECT_EQ(shown, "D " + construct::FormatLength(&bench.view, c.doubleFlag ? 10.0 : 5.0));
    bench.Click(104, 105);
    std::vector<Line> all = bench.Lines();
    ASSERT_EQ(all.size(), c.copies.size() + 1) << c.doubleFlag;
    ExpectLines({all.begin() + 1, all.end()}, c.copies);
    EXPECT_EQ(bench.view.GetUndoCount(), 1);
  }
}

TEST_F(LineCopyTest, TabSwitchesAndTheChoiceIsTheNextRunsDefault) {
  AddLine(0, 100, 100, 110, 100);
  CLineCopyCmd* cmd = Start(1, 0);
  Char(9, 105, 100);
  EXPECT_EQ(cmd->GetDoubleFlag(), 0);
  ClickAt(105, 100);
  ClickAt(104, 95);
  ExpectLines(LinesAfter(1), {{100, 95, 110, 95}});
  stack.AbortAll(&view);
  EXPECT_EQ(GetProfileIntSetting("LineCopySetting", "DoubleLine", 1), 0);
}

TEST_F(LineCopyTest, DoubleCopyOfACircleLeavesOutANegativeRadius) {
  struct Case {
    double cursorX;
    std::vector<double> radii;
  };
  for (const Case& c : {Case{212, {10, 12, 8}}, Case{225, {10, 25}}}) {
    CommandBench bench;
    bench.view.AddEntityToView(new CCircleEntity(0, nullptr, 200, 200, 10));
    WriteProfileIntSetting("LineCopySetting", "DoubleLine", 1);
    bench.Push(new CLineCopyCmd(100, 0, 0));
    bench.Move(210, 200);
    bench.Click(210, 200);
    bench.Move(c.cursorX, 200);
    bench.Click(c.cursorX, 200);
    std::vector<double> radii;
    for (CEntity* e : *bench.view.GetEntityList()) {
      double v[kMaxGeometryValues];
      if (e->IsCircle() && e->GetGeometry(v) == 3) radii.push_back(v[2]);
    }
    ASSERT_EQ(radii.size(), c.radii.size()) << c.cursorX;
    for (size_t i = 0; i < radii.size(); ++i) EXPECT_NEAR(radii[i], c.radii[i], 1e-9);
  }
}

TEST_F(LineCopyTest, TypedSpacings) {
  // A circle of radius 10, the cursor outside: 4 gives radius 12.
  view.AddEntityToView(new CCircleEntity(0, nullptr, 200, 200, 10));
  Start(0, 0);
  ClickAt(210, 200);
  Move(230, 200);
  {
    auto driver = AnswerSpacing("4");
    Char('4', 230, 200);
  }
  ASSERT_EQ(Radii().size(), 2u);
  EXPECT_NEAR(Radii()[1], 12, 1e-9);
  // A double copy of a line with a typed 6: 3 on each side.
  stack.AbortAll(&view);
  AddLine(0, 0, 300, 20, 300);
  Start(1, 0);
  ClickAt(10, 300);
  Move(10, 290);
  {
    auto driver = AnswerSpacing("6");
    Char('6', 10, 290);
  }
  ExpectLines(LinesAfter(1), {{0, 297, 20, 297}, {0, 303, 20, 303}});
}

// Length mode: a picked line along y = y0 from x 0 to 200 and double copies
// made from x 10 on, each starting where the last ended.
class LineCopyJoinTest : public LineCopyTest {
 protected:
  void SetUp() override { Begin(100); }
  void Begin(double y) {
    y0 = y;
    base = AddLine(2, 0, y0, 200, y0);
    cmd = Start(1, 1);
    ClickAt(10, y0);
  }
  // A copy to x at the offset dy.
  void CopyTo(double x, double dy) { ClickAt(x, y0 + dy); }
  // Finishes the run, answering the form dialog; the join lines made.
  std::vector<Line> Finish(int form) {
    const size_t before = Lines().size();
    int opened = 0;
    {
      auto driver = AnswerJoinForm(form, &opened);
      stack.OnRButton(0, At(100, y0 + 50), &view);
    }
    EXPECT_EQ(opened, 1);
    return LinesAfter(before);
  }
  double y0 = 100;
  CEntity* base = nullptr;
  CLineCopyCmd* cmd = nullptr;
};

TEST_F(LineCopyJoinTest, FormOneTheWiderPairClosesTheStep) {
  struct Case {
    double y0, secondOffset;
    Line step;
    Line endCap;
  };
  const Case cases[] = {
      {100, 3, {50, 105, 50, 95}, {80, 103, 80, 97}},  // width 6 after 10: the first pair's end cap
      {300, 7, {50, 307, 50, 293}, {80, 307, 80, 293}},  // width 14: the second pair's start cap
  };
  for (const Case& c : cases) {
    if (c.y0 != y0) {
      stack.AbortAll(&view);
      Begin(c.y0);
    }
    CopyTo(50, 5);
    CopyTo(80, c.secondOffset);
    EXPECT_EQ(cmd->GetRecordCount(), 2);
    const int undo = view.GetUndoCount();
    ExpectLines(Finish(1), {{10, y0 + 5, 10, y0 - 5}, c.step, c.endCap});
    EXPECT_EQ(view.GetUndoCount(), undo + 1);
    EXPECT_EQ(cmd->GetRecordCount(), 0);
  }
}

TEST_F(LineCopyJoinTest, FormTwoDrawsStepLinesOnEachSide) {
  CopyTo(50, 5);
  CopyTo(80, 3);
  ExpectLines(Finish(2), {{10, 105, 10, 95}, {50, 103, 50, 105}, {50, 97, 50, 95}, {80, 103, 80, 97}});
}

TEST_F(LineCopyJoinTest, CancelJoinsNothing) {
  CopyTo(50, 5);
  const int undo = view.GetUndoCount();
  EXPECT_TRUE(Finish(0).empty());
  EXPECT_EQ(view.GetUndoCount(), undo);
  EXPECT_EQ(cmd->GetRecordCount(), 0);
}

TEST_F(LineCopyJoinTest, ARecordWithBothCopiesDeletedEndsTheChain) {
  CopyTo(50, 5);
  CopyTo(80, 3);
  CopyTo(120, 4);
  // The second pair's two copies leave the drawing.
  const std::vector<CEntity*> copies = Drawn();
  ASSERT_EQ(copies.size(), 7u);
  view.RemoveEntity(copies[3]);
  view.RemoveEntity(copies[4]);
  ExpectLines(Finish(1), {{10, 105, 10, 95}, {50, 105, 50, 95}, {80, 104, 80, 96}, {120, 104, 120, 96}});
}

TEST_F(LineCopyJoinTest, OneCopyLeftJoinsAsABandToThePickedLine) {
  CopyTo(50, 5);
  const std::vector<CEntity*> copies = Drawn();
  view.RemoveEntity(copies[2]);  // the copy below
  ExpectLines(Finish(1), {{10, 105, 10, 100}, {50, 105, 50, 100}});
}

TEST_F(LineCopyJoinTest, TabStillSwitchesAfterACopyAndTheJoinTakesTheFlagOfTheEnd) {
  EXPECT_EQ(CStringA(cmd->GetPrompt()), "输入位置和长度(TAB：单/双切换)");
  CopyTo(50, 5);
  EXPECT_EQ(CStringA(cmd->GetPrompt()), "输入位置和长度");
  Char(9, 60, 104);
  EXPECT_EQ(cmd->GetDoubleFlag(), 0);
  CopyTo(80, 3);  // a single copy: a band
  ExpectLines(LinesAfter(3), {{50, 103, 80, 103}});
  ExpectLines(Finish(1), {{10, 105, 10, 95}, {50, 105, 50, 95}, {80, 103, 80, 100}});
}

TEST_F(LineCopyTest, TwoLinesAtThePickNeedExactlyOneBaseLine) {
  // Layer 2 draws centre lines: those are base lines.
  struct Case {
    int firstLayer, secondLayer;
    bool taken;
  };
  double x0 = -200;
  for (const Case& c : {Case{0, 0, false}, Case{2, 2, false}, Case{0, 2, true}}) {
    // Each case on a place of its own.
    x0 += 200;
    stack.AbortAll(&view);
    boxes.clear();
    AddLine(c.firstLayer, x0, 100, x0 + 100, 100);
    CEntity* vertical = AddLine(c.secondLayer, x0 + 50, 50, x0 + 50, 150);
    CLineCopyCmd* cmd = Start(1, 1);
    ClickAt(x0 + 51, 100);
    EXPECT_EQ(boxes.size(), c.taken ? 0u : 1u);
    if (!c.taken) {
      EXPECT_EQ(boxes[0], "确定拷贝基线");
      EXPECT_EQ(cmd->GetCopiedEntity(), nullptr);
      EXPECT_EQ(cmd->GetStep(), 0);
      continue;
    }
    EXPECT_EQ(cmd->GetCopiedEntity(), vertical);
    // The copy runs from the crossing (50, 100) to the cursor's foot.
    const size_t before = Lines().size();
    ClickAt(x0 + 53, 130);
    ExpectLines(LinesAfter(before), {{x0 + 53, 100, x0 + 53, 130}, {x0 + 47, 100, x0 + 47, 130}});
  }
}

TEST_F(LineCopyJoinTest, TypedSpacingThenTypedLength) {
  Move(30, 104);
  {
    auto driver = AnswerSpacing("6");
    Char('6', 30, 104);
  }
  EXPECT_EQ(CStringA(cmd->GetPrompt()), "输入长度(TAB：单/双切换)");
  {
    auto driver = AnswerSpacing("25");
    Char('2', 40, 104);
  }
  // 6 wide about the picked line, 25 long from the pick.
  ExpectLines(LinesAfter(1), {{10, 103, 35, 103}, {10, 97, 35, 97}});
}

TEST_F(LineCopyTest, MembersOfKeptWholeCompoundsAreNotPicked) {
  view.AddEntityToView(ConstructSectionSymbolEntity(0, nullptr, std::vector<double>{0, 200, 100, 200}.data(), 2));
  CBlockEntity* block = ConstructBlockEntity(0, nullptr);
  auto* member = new CLineEntity(0, nullptr, 0, 300, 100, 300);
  block->AddMember(member);
  view.AddEntityToView(block);
  CLineCopyCmd* cmd = Start(0, 0);
  ClickAt(50, 200);
  EXPECT_EQ(cmd->GetCopiedEntity(), nullptr);
  EXPECT_EQ(cmd->GetStep(), 0);
  ClickAt(50, 300);
  EXPECT_EQ(cmd->GetCopiedEntity(), member);
}

TEST_F(LineCopyTest, ASlantedDirectionLineCarriesTheEndsInAnAxonometricView) {
  view.AxonometricMode() = 1;
  AddLine(0, 0, 100, 100, 100);
  CEntity* direction = AddLine(0, 150, 0, 250, 100);  // at 45 degrees
  CLineCopyCmd* cmd = Start(0, 0);
  ClickAt(50, 100);
  EXPECT_EQ(CStringA(cmd->GetPrompt()), "选择方向线");
  ClickAt(200, 50);
  EXPECT_EQ(cmd->GetDirectionLine(), direction);
  EXPECT_NEAR(cmd->GetDirectionAngle(), 45, 1e-9);
  ClickAt(50, 110);
  ExpectLines(LinesAfter(2), {{10, 110, 110, 110}});
  // The right button instead of a direction line: offsets along the normal.
  stack.AbortAll(&view);
  AddLine(0, 0, 400, 100, 400);
  cmd = Start(0, 0);
  ClickAt(50, 400);
  stack.OnRButton(0, At(50, 400), &view);
  ClickAt(50, 410);
  ExpectLines(LinesAfter(4), {{0, 410, 100, 410}});
}

TEST(LinkFormDialog, ShowsBothPicturesAndTakesTheClickedForm) {
  struct Case {
    int click;
    int form;
  };
  for (const Case& c : {Case{IDOK, 1}, Case{CLinkFormDlg::kFormTwo, 2}, Case{CLinkFormDlg::kFormOne, 1}}) {
    CModalDialogScope scope(nullptr);
    CLinkFormDlg dlg(nullptr);
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      for (int id : {CLinkFormDlg::kFormOne, CLinkFormDlg::kFormTwo})
        EXPECT_NE(::SendMessageW(::GetDlgItem(s.Handle(), id), BM_GETIMAGE, IMAGE_BITMAP, 0), 0) << id;
      EXPECT_EQ(::SendMessageW(::GetDlgItem(s.Handle(), CLinkFormDlg::kFormOne), BM_GETCHECK, 0, 0), BST_CHECKED);
      s.Click(c.click);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetForm(), c.form);
  }
}

}  // namespace
