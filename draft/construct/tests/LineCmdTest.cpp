#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "draft/construct/LineAltCmd.h"
#include "draft/construct/LineCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"
#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/ModalDriver.h"

namespace {
const double kHalfRoot2 = std::sqrt(0.5);

// A line command of a fixed direction (construction kind 2), as derived
// commands make one.
class CFixedAngleLineCmd : public CLineCmd {
 public:
  CFixedAngleLineCmd(CDraftView* view, double angle) : CLineCmd(9, view) {
    kind_ = 2;
    fixedAngle_ = angle;
  }
};

// The stepping line command with its cursor in sight.
class CSteppingLineProbe : public CLineAltCmd {
 public:
  CSteppingLineProbe() : CLineAltCmd(8) {}
  double CursorX() const { return cursor_.x; }
  double CursorY() const { return cursor_.y; }
};

// The last two texts the view drew (the readouts beside the cursor).
std::pair<CStringA, CStringA> Readouts(const CDraftView& view) {
  std::vector<CStringA> texts;
  for (const ViewDrawOp& op : view.GetDrawLog())
    if (op.kind == ViewDrawKind::kText) texts.push_back(op.text);
  if (texts.size() < 2) return {};
  return {texts[texts.size() - 2], texts.back()};
}
}  // namespace

TEST(LineCmd, TabMakesTheSegmentSymmetricAboutOneOfItsPoints) {
  struct Case {
    int tabs;
    Line line;
  };
  const Case cases[] = {
      {0, {0, 0, 10, 0}},
      {1, {-10, 0, 10, 0}},  // centred on the first point
      {2, {0, 0, 20, 0}},    // centred on the second
      {3, {0, 0, 10, 0}},    // plain again
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tabs);
    CommandBench b;
    b.Push(new CLineCmd(1, &b.view));
    EXPECT_EQ(b.stack.GetPrompt(), "输入直线起点");
    b.Click(0, 0);
    EXPECT_EQ(b.stack.GetPrompt(), "输入直线终点(TAB：改变对称性)");
    for (int i = 0; i < c.tabs; ++i) b.Char(9, 10, 0);
    b.Click(10, 0);
    ExpectLines(b.Lines(), {c.line});
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(b.stack.GetCurrent()->GetStep(), 0);  // each segment stands alone
  }
}

TEST(LineCmd, AChainClosesWithCAndEachSegmentIsOneUndoRecord) {
  CommandBench b;
  auto* cmd = b.Push(new CLineCmd(1, &b.view));
  cmd->SetChainFlag(1);
  b.Click(0, 0);
  b.Click(10, 0);
  b.Char('C', 10, 0);  // two points: nothing to close
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  b.Char(9, 10, 5);
  b.Char(9, 10, 5);
  b.Click(10, 5);  // centred on (10, 5): the chain goes on from (10, 10)
  EXPECT_EQ(b.stack.GetPrompt(), "输入直线终点(TAB：改变对称性， C封闭)");
  b.Char(9, 0, 10);  // the third TAB: plain again
  b.Click(0, 10);
  b.Char('c', 0, 10);
  const std::vector<Line> square = {{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}};
  ExpectLines(b.Lines(), square);
  EXPECT_EQ(b.view.GetUndoCount(), 4);
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(b.stack.GetPrompt(), "输入直线起点");

  // Each segment comes off alone.
  ASSERT_TRUE(b.view.Undo());
  ExpectLines(b.Lines(), {square[0], square[1], square[2]});
  ASSERT_TRUE(b.view.Undo());
  ExpectLines(b.Lines(), {square[0], square[1]});
}

TEST(LineCmd, AConstrainedChainClosesAlongItsFirstAndLastDirections) {
  CommandBench b;
  auto* cmd = b.Push(new CLineAltCmd(2));
  cmd->SetChainFlag(1);
  b.Click(0, 0);
  b.Click(10, 0);
  b.Click(12, 5);
  b.Char('C', 12, 5);
  // From (12, 5) along the first segment's direction to the line through
  // the first point in the last segment's direction, then back home.
  ExpectLines(b.Lines(), {{0, 0, 10, 0}, {10, 0, 12, 5}, {12, 5, 2, 5}, {2, 5, 0, 0}});
  EXPECT_EQ(b.view.GetUndoCount(), 4);
}

TEST(LineCmd, CoincidentPointsMakeNoEntityAndNoRecord) {
  CommandBench b;
  auto* cmd = b.Push(new CLineCmd(1, &b.view));
  b.Click(5, 5);
  b.Click(5, 5);
  EXPECT_TRUE(b.Lines().empty());
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_EQ(cmd->GetStep(), 0);
  // A chain back at its start: C has no closing line to make.
  cmd->SetChainFlag(1);
  for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {10, 10}, {0, 0}}) b.Click(x, y);
  b.Char('C', 0, 0);
  EXPECT_EQ(b.Lines().size(), 3u);
  EXPECT_EQ(b.view.GetUndoCount(), 3);
}

TEST(LineCmd, AnEndSnappedOntoAnEntityStaysOnIt) {
  CommandBench b;
  b.view.SetSnapModes(kSnapAll);
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 0, 50.3, 0));
  b.Push(new CLineCmd(1, &b.view));
  b.Click(0, 20);
  b.Click(50, 1);  // snaps to the end (50.3, 0); the length 54.13 is not whole steps
  ExpectLines(b.Lines(), {{0, 0, 50.3, 0}, {0, 20, 50.3, 0}});
}

// The start snapped onto an entity leaves the view's snap state set; a
// typed end is still taken exactly as typed, not rounded to length steps.
TEST(LineCmd, ATypedEndAfterASnappedStartIsTakenAsTyped) {
  for (bool throughDialog : {false, true}) {
    SCOPED_TRACE(throughDialog ? "coordinate dialog" : "typed text");
    CommandBench b;
    b.view.SetSnapModes(kSnapAll);
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 0, 0, 50));
    b.Push(new CLineCmd(1, &b.view));
    b.Move(1, 1);
    b.Click(1, 1);  // snaps onto the end (0, 0)
    if (throughDialog) {
      platform::ScopedModalDriver driver([](platform::ModalSession& s) {
        EXPECT_TRUE(s.EnterText(1004, CStringA("10.3")));
        EXPECT_TRUE(s.EnterText(1005, CStringA("0.4")));
        EXPECT_TRUE(s.Click(IDOK));
      });
      b.Char('1', 1, 1);
    } else {
      b.stack.OnTypedInput(&b.view, "10.3,0.4");
    }
    ExpectLines(b.Lines(), {{0, 0, 0, 50}, {0, 0, 10.3, 0.4}});
  }
}

TEST(LineCmd, AFixedDirectionEndsWhereItMeetsTheSnappedEntity) {
  CommandBench b;
  b.view.SetSnapModes(kSnapEnd);
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, -10, 10, 30, 30));
  b.Push(new CFixedAngleLineCmd(&b.view, 450));  // straight up
  b.Click(0, 0);
  b.Move(29, 29);  // snaps to (30, 30): the vertical through (0, 0) meets the line at (0, 15)
  EXPECT_EQ(Readouts(b.view), std::make_pair(CStringA("15.000"), CStringA("90.000%%s,d%%")));
  b.Click(29, 29);
  ExpectLines(b.Lines(), {{-10, 10, 30, 30}, {0, 0, 0, 15}});
}

TEST(LineCmd, ATypedLengthAndAngleTakeTheEnd) {
  struct Case {
    int tabs;
    double scale;
    Line line;
  };
  const double d = 20 * kHalfRoot2;
  const Case cases[] = {
      {0, 1.0, {0, 0, d, d}},
      {0, 2.0, {0, 0, 2 * d, 2 * d}},            // the typed length is in the group's units
      {1, 1.0, {-d / 2, -d / 2, d / 2, d / 2}},  // the whole symmetric segment has the typed length
      {2, 1.0, {0, 0, d, d}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tabs << " " << c.scale);
    CommandBench b;
    b.view.GetGroupTable()->SetActiveGroup(b.view.GetGroupTable()->AddGroup("part", c.scale));
    b.Push(new CLineAltCmd(2));
    b.Click(0, 0);
    for (int i = 0; i < c.tabs; ++i) b.Char(9, 10, 10);
    b.Move(10, 10);
    const HINSTANCE before = AfxGetResourceHandle();
    {
      platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
        EXPECT_EQ(CStringA(s.Caption()), "长度输入");
        EXPECT_EQ(CStringA(s.Text(1048)), "2");  // the key typed
        EXPECT_EQ(CStringA(s.Text(1055)), "45");
        EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("Scrivel.DLL"));
        EXPECT_EQ(b.view.ModalDialogFlag(), 1);
        EXPECT_TRUE(s.EnterText(1048, CStringA("20")));
        EXPECT_TRUE(s.Click(IDOK));
      });
      b.Char('2', 10, 10);
    }
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_EQ(b.view.ModalDialogFlag(), 0);
    ExpectLines(b.Lines(), {c.line});
  }
}

// A typed point is relative to the first point while it is the only one;
// further on in a chain, relative to the view's coordinate origin.
TEST(LineCmd, ATypedPointIsRelativeToTheFirstPointOrTheOrigin) {
  struct Case {
    const char* name;
    std::vector<std::pair<double, double>> clicks;
    std::vector<Line> lines;
  };
  const Case cases[] = {
      {"one point taken", {{0, 0}}, {{0, 0, 5, 5}}},
      {"a chain of two points", {{0, 0}, {10, 0}}, {{0, 0, 10, 0}, {10, 0, 105, 55}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CommandBench b;
    b.view.SetOrigin(100, 50);
    b.Push(new CLineCmd(1, &b.view))->SetChainFlag(1);
    for (auto [x, y] : c.clicks) b.Click(x, y);
    platform::ScopedModalDriver driver([](platform::ModalSession& s) {
      EXPECT_EQ(CStringA(s.Caption()), "坐标输入");
      EXPECT_EQ(CStringA(s.Text(1004)), "5");
      EXPECT_TRUE(s.EnterText(1005, CStringA("5")));
      EXPECT_TRUE(s.Click(IDOK));
    });
    b.Char('5', 30, 30);
    ExpectLines(b.Lines(), c.lines);
  }
}

TEST(LineCmd, ACancelledOrFailingDialogTakesNothing) {
  CommandBench b;
  auto* cmd = b.Push(new CLineAltCmd(2));
  b.Click(0, 0);
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& s) { EXPECT_TRUE(s.Click(IDCANCEL)); });
    b.Char('3', 10, 0);
  }
  EXPECT_EQ(cmd->GetStep(), 1);
  const HINSTANCE before = AfxGetResourceHandle();
  {
    platform::ScopedModalDriver driver([](platform::ModalSession&) { throw std::runtime_error("dialog failed"); });
    EXPECT_THROW(b.Char('3', 10, 0), std::runtime_error);
  }
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(b.view.ModalDialogFlag(), 0);
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_TRUE(b.Lines().empty());
  b.Click(0, 7);  // and the command goes on
  ExpectLines(b.Lines(), {{0, 0, 0, 7}});
}

TEST(LineAltCmd, UpAndDownStepThroughTheStandardAnglesAndWrap) {
  CommandBench b;
  auto* cmd = b.Push(new CSteppingLineProbe);
  b.Click(0, 0);
  b.Move(10, 0);
  struct Step {
    UINT key;
    double angle;
  };
  const UINT kUp = 38, kDown = 40;
  for (const Step& s : {Step{kDown, 330}, Step{kUp, 0}, Step{kUp, 30}, Step{kUp, 45}, Step{kDown, 30}, Step{kDown, 0},
                        Step{kDown, 330}, Step{kDown, 315}}) {
    SCOPED_TRACE(s.angle);
    b.Key(s.key);
    const double a = s.angle * M_PI / 180;
    EXPECT_NEAR(cmd->CursorX(), 10 * std::cos(a), 1e-9);
    EXPECT_NEAR(cmd->CursorY(), 10 * std::sin(a), 1e-9);
  }
  // An angle that is not a standard one stays as it is.
  b.Move(-10, 57);
  for (UINT key : {kUp, kDown}) {
    b.Key(key);
    EXPECT_NEAR(cmd->CursorX(), -10, 1e-9);
    EXPECT_NEAR(cmd->CursorY(), 57, 1e-9);
  }
}

TEST(LineAltCmd, LeftAndRightStepTheLengthThroughZeroIntoTheOppositeDirection) {
  const UINT kLeft = 37, kRight = 39;
  struct Case {
    double scale;
    double fromX;
    int tabs;
    UINT key;
    double toX;
  };
  const Case cases[] = {
      {1, 5, 0, kLeft, -10},                                                   // half a step: the direction turns round
      {1, 10, 0, kRight, 20}, {1, 20, 0, kLeft, 10},  {1, 14, 0, kRight, 20},  // to whole steps
      {1, 0, 0, kRight, 10},                                                   // from nothing: one step ahead
      {1, 0, 0, kLeft, -10},  {2, 20, 0, kRight, 40},                          // the step is in the group's units
      {1, 10, 2, kRight, 20},  // the symmetric segment does not run away
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.fromX << " key " << c.key << " scale " << c.scale << " tabs " << c.tabs);
    CommandBench b;
    b.view.SetLengthStep(10);
    b.view.GetGroupTable()->SetActiveGroup(b.view.GetGroupTable()->AddGroup("part", c.scale));
    auto* cmd = b.Push(new CSteppingLineProbe);
    b.Click(0, 0);
    for (int i = 0; i < c.tabs; ++i) b.Char(9, c.fromX, 0);
    b.Move(c.fromX, 0);
    b.Key(c.key);
    EXPECT_NEAR(cmd->CursorX(), c.toX, 1e-9);
    EXPECT_NEAR(cmd->CursorY(), 0, 1e-9);
  }
  // With no point taken the keys only nudge the cursor; Enter takes the
  // point where the keys left it.
  CommandBench b;
  b.view.SetLengthStep(10);
  auto* cmd = b.Push(new CSteppingLineProbe);
  b.Move(100, 100);
  b.Key(kRight);
  EXPECT_NEAR(cmd->CursorX(), 110, 1e-9);
  b.Enter();
  b.Key(kLeft);  // from nothing, one step to the left
  EXPECT_NEAR(cmd->CursorX(), 100, 1e-9);
  b.Key(kRight);  // one step longer, still to the left
  b.Enter();
  ExpectLines(b.Lines(), {{110, 100, 90, 100}});
}
