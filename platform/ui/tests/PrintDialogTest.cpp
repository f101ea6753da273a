// The print dialogs over the platform's printers.
#include <gtest/gtest.h>

#include "platform/core/GlobalMemory.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi32.h"
#include "platform/gdi/PdfPrinter.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/tests/DialogFixture.h"

namespace {

using platform::ModalSession;
using uitest::Utf8;

class PrintDialogTest : public uitest::DialogFixture {
 protected:
  platform::ResourceSet Resources() override { return platform::ResourceSet(); }
  static void Free(PRINTDLG& pd) {
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    if (pd.hDC) DeleteDC(pd.hDC);
    pd.hDevMode = pd.hDevNames = nullptr;
    pd.hDC = nullptr;
  }
};

TEST_F(PrintDialogTest, ReturnDefaultGivesTheDefaultPrinterWithoutShowingAnything) {
  CPrintDialog dlg(FALSE, PD_RETURNDEFAULT | PD_RETURNDC);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(modalRuns, 0);
  EXPECT_EQ(Utf8(dlg.GetDeviceName()), "Scrivel PDF Printer");
  EXPECT_EQ(Utf8(dlg.GetPortName()), "PDF:");
  DEVMODEW* mode = dlg.GetDevMode();
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->dmPaperSize, DMPAPER_A4);
  GlobalUnlock(dlg.m_pd.hDevMode);
  ASSERT_NE(dlg.GetPrinterDC(), nullptr);
  EXPECT_GT(GetDeviceCaps(dlg.GetPrinterDC(), LOGPIXELSX), 0);
  // Asking again over blocks the caller holds is refused.
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  Free(dlg.m_pd);
}

TEST_F(PrintDialogTest, PrintSetupChangesTheApplicationsPrinter) {
  CWinApp app("test");
  scripts.push_back([](ModalSession& s) {
    EXPECT_EQ(Utf8(s.Caption()), "Print Setup");
    EXPECT_EQ(Utf8(s.Text(cmb2)), "A4");
    s.Click(rad2);      // landscape
    s.Choose(cmb2, 1);  // Letter
    s.Click(IDOK);
  });
  app.OnFilePrintSetup();
  PRINTDLG pd{};
  ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
  auto* mode = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
  EXPECT_EQ(mode->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(mode->dmPaperSize, DMPAPER_LETTER);
  EXPECT_TRUE(mode->dmFields & DM_ORIENTATION);
  GlobalUnlock(pd.hDevMode);
  CDC dc;
  ASSERT_TRUE(app.CreatePrinterDC(dc));
  // Letter landscape: the page is wider than high.
  EXPECT_GT(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
}

TEST_F(PrintDialogTest, ThePrintFormChecksThePageRange) {
  uitest::MessageBoxRecorder boxes;
  CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION);
  dlg.m_pd.nMinPage = 1;
  dlg.m_pd.nMaxPage = 4;
  scripts.push_back([&](ModalSession& s) {
    EXPECT_FALSE(s.IsEnabled(rad2));
    s.Click(rad3);
    s.EnterText(edt1, CStringW(u"2"));
    s.EnterText(edt2, CStringW(u"9"));
    s.Click(IDOK);
    EXPECT_TRUE(s.IsRunning());
    EXPECT_EQ(boxes.texts.size(), 1u);
    s.EnterText(edt2, CStringW(u"3"));
    s.EnterText(edt3, CStringW(u"2"));
    s.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(dlg.PrintRange());
  EXPECT_EQ(dlg.GetFromPage(), 2);
  EXPECT_EQ(dlg.GetToPage(), 3);
  EXPECT_EQ(dlg.GetCopies(), 2);
  Free(dlg.m_pd);
}

}  // namespace
