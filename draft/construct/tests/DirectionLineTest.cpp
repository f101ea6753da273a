#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "draft/construct/SymLineCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "platform/ui/ModalDriver.h"

namespace {

constexpr double kDegree = tressil::kPi / 180;

// The number dialog answered with `value` (or Cancel for a null value);
// its caption and first text are kept for the test.
struct NumberAnswer {
  const char* value;
  CStringA caption, shown;
};

platform::ScopedModalDriver AnswerNumber(NumberAnswer& answer) {
  return platform::ScopedModalDriver([&answer](platform::ModalSession& s) {
    answer.caption = CStringA(s.Caption());
    answer.shown = CStringA(s.Text(1062));
    if (!answer.value) {
      s.Click(IDCANCEL);
      return;
    }
    s.EnterText(1062, CStringA(answer.value));
    s.Click(IDOK);
  });
}

class DirectionLineTest : public ::testing::Test {
 protected:
  DirectionLineTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~DirectionLineTest() override { SetSettingsBacking(std::move(previous_)); }
  std::unique_ptr<CSettingsBacking> previous_;
};

// The reference line through the origin at `angle` degrees, 40 long from
// (100, 100) on, and its middle for the pick.
GPoint AddReferenceLine(CommandBench& b, double angle) {
  const GPoint a{100, 100}, e{100 + 40 * std::cos(angle * kDegree), 100 + 40 * std::sin(angle * kDegree)};
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, a.x, a.y, e.x, e.y));
  return {(a.x + e.x) / 2, (a.y + e.y) / 2};
}

// Lines made after the reference line.
std::vector<Line> MadeLines(CommandBench& b) {
  std::vector<Line> lines = b.Lines();
  lines.erase(lines.begin());
  return lines;
}

}  // namespace

// The included angle is added to the reference line's direction, brought
// into 0..360, and offered again next time; the end typed as a length.
TEST_F(DirectionLineTest, IncludedAngleAddsToTheReferenceDirectionAndIsRemembered) {
  struct Case {
    double reference, typed, direction;
  };
  const Case cases[] = {{30, 45, 75}, {300, 90, 30}, {30, -60, 330}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reference);
    CommandBench b;
    const GPoint middle = AddReferenceLine(b, c.reference);
    auto* cmd = b.Push(new CSymLineCmd(1));
    b.Click(300, 300);
    EXPECT_EQ(b.stack.GetPrompt(), "选择参考直线");
    char typed[32];
    std::snprintf(typed, sizeof typed, "%g", c.typed);
    NumberAnswer angle{typed, "", ""};
    {
      auto driver = AnswerNumber(angle);
      b.Click(std::round(middle.x), std::round(middle.y));
    }
    EXPECT_EQ(angle.caption, "输入夹角");
    EXPECT_NEAR(cmd->GetWorkingAngle(), c.direction, 1e-9);
    EXPECT_EQ(b.stack.GetPrompt(), "输入直线终点(TAB：改变对称性)");
    NumberAnswer length{"20", "", ""};
    {
      auto driver = AnswerNumber(length);
      b.Char('2', 320, 300);
    }
    EXPECT_EQ(length.caption, "输入长度");
    const double d = c.direction * kDegree;
    ExpectLines(MadeLines(b), {{300, 300, 300 + 20 * std::cos(d), 300 + 20 * std::sin(d)}});
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(cmd->GetStep(), 0);
    CStringA stored;
    stored.Format("%f", c.typed);
    EXPECT_EQ(GetProfileStringSetting("Draw", "Line", ""), stored);

    // The next line offers the angle again; Cancel keeps the reference
    // line's own direction.
    b.Click(300, 200);
    NumberAnswer cancel{nullptr, "", ""};
    {
      auto driver = AnswerNumber(cancel);
      b.Click(std::round(middle.x), std::round(middle.y));
    }
    EXPECT_EQ(cancel.shown, stored);
    EXPECT_NEAR(cmd->GetWorkingAngle(), c.reference, 1e-9);
  }
}

// Without a line under the pick the command waits for another pick; an
// end click on the start is dropped.
TEST_F(DirectionLineTest, APickOfNothingAndAnEndOnTheStartAreDropped) {
  CommandBench b;
  const GPoint middle = AddReferenceLine(b, 0);
  auto* cmd = b.Push(new CSymLineCmd(1));
  b.Click(300, 300);
  b.Click(500, 500);
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_EQ(b.stack.GetPrompt(), "选择参考直线");
  NumberAnswer angle{"90", "", ""};
  {
    auto driver = AnswerNumber(angle);
    b.Click(middle.x, middle.y);
  }
  b.Click(300, 300);
  EXPECT_EQ(cmd->GetStep(), 2);
  EXPECT_TRUE(MadeLines(b).empty());
  b.Click(310, 330);  // carried onto the vertical through the start
  ExpectLines(MadeLines(b), {{300, 300, 300, 330}});
}

// With the TAB counter at 1 or 2 a typed length gives the midpoint as the
// click, so that the symmetric segment has the typed length in total.
TEST_F(DirectionLineTest, ATypedLengthIsTheWholeSymmetricSegment) {
  struct Case {
    int tabs;
    Line line;
  };
  const Case cases[] = {{0, {300, 300, 300, 320}}, {1, {300, 290, 300, 310}}, {2, {300, 300, 300, 320}}};
  for (bool byDirection : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << (byDirection ? "direction " : "included angle ") << c.tabs);
      CommandBench b;
      if (byDirection) {
        b.Push(new CLineDirCmd(2));
        b.Click(300, 200);
        b.Click(300, 250);  // straight up
        b.Click(303, 300);  // the start, carried onto the line
      } else {
        const GPoint middle = AddReferenceLine(b, 0);
        b.Push(new CSymLineCmd(1));
        b.Click(300, 300);
        NumberAnswer angle{"90", "", ""};
        auto driver = AnswerNumber(angle);
        b.Click(middle.x, middle.y);
      }
      for (int i = 0; i < c.tabs; ++i) b.Char(9, 300, 330);
      NumberAnswer length{"20", "", ""};
      {
        auto driver = AnswerNumber(length);
        b.Char('2', 300, 330);
      }
      ExpectLines(byDirection ? b.Lines() : MadeLines(b), {c.line});
      EXPECT_EQ(b.view.GetUndoCount(), 1);
    }
  }
}

// A typed direction goes to whole angle steps while the cursor is stepped
// (an arrow key sets the snap state); as typed otherwise.
TEST_F(DirectionLineTest, ATypedDirectionTakesTheAngleStepWhenStepping) {
  for (bool stepping : {false, true}) {
    SCOPED_TRACE(stepping);
    CommandBench b;
    b.view.SetAngleStep(15);
    auto* cmd = b.Push(new CLineDirCmd(2));
    EXPECT_EQ(b.stack.GetPrompt(), "输入确定直线方向的第一点");
    b.Click(100, 100);
    EXPECT_EQ(b.stack.GetPrompt(), "输入确定直线方向的第二点(输入直线角度)");
    b.Move(150, 110);
    if (stepping) b.Key(38);  // Up: one angle step about the first point
    NumberAnswer angle{"33", "", ""};
    {
      auto driver = AnswerNumber(angle);
      b.Char('3', 150, 110);
    }
    EXPECT_EQ(angle.caption, "输入倾角");
    const double expected = stepping ? 30 : 33;
    EXPECT_NEAR(cmd->GetWorkingAngle(), expected, 1e-9);
    EXPECT_EQ(b.stack.GetPrompt(), "输入直线起点");

    // The start 10 from the first point, the end 20 beyond it.
    NumberAnswer start{"10", "", ""};
    {
      auto driver = AnswerNumber(start);
      b.Char('1', 150, 110);
    }
    EXPECT_EQ(b.stack.GetPrompt(), "输入直线终点");
    b.Char('C', 150, 110);  // three points, but no chain to close
    EXPECT_TRUE(b.Lines().empty());
    NumberAnswer length{"20", "", ""};
    {
      auto driver = AnswerNumber(length);
      b.Char('2', 150, 110);
    }
    const double a = expected * kDegree;
    ExpectLines(b.Lines(), {{100 + 10 * std::cos(a), 100 + 10 * std::sin(a), 100 + 30 * std::cos(a),
                             100 + 30 * std::sin(a)}},
                1e-9);
    EXPECT_EQ(b.stack.GetPrompt(), "输入确定直线方向的第一点");  // the next line asks for its direction
  }
}
