#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/InputNumberDlg.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/ScopedResourceModule.h"
#include "platform/ui/ModalDriver.h"

namespace {

struct NumberDialogRun {
  int result = 0;
  double number = 0.0;
  CStringW caption, prompt, okText, cancelText, startText;
  int okPresses = 0;
};

// Runs Halcyte's number dialog with the option and start number, typing
// each text in turn and pressing OK after it (Cancel when they are used up).
NumberDialogRun RunNumberDialog(int option, double start, const std::vector<const char*>& texts) {
  platform::ScopedResourceModule halcyte("Halcyte.DLL");
  std::unique_ptr<CInputNumberDlg> dlg(ConstructNumberInputDlg("输入等分数", "等分数", "确认", "放弃", 0, 0));
  dlg->SetInputNumber(start);
  dlg->SetInputOption(option);
  NumberDialogRun run;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    run.caption = s.Caption();
    run.prompt = s.Text(CInputNumberDlg::kPromptLabel);
    run.okText = s.Text(IDOK);
    run.cancelText = s.Text(IDCANCEL);
    run.startText = s.Text(CInputNumberDlg::kNumberEdit);
    for (const char* text : texts) {
      s.EnterText(CInputNumberDlg::kNumberEdit, CStringA(text));
      s.Click(IDOK);
      ++run.okPresses;
      if (!s.IsRunning()) return;
    }
    s.Click(IDCANCEL);
  });
  run.result = static_cast<int>(dlg->DoModal());
  run.number = dlg->GetInputNumber();
  return run;
}

TEST(InputNumberDlgTest, ShowsTheCallersTextsAndTheStartNumber) {
  const NumberDialogRun run = RunNumberDialog(1, 3, {"7"});
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.caption, CStringW(u"输入等分数"));
  EXPECT_EQ(run.prompt, CStringW(u"等分数"));
  EXPECT_EQ(run.okText, CStringW(u"确认"));
  EXPECT_EQ(run.cancelText, CStringW(u"放弃"));
  EXPECT_EQ(run.startText, CStringW(u"3"));
  EXPECT_EQ(run.number, 7.0);
}

// A text that is no number under the option is refused and the dialog
// stays open for the next; Cancel keeps the start number.
TEST(InputNumberDlgTest, RefusesWhatTheOptionDoesNotTake) {
  struct Case {
    int option;
    std::vector<const char*> texts;
    int result;
    double number;
    size_t refused;
  };
  const Case cases[] = {
      {1, {"2.5", "abc", "12"}, IDOK, 12, 2},
      {1, {"99999999999"}, IDCANCEL, 4, 1},
      {0, {"2.5"}, IDOK, 2.5, 0},
      {0, {"1e999", "-0.25"}, IDOK, -0.25, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.texts.front());
    drafttest::MessageBoxAnswers boxes;
    const NumberDialogRun run = RunNumberDialog(c.option, 4, c.texts);
    EXPECT_EQ(run.result, c.result);
    EXPECT_EQ(run.number, c.number);
    EXPECT_EQ(boxes.boxes.size(), c.refused);
  }
}

// In mark state 1 a marked point becomes the coordinate origin; in any
// other state it is only marked.
TEST(MarkStateTest, AMarkInStateOneMovesTheOrigin) {
  CDraftView view;
  EXPECT_EQ(view.GetMarkState(), 0);
  view.MarkPoint(10, 20);
  EXPECT_EQ(view.GetOriginX(), 0.0);
  view.SetMarkState(1);
  view.MarkPoint(10, 20);
  EXPECT_EQ(view.GetOriginX(), 10.0);
  EXPECT_EQ(view.GetOriginY(), 20.0);
  view.SetMarkState(2);
  view.MarkPoint(30, 40);
  EXPECT_EQ(view.GetOriginX(), 10.0);
  EXPECT_EQ(view.GetDrawLog().size(), 3u);
}

}  // namespace
