// The application object: main window, profile, thread messages while a
// dialog runs, and a modeless dialog that pumps the queue itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/Profile.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/tests/DialogFixture.h"

namespace {

using platform::ModalSession;
using namespace platform::rc;

class CHostApp : public CWinApp {
 public:
  CHostApp() : CWinApp(u"Host") {}
  std::vector<WPARAM> commandsDone;

 protected:
  afx_msg void OnCommandDone(WPARAM w, LPARAM) { commandsDone.push_back(w); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostApp, CWinApp)
  ON_THREAD_MESSAGE(WM_USER + 3000, OnCommandDone)
END_MESSAGE_MAP()

class ApplicationTest : public uitest::DialogFixture {
 protected:
  platform::ResourceSet Resources() override {
    platform::ResourceSet r;
    r.Add(Dialog(28076, u"", {0, 0, 186, 79})
              .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION)
              .LText(u"", 28075, {7, 7, 172, 8})
              .PushButton(u"Cancel", IDCANCEL, {68, 58, 50, 14}));
    r.Add(Dialog(100, u"Plain", {0, 0, 100, 50}).PushButton(u"OK", IDOK, {10, 30, 40, 14}));
    return r;
  }
};

TEST_F(ApplicationTest, TheMainWindowAndTheProfileGoThroughTheApplication) {
  CHostApp app;
  EXPECT_EQ(AfxGetApp(), &app);
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, u"AfxWnd", u"Host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, 0));
  app.m_pMainWnd = &frame;
  EXPECT_EQ(AfxGetMainWnd(), &frame);
  EXPECT_EQ(AfxGetThread()->GetMainWnd(), &frame);

  const testsupport::ScratchFolder scratch("ui_profile");
  const std::filesystem::path file = scratch / "app.ini";
  platform::SetProfilePath(file);
  EXPECT_TRUE(app.WriteProfileInt(u"DrawDiagram", u"GridSize", 25));
  EXPECT_TRUE(app.WriteProfileString("DrawFrame", "Bar0", "shown"));
  EXPECT_EQ(app.GetProfileInt("DrawDiagram", "GridSize", 10), 25u);
  EXPECT_EQ(app.GetProfileInt(u"DrawDiagram", u"Missing", 10), 10u);
  EXPECT_EQ(uitest::Utf8(app.GetProfileString(u"DrawFrame", u"Bar0")), "shown");
  platform::SetProfilePath({});
  frame.DestroyWindow();
}

TEST_F(ApplicationTest, ThreadMessagesPostedWhileADialogRunsReachTheApplication) {
  CHostApp app;
  CDialog dlg(100);
  scripts.push_back([&](ModalSession& s) {
    // A command ends while the dialog is up: its message waits for the loop.
    PostThreadMessage(GetCurrentThreadId(), WM_USER + 3000, 7, 0);
    EXPECT_TRUE(app.commandsDone.empty());
    s.Pump();
    EXPECT_EQ(app.commandsDone, std::vector<WPARAM>{7});
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

// A progress window that disables its owner and pumps the queue itself so
// that its Cancel button works during a long computation.
class CProgressLike : public CDialog {
 public:
  bool cancelled = false;
  bool disabledOwner = false;
  HWND owner = nullptr;

  BOOL Create(CWnd* parent) {
    CWnd* safe = CWnd::GetSafeOwner(parent);
    owner = safe ? safe->m_hWnd : nullptr;
    if (owner && ::IsWindowEnabled(owner)) {
      ::EnableWindow(owner, FALSE);
      disabledOwner = true;
    }
    if (!CDialog::Create(28076, parent)) {
      if (disabledOwner) ::EnableWindow(owner, TRUE);
      return FALSE;
    }
    ShowWindow(SW_SHOW);
    return TRUE;
  }
  BOOL DestroyWindow() override {
    if (disabledOwner) ::EnableWindow(owner, TRUE);
    disabledOwner = false;
    return CDialog::DestroyWindow();
  }
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
    }
  }
  bool CheckCancel() {
    Pump();
    bool was = cancelled;
    cancelled = false;
    return was;
  }
  void OnOK() override {}
  void OnCancel() override { cancelled = true; }
};

TEST_F(ApplicationTest, AModelessDialogPumpingTheQueueSeesItsCancelButton) {
  CWnd owner;
  ASSERT_TRUE(
      owner.CreateEx(0, u"AfxWnd", u"View", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr, 0));
  CProgressLike progress;
  ASSERT_TRUE(progress.Create(&owner));
  EXPECT_FALSE(owner.IsWindowEnabled());
  HWND cancel = progress.GetDlgItem(IDCANCEL)->m_hWnd;

  // The user's click arrives as queued mouse messages; the computation's
  // own pump delivers them.
  RECT r;
  GetClientRect(cancel, &r);
  PostMessage(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessage(cancel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(progress.CheckCancel());
  EXPECT_FALSE(progress.CheckCancel());  // each check clears it

  progress.SetDlgItemText(28075, u"routing");
  EXPECT_EQ(uitest::Utf8([&] {
              CStringW t;
              progress.GetDlgItemText(28075, t);
              return t;
            }()),
            "routing");
  progress.DestroyWindow();
  EXPECT_TRUE(owner.IsWindowEnabled());

  // An owner already disabled stays disabled.
  owner.EnableWindow(FALSE);
  CProgressLike second;
  ASSERT_TRUE(second.Create(&owner));
  second.DestroyWindow();
  EXPECT_FALSE(owner.IsWindowEnabled());
  owner.DestroyWindow();
}

}  // namespace
