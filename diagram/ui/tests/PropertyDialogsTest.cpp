// The shape page and the grid, line-weight, zoom, canvas-size and block
// dialogs, each run through the modal driver as a user would.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "diagram/res/MessageStrings.h"
#include "diagram/testsupport/MessageBoxCapture.h"
#include "diagram/testsupport/ModalScripts.h"
#include "diagram/ui/BlockDlg.h"
#include "diagram/ui/CustomScaleDlg.h"
#include "diagram/ui/DocSizeConfigmDlg.h"
#include "diagram/ui/DocSizeDlg.h"
#include "diagram/ui/GridSizeDlg.h"
#include "diagram/ui/LineWeightDlg.h"
#include "diagram/ui/RectDlg.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/core/MessageBox.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/WindowDC.h"

namespace {

using Script = diagramtest::ModalScript;
using ScriptQueue = diagramtest::ModalScriptQueue;

// Counts (and closes) the range messages that data exchange shows.
struct MessageCount {
  diagramtest::MessageBoxCapture boxes;
  int Shown() const { return boxes.Count(); }
};

class PropertyDialogs : public ::testing::Test {
 protected:
  void SetUp() override { LinkDiagramLibrary(); }
};

// Shows `page` alone in a sheet with `scripts` answering it and its colour
// dialogs.
INT_PTR RunPage(CRectDlg& page, std::deque<Script> scripts) {
  ScriptQueue queue(std::move(scripts));
  CPropertySheet sheet(u"Properties");
  sheet.AddPage(&page);
  const INT_PTR result = sheet.DoModal();
  EXPECT_TRUE(queue.Done());
  return result;
}

CStringW Number(int n) {
  CStringW text;
  text.Format(u"%d", n);
  return text;
}

Script AnswerColor(COLORREF color) {
  return [color](platform::ModalSession& s) {
    ASSERT_NE(s.As<CColorDialog>(), nullptr);
    s.EnterText(COLOR_RED, Number(GetRValue(color)));
    s.EnterText(COLOR_GREEN, Number(GetGValue(color)));
    s.EnterText(COLOR_BLUE, Number(GetBValue(color)));
    s.Click(IDOK);
  };
}

Script CancelColor() {
  return [](platform::ModalSession& s) {
    ASSERT_NE(s.As<CColorDialog>(), nullptr);
    s.Click(IDCANCEL);
  };
}

TEST_F(PropertyDialogs, AWeightAboveZeroShowsSolidAndDisablesTheDashedRadios) {
  CRectDlg page;
  page.m_uLineWeight = 3;
  page.m_nPenStyle = PS_DASH;
  RunPage(page, {[](platform::ModalSession& s) {
            EXPECT_EQ(s.CheckState(28138), BST_CHECKED);
            EXPECT_EQ(s.CheckState(28141), BST_UNCHECKED);
            for (int id : {28141, 28142, 28143, 28144}) EXPECT_FALSE(s.IsEnabled(id)) << id;
            for (int id : {28138, 28145, 28146}) EXPECT_TRUE(s.IsEnabled(id)) << id;
            // Back to a hairline: the dashed styles return.
            s.EnterText(28096, CStringW(u"0"));
            EXPECT_TRUE(s.IsEnabled(28142));
            s.Click(28142);
            s.Click(IDOK);
          }});
  EXPECT_EQ(page.m_uLineWeight, 0u);
  EXPECT_EQ(page.m_nPenStyle, static_cast<UINT>(PS_DOT));
}

TEST_F(PropertyDialogs, StylesOutOfRangeOpenAsSolidAndHorizontal) {
  CRectDlg page;
  page.m_nPenStyle = 9;
  page.m_nHatchStyle = 7;
  page.m_bUseHatch = TRUE;
  RunPage(page, {[](platform::ModalSession& s) {
            EXPECT_EQ(s.CheckState(28138), BST_CHECKED);
            EXPECT_EQ(s.CheckState(28151), BST_CHECKED);
            EXPECT_EQ(s.CheckState(28150), BST_CHECKED);
            s.Click(IDOK);
          }});
  EXPECT_EQ(page.m_nPenStyle, 0u);
  EXPECT_EQ(page.m_nHatchStyle, 0u);
}

TEST_F(PropertyDialogs, ColourButtonsTakeTheChosenColourAndTheirSideEffects) {
  struct Case {
    const char* name;
    int button;
    bool cancel;
    COLORREF line, fill, hatch;
    BOOL noFill, useHatch;
  };
  const COLORREF c = RGB(10, 20, 30);
  const Case cases[] = {
      {"line", 28139, false, c, 0xFFFFFF, 0, TRUE, FALSE},
      {"fill clears no fill", 28140, false, 0, c, 0, FALSE, FALSE},
      {"hatch sets use hatch", 28149, false, 0, 0xFFFFFF, c, TRUE, TRUE},
      {"cancelled fill changes nothing", 28140, true, 0, 0xFFFFFF, 0, TRUE, FALSE},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CRectDlg page;
    page.m_bNoFill = TRUE;
    const int button = k.button;
    const BOOL expectUseHatch = k.useHatch, expectNoFill = k.noFill;
    RunPage(page, {[button, expectUseHatch, expectNoFill](platform::ModalSession& s) {
                     s.Click(button);
                     EXPECT_EQ(s.CheckState(28085), expectNoFill ? BST_CHECKED : BST_UNCHECKED);
                     EXPECT_EQ(s.CheckState(28150), expectUseHatch ? BST_CHECKED : BST_UNCHECKED);
                     s.Click(IDOK);
                   },
                   k.cancel ? CancelColor() : AnswerColor(c)});
    EXPECT_EQ(page.m_crLineColor, k.line);
    EXPECT_EQ(page.m_crFillColor, k.fill);
    EXPECT_EQ(page.m_crHatchColor, k.hatch);
    EXPECT_EQ(page.m_bNoFill, k.noFill);
    EXPECT_EQ(page.m_bUseHatch, k.useHatch);
  }
}

TEST_F(PropertyDialogs, ChoosingAnotherHatchTurnsTheHatchOn) {
  CRectDlg page;
  page.m_nHatchStyle = HS_CROSS;
  RunPage(page, {[](platform::ModalSession& s) {
            s.Click(28155);  // the style it has: nothing else changes
            EXPECT_EQ(s.CheckState(28150), BST_UNCHECKED);
            s.Click(28152);
            EXPECT_EQ(s.CheckState(28150), BST_CHECKED);
            s.Click(IDOK);
          }});
  EXPECT_EQ(page.m_nHatchStyle, static_cast<UINT>(HS_VERTICAL));
  EXPECT_TRUE(page.m_bUseHatch);
}

TEST_F(PropertyDialogs, ThePreviewIsARectangleInThePagesPenAndBrush) {
  struct Case {
    const char* name;
    BOOL noFill, useHatch;
    UINT brushStyle;
    COLORREF brushColor;
    int bkMode;
  };
  const Case cases[] = {
      {"filled", FALSE, FALSE, BS_SOLID, RGB(0, 0, 200), OPAQUE},
      {"no fill: grey and transparent", TRUE, FALSE, BS_SOLID, RGB(0xC0, 0xC0, 0xC0), TRANSPARENT},
      {"hatched", FALSE, TRUE, BS_HATCHED, RGB(0, 150, 0), OPAQUE},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CRectDlg page;
    page.m_uLineWeight = 2;
    page.m_crLineColor = RGB(200, 0, 0);
    page.m_crFillColor = RGB(0, 0, 200);
    page.m_crHatchColor = RGB(0, 150, 0);
    page.m_nHatchStyle = HS_CROSS;
    page.m_bNoFill = k.noFill;
    page.m_bUseHatch = k.useHatch;
    auto recorder = std::make_shared<platform::DrawingRecorder>();
    RunPage(page, {[&](platform::ModalSession& s) {
              platform::WindowSurfaceOf(page.GetSafeHwnd())->SetRecorder(recorder);
              page.InvalidateRect(nullptr);
              page.UpdateWindow();
              s.Click(IDCANCEL);
            }});
    const platform::DrawOp* rect = nullptr;
    const auto ops = recorder->Ops();
    for (const auto& op : ops) {
      if (op.kind == platform::DrawKind::Rectangle) rect = &op;
    }
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->logical[0].x, page.GetPreviewRect().left);
    EXPECT_EQ(rect->logical[1].y, page.GetPreviewRect().bottom);
    EXPECT_EQ(rect->pen.Kind(), static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(rect->pen.width, 2);
    EXPECT_EQ(rect->pen.color, RGB(200, 0, 0));
    EXPECT_EQ(rect->brush.style, k.brushStyle);
    EXPECT_EQ(rect->brush.color, k.brushColor);
    if (k.useHatch) {
      EXPECT_EQ(rect->brush.hatch, HS_CROSS);
    }
    EXPECT_EQ(rect->bkMode, k.bkMode);
    EXPECT_EQ(rect->bkColor, RGB(0, 0, 200));
  }
}

TEST_F(PropertyDialogs, AWeightOutOfRangeKeepsThePageOpen) {
  MessageCount messages;
  CRectDlg page;
  RunPage(page, {[](platform::ModalSession& s) {
            s.EnterText(28096, CStringW(u"21"));
            s.Click(IDOK);
            EXPECT_TRUE(s.IsRunning());
            s.EnterText(28096, CStringW(u"20"));
            s.Click(IDOK);
          }});
  EXPECT_GE(messages.Shown(), 1);
  EXPECT_EQ(page.m_uLineWeight, 20u);
}

TEST_F(PropertyDialogs, TheGridDialogOpensOnTheMatchingPreset) {
  struct Case {
    CSize size, interval;
    int choice;
  };
  const Case cases[] = {
      {{10, 10}, {10, 10}, 3}, {{10, 10}, {5, 5}, 7}, {{2, 2}, {50, 50}, 0},
      {{50, 50}, {2, 2}, 6},   {{25, 25}, {4, 4}, 5}, {{10, 20}, {10, 5}, 7},
  };
  for (const Case& k : cases) {
    CGridSizeDlg dlg(k.size, k.interval);
    EXPECT_EQ(dlg.m_nChoice, k.choice) << k.size.cx << " " << k.interval.cx;
  }
  CGridSizeDlg dlg(CSize(10, 10), CSize(10, 10));
  ScriptQueue queue({[](platform::ModalSession& s) {
    EXPECT_EQ(s.CheckState(28100), BST_CHECKED);
    s.Click(28102);  // 25 x 25
    s.Click(IDOK);
  }});
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetGridSize(), CSize(25, 25));
  EXPECT_EQ(dlg.GetGridLineInterval(), CSize(4, 4));
}

TEST_F(PropertyDialogs, ACustomGridKeepsWhatIsTypedWithinItsRanges) {
  MessageCount messages;
  CGridSizeDlg dlg(CSize(10, 10), CSize(5, 5));
  ScriptQueue queue({[](platform::ModalSession& s) {
    EXPECT_EQ(s.CheckState(28104), BST_CHECKED);
    s.EnterText(28087, CStringW(u"101"));
    s.Click(IDOK);
    EXPECT_TRUE(s.IsRunning());
    s.EnterText(28087, CStringW(u"100"));
    s.EnterText(28088, CStringW(u"32000"));
    s.Click(IDOK);
  }});
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(messages.Shown(), 1);
  EXPECT_EQ(dlg.GetGridSize(), CSize(10, 32000));
  EXPECT_EQ(dlg.GetGridLineInterval(), CSize(100, 5));
}

TEST_F(PropertyDialogs, TheGridExplanationsComeFromTheHostsStrings) {
  const UINT saved[2] = {CGridSizeDlg::c_uFirstExplanationID, CGridSizeDlg::c_uSecondExplanationID};
  CGridSizeDlg::c_uFirstExplanationID = IDS_BAD_BIRDEYE_MAX_WIDTH;  // any string of the library
  CGridSizeDlg::c_uSecondExplanationID = 0;
  CGridSizeDlg dlg(CSize(10, 10), CSize(10, 10));
  ScriptQueue queue({[](platform::ModalSession& s) {
    CStringW expected;
    expected.LoadString(IDS_BAD_BIRDEYE_MAX_WIDTH);
    EXPECT_EQ(s.Text(28160), expected);
    EXPECT_EQ(s.Text(28161), CStringW(u"A dotted line is drawn every line interval of grid steps."));
    s.Click(IDCANCEL);
  }});
  dlg.DoModal();
  CGridSizeDlg::c_uFirstExplanationID = saved[0];
  CGridSizeDlg::c_uSecondExplanationID = saved[1];
}

TEST_F(PropertyDialogs, TheZoomDialogGreysPresetsAboveTheMaximum) {
  CCustomScaleDlg dlg;
  dlg.m_uMaxPercent = 250;
  ScriptQueue queue({[](platform::ModalSession& s) {
    EXPECT_FALSE(s.IsEnabled(28120));
    EXPECT_FALSE(s.IsEnabled(28119));
    for (int id : {28117, 28116, 28115, 28121, 28118, 28127, 28130}) EXPECT_TRUE(s.IsEnabled(id)) << id;
    EXPECT_EQ(s.CheckState(28130), BST_CHECKED);
    EXPECT_EQ(GetFocus(), s.Control(28093));
    s.Click(28116);
    s.Click(IDOK);
  }});
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_nChoice, 3);
}

TEST_F(PropertyDialogs, AZoomPercentOutOfRangeKeepsTheDialogOpen) {
  MessageCount messages;
  CCustomScaleDlg dlg;
  dlg.m_uMaxPercent = 250;
  ScriptQueue queue({[](platform::ModalSession& s) {
    s.EnterText(28093, CStringW(u"300"));
    s.Click(IDOK);
    EXPECT_TRUE(s.IsRunning());
    s.EnterText(28093, CStringW(u"4"));
    s.Click(IDOK);
    EXPECT_TRUE(s.IsRunning());
    s.EnterText(28093, CStringW(u"250"));
    s.Click(IDOK);
  }});
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(messages.Shown(), 2);
  EXPECT_EQ(dlg.m_nChoice, CCustomScaleDlg::kPercentChoice);
  EXPECT_EQ(dlg.m_uPercent, 250u);
}

TEST_F(PropertyDialogs, ZoomLastEndsTheDialogWith100) {
  CCustomScaleDlg dlg;
  ScriptQueue queue({[](platform::ModalSession& s) { s.Click(28113); }});
  EXPECT_EQ(dlg.DoModal(), CCustomScaleDlg::kZoomLastResult);
}

// The ranges of the number dialogs: each bound taken, each bound's
// neighbour refused with a message and the dialog left open.
TEST_F(PropertyDialogs, NumberDialogsCheckTheirRanges) {
  struct Case {
    const char* name;
    std::function<CDialog*()> make;
    int edit;
    const char16_t* refused;
    const char16_t* taken;
    std::function<UINT(CDialog*)> value;
    UINT expected;
  };
  const Case cases[] = {
      {"block inputs", [] { return new CBlockDlg; }, 28091, u"100", u"99",
       [](CDialog* d) { return static_cast<CBlockDlg*>(d)->m_uInputs; }, 99},
      {"block outputs", [] { return new CBlockDlg; }, 28092, u"100", u"0",
       [](CDialog* d) { return static_cast<CBlockDlg*>(d)->m_uOutputs; }, 0},
      {"line weight", [] { return new CLineWeightDlg; }, 28096, u"21", u"20",
       [](CDialog* d) { return static_cast<CLineWeightDlg*>(d)->m_uWeight; }, 20},
      {"canvas across", [] { return new CDocSizeDlg; }, 28090, u"11", u"10",
       [](CDialog* d) { return static_cast<UINT>(static_cast<CDocSizeDlg*>(d)->m_nPagesAcross); }, 10},
      {"canvas down", [] { return new CDocSizeDlg; }, 28095, u"0", u"1",
       [](CDialog* d) { return static_cast<UINT>(static_cast<CDocSizeDlg*>(d)->m_nPagesDown); }, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    MessageCount messages;
    std::unique_ptr<CDialog> dlg(k.make());
    ScriptQueue queue({[&](platform::ModalSession& s) {
      s.EnterText(k.edit, CStringW(k.refused));
      s.Click(IDOK);
      EXPECT_TRUE(s.IsRunning());
      s.EnterText(k.edit, CStringW(k.taken));
      s.Click(IDOK);
    }});
    EXPECT_EQ(dlg->DoModal(), IDOK);
    EXPECT_EQ(messages.Shown(), 1);
    EXPECT_EQ(k.value(dlg.get()), k.expected);
  }
}

TEST_F(PropertyDialogs, TheCanvasLimitsAreTheCallers) {
  MessageCount messages;
  CDocSizeDlg dlg;
  dlg.m_nMaxAcross = 3;
  dlg.m_nMinDown = 2;
  dlg.m_nPagesDown = 2;
  ScriptQueue queue({[](platform::ModalSession& s) {
    EXPECT_EQ(s.Text(28095), CStringW(u"2"));
    s.EnterText(28090, CStringW(u"4"));
    s.Click(IDOK);
    EXPECT_TRUE(s.IsRunning());
    s.EnterText(28090, CStringW(u"3"));
    s.Click(IDOK);
  }});
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_nPagesAcross, 3);
}

TEST_F(PropertyDialogs, TheConfirmationShowsTheCountsAndTheBlockDialogItsFlag) {
  CDocSizeConfigmDlg confirm;
  confirm.m_nPagesAcross = 4;
  confirm.m_nPagesDown = 2;
  {
    ScriptQueue queue({[](platform::ModalSession& s) {
      EXPECT_EQ(s.Text(28090), CStringW(u"4"));
      EXPECT_EQ(s.Text(28095), CStringW(u"2"));
      s.Click(IDOK);
    }});
    EXPECT_EQ(confirm.DoModal(), IDOK);
  }
  CBlockDlg block;
  block.m_uInputs = 2;
  ScriptQueue queue({[](platform::ModalSession& s) {
    EXPECT_EQ(s.Text(28091), CStringW(u"2"));
    s.Click(28080);
    s.Click(IDOK);
  }});
  EXPECT_EQ(block.DoModal(), IDOK);
  EXPECT_TRUE(block.m_bComposite);
}

}  // namespace
