// The printer back end: pages of a print job go to a PDF file, with the page
// size, resolution and orientation of the device mode.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gdi/PdfPrinter.h"
#include "platform/gdi/tests/GdiTestSupport.h"
#include "platform/gdi/tests/PdfTestSupport.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

using pdf_test::PageCount;
using pdf_test::ReadFileBytes;


TEST(Printer, TwoPagesGoToAPdf) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(DEVMODEW);
  mode.dmFields = DM_PAPERSIZE | DM_ORIENTATION | DM_PRINTQUALITY;
  mode.dmPaperSize = DMPAPER_A4;
  mode.dmOrientation = DMORIENT_LANDSCAPE;
  mode.dmPrintQuality = 300;
  CDC dc;
  ASSERT_TRUE(dc.CreateDC(u"WINSPOOL", u"Scrivel PDF Printer", nullptr, &mode));
  dc.m_bPrinting = TRUE;
  EXPECT_TRUE(dc.IsPrinting());
  EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
  // A4 landscape at 300 dpi: 297 mm x 210 mm.
  EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 3508);
  EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 2480);
  EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 297);
  EXPECT_EQ(dc.GetDeviceCaps(VERTSIZE), 210);

  const testsupport::ScratchFolder folder("gdi_printer");
  const std::string path = folder / "gdi_two_pages.pdf";
  const std::u16string wide(path.begin(), path.end());
  DOCINFOW info{sizeof(DOCINFOW), u"Two pages", wide.c_str(), nullptr, 0};
  ASSERT_GT(dc.StartDoc(&info), 0);
  for (int page = 1; page <= 2; ++page) {
    ASSERT_GT(dc.StartPage(), 0);
    dc.SetMapMode(MM_LOMETRIC);
    dc.Rectangle(100, -100, 2000, -1500);
    CStringW label;
    label.Format(u"Page %d 第%d页", page, page);
    dc.TextOut(200, -200, label);
    ASSERT_GT(dc.EndPage(), 0);
  }
  // Drawing between pages goes nowhere.
  EXPECT_FALSE(dc.Rectangle(0, 0, 10, 10));
  EXPECT_FALSE(std::filesystem::exists(path));  // written when the job ends
  ASSERT_GT(dc.EndDoc(), 0);
  const std::string pdf = ReadFileBytes(path);
  ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(PageCount(pdf), 2);
  // Landscape A4 in points: 841.89 x 595.276.
  EXPECT_NE(pdf.find("/MediaBox [ 0 0 841.8"), std::string::npos);
}

TEST(Printer, AbortedOrFailedJobsLeaveNoFile) {
  CDC dc;
  ASSERT_TRUE(dc.CreateDC("WINSPOOL", "Scrivel PDF Printer", nullptr, nullptr));
  const testsupport::ScratchFolder folder("gdi_printer");
  const std::string path = folder / "gdi_aborted.pdf";
  const std::u16string wide(path.begin(), path.end());
  DOCINFOW info{sizeof(DOCINFOW), u"Aborted", wide.c_str(), nullptr, 0};
  ASSERT_GT(dc.StartDoc(&info), 0);
  EXPECT_EQ(dc.StartDoc(&info), SP_ERROR);  // one job at a time
  dc.StartPage();
  dc.Ellipse(0, 0, 600, 600);
  EXPECT_GT(dc.AbortDoc(), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));

  const std::u16string bad = u"/no/such/folder/job.pdf";
  DOCINFOW badInfo{sizeof(DOCINFOW), u"Bad", bad.c_str(), nullptr, 0};
  EXPECT_EQ(dc.StartDoc(&badInfo), SP_ERROR);
  EXPECT_EQ(dc.StartPage(), SP_ERROR);
  EXPECT_EQ(dc.EndDoc(), SP_ERROR);
  // The default printer: A4 portrait at 600 dpi.
  EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 600);
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALWIDTH), 4961);
  EXPECT_LT(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
}

TEST(Printer, DeviceModesAndInformationContexts) {
  platform::PrinterSettings s;
  DEVMODEW mode = platform::MakeDevMode(s);
  mode.dmPaperSize = DMPAPER_LETTER;
  mode.dmOrientation = 7;  // not an orientation: ignored
  s = platform::ApplyDevMode(s, mode);
  EXPECT_EQ(s.paperWidth, 2159);
  EXPECT_EQ(s.orientation, DMORIENT_PORTRAIT);
  CDC ic;
  ASSERT_TRUE(ic.CreateIC(u"WINSPOOL", u"Scrivel PDF Printer", nullptr, &mode));
  EXPECT_EQ(ic.GetDeviceCaps(PHYSICALHEIGHT), 6600);  // 11 inches at 600 dpi
  EXPECT_FALSE(ic.Rectangle(0, 0, 10, 10));            // measures, never draws
  EXPECT_EQ(ic.StartDoc(u"x"), SP_ERROR);
  CDC screen;
  ASSERT_TRUE(screen.CreateIC("DISPLAY", nullptr, nullptr, nullptr));
  EXPECT_EQ(screen.GetDeviceCaps(LOGPIXELSX), 96);
  EXPECT_EQ(screen.GetDeviceCaps(HORZRES), platform::ScreenCaps().width);
}

}  // namespace
