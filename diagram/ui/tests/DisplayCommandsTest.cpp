// The view's display commands (grid, page boundaries, page-crossing labels,
// snapping), the grid, paper and selection colours, the grid size, and undo
// and redo with their states.
#include <gtest/gtest.h>

#include <functional>

#include "diagram/model/objects/DrawRect.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "diagram/testsupport/ModalScripts.h"
#include "diagram/ui/GridSizeDlg.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/ColorDialog.h"

namespace {

using diagramtest::ModalScript;
using diagramtest::ModalScriptQueue;

// What an update handler said.
struct DisplayState : CCmdUI {
  int enabled = -1;
  int checked = -1;
  void Enable(BOOL on) override { enabled = on ? 1 : 0; }
  void SetCheck(int check) override { checked = check; }
};

// Answers a colour dialog with `color` and OK, after checking the colour it
// opened on (when `opensOn` is given).
ModalScript PickInDialog(COLORREF color, const COLORREF* opensOn = nullptr) {
  const bool check = opensOn != nullptr;
  const COLORREF expected = check ? *opensOn : 0;
  return [color, check, expected](platform::ModalSession& s) {
    auto* dialog = s.As<CColorDialog>();
    ASSERT_NE(dialog, nullptr);
    if (check) {
      CStringW red;
      red.Format(u"%d", GetRValue(expected));
      EXPECT_EQ(s.Text(COLOR_RED), red) << "opens on the present colour";
    }
    dialog->SetCurrentColor(color);
    s.Click(IDOK);
  };
}

ModalScript CancelDialog() {
  return [](platform::ModalSession& s) { s.Click(IDCANCEL); };
}

class DisplayCommands : public blocktest::BlockDiagram {
 protected:
  DisplayState State(void (CDrawView::*update)(CCmdUI*)) {
    DisplayState state;
    (view.*update)(&state);
    return state;
  }
  CDrawRect* Shape(int left) {
    auto* rect = new CDrawRect(CRect(left, Down(0, 0), left + 40, Down(0, 40)), CDrawRect::rectangle);
    EXPECT_TRUE(diagram->Add(rect));
    return rect;
  }

  viewtest::SavedViewOptions savedOptions;
};

TEST_P(DisplayCommands, HidingTheGridMakesLaterViewsStartHiddenWhileOpenViewsKeepTheirs) {
  CDrawView open;
  ASSERT_TRUE(view.IsGridShown());
  ASSERT_TRUE(open.IsGridShown());
  view.OnViewGrid();
  EXPECT_FALSE(view.IsGridShown());
  EXPECT_EQ(State(&CDrawView::OnUpdateViewGrid).checked, 0);
  EXPECT_TRUE(open.IsGridShown());
  CDrawView later;
  EXPECT_FALSE(later.IsGridShown());
  view.OnViewGrid();
  CDrawView third;
  EXPECT_TRUE(third.IsGridShown());
  EXPECT_EQ(State(&CDrawView::OnUpdateViewGrid).checked, 1);
}

TEST_P(DisplayCommands, PageBoundariesAreDisabledOnOnePageButTheirCheckFollowsTheFlag) {
  const struct {
    BYTE across;
    BYTE down;
    int enabled;
  } canvases[] = {{1, 1, 0}, {2, 1, 1}, {1, 2, 1}, {2, 2, 1}};
  for (const auto& c : canvases) {
    ASSERT_TRUE(diagram->SetCanvasSize(c.across, c.down));
    for (int flip = 0; flip < 2; ++flip) {
      const DisplayState state = State(&CDrawView::OnUpdateViewPageborder);
      EXPECT_EQ(state.enabled, c.enabled) << int(c.across) << " x " << int(c.down);
      EXPECT_EQ(state.checked, view.ArePageBoundariesShown() ? 1 : 0);
      view.OnViewPageborder();
    }
  }
}

TEST_P(DisplayCommands, EachToggleIsReachedByItsCommandAndCheckedAsItIs) {
  const struct {
    const char* name;
    UINT id;
    std::function<bool()> on;
    void (CDrawView::*update)(CCmdUI*);
  } toggles[] = {
      {"grid", 57060, [this] { return view.IsGridShown() != 0; }, &CDrawView::OnUpdateViewGrid},
      {"page boundaries", 57063, [this] { return view.ArePageBoundariesShown() != 0; },
       &CDrawView::OnUpdateViewPageborder},
      {"cross labels", 57057, [this] { return view.ShowCrossLabels() != 0; }, &CDrawView::OnUpdateViewCrosslabels},
      {"snap", 57053, [this] { return diagram->IsSnapToGridEnabled() != 0; }, &CDrawView::OnUpdateSnapToGrid},
  };
  for (const auto& t : toggles) {
    for (int flip = 0; flip < 2; ++flip) {
      const bool before = t.on();
      view.SendMessage(WM_COMMAND, t.id);
      EXPECT_NE(t.on(), before) << t.name;
      EXPECT_EQ(State(t.update).checked, t.on() ? 1 : 0) << t.name;
    }
  }
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0) << "display options are not edits";
}

TEST_P(DisplayCommands, EachSelectionColourIsOneStepAndACancelRecordsNothing) {
  CDrawRect* a = Shape(0);
  CDrawRect* b = Shape(60);
  for (CDrawRect* r : {a, b}) {
    r->EnableFill(FALSE);
    r->EnableHatch(FALSE);
  }
  view.Select(a, FALSE);
  view.Select(b, TRUE);
  const COLORREF chosen = RGB(10, 120, 230);
  const struct {
    const char* name;
    void (CDrawView::*command)();
    const char16_t* entry;
    std::function<bool(CDrawObj*)> applied;
  } commands[] = {
      {"fill", &CDrawView::OnObjectFillColor, u"Fill Color",
       [chosen](CDrawObj* o) { return o->GetFillColor() == chosen && o->IsFillEnabled(); }},
      {"line", &CDrawView::OnObjectLineColor, u"Line Color",
       [chosen](CDrawObj* o) { return o->GetLineColor() == chosen; }},
      {"hatch", &CDrawView::OnObjectHatchColor, u"Hatch Color",
       [chosen](CDrawObj* o) { return o->GetHatchColor() == chosen && o->IsHatchEnabled(); }},
  };
  for (const auto& c : commands) {
    doc.ClearUndoStack();
    {
      ModalScriptQueue answers({CancelDialog()});
      (view.*c.command)();
    }
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 0) << c.name;
    EXPECT_FALSE(c.applied(a)) << c.name;
    {
      ModalScriptQueue answers({PickInDialog(chosen)});
      (view.*c.command)();
      EXPECT_TRUE(answers.Done()) << c.name;
    }
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 1) << c.name;
    EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(c.entry)) << c.name;
    EXPECT_TRUE(c.applied(a) && c.applied(b)) << c.name;
    ASSERT_TRUE(doc.UndoLast());
    EXPECT_FALSE(c.applied(a) || c.applied(b)) << c.name << " undone";
  }
}

TEST_P(DisplayCommands, PaperColourIsAnEditAndTheGridColourAnOptionOfTheViews) {
  doc.ClearUndoStack();
  const COLORREF paper = diagram->GetPaperColor();
  {
    ModalScriptQueue answers({CancelDialog()});
    view.OnViewPaperColor();
  }
  EXPECT_EQ(diagram->GetPaperColor(), paper);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  {
    ModalScriptQueue answers({PickInDialog(RGB(250, 240, 200), &paper)});
    view.OnViewPaperColor();
  }
  EXPECT_EQ(diagram->GetPaperColor(), RGB(250, 240, 200));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);

  const COLORREF grid = CDrawView::c_crGridColor;
  {
    ModalScriptQueue answers({CancelDialog()});
    view.OnViewGridColor();
  }
  EXPECT_EQ(CDrawView::c_crGridColor, grid);
  {
    ModalScriptQueue answers({PickInDialog(RGB(200, 0, 0), &grid)});
    view.OnViewGridColor();
  }
  EXPECT_EQ(CDrawView::c_crGridColor, RGB(200, 0, 0));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1) << "the grid colour is no edit";
}

TEST_P(DisplayCommands, TheGridSizeDialogSetsSizeAndIntervalInOneStep) {
  doc.ClearUndoStack();
  const CSize size = diagram->GetGridSize();
  {
    ModalScriptQueue answers({CancelDialog()});
    view.OnSnapGridSize();
  }
  EXPECT_EQ(diagram->GetGridSize(), size);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  {
    ModalScriptQueue answers({[](platform::ModalSession& s) {
      s.Click(CGridSizeDlg::kFirstChoiceRadio + 4);  // 20 units, a line every 5
      s.Click(IDOK);
    }});
    view.OnSnapGridSize();
  }
  EXPECT_EQ(diagram->GetGridSize(), CSize(20, 20));
  EXPECT_EQ(diagram->GetGridLineInterval(), CSize(5, 5));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  view.OnEditUndo();
  EXPECT_EQ(diagram->GetGridSize(), size);
}

TEST_P(DisplayCommands, UndoAndRedoAreEnabledByTheirStacks) {
  doc.ClearUndoStack();
  doc.ClearRedoStack();
  EXPECT_EQ(State(&CDrawView::OnUpdateEditUndo).enabled, 0);
  EXPECT_EQ(State(&CDrawView::OnUpdateEditRedo).enabled, 0);
  CDrawRect* r = Shape(0);
  EXPECT_EQ(State(&CDrawView::OnUpdateEditUndo).enabled, 1);
  view.SendMessage(WM_COMMAND, 57643);
  EXPECT_TRUE(diagram->DoesTrashInclude(r));
  EXPECT_EQ(State(&CDrawView::OnUpdateEditUndo).enabled, 0);
  EXPECT_EQ(State(&CDrawView::OnUpdateEditRedo).enabled, 1);
  view.SendMessage(WM_COMMAND, 57644);
  EXPECT_TRUE(diagram->GetObjects().Find(r));
  EXPECT_EQ(State(&CDrawView::OnUpdateEditRedo).enabled, 0);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, DisplayCommands, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Upward" : "Downward"; });

}  // namespace
