// The printer back end: pages of a print job go to a PDF file, with the page
// size, resolution and orientation of the device mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <vector>

#include "platform/gdi/PdfPrinter.h"
#include "platform/gdi/tests/GdiTestSupport.h"
#include "platform/gdi/tests/PdfTestSupport.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

using pdf_test::InflatedStreams;
using pdf_test::PageCount;
using pdf_test::ReadFileBytes;

struct PdfRect {
  double left, top, right, bottom;
};

PdfRect Intersect(const PdfRect& a, const PdfRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// What the rectangle fills of a page's drawing operators paint ("x y w h re"
// then "f" or "f*"), each cut by the clip in force ("re W", saved and
// restored by "q" and "Q"): the parts of the paper that receive paint.
std::vector<PdfRect> PaintedRectangles(const std::string& contents, const PdfRect& paper) {
  std::vector<PdfRect> painted;
  std::vector<PdfRect> clips{paper};
  std::vector<std::string> words;
  PdfRect path{0, 0, 0, 0};
  std::istringstream in(contents);
  for (std::string word; in >> word; words.push_back(word)) {
    const size_t n = words.size();
    if (word == "re" && n >= 4) {
      const double x = std::stod(words[n - 4]), y = std::stod(words[n - 3]);
      path = {x, y, x + std::stod(words[n - 2]), y + std::stod(words[n - 1])};
    } else if (word == "W") {
      clips.back() = Intersect(clips.back(), path);
    } else if (word == "f" || word == "f*") {
      const PdfRect r = Intersect(path, clips.back());
      if (r.right > r.left && r.bottom > r.top) painted.push_back(r);
    } else if (word == "q") {
      clips.push_back(clips.back());
    } else if (word == "Q" && clips.size() > 1) {
      clips.pop_back();
    }
  }
  return painted;
}

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
  // A4 landscape at 300 dpi: 297 mm x 210 mm, less a margin of 6.4 mm (76
  // dots) on each side.
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALWIDTH), 3508);
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALHEIGHT), 2480);
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETX), 76);
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETY), 76);
  EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 3508 - 2 * 76);
  EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 2480 - 2 * 76);
  EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 284);
  EXPECT_EQ(dc.GetDeviceCaps(VERTSIZE), 197);

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

// Paint covering far more than the page reaches the paper only inside the
// printable area: the margins stay blank, and device point (0, 0) is the
// printable area's corner. At 72 dots per inch a dot is a PDF point.
TEST(Printer, PagesKeepThePrintersMargins) {
  platform::PrinterSettings letter;
  letter.paperSize = DMPAPER_LETTER;
  ASSERT_TRUE(platform::PaperDimensions(DMPAPER_LETTER, &letter.paperWidth, &letter.paperLength));
  letter.dpiX = letter.dpiY = 72;
  letter.margin = 127;  // half an inch: 36 points
  for (const int orientation : {DMORIENT_PORTRAIT, DMORIENT_LANDSCAPE}) {
    SCOPED_TRACE(orientation);
    letter.orientation = orientation;
    const bool landscape = orientation == DMORIENT_LANDSCAPE;
    const double paperWidth = landscape ? 792 : 612, paperHeight = landscape ? 612 : 792;
    const DEVMODEW mode = platform::MakeDevMode(letter);
    const platform::PrinterSettings saved = platform::DefaultPrinterSettings();
    platform::PrinterSettings withMargin = saved;
    withMargin.margin = letter.margin;
    platform::SetDefaultPrinterSettings(withMargin);
    CDC dc;
    ASSERT_TRUE(dc.CreateDC(u"WINSPOOL", u"Scrivel PDF Printer", nullptr, &mode));
    platform::SetDefaultPrinterSettings(saved);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETX), 36);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETY), 36);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), paperWidth - 72);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), paperHeight - 72);

    const testsupport::ScratchFolder folder("gdi_printer");
    const std::string path = folder / "gdi_margins.pdf";
    const std::u16string wide(path.begin(), path.end());
    DOCINFOW info{sizeof(DOCINFOW), u"Margins", wide.c_str(), nullptr, 0};
    ASSERT_GT(dc.StartDoc(&info), 0);
    ASSERT_GT(dc.StartPage(), 0);
    CBrush black(RGB(0, 0, 0));
    dc.FillRect(CRect(-5000, -5000, 5000, 5000), &black);
    CBrush red(RGB(255, 0, 0));
    dc.FillRect(CRect(0, 0, 10, 20), &red);  // the printable area's corner
    ASSERT_GT(dc.EndPage(), 0);
    ASSERT_GT(dc.EndDoc(), 0);

    const std::vector<std::string> streams = InflatedStreams(ReadFileBytes(path));
    ASSERT_FALSE(streams.empty());
    const std::vector<PdfRect> painted = PaintedRectangles(streams.front(), {0, 0, paperWidth, paperHeight});
    // The black covers the printable area exactly; the red lies at its corner.
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_NEAR(painted[0].left, 36, 0.01);
    EXPECT_NEAR(painted[0].top, 36, 0.01);
    EXPECT_NEAR(painted[0].right, paperWidth - 36, 0.01);
    EXPECT_NEAR(painted[0].bottom, paperHeight - 36, 0.01);
    EXPECT_NEAR(painted[1].left, 36, 0.01);
    EXPECT_NEAR(painted[1].top, 36, 0.01);
    EXPECT_NEAR(painted[1].right, 46, 0.01);
    EXPECT_NEAR(painted[1].bottom, 56, 0.01);
  }
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
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETX), 151);
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
