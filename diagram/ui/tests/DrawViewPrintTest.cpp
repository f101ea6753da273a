// Printing a diagram: each printed page shows its own page of the canvas,
// row by row, in both y directions.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "diagram/model/tests/DownDiagram.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/PdfPrinter.h"
#include "platform/gdi/tests/PdfTestSupport.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/WinApp.h"

namespace {

using diagramtest::DownDiagram;

class DrawViewPrint : public ::testing::TestWithParam<bool> {};

TEST_P(DrawViewPrint, PageFourOfATwoAcrossDiagramIsRowTwoColumnTwo) {
  const bool upward = GetParam();
  viewtest::ViewHarness<CDrawView> h;
  DownDiagram down;
  if (!upward) {
    down.SetDocument(&h.doc);
    h.doc.SetActiveDiagram(&down);
    h.diagram = &down;
  }
  h.Open(2, 3);
  const CRect canvas = h.diagram->GetRect();
  const CSize page = h.diagram->GetPageSize();

  auto recorder = std::make_shared<platform::DrawingRecorder>();
  CDC dc;
  dc.Attach(platform::CreateRecordingDc(recorder));
  dc.m_bPrinting = TRUE;
  CPrintInfo info;
  info.m_nCurPage = 4;
  h.view.OnPrepareDC(&dc, &info);
  // The page's top-left corner is the device origin.
  CPoint corner(canvas.left + page.cx, upward ? canvas.top - page.cy : canvas.top + page.cy);
  dc.LPtoDP(&corner);
  EXPECT_EQ(corner, CPoint(0, 0));
  // Paper is not zoomed: a hundredth of an inch is a hundredth of the
  // device's inch.
  CSize inch(100, 100);
  dc.LPtoDP(&inch);
  EXPECT_EQ(std::abs(inch.cx), dc.GetDeviceCaps(LOGPIXELSX));
  if (!upward) {
    h.view.DestroyWindow();
    h.doc.SetActiveDiagram(h.doc.GetDiagram());
  }
}

TEST(DrawViewPrinting, ThePrintCommandPrintsEveryPageOfTheCanvas) {
  LinkDiagramLibrary();
  viewtest::SavedViewOptions saved;
  const testsupport::ScratchFolder scratch("draw_view_print");
  const std::filesystem::path folder = scratch.path();
  const std::string savedFolder = platform::PrinterOutputFolder();
  platform::SetPrinterOutputFolder(folder.string());
  {
    CDrawDoc doc;
    doc.SetTitle(u"four pages");
    doc.GetDiagram()->SetDocument(&doc);
    ASSERT_TRUE(doc.GetDiagram()->SetCanvasSize(2, 2));
    auto* frame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDrawView);
    context.m_pCurrentDoc = &doc;
    ASSERT_TRUE(frame->Create(u"AfxWnd", u"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, nullptr, 0,
                              &context));
    frame->InitialUpdateFrame(&doc);
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(pdf_test::FilePageCount((folder / "four pages.pdf").string()), 4);
    frame->DestroyWindow();
  }
  platform::SetPrinterOutputFolder(savedFolder);
}

// Printing gives the diagram the printer's printable area as its page size,
// so a page of the canvas fills the paper inside the printer's margins: its
// far corner lands on the printable area's far corner, within a millimetre.
TEST(DrawViewPrinting, ACanvasPageFillsThePrintableAreaInsideTheMargins) {
  viewtest::SavedViewOptions saved;
  const testsupport::ScratchFolder scratch("draw_view_print");
  const std::string savedFolder = platform::PrinterOutputFolder();
  const std::filesystem::path folder = scratch.path();
  platform::SetPrinterOutputFolder(folder.string());
  {
    viewtest::ViewHarness<CDrawView> h;
    h.doc.SetTitle(u"margins");
    h.Open(2, 2);
    h.view.SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    ASSERT_EQ(pdf_test::FilePageCount((folder / "margins.pdf").string()), 4);
    CDC printer;
    ASSERT_TRUE(printer.CreateIC(u"WINSPOOL", u"Scrivel PDF Printer", nullptr, nullptr));
    printer.m_bPrinting = TRUE;
    ASSERT_GT(printer.GetDeviceCaps(PHYSICALOFFSETX), 0) << "the printer keeps a margin";
    const CRect canvas = h.diagram->GetRect();
    const CSize page = h.diagram->GetPageSize();
    for (UINT number = 1; number <= 4; ++number) {
      CPrintInfo info;
      info.m_nCurPage = number;
      h.view.OnPrepareDC(&printer, &info);
      const LONG column = static_cast<LONG>((number - 1) % 2), row = static_cast<LONG>((number - 1) / 2);
      CPoint nearCorner(canvas.left + column * page.cx, canvas.top - row * page.cy);
      CPoint farCorner(nearCorner.x + page.cx, nearCorner.y - page.cy);
      printer.LPtoDP(&nearCorner);
      printer.LPtoDP(&farCorner);
      EXPECT_EQ(nearCorner, CPoint(0, 0)) << number;
      const int millimetre = printer.GetDeviceCaps(LOGPIXELSX) * 10 / 254;
      EXPECT_LE(farCorner.x, printer.GetDeviceCaps(HORZRES)) << number;
      EXPECT_GE(farCorner.x, printer.GetDeviceCaps(HORZRES) - millimetre) << number;
      EXPECT_LE(farCorner.y, printer.GetDeviceCaps(VERTRES)) << number;
      EXPECT_GE(farCorner.y, printer.GetDeviceCaps(VERTRES) - millimetre) << number;
    }
  }
  CDiagram::UpdatePrinterPageSize(nullptr);
  platform::SetPrinterOutputFolder(savedFolder);
}

// The printed page's width and height in points, from the first MediaBox.
CSize PdfPageSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  const std::string pdf = s.str();
  const size_t box = pdf.find("/MediaBox [");
  if (box == std::string::npos) return CSize(0, 0);
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::istringstream numbers(pdf.substr(box + 11, 64));
  numbers >> x0 >> y0 >> x1 >> y1;
  return CSize(static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
}

short AppOrientation(CWinApp& app) {
  PRINTDLG pd{};
  if (!app.GetPrinterDeviceDefaults(&pd)) return 0;
  const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(pd.hDevMode));
  const short orientation = mode ? mode->dmOrientation : 0;
  GlobalUnlock(pd.hDevMode);
  return orientation;
}

// A diagram with a landscape page set-up of its own, printed on an upright
// application printer: without the printer defaults the diagram's set-up is
// printed and stays the diagram's; with them the application's printer is.
TEST(DrawViewPrinting, WithoutPrinterDefaultsTheDiagramsOwnSetUpIsPrinted) {
  LinkDiagramLibrary();
  viewtest::SavedViewOptions saved;
  CWinApp app{u"Print host"};
  const BOOL usedDefaults = CDrawDoc::m_bUsePrinterDefaults;
  const testsupport::ScratchFolder scratch("draw_view_print_setup");
  const std::filesystem::path folder = scratch.path();
  const std::string savedFolder = platform::PrinterOutputFolder();
  platform::SetPrinterOutputFolder(folder.string());
  struct Case {
    BOOL usePrinterDefaults;
    short printed;
  };
  for (const Case& c : {Case{FALSE, DMORIENT_LANDSCAPE}, Case{TRUE, DMORIENT_PORTRAIT}}) {
    SCOPED_TRACE(c.usePrinterDefaults ? "printer defaults" : "the diagram's set-up");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    app.SelectPrinter(nullptr, nullptr);  // the default printer, upright
    CDiagram::UpdatePrinterPageSize(nullptr);
    {
      CDrawDoc doc;
      doc.SetTitle(u"setup");
      CDiagram* diagram = doc.GetDiagram();
      diagram->SetDocument(&doc);
      CDrawDoc::m_bUsePrinterDefaults = TRUE;
      CPrintDialog landscape(FALSE);
      ASSERT_TRUE(landscape.GetDefaults());
      auto* mode = static_cast<DEVMODEW*>(GlobalLock(landscape.m_pd.hDevMode));
      mode->dmOrientation = DMORIENT_LANDSCAPE;
      mode->dmFields |= DM_ORIENTATION;
      GlobalUnlock(landscape.m_pd.hDevMode);
      CDiagram::UpdatePrinterPageSize(&landscape);
      diagram->SavePrinterSetup();
      GlobalFree(landscape.m_pd.hDevMode);
      GlobalFree(landscape.m_pd.hDevNames);
      CDiagram::UpdatePrinterPageSize(nullptr);
      ASSERT_EQ(diagram->GetSavedOrientation(), DMORIENT_LANDSCAPE);
      ASSERT_EQ(AppOrientation(app), DMORIENT_PORTRAIT);
      doc.ClearUndoStack();
      doc.SetModifiedFlag(FALSE);

      CDrawDoc::m_bUsePrinterDefaults = c.usePrinterDefaults;
      auto* frame = new CFrameWnd;
      CCreateContext context;
      context.m_pNewViewClass = RUNTIME_CLASS(CDrawView);
      context.m_pCurrentDoc = &doc;
      ASSERT_TRUE(frame->Create(u"AfxWnd", u"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, nullptr, 0,
                                &context));
      frame->InitialUpdateFrame(&doc);
      frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
      EXPECT_EQ(AppOrientation(app), c.printed);
      const CSize page = PdfPageSize((folder / "setup.pdf").string());
      EXPECT_EQ(page.cx > page.cy, c.printed == DMORIENT_LANDSCAPE) << page.cx << " x " << page.cy;
      EXPECT_EQ(diagram->GetSavedOrientation(), c.usePrinterDefaults ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE);
      if (!c.usePrinterDefaults) {
        EXPECT_EQ(doc.GetNextUndoCmdName(), nullptr) << "printing changed no set-up";
      }
      frame->DestroyWindow();
      doc.ClearUndoStack();
    }
  }
  app.SelectPrinter(nullptr, nullptr);
  CDrawDoc::m_bUsePrinterDefaults = usedDefaults;
  CDiagram::UpdatePrinterPageSize(nullptr);
  platform::SetPrinterOutputFolder(savedFolder);
}

// A view whose print preparation a test calls.
class PreparingView : public CDrawView {
 public:
  using CDrawView::OnPreparePrinting;
};

TEST(DrawViewPrinting, APrinterWhosePagesNeedMoreOfThemRaisesTheLastPageOfTheJob) {
  struct Case {
    const char* what;
    DWORD range;
    WORD to;  // the last page printed
  };
  const BOOL usedDefaults = CDrawDoc::m_bUsePrinterDefaults;
  CDrawDoc::m_bUsePrinterDefaults = TRUE;
  for (const Case& c : {Case{"all pages", PD_ALLPAGES, 3}, Case{"a page range", PD_PAGENUMS, 2}}) {
    CDiagram::UpdatePrinterPageSize(nullptr);  // letter, upright
    viewtest::ViewHarness<PreparingView> h;
    h.Open(1, 2);
    // Near the foot of the lower page: landscape pages are lower, so the
    // drawing then needs a third page down.
    const CRect canvas = h.diagram->GetRect();
    ASSERT_TRUE(h.diagram->Add(
        new CDrawObj(CRect(canvas.left + 10, canvas.bottom + 60, canvas.left + 60, canvas.bottom + 10))));
    CPrintInfo info;
    info.m_bDirect = TRUE;
    CPrintDialog& dialog = *info.m_pPD;
    ASSERT_TRUE(dialog.GetDefaults());
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(dialog.m_pd.hDevMode));
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmFields |= DM_ORIENTATION;
    GlobalUnlock(dialog.m_pd.hDevMode);
    dialog.m_pd.hDC = dialog.CreatePrinterDC();
    dialog.m_pd.Flags = (dialog.m_pd.Flags & ~(PD_PAGENUMS | PD_SELECTION)) | c.range;
    ASSERT_TRUE(h.view.OnPreparePrinting(&info)) << c.what;
    EXPECT_EQ(h.diagram->GetCanvasSize(), CSize(1, 3)) << c.what;
    EXPECT_EQ(info.GetMaxPage(), 3u) << c.what;
    EXPECT_EQ(dialog.m_pd.nToPage, c.to) << c.what;
    h.doc.ClearUndoStack();
  }
  CDiagram::UpdatePrinterPageSize(nullptr);
  CDrawDoc::m_bUsePrinterDefaults = usedDefaults;
}

INSTANTIATE_TEST_SUITE_P(UpAndDown, DrawViewPrint, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "YUp" : "YDown"; });

}  // namespace
