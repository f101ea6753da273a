#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/FilletCmd.h"
#include "draft/edit/FilletSetDlg.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/testsupport/EntityValues.h"
#include "platform/ui/ModalDriver.h"

namespace {

class FilletTest : public ::testing::Test {
 protected:
  FilletTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {
    WriteProfileIntSetting("FilletSetting", "DisplayAlways", 0);
    WriteProfileStringSetting("FilletSetting", "Radius", "10.000000");
  }
  ~FilletTest() override { SetSettingsBacking(std::move(previous_)); }

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};

// The drawing's entities counted by kind, and its lines.
int CountEntities(CommandBench& b) { return b.view.GetEntityList()->GetCount() + b.view.GetSelectionCount(); }

}  // namespace

TEST_F(FilletTest, TheDialogKeepsTheRadiusAndCancelStopsTheStart) {
  WriteProfileIntSetting("FilletSetting", "DisplayAlways", 1);
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& m) {
      EXPECT_EQ(CStringA(m.Caption()), "倒圆角参数");
      m.EnterText(1007, CStringA("7.5"));
      m.Click(IDOK);
    });
    CommandBench b;
    b.Push(new CFilletCmd(80, 1));
    EXPECT_EQ(b.stack.GetCount(), 1);
    EXPECT_EQ(b.stack.GetPrompt(), "选择第一个图元");
  }
  EXPECT_EQ(GetProfileStringSetting("FilletSetting", "Radius"), "7.500000");
  platform::ScopedModalDriver driver([](platform::ModalSession& m) { m.Click(IDCANCEL); });
  CommandBench b;
  b.Push(new CFilletCmd(80, 1));
  EXPECT_EQ(b.stack.GetCount(), 0);
}

// Trim type 5 shows no dialog and asks the view for a sharp corner.
TEST_F(FilletTest, TypeFiveMakesASharpCornerWithoutTheDialog) {
  WriteProfileIntSetting("FilletSetting", "DisplayAlways", 1);
  int dialogs = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    ++dialogs;
    m.Click(IDCANCEL);
  });
  CommandBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 100, 100, 100));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 150, 80, 150, 300));
  b.Push(new CFilletCmd(80, 5));
  EXPECT_EQ(dialogs, 0);
  b.Move(20, 100);
  b.Click(20, 100);
  b.Move(150, 200);
  b.Click(150, 200);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  ExpectLines(b.Lines(), {{0, 100, 150, 100}, {150, 300, 150, 100}});
}

// Two lines of one carrier with a gap become one line under every trim
// type, also a line a hair off the vertical, with nothing left twice;
// undo brings both back.
TEST_F(FilletTest, CollinearLinesBecomeOneLineUnderEveryTrimType) {
  struct Shape {
    const char* what;
    Line first, second, joined;
  };
  const double k = 6.123233995736766e-17;  // cos 90° in doubles: a vertical line turned twice
  const Shape shapes[] = {
      {"level", {100, 100, 140, 100}, {180, 100, 220, 100}, {100, 100, 220, 100}},
      {"nearly vertical", {300, 100, 300 + 100 * k, 140}, {300 + 180 * k, 180, 300 + 220 * k, 220},
       {300, 100, 300 + 220 * k, 220}},
  };
  for (const Shape& s : shapes) {
    for (int type = 0; type <= 5; ++type) {
      SCOPED_TRACE(testing::Message() << s.what << ", trim type " << type);
      CommandBench b;
      b.view.AddEntityToView(ConstructLineEntity(0, nullptr, s.first[0], s.first[1], s.first[2], s.first[3]));
      b.view.AddEntityToView(ConstructLineEntity(0, nullptr, s.second[0], s.second[1], s.second[2], s.second[3]));
      b.Push(new CFilletCmd(80, type));
      const double x1 = (s.first[0] + s.first[2]) / 2, y1 = (s.first[1] + s.first[3]) / 2;
      const double x2 = (s.second[0] + s.second[2]) / 2, y2 = (s.second[1] + s.second[3]) / 2;
      b.Move(x1, y1);
      b.Click(x1, y1);
      b.Move(x2, y2);
      b.Click(x2, y2);
      EXPECT_EQ(b.view.GetUndoCount(), 1);
      EXPECT_EQ(CountEntities(b), 1);
      ExpectLines(b.Lines(), {s.joined}, 1e-9);
      ASSERT_TRUE(b.view.Undo());
      EXPECT_EQ(CountEntities(b), 2);
    }
  }
}

// A line beside the first one: the first is stretched over its span; the
// second stays, and is in the drawing once.
TEST_F(FilletTest, AParallelLineBesideStretchesTheFirstAndStays) {
  for (int type : {0, 1, 4}) {
    SCOPED_TRACE(type);
    CommandBench b;
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 140, 100));
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 190, 150, 120, 150));
    b.Push(new CFilletCmd(80, type));
    b.Move(110, 100);
    b.Click(110, 100);
    b.Move(150, 150);
    b.Click(150, 150);
    EXPECT_EQ(CountEntities(b), 2);
    ExpectLines(b.Lines(), {{190, 150, 120, 150}, {100, 100, 190, 100}});
  }
}

// Two arcs of one circle join across the gap beside the end of the first
// arc that its pick was nearer to.
TEST_F(FilletTest, TwoArcsOfOneCircleJoin) {
  struct Case {
    double pickAngle;  // on the first arc, 0 to 90 degrees
    double start, end;
  };
  for (const Case& c : {Case{80, 0, 270}, Case{10, 180, 90}}) {
    SCOPED_TRACE(c.pickAngle);
    CommandBench b;
    b.view.AddEntityToView(ConstructArcEntity(0, nullptr, 300, 300, 50, 0, 90));
    b.view.AddEntityToView(ConstructArcEntity(0, nullptr, 300, 300, 50, 180, 270));
    b.Push(new CFilletCmd(80, 1));
    const double a = c.pickAngle * 3.14159265358979323846 / 180;
    b.Move(300 + 50 * std::cos(a), 300 + 50 * std::sin(a));
    b.Click(300 + 50 * std::cos(a), 300 + 50 * std::sin(a));
    b.Move(300 - 50 * std::sqrt(0.5), 300 - 50 * std::sqrt(0.5));
    b.Click(300 - 50 * std::sqrt(0.5), 300 - 50 * std::sqrt(0.5));
    ASSERT_EQ(CountEntities(b), 1);
    const std::vector<double> v = drafttest::Geometry(b.view.GetEntityList()->GetHead());
    ASSERT_EQ(v.size(), 5u);
    EXPECT_NEAR(v[3], c.start, 1e-9);
    EXPECT_NEAR(v[4], c.end, 1e-9);
    ASSERT_TRUE(b.view.Undo());
    EXPECT_EQ(CountEntities(b), 2);
  }
}

// Any other pair is rounded by the view; a refused one comes back.
TEST_F(FilletTest, OtherPairsAreRoundedByTheView) {
  CommandBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 300, 100));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 100, 300));
  b.Push(new CFilletCmd(80, 1));
  b.Move(200, 100);
  b.Click(200, 100);
  b.Move(100, 200);
  b.Click(100, 200);
  ExpectLines(b.Lines(), {{300, 100, 110, 100}, {100, 300, 100, 110}});
  EXPECT_EQ(CountEntities(b), 3);  // and the arc
  WriteProfileStringSetting("FilletSetting", "Radius", "-1");
  b.Move(250, 100);
  b.Click(250, 100);
  b.Move(100, 250);
  b.Click(100, 250);
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(b.boxes[0], "操作不成功！");
  EXPECT_EQ(CountEntities(b), 3);
}

// One click where two lines meet takes both; the arc lies inside the
// corner they make.
TEST_F(FilletTest, OneClickOnACornerRoundsItInside) {
  CommandBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 300, 100));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 100, 300));
  b.Push(new CFilletCmd(80, 1));
  b.Move(100, 100);
  b.Click(100, 100);
  ExpectLines(b.Lines(), {{300, 100, 110, 100}, {100, 300, 100, 110}});
  ASSERT_EQ(CountEntities(b), 3);
  for (CEntity* e : *b.view.GetEntityList()) {
    if (!e->IsArc()) continue;
    const std::vector<double> v = drafttest::Geometry(e);
    EXPECT_NEAR(v[0], 110, 1e-9);
    EXPECT_NEAR(v[1], 110, 1e-9);
  }
}
