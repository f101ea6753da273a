// The canvas-size command (a direct resize, the confirmation, the move of
// every object as one undo step with routing switched off meanwhile) and the
// custom-zoom command, in both y directions.
#include <gtest/gtest.h>

#include <vector>

#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "diagram/testsupport/MessageBoxCapture.h"
#include "diagram/testsupport/ModalScripts.h"
#include "diagram/ui/CustomScaleDlg.h"
#include "diagram/ui/DocSizeConfigmDlg.h"
#include "diagram/ui/DocSizeDlg.h"

namespace {

using diagramtest::ModalScript;
using diagramtest::ModalScriptQueue;

// Answers the canvas-size dialog with `across` x `down` and OK.
ModalScript CanvasPages(const char16_t* across, const char16_t* down) {
  return [across, down](platform::ModalSession& s) {
    ASSERT_NE(s.As<CDocSizeDlg>(), nullptr);
    s.EnterText(CDocSizeDlg::kAcrossEdit, CStringW(across));
    s.EnterText(CDocSizeDlg::kDownEdit, CStringW(down));
    s.Click(IDOK);
  };
}

// Answers the confirmation with `button`, checking the size it shows.
ModalScript ConfirmMove(int button, const char16_t* across, const char16_t* down) {
  return [button, across, down](platform::ModalSession& s) {
    ASSERT_NE(s.As<CDocSizeConfigmDlg>(), nullptr);
    EXPECT_EQ(s.Text(CDocSizeConfigmDlg::kAcrossEdit), CStringW(across));
    EXPECT_EQ(s.Text(CDocSizeConfigmDlg::kDownEdit), CStringW(down));
    s.Click(button);
  };
}

class CanvasSizeCommand : public blocktest::BlockDiagram {
 protected:
  // A rectangle of 40 x 40 units with its top-left corner at (x, y).
  CDrawRect* Box(int x, int y) {
    auto* rect = new CDrawRect(CRect(x, y, x + 40, Down(y, 40)), CDrawRect::rectangle);
    EXPECT_TRUE(diagram->Add(rect));
    return rect;
  }
  // Where every object lies (a wire's rectangle is compared normalised: its
  // points are what it keeps).
  std::vector<CRect> Positions() {
    std::vector<CRect> out;
    for (POSITION pos = diagram->GetObjects().GetHeadPosition(); pos;) {
      CRect r = diagram->GetObjects().GetNext(pos)->GetPosition();
      r.NormalizeRect();
      out.push_back(r);
    }
    return out;
  }
  // A point `inset` units inside the right end of the canvas, on the x axis.
  int NearRightEdge(int inset) { return GetDiagramRightEdge() - inset; }
  int GetDiagramRightEdge() {
    CRect canvas = diagram->GetRect();
    canvas.NormalizeRect();
    return canvas.right;
  }
};

TEST_P(CanvasSizeCommand, AShrinkThatStillCoversEveryObjectAsksNothingAndMovesNothing) {
  PlaceBlock(101, CPoint(-100, 0));
  Box(50, 0);
  doc.ClearUndoStack();
  const std::vector<CRect> before = Positions();
  ModalScriptQueue answers({CanvasPages(u"1", u"1")});
  view.OnViewCanvassize();
  EXPECT_TRUE(answers.Done());
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(1, 1));
  EXPECT_EQ(Positions(), before);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
}

TEST_P(CanvasSizeCommand, TheSameSizeOrACancelChangesNothing) {
  Box(0, 0);
  doc.ClearUndoStack();
  for (const ModalScript& answer :
       {CanvasPages(u"2", u"2"), ModalScript([](platform::ModalSession& s) { s.Click(IDCANCEL); })}) {
    ModalScriptQueue answers({answer});
    view.OnViewCanvassize();
    EXPECT_TRUE(answers.Done());
    EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 2));
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  }
}

TEST_P(CanvasSizeCommand, DecliningTheConfirmationLeavesCanvasAndObjectsAsTheyWere) {
  Box(NearRightEdge(60), 0);
  doc.ClearUndoStack();
  const std::vector<CRect> before = Positions();
  ModalScriptQueue answers({CanvasPages(u"1", u"2"), ConfirmMove(IDCANCEL, u"1", u"2")});
  view.OnViewCanvassize();
  EXPECT_TRUE(answers.Done());
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 2));
  EXPECT_EQ(Positions(), before);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
}

TEST_P(CanvasSizeCommand, MovingTheObjectsIsOneStepWithRoutingBackAsItWas) {
  CDrawBlock* a = PlaceBlock(1, CPoint(NearRightEdge(300), 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(NearRightEdge(100), Down(0, 60)));
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  CDrawRect* box = Box(NearRightEdge(200), Down(0, 200));
  diagram->SetAutoRouteModeAndMethod(2, 1);
  ASSERT_EQ(diagram->GetAutoRouteMode(), 2u);
  doc.ClearUndoStack();
  const std::vector<CRect> before = Positions();
  const CRect boxBefore = box->GetPosition();
  const CPoint aBefore = a->GetPosition().TopLeft();

  ModalScriptQueue answers({CanvasPages(u"1", u"2"), ConfirmMove(IDOK, u"1", u"2")});
  view.OnViewCanvassize();
  EXPECT_TRUE(answers.Done());

  EXPECT_EQ(diagram->GetCanvasSize(), CSize(1, 2));
  CRect canvas = diagram->GetRect();
  canvas.NormalizeRect();
  CRect extent = diagram->ComputeDrawingExtent();
  extent.NormalizeRect();
  EXPECT_TRUE(canvas.left <= extent.left && extent.right <= canvas.right) << "the objects lie on the smaller canvas";
  // Everything moved by one shift, toward the origin; the wire still joins
  // the ports.
  const CSize shift = box->GetPosition().TopLeft() - boxBefore.TopLeft();
  EXPECT_LT(shift.cx, 0);
  EXPECT_EQ(shift.cy, 0);
  EXPECT_EQ(a->GetPosition().TopLeft(), aBefore + shift);
  EXPECT_EQ(wire->GetSrcOutPort(), PortOf(a, 0));
  EXPECT_EQ(diagram->GetAutoRouteMode(), 2u);
  EXPECT_EQ(diagram->GetAutoRouteMethod(), 1u);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Move Objects and Set Canvas Size"));
  const std::vector<CRect> after = Positions();

  // One undo gives back both the size and the places (the old size comes
  // back first, so no object is pushed onto the smaller canvas on its way
  // back); a redo makes both changes again.
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 2));
  EXPECT_EQ(Positions(), before);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(1, 2));
  EXPECT_EQ(Positions(), after);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Positions(), before);
  diagram->SetAutoRouteModeAndMethod(0, 0);
}

TEST_P(CanvasSizeCommand, ADrawingWiderThanTheChosenCanvasKeepsThePagesItNeeds) {
  // 1540 units across: two pages, the present size; nothing is asked.
  CDrawRect* left = Box(-800, 0);
  CDrawRect* right = Box(700, 0);
  doc.ClearUndoStack();
  {
    ModalScriptQueue answers({CanvasPages(u"1", u"2")});
    view.OnViewCanvassize();
    EXPECT_TRUE(answers.Done());
  }
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 2));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);

  // 1240 units across, off the centre of three pages: the objects move onto
  // two pages, not one, and the undo gives the three back.
  ASSERT_TRUE(diagram->SetCanvasSize(3, 2));
  left->MoveTo(CRect(-1200, Down(0, 0), -1160, Down(0, 40)), nullptr);
  right->MoveTo(CRect(0, Down(0, 0), 40, Down(0, 40)), nullptr);
  doc.ClearUndoStack();
  const std::vector<CRect> before = Positions();
  {
    ModalScriptQueue answers({CanvasPages(u"1", u"2"), ConfirmMove(IDOK, u"2", u"2")});
    view.OnViewCanvassize();
    EXPECT_TRUE(answers.Done());
  }
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 2));
  CRect canvas = diagram->GetRect();
  canvas.NormalizeRect();
  EXPECT_GE(left->GetPosition().left, canvas.left);
  EXPECT_LE(right->GetPosition().right, canvas.right);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(3, 2));
  EXPECT_EQ(Positions(), before);
}

TEST_P(CanvasSizeCommand, ARefusedRecordingMovesNothing) {
  Box(NearRightEdge(60), 0);
  const std::vector<CRect> before = Positions();
  CDrawDoc::MemoryProbe old = CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  {
    doctest::ScriptedMsgBox no;
    ModalScriptQueue answers({CanvasPages(u"1", u"2"), ConfirmMove(IDOK, u"1", u"2")});
    view.OnViewCanvassize();
  }
  CDrawDoc::SetUndoMemoryProbe(old);
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 2));
  EXPECT_EQ(Positions(), before);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, CanvasSizeCommand, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Upward" : "Downward"; });

// Custom zoom.

class CustomZoomCommand : public blocktest::BlockDiagram {};

TEST_P(CustomZoomCommand, EachChoiceZooms) {
  const struct {
    const char* name;
    int radio;
    const char16_t* percent;  // typed when not null
    int scale;                // 0: the scale of "Zoom All Pages"
  } cases[] = {{"400", 28120, nullptr, 20000},     {"300", 28119, nullptr, 15000}, {"200", 28117, nullptr, 10000},
               {"150", 28116, nullptr, 7500},      {"100", 28115, nullptr, 5000},  {"50", 28121, nullptr, 2500},
               {"25", 28118, nullptr, 1250},       {"all pages", 28127, nullptr, 0},
               {"typed 130", 28130, u"130", 6500}, {"typed 400", 28130, u"400", 20000}};
  view.Scale(CSize(3000, 3000));
  view.OnViewScaleToFit();
  const int allPages = view.GetScaleSize().cx;
  for (const auto& c : cases) {
    view.Scale(CSize(3000, 3000));
    ModalScriptQueue answers({[&c](platform::ModalSession& s) {
      ASSERT_NE(s.As<CCustomScaleDlg>(), nullptr);
      EXPECT_EQ(s.Text(CCustomScaleDlg::kPercentEdit), CStringW(u"60")) << "the present zoom";
      s.Click(c.radio);
      if (c.percent) s.EnterText(CCustomScaleDlg::kPercentEdit, CStringW(c.percent));
      s.Click(IDOK);
    }});
    view.OnViewCustom();
    EXPECT_TRUE(answers.Done()) << c.name;
    const int expected = c.scale != 0 ? c.scale : allPages;
    EXPECT_EQ(view.GetScaleSize(), CSize(expected, expected)) << c.name;
  }
}

TEST_P(CustomZoomCommand, APercentageAbove400IsRefusedAndTheZoomStaysWithin400) {
  diagramtest::MessageBoxCapture boxes;
  ModalScriptQueue answers({[](platform::ModalSession& s) {
    s.EnterText(CCustomScaleDlg::kPercentEdit, CStringW(u"500"));
    s.Click(IDOK);
    EXPECT_TRUE(s.IsRunning()) << "the dialog keeps a percentage above its largest";
    s.EnterText(CCustomScaleDlg::kPercentEdit, CStringW(u"400"));
    s.Click(IDOK);
  }});
  view.OnViewCustom();
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_EQ(view.GetScaleSize(), CSize(20000, 20000));
}

TEST_P(CustomZoomCommand, ZoomLastFromTheDialogGoesBackAndCancelStays) {
  view.Scale(CSize(5000, 5000));
  view.Scale(CSize(15000, 15000));
  {
    ModalScriptQueue answers({[](platform::ModalSession& s) { s.Click(IDCANCEL); }});
    view.OnViewCustom();
  }
  EXPECT_EQ(view.GetScaleSize(), CSize(15000, 15000));
  {
    ModalScriptQueue answers({[](platform::ModalSession& s) { s.Click(CCustomScaleDlg::kZoomLastButton); }});
    view.OnViewCustom();
  }
  EXPECT_NEAR(view.GetScaleSize().cx, 5000, 50);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, CustomZoomCommand, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Upward" : "Downward"; });

}  // namespace
