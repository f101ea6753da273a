#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "draft/edit/RotateCmd.h"
#include "draft/edit/RoundArrayCmd.h"
#include "draft/edit/RoundArraySetDlg.h"
#include "draft/edit/ScaleCmd.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/framework/CmdStack.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "draft/testsupport/EntityValues.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/ModalDriver.h"

namespace {

constexpr double kPi = tressil::kPi;

using drafttest::Geometry;

void ExpectNear(const std::vector<double>& a, const std::vector<double>& b, double tolerance = 1e-6) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], b[i], tolerance) << "value " << i;
}

GPoint AroundOrigin(double r, double degrees) { return {r * std::cos(degrees * kPi / 180), r * std::sin(degrees * kPi / 180)}; }

// Adds the line from (10, 0) to (20, 0) to the view and selects it.
CLineEntity* AddSelectedLine(CDraftView& view) {
  auto* l = new CLineEntity(0, nullptr, 10, 0, 20, 0);
  view.AddEntityToView(l);
  CEntityList list;
  list.AddTail(l);
  view.SelectEntities(list);
  return l;
}

// A drawing with one line from (10, 0) to (20, 0), selected before the
// command starts, and the message boxes answered from a queue (the default
// answer when it is empty).
class EditTest : public EditCmdFixture {
 protected:
  EditTest() { line = AddSelectedLine(view); }
  void Type(double x, double y) {
    char text[96];
    std::snprintf(text, sizeof text, "%.12f,%.12f", x, y);
    stack.OnTypedInput(&view, text);
  }
  void RButton() { stack.OnRButton(0, CPoint(0, 600), &view); }
  std::vector<std::vector<double>> Lines() {
    std::vector<std::vector<double>> out;
    for (CEntity* e : *view.GetEntityList()) out.push_back(Geometry(e));
    return out;
  }

  CDraftView view;
  CCmdStack stack;
  CLineEntity* line;
};

}  // namespace

TEST_F(EditTest, RotationRoundsThePointerToAngleStepsButNotATypedAngle) {
  struct Case {
    double pointer;  // degrees from the base line; NaN: typed 22.4
    double turn;
  };
  const Case cases[] = {{22.4, 15}, {22.5 + 1e-9, 30}, {-22.4, 345}, {NAN, 22.4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pointer);
    CDraftView v;
    CCmdStack s;
    CLineEntity* l = AddSelectedLine(v);
    answers = {IDNO};
    s.Push(&v, new CRotateCmd(60));
    EXPECT_EQ(s.GetPrompt(), "输入旋转基点");
    v.SetAngleStep(15.0);
    s.OnTypedInput(&v, "0,0");
    s.OnTypedInput(&v, "0,10");  // the base line points up
    EXPECT_EQ(s.GetPrompt(), "输入旋转角度");
    if (std::isnan(c.pointer)) {
      platform::ScopedModalDriver driver([](platform::ModalSession& m) {
        EXPECT_EQ(CStringA(m.Caption()), "输入转角");
        m.EnterText(1062, CStringA("22.4"));
        m.Click(IDOK);
      });
      s.OnChar(CPoint(0, 0), '2', 1, 0, &v);
    } else {
      const GPoint q = AroundOrigin(50, 90 + c.pointer);
      char text[96];
      std::snprintf(text, sizeof text, "%.12f,%.12f", q.x, q.y);
      s.OnTypedInput(&v, text);
    }
    ASSERT_EQ(v.GetEntityList()->GetCount(), 1);
    const GPoint a = AroundOrigin(10, c.turn), b = AroundOrigin(20, c.turn);
    ExpectNear(Geometry(v.GetEntityList()->GetHead()), {a.x, a.y, b.x, b.y});
    EXPECT_FALSE(v.IsInDrawing(l));  // "No": the source goes
    ASSERT_EQ(v.GetUndoCount(), 1);
    EXPECT_EQ(v.GetLastUndoRecord()->GetOldEntities().size(), 1u);
  }
}

TEST_F(EditTest, RotateKeepsTheSourceOnYesAndTakesAHorizontalBaseLineFromTheRightButton) {
  answers = {IDYES};
  stack.Push(&view, new CRotateCmd(60));
  Type(0, 0);
  RButton();  // the base line runs along +x
  EXPECT_EQ(stack.GetPrompt(), "输入旋转角度");
  Type(0, 30);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "保留原图？");
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  ExpectNear(lines[0], {10, 0, 20, 0});
  ExpectNear(lines[1], {0, 10, 0, 20});
  EXPECT_TRUE(view.GetLastUndoRecord()->GetOldEntities().empty());
  EXPECT_EQ(view.GetSelectionCount(), 0);
  // The right button at the first step of processing ends the command.
  ASSERT_NE(stack.GetCurrent(), nullptr);
  RButton();
  EXPECT_EQ(stack.GetCurrent(), nullptr);
}

TEST_F(EditTest, ScaleByPointerDistanceOrTypedFactorAndRefusesTheBasePoint) {
  for (int typed : {0, 1}) {
    SCOPED_TRACE(typed);
    CDraftView v;
    CCmdStack s;
    AddSelectedLine(v);
    answers = {IDNO};
    s.Push(&v, new CScaleCmd(61));
    EXPECT_EQ(s.GetPrompt(), "输入比例变换基点");
    s.OnTypedInput(&v, "0,0");
    EXPECT_EQ(s.GetPrompt(), "输入比例");
    s.OnMouseMove(0, CPoint(30, 560), &v);  // (30, 40): 50 from the base
    EXPECT_EQ(CStringA(s.GetStatusText()), "比例: 2.5:1");
    s.OnTypedInput(&v, "0,0");  // on the base point: refused
    EXPECT_EQ(v.GetUndoCount(), 0);
    EXPECT_EQ(s.GetPrompt(), "输入比例");
    if (typed) {
      platform::ScopedModalDriver driver([](platform::ModalSession& m) {
        m.EnterText(1062, CStringA("2.5"));
        m.Click(IDOK);
      });
      s.OnChar(CPoint(0, 0), '2', 1, 0, &v);
    } else {
      s.OnTypedInput(&v, "30,40");
    }
    ASSERT_EQ(v.GetUndoCount(), 1);
    ASSERT_EQ(v.GetEntityList()->GetCount(), 1);
    ExpectNear(Geometry(v.GetEntityList()->GetHead()), {25, 0, 50, 0});
  }
}

// A typed turn of nothing, or a typed factor of 1 or 0, takes no point: the
// command waits for another and nothing changes.
TEST_F(EditTest, ATypedTurnOfNothingOrAFactorOfOneOrZeroIsIgnored) {
  struct Case {
    bool scale;
    const char* typed;
  };
  const Case cases[] = {{false, "0"}, {false, "360"}, {true, "1"}, {true, "0"}, {true, "0.0000001"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.scale ? "scale " : "rotate ") << c.typed);
    CDraftView v;
    CCmdStack s;
    AddSelectedLine(v);
    answers = {IDNO};
    if (c.scale)
      s.Push(&v, new CScaleCmd(61));
    else
      s.Push(&v, new CRotateCmd(60));
    s.OnTypedInput(&v, "0,0");
    if (!c.scale) s.OnTypedInput(&v, "10,0");
    CCmdBase* cmd = s.GetCurrent();
    ASSERT_NE(cmd, nullptr);
    const int step = cmd->GetStep();
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      m.EnterText(1062, CStringA(c.typed));
      m.Click(IDOK);
    });
    s.OnChar(CPoint(0, 0), '1', 1, 0, &v);
    EXPECT_EQ(s.GetCurrent(), cmd);
    EXPECT_EQ(cmd->GetStep(), step);
    EXPECT_EQ(v.GetUndoCount(), 0);
    EXPECT_EQ(v.GetSelectionCount(), 1);
    EXPECT_TRUE(boxes.empty());
    s.DeleteAll();
  }
}

namespace {
// Answers the array's dialog: count, order, ask and rotate flags.
platform::ScopedModalDriver ArrayDialog(const char* count, int order, bool ask, bool rotate,
                                        CStringA* shownAngle = nullptr) {
  return platform::ScopedModalDriver([=](platform::ModalSession& m) {
    EXPECT_EQ(CStringA(m.Caption()), "周分布参数");
    m.EnterText(1047, CStringA(count));
    if (shownAngle) *shownAngle = CStringA(m.Text(1071));
    m.Choose(1073, order);
    if ((m.CheckState(1066) == BST_CHECKED) != ask) m.Click(1066);
    if ((m.CheckState(1068) == BST_CHECKED) != rotate) m.Click(1068);
    m.Click(IDOK);
  });
}
}  // namespace

TEST_F(EditTest, CircularArrayPlacesCopiesEverySixtyDegreesBothWays) {
  struct Case {
    int order;
    bool rotate;
    const char* unitFactor;
    const char* shown;
  };
  const Case cases[] = {
      {0, true, "1.0", "60.000000"},
      {1, true, "1.0", "60.000000"},
      {0, false, "1.0", "60.000000"},
      {1, true, "0.9", "66.666667"},  // the angle unit: shown 60 / 0.9, used as 60 degrees
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.order);
    SCOPED_TRACE(c.unitFactor);
    CDraftView v;
    CCmdStack s;
    WriteProfileStringSetting("UnitSetting", "AngUnitUnit", c.unitFactor);
    AddSelectedLine(v);
    CStringA shown;
    {
      auto driver = ArrayDialog("6", c.order, false, c.rotate, &shown);
      s.Push(&v, new CRoundArrayCmd(62));
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(s.GetPrompt(), "输入周分布中心");
    s.OnTypedInput(&v, "0,0");
    if (!c.rotate) {
      EXPECT_EQ(s.GetPrompt(), "输入图元的基准点");
      s.OnTypedInput(&v, "10,0");
    }
    std::vector<std::vector<double>> lines;
    for (CEntity* e : *v.GetEntityList()) lines.push_back(Geometry(e));
    ASSERT_EQ(lines.size(), 6u);
    ExpectNear(lines[0], {10, 0, 20, 0});
    for (int i = 1; i < 6; ++i) {
      const double a = (c.order ? -60.0 : 60.0) * i;
      const GPoint p = AroundOrigin(10, a), q = AroundOrigin(20, a);
      // Turned copies turn; moved copies keep their direction.
      ExpectNear(lines[static_cast<size_t>(i)],
                 c.rotate ? std::vector<double>{p.x, p.y, q.x, q.y} : std::vector<double>{p.x, p.y, p.x + 10, p.y});
    }
    ASSERT_EQ(v.GetUndoCount(), 1);
    EXPECT_EQ(v.GetLastUndoRecord()->GetNewEntities().size(), 5u);
    ASSERT_TRUE(v.Undo());
    EXPECT_EQ(v.GetEntityList()->GetCount(), 1);
  }
}

TEST_F(EditTest, CircularArrayAutomaticAngleFollowsTheCount) {
  for (auto [count, shown] : {std::pair{"8", "45.000000"}, std::pair{"1", "60.000000"}}) {
    platform::ScopedModalDriver driver([&, count = count, shown = shown](platform::ModalSession& m) {
      m.EnterText(1047, CStringA(count));
      EXPECT_EQ(CStringA(m.Text(1071)), shown);
      m.Click(IDCANCEL);
    });
    CModalDialogScope scope(nullptr);
    CRoundArraySetDlg dlg(nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  }
}

TEST_F(EditTest, CircularArrayAsksForEachCopyUntilCancel) {
  {
    auto driver = ArrayDialog("5", 0, true, true);
    stack.Push(&view, new CRoundArrayCmd(62));
  }
  answers = {IDNO, IDCANCEL};  // the first copy dropped, the second kept and no more questions
  Type(0, 0);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], "需要这一项( 第 1 项 )吗？");
  EXPECT_EQ(boxes[1], "需要这一项( 第 2 项 )吗？");
  std::vector<std::vector<double>> lines = Lines();
  ASSERT_EQ(lines.size(), 4u);
  for (size_t i = 1; i < 4; ++i) {
    const double a = 72.0 * static_cast<double>(i + 1);  // five places: 72 degrees apart
    ExpectNear(lines[i], {AroundOrigin(10, a).x, AroundOrigin(10, a).y, AroundOrigin(20, a).x, AroundOrigin(20, a).y});
  }
  EXPECT_EQ(view.GetUndoCount(), 1);
  // The dropped copy was drawn and erased again.
  int drawn = 0, erased = 0;
  for (const ViewDrawOp& op : view.GetDrawLog()) {
    drawn += op.kind == ViewDrawKind::kEntityTemp;
    erased += op.kind == ViewDrawKind::kEntityErase;
  }
  EXPECT_EQ(drawn, 2);
  EXPECT_EQ(erased, 1);
}

TEST_F(EditTest, AUserBreakKeepsTheCopiesMadeInOneRecord) {
  {
    auto driver = ArrayDialog("6", 0, true, true);
    stack.Push(&view, new CRoundArrayCmd(62));
  }
  // The user presses Escape while the first question is up.
  platform::ScopedMessageBoxHandler escape([this](const platform::MessageBoxRequest& r) {
    boxes.push_back(CStringA(r.text));
    PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
    return IDYES;
  });
  Type(0, 0);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 2);
  ASSERT_EQ(view.GetUndoCount(), 1);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);
}

TEST_F(EditTest, CircularArrayRefusesABasePointOnTheCentre) {
  {
    auto driver = ArrayDialog("6", 0, false, false);
    stack.Push(&view, new CRoundArrayCmd(62));
  }
  Type(5, 5);
  Type(5, 5);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "错误：基准点与分布中心重合！\n请重新输入图元的基准点。");
  EXPECT_EQ(stack.GetPrompt(), "输入图元的基准点");
  EXPECT_EQ(view.GetUndoCount(), 0);
  Type(15, 5);
  EXPECT_EQ(view.GetUndoCount(), 1);
}

TEST_F(EditTest, TheRightButtonEndsRotateAtItsFirstAndThirdStep) {
  for (int points : {0, 2}) {
    SCOPED_TRACE(points);
    CDraftView v;
    CCmdStack s;
    AddSelectedLine(v);
    s.Push(&v, new CRotateCmd(60));
    if (points) {
      s.OnTypedInput(&v, "0,0");
      s.OnTypedInput(&v, "5,5");
      EXPECT_EQ(s.GetPrompt(), "输入旋转角度");
    }
    s.OnRButton(0, CPoint(0, 600), &v);
    EXPECT_EQ(s.GetCurrent(), nullptr);
    EXPECT_EQ(v.GetSelectionCount(), 0);
    EXPECT_EQ(v.GetUndoCount(), 0);
  }
}
