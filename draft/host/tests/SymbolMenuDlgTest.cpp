// Korrin's special-symbol dialog, and a symbol reaching an edit through the
// clipboard as the dialogs that open it pass it on.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draft/host/SymbolMenuDlg.h"
#include "draft/host/SystemFiles.h"
#include "platform/core/ScopedResourceModule.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

class SymbolMenuTest : public uitest::UiTest {};

struct SymbolRun {
  INT_PTR result;
  CStringA symbol;
  CStringA caption;
  std::vector<CStringA> shown;
  CRect window;
};

// Runs the dialog under Korrin's resources with `act` as the user.
SymbolRun RunDialog(int mode, CPoint at, const std::function<void(platform::ModalSession&)>& act) {
  SymbolRun run;
  platform::ScopedResourceModule korrin(u"Korrin.DLL");
  std::unique_ptr<CSymbolMenuDlg, void (*)(CSymbolMenuDlg*)> dlg(ConstructSymbolMenuDlg(mode, nullptr, at),
                                                                 &DestroySymbolMenuDlg);
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    run.caption = CStringA(s.Caption());
    HWND list = s.Control(CSymbolMenuDlg::kSymbolList);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      CStringW text;
      auto* box = dynamic_cast<CListBox*>(CWnd::FromHandle(list));
      if (box) box->GetText(i, text);
      run.shown.push_back(CStringA(text));
    }
    s.Window().GetWindowRect(&run.window);
    act(s);
  });
  run.result = dlg->DoModal();
  run.symbol = dlg->GetSymbolText();
  return run;
}

}  // namespace

TEST_F(SymbolMenuTest, ReturnsTheChosenSymbolOnOkOrADoubleClick) {
  SymbolRun chosen = RunDialog(0, CPoint(120, 80), [](platform::ModalSession& s) {
    ASSERT_TRUE(s.Choose(CSymbolMenuDlg::kSymbolList, 2));
    ASSERT_TRUE(s.Click(IDOK));
  });
  EXPECT_EQ(chosen.result, IDOK);
  EXPECT_EQ(chosen.caption, CStringA("特殊字符"));
  EXPECT_EQ(chosen.shown, CSymbolMenuDlg::SymbolsOf(0));
  EXPECT_EQ(chosen.symbol, CStringA("Φ"));
  EXPECT_EQ(chosen.window.TopLeft(), CPoint(120, 80));  // opened at the position given

  SymbolRun doubled = RunDialog(1, CPoint(0, 0), [](platform::ModalSession& s) {
    ASSERT_TRUE(s.DoubleClick(CSymbolMenuDlg::kSymbolList, 1));
  });
  EXPECT_EQ(doubled.result, IDOK);
  EXPECT_EQ(doubled.shown, CSymbolMenuDlg::SymbolsOf(1));
  EXPECT_EQ(doubled.symbol, CStringA("R"));

  SymbolRun cancelled = RunDialog(0, CPoint(0, 0), [](platform::ModalSession& s) { s.Click(IDCANCEL); });
  EXPECT_EQ(cancelled.result, IDCANCEL);
  EXPECT_TRUE(cancelled.symbol.IsEmpty());
}

TEST_F(SymbolMenuTest, TheTemplateIsKorrinsOnly) {
  // Without a switch to Korrin's resources the template is not found.
  std::unique_ptr<CSymbolMenuDlg, void (*)(CSymbolMenuDlg*)> dlg(ConstructSymbolMenuDlg(0, nullptr, CPoint()),
                                                                 &DestroySymbolMenuDlg);
  EXPECT_EQ(dlg->DoModal(), -1);
}

TEST_F(SymbolMenuTest, TheSymbolReachesAnEditThroughTheClipboardAtItsSelection) {
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, u"AfxWnd", u"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 150, 20), &host, 563));
  edit.SetWindowText("R5 H7");
  edit.SetSel(0, 2);  // "R5"
  SymbolRun run = RunDialog(1, CPoint(), [](platform::ModalSession& s) {
    s.Choose(CSymbolMenuDlg::kSymbolList, 0);
    s.Click(IDOK);
  });
  ASSERT_EQ(run.result, IDOK);
  ASSERT_TRUE(CopyTextToClipboard(run.symbol, edit.m_hWnd));
  edit.SendMessage(WM_PASTE);
  CStringW text;
  edit.GetWindowText(text);
  EXPECT_EQ(CStringA(text), CStringA("Φ H7"));
  EXPECT_TRUE(edit.Undo());
  edit.GetWindowText(text);
  EXPECT_EQ(CStringA(text), CStringA("R5 H7"));

  // While another window holds the clipboard open, the symbol cannot go there.
  ASSERT_TRUE(OpenClipboard(host.m_hWnd));
  EXPECT_FALSE(CopyTextToClipboard(run.symbol, edit.m_hWnd));
  CloseClipboard();
  host.DestroyWindow();
}
