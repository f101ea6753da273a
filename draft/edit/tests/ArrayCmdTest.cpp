#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "draft/edit/ArrayCmd.h"
#include "draft/edit/ArraySetDlg.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/framework/CmdStack.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/ModalDriver.h"

namespace {

struct Offset {
  double dx, dy;
};

// The settings typed into the array dialog.
struct Settings {
  const char* columns;
  const char* rows;
  int mode;
  const char* columnSpacing = "100";
  const char* rowSpacing = "100";
  const char* xAngle = "0";
  const char* yAngle = "90";
};

platform::ScopedModalDriver AnswerArrayDialog(const Settings& s) {
  return platform::ScopedModalDriver([s](platform::ModalSession& m) {
    EXPECT_EQ(CStringA(m.Caption()), "阵列参数");
    m.Choose(CArraySetDlg::kModeCombo, s.mode);
    m.EnterText(CArraySetDlg::kColumnCountEdit, CStringA(s.columns));
    m.EnterText(CArraySetDlg::kRowCountEdit, CStringA(s.rows));
    m.EnterText(CArraySetDlg::kColumnSpacingEdit, CStringA(s.columnSpacing));
    m.EnterText(CArraySetDlg::kRowSpacingEdit, CStringA(s.rowSpacing));
    m.EnterText(CArraySetDlg::kXAngleEdit, CStringA(s.xAngle));
    m.EnterText(CArraySetDlg::kYAngleEdit, CStringA(s.yAngle));
    m.Click(IDOK);
  });
}

// A line that asks for a user break (an Escape waiting) when it is copied
// for the second time.
class BreakingLine : public CLineEntity {
 public:
  using CLineEntity::CLineEntity;
  CEntity* Clone(int flag) const override {
    if (++clones_ == 2) PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
    return CLineEntity::Clone(flag);
  }

 private:
  mutable int clones_ = 0;
};

// A drawing with the source line from (10, 0) to (20, 0), selected before
// the array starts; the copies are read back as the offsets of their first
// points from the source's.
struct Drawing {
  explicit Drawing(double groupScale = 0.0, bool breaking = false) {
    CDrawingGroup* group = groupScale > 0 ? view.GetGroupTable()->AddGroup("G", groupScale) : nullptr;
    source = breaking ? new BreakingLine(0, group, 10, 0, 20, 0) : new CLineEntity(0, group, 10, 0, 20, 0);
    view.AddEntityToView(source);
    CEntityList list;
    list.AddTail(source);
    view.SelectEntities(list);
  }
  // A direction line that is not selected.
  CEntity* AddLine(double x1, double y1, double x2, double y2) {
    auto* l = new CLineEntity(0, nullptr, x1, y1, x2, y2);
    view.AddEntityToView(l);
    return l;
  }
  void Start(const Settings& s) {
    auto driver = AnswerArrayDialog(s);
    stack.Push(&view, new CArrayCmd(70, &view, 0, 0));
  }
  void Click(double x, double y) {
    char text[96];
    std::snprintf(text, sizeof text, "%.12f,%.12f", x, y);
    stack.OnTypedInput(&view, text);
  }
  void RButton() { stack.OnRButton(0, CPoint(0, 600), &view); }
  // The offsets of the copies of the source (every line 10 long but the
  // source), in drawing order.
  std::vector<Offset> Copies() {
    std::vector<Offset> out;
    for (CEntity* e : *view.GetEntityList()) {
      double v[kMaxGeometryValues];
      if (e == source || !e->IsLine() || e->GetGeometry(v) != 4) continue;
      if (std::fabs(std::hypot(v[2] - v[0], v[3] - v[1]) - 10.0) > 1e-9) continue;
      out.push_back({v[0] - 10.0, v[1]});
    }
    return out;
  }

  CDraftView view;
  CCmdStack stack;
  CLineEntity* source = nullptr;
};

void ExpectOffsets(const std::vector<Offset>& actual, const std::vector<Offset>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i].dx, expected[i].dx, 1e-6) << "copy " << i;
    EXPECT_NEAR(actual[i].dy, expected[i].dy, 1e-6) << "copy " << i;
  }
}

using ArrayTest = EditCmdFixture;

}  // namespace

TEST_F(ArrayTest, GridsFromTheDialogAloneInOneUndoStep) {
  struct Case {
    const char* name;
    Settings settings;
    double groupScale;  // 0: no group
    std::vector<Offset> copies;
  };
  const double c30 = std::cos(M_PI / 6), s30 = 0.5;
  const Case cases[] = {
      {"defaults", {"2", "2", 0}, 0, {{100, 0}, {0, 100}, {100, 100}}},
      {"one column, three rows", {"1", "3", 0}, 0, {{0, 100}, {0, 200}}},
      {"group scale 2", {"2", "2", 0}, 2, {{200, 0}, {0, 200}, {200, 200}}},
      {"typed angles: columns along 30, rows along 120",
       {"2", "2", 1, "10", "20", "30", "120"},
       0,
       {{10 * c30, 10 * s30}, {-20 * s30, 20 * c30}, {10 * c30 - 20 * s30, 10 * s30 + 20 * c30}}},
      {"angles ignored in mode 0", {"3", "1", 0, "50", "100", "45", "45"}, 0, {{50, 0}, {100, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Drawing d(c.groupScale);
    d.Start(c.settings);
    EXPECT_EQ(d.stack.GetCurrent(), nullptr);  // built at once, the command ended
    ExpectOffsets(d.Copies(), c.copies);
    EXPECT_EQ(d.view.GetSelectionCount(), 0);
    ASSERT_EQ(d.view.GetUndoCount(), 1);
    EXPECT_EQ(d.view.GetLastUndoRecord()->GetNewEntities().size(), c.copies.size());
    ASSERT_TRUE(d.view.Undo());
    EXPECT_EQ(d.view.GetEntityList()->GetCount(), 1);
  }
}

TEST_F(ArrayTest, OneCellOrACancelledDialogMakesNothing) {
  for (bool cancel : {false, true}) {
    SCOPED_TRACE(cancel);
    Drawing d;
    {
      auto driver = cancel ? platform::ScopedModalDriver([](platform::ModalSession& m) { m.Click(IDCANCEL); })
                           : AnswerArrayDialog({"1", "1", 0});
      d.stack.Push(&d.view, new CArrayCmd(70, &d.view, 0, 0));
    }
    EXPECT_EQ(d.stack.GetCurrent(), nullptr);
    EXPECT_EQ(d.view.GetEntityList()->GetCount() + d.view.GetSelectionCount(), 1);
    EXPECT_EQ(d.view.GetUndoCount(), 0);
  }
}

TEST_F(ArrayTest, TheDialogKeepsItsSettingsAndEnablesWhatTheModeUses) {
  WriteProfileStringSetting("UnitSetting", "AngUnitUnit", "0.9");
  WriteProfileIntSetting(CArraySetDlg::kSection, "ArrayDir", 3);
  WriteProfileIntSetting(CArraySetDlg::kSection, "Xnum", 1);
  WriteProfileStringSetting(CArraySetDlg::kSection, "Yang", "100.0");
  platform::ScopedModalDriver driver([](platform::ModalSession& m) {
    EXPECT_EQ(CStringA(m.Text(CArraySetDlg::kColumnCountEdit)), "1");
    EXPECT_FALSE(m.IsEnabled(CArraySetDlg::kColumnSpacingEdit));  // one column, and mode 3
    EXPECT_FALSE(m.IsEnabled(CArraySetDlg::kRowSpacingEdit));     // mode 3
    EXPECT_FALSE(m.IsEnabled(CArraySetDlg::kXAngleEdit));
    m.Choose(CArraySetDlg::kModeCombo, 1);
    EXPECT_FALSE(m.IsEnabled(CArraySetDlg::kXAngleEdit));  // one column
    EXPECT_TRUE(m.IsEnabled(CArraySetDlg::kYAngleEdit));
    EXPECT_TRUE(m.IsEnabled(CArraySetDlg::kRowSpacingEdit));
    m.EnterText(CArraySetDlg::kColumnCountEdit, CStringA("4"));
    EXPECT_TRUE(m.IsEnabled(CArraySetDlg::kXAngleEdit));
    EXPECT_TRUE(m.IsEnabled(CArraySetDlg::kColumnSpacingEdit));
    m.EnterText(CArraySetDlg::kColumnCountEdit, CStringA("501"));  // beyond 500: refused, the dialog stays
    m.Click(IDOK);
    m.EnterText(CArraySetDlg::kColumnCountEdit, CStringA("4"));
    m.Click(IDOK);
  });
  CModalDialogScope scope(nullptr);
  CArraySetDlg dlg(nullptr);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetColumnCount(), 4);
  EXPECT_EQ(dlg.GetMode(), 1);
  EXPECT_NEAR(dlg.GetYAngleResult(), 90.0, 1e-9);  // 100 in the angle unit
  EXPECT_EQ(GetProfileIntSetting(CArraySetDlg::kSection, "Xnum", 0), 4);
  EXPECT_EQ(GetProfileStringSetting(CArraySetDlg::kSection, "Xdis", ""), "100.000000");
}

// Modes 2 and 3: direction lines picked after the dialog. The X line runs
// from (0, -50) to (200, -50), the Y line from (0, -50) to (0, 50).
TEST_F(ArrayTest, DirectionLinesGiveTheDirectionsAndInModeThreeTheSpacings) {
  struct Case {
    const char* name;
    Settings settings;
    bool secondLine;
    double firstPickX;  // on the X line, or for one column on the Y line (y)
    std::vector<Offset> copies;
  };
  const Case cases[] = {
      {"mode 3, 5 x 2: 200 / 4 and 100 / 1", {"5", "2", 3}, true, 20,
       {{50, 0}, {100, 0}, {150, 0}, {200, 0}, {0, 100}, {50, 100}, {100, 100}, {150, 100}, {200, 100}}},
      {"mode 2 keeps the typed spacings", {"2", "2", 2, "30", "40"}, true, 20, {{30, 0}, {0, 40}, {30, 40}}},
      {"mode 3, one column: the Y line gives the row spacing", {"1", "3", 3}, false, -40, {{0, 50}, {0, 100}}},
      {"mode 3, one row: the X line gives the column spacing", {"3", "1", 3}, false, 20, {{100, 0}, {200, 0}}},
      {"picked near the far end: the direction runs back", {"3", "1", 2, "25"}, false, 190, {{-25, 0}, {-50, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Drawing d;
    d.AddLine(0, -50, 200, -50);
    d.AddLine(0, -50, 0, 50);
    d.Start(c.settings);
    ASSERT_NE(d.stack.GetCurrent(), nullptr);
    const bool oneColumn = std::string(c.settings.columns) == "1";
    EXPECT_EQ(d.stack.GetPrompt(), oneColumn ? "选择一直线作为Y方向" : "选择一直线作为X方向");
    if (oneColumn)
      d.Click(0, c.firstPickX);
    else
      d.Click(c.firstPickX, -50);
    if (c.secondLine) {
      EXPECT_EQ(d.view.GetUndoCount(), 0);  // waits for the Y line
      EXPECT_EQ(d.stack.GetPrompt(), c.settings.mode == 2 ? "选择一直线作为 Y 方向(按右键为垂直方向)"
                                                          : "选择一直线作为 Y 方向");
      d.Click(0, 30);
    }
    ExpectOffsets(d.Copies(), c.copies);
    EXPECT_EQ(d.view.GetUndoCount(), 1);
    // Back to selecting, the selection gone; the highlights taken off.
    ASSERT_NE(d.stack.GetCurrent(), nullptr);
    EXPECT_EQ(d.view.GetSelectionCount(), 0);
    int shown = 0;
    for (const ViewDrawOp& op : d.view.GetDrawLog())
      shown += (op.kind == ViewDrawKind::kEntityTemp) - (op.kind == ViewDrawKind::kEntityErase);
    EXPECT_EQ(shown, 0);
  }
}

TEST_F(ArrayTest, ASecondLineParallelToTheFirstOrMissingItIsNotTaken) {
  Drawing d;
  d.AddLine(0, -50, 200, -50);
  d.AddLine(0, -80, 200, -80);   // parallel to the first
  d.AddLine(300, -100, 300, 0);  // crosses the first line's carrier only
  d.AddLine(0, -50, 0, 50);
  d.Start({"2", "2", 2, "30", "40"});
  d.Click(20, -50);
  d.Click(20, -80);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "两个方向不能平行！");
  d.Click(300, -20);
  EXPECT_EQ(boxes.size(), 1u);  // dropped without a word
  EXPECT_EQ(d.view.GetUndoCount(), 0);
  d.Click(0, 30);
  ExpectOffsets(d.Copies(), {{30, 0}, {0, 40}, {30, 40}});
}

// The right button after the first line: the Y direction turns 90 degrees
// from it and the command ends. The line runs from (0, -50) to (0, 150),
// picked near its lower end, so X points up and Y to the left.
TEST_F(ArrayTest, TheRightButtonTakesThePerpendicularYDirection) {
  struct Case {
    const char* name;
    Settings settings;
    std::vector<Offset> copies;
  };
  const Case cases[] = {
      {"mode 2: the typed spacings", {"2", "2", 2, "30", "40"}, {{0, 30}, {-40, 0}, {-40, 30}}},
      {"mode 3: the line's length over the columns", {"3", "2", 3}, {{0, 100}, {0, 200}, {-100, 0}, {-100, 100}, {-100, 200}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Drawing d;
    d.AddLine(0, -50, 0, 150);
    d.Start(c.settings);
    d.Click(0, -40);
    EXPECT_EQ(d.view.GetUndoCount(), 0);
    d.RButton();
    EXPECT_EQ(d.stack.GetCurrent(), nullptr);
    ExpectOffsets(d.Copies(), c.copies);
    ASSERT_EQ(d.view.GetUndoCount(), 1);
    EXPECT_EQ(d.view.GetSelectionCount(), 0);
  }
}

TEST_F(ArrayTest, TheRightButtonBeforeAnyLineEndsWithoutCopies) {
  Drawing d;
  d.AddLine(0, -50, 0, 150);
  d.Start({"2", "2", 2});
  d.RButton();
  EXPECT_EQ(d.stack.GetCurrent(), nullptr);
  EXPECT_TRUE(d.Copies().empty());
  EXPECT_EQ(d.view.GetUndoCount(), 0);
  EXPECT_EQ(d.view.GetSelectionCount(), 0);
}

TEST_F(ArrayTest, AUserBreakKeepsTheCopiesMadeInOneRecord) {
  Drawing d(0.0, true);  // the source asks for a break on its second copy
  d.Start({"3", "3", 0});
  EXPECT_EQ(d.Copies().size(), 2u);  // the break is seen before the third copy
  ASSERT_EQ(d.view.GetUndoCount(), 1);
  EXPECT_EQ(d.view.GetLastUndoRecord()->GetNewEntities().size(), 2u);
  ASSERT_TRUE(d.view.Undo());
  EXPECT_EQ(d.view.GetEntityList()->GetCount(), 1);
}
