#include <gtest/gtest.h>

#include "diagram/routing/ProgressDlg.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WinUser.h"

namespace {

class ProgressDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkDiagramLibrary();
    ASSERT_TRUE(owner.CreateEx(0, u"AfxWnd", u"owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
  }
  void TearDown() override { owner.DestroyWindow(); }
  static CStringA Percent(CProgressDlg& dialog) {
    CStringW text;
    dialog.GetDlgItem(CProgressDlg::IDC_PERCENT)->GetWindowText(text);
    return CStringA(text);
  }
  void ClickCancel(CProgressDlg& dialog) { ::PostMessage(dialog.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0); }

  CWnd owner;
};

TEST_F(ProgressDlgTest, StepsShowThePercentageAndTheOwnerComesBack) {
  CProgressDlg dialog(0, 20, 1, 0, 0);
  ASSERT_TRUE(dialog.Create(&owner));
  EXPECT_FALSE(owner.IsWindowEnabled());
  CStringW caption;
  dialog.GetWindowText(caption);
  EXPECT_STREQ(CStringA(caption).GetString(), "Progress");
  dialog.StepIt();
  EXPECT_STREQ(Percent(dialog).GetString(), "5%");
  for (int i = 1; i < 20; ++i) dialog.StepIt();
  EXPECT_STREQ(Percent(dialog).GetString(), "100%");
  dialog.DestroyWindow();
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(ProgressDlgTest, EqualBoundsShowAHundredPercent) {
  CProgressDlg dialog(0, 20, 1, 0, 0);
  ASSERT_TRUE(dialog.Create(&owner));
  dialog.SetRange(5, 5);
  dialog.SetPos(5);
  EXPECT_STREQ(Percent(dialog).GetString(), "100%");
}

TEST_F(ProgressDlgTest, TwoCancelClicksBetweenChecksReportOneCancel) {
  CProgressDlg dialog(0, 20, 1, 0, 0);
  ASSERT_TRUE(dialog.Create(&owner));
  ClickCancel(dialog);
  ClickCancel(dialog);
  EXPECT_EQ(dialog.CheckCancelButton(), 1);
  EXPECT_EQ(dialog.CheckCancelButton(), 0);
  // The dialog stays open after a cancel.
  EXPECT_TRUE(dialog.GetSafeHwnd() != nullptr);
}

TEST_F(ProgressDlgTest, AnOwnerAlreadyDisabledStaysDisabled) {
  owner.EnableWindow(FALSE);
  {
    CProgressDlg dialog(0, 20, 1, 0, 0);
    ASSERT_TRUE(dialog.Create(&owner));
  }
  EXPECT_FALSE(owner.IsWindowEnabled());
  owner.EnableWindow(TRUE);
}

TEST_F(ProgressDlgTest, WithoutCancelTheButtonIsHiddenAndNothingIsPumped) {
  CProgressDlg dialog(0, 20, 1, 0, 1);
  ASSERT_TRUE(dialog.Create(&owner));
  EXPECT_FALSE(dialog.GetDlgItem(IDCANCEL)->IsWindowVisible());
  ClickCancel(dialog);
  EXPECT_EQ(dialog.CheckCancelButton(), 0);
  MSG msg;
  EXPECT_TRUE(::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
