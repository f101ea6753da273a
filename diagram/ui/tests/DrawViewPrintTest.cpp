// Printing a diagram: each printed page shows its own page of the canvas,
// row by row, in both y directions.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "diagram/model/tests/DownDiagram.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/PdfPrinter.h"
#include "platform/gdi/tests/PdfTestSupport.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/StandardIds.h"

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
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "draw_view_print";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
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
  std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(UpAndDown, DrawViewPrint, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "YUp" : "YDown"; });

}  // namespace
