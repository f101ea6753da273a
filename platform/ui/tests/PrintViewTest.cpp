// The standard print command of a view: the print dialog through the modal
// driver, the page loop on the PDF printer, and the job's failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/PdfPrinter.h"
#include "platform/gdi/tests/PdfTestSupport.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/StandardIds.h"
#include "platform/ui/View.h"
#include "platform/ui/tests/DialogFixture.h"

namespace {

std::vector<std::string> g_print;

class CPagedView : public CView {
  DECLARE_DYNCREATE(CPagedView)

 public:
  UINT pages = 2;
  UINT throwOnPage = 0;

 protected:
  void OnDraw(CDC* dc) override { dc->TextOut(100, 100, CStringW(u"page")); }
  BOOL OnPreparePrinting(CPrintInfo* info) override {
    info->SetMaxPage(pages);
    return DoPreparePrinting(info);
  }
  void OnBeginPrinting(CDC* dc, CPrintInfo*) override {
    g_print.push_back(dc->IsPrinting() ? "begin" : "begin on screen");
  }
  void OnPrepareDC(CDC* dc, CPrintInfo* info) override {
    CView::OnPrepareDC(dc, info);
    if (info) g_print.push_back("prepare " + std::to_string(info->m_nCurPage));
  }
  void OnPrint(CDC* dc, CPrintInfo* info) override {
    if (info->m_nCurPage == throwOnPage) throw CUserException();
    EXPECT_GT(info->m_rectDraw.Width(), 1000) << "the whole printable page";
    g_print.push_back("print " + std::to_string(info->m_nCurPage));
    CView::OnPrint(dc, info);
  }
  void OnEndPrinting(CDC*, CPrintInfo*) override { g_print.push_back("end"); }
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CPagedView, CView)
BEGIN_MESSAGE_MAP(CPagedView, CView)
  ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
END_MESSAGE_MAP()

class PrintViewTest : public uitest::DialogFixture {
 protected:
  platform::ResourceSet Resources() override { return platform::ResourceSet(); }
  void SetUp() override {
    DialogFixture::SetUp();
    g_print.clear();
    folder = scratch.path();
    savedFolder = platform::PrinterOutputFolder();
    platform::SetPrinterOutputFolder(folder.string());
    doc.m_bAutoDelete = FALSE;
    doc.SetTitle(u"two pages");
    frame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CPagedView);
    context.m_pCurrentDoc = &doc;
    ASSERT_TRUE(frame->Create(u"AfxWnd", u"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, nullptr, 0,
                              &context));
    view = static_cast<CPagedView*>(context.m_pLastView);
    frame->InitialUpdateFrame(&doc);
  }
  void TearDown() override {
    frame->DestroyWindow();
    platform::SetPrinterOutputFolder(savedFolder);
    DialogFixture::TearDown();
  }
  std::string Output() const { return (folder / "two pages.pdf").string(); }

  testsupport::ScratchFolder scratch{"print_view"};
  std::filesystem::path folder;
  std::string savedFolder;
  CDocument doc;
  CFrameWnd* frame = nullptr;
  CPagedView* view = nullptr;
};

TEST_F(PrintViewTest, ThePrintCommandPrintsEachPageBetweenBeginAndEnd) {
  scripts.push_back([](platform::ModalSession& s) {
    EXPECT_EQ(uitest::Utf8(s.Caption()), "Print");
    s.Click(IDOK);
  });
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  EXPECT_EQ(g_print, (std::vector<std::string>{"begin", "prepare 1", "prepare 1", "print 1", "prepare 2", "prepare 2",
                                               "print 2", "end"}));
  EXPECT_EQ(pdf_test::FilePageCount(Output()), 2);
  EXPECT_TRUE(frame->IsWindowEnabled()) << "enabled again after the job";
}

TEST_F(PrintViewTest, TheUsersPageRangeAndTheUnknownLengthLimitThePages) {
  scripts.push_back([](platform::ModalSession& s) {
    s.Click(rad3);
    s.EnterText(edt1, CStringW(u"2"));
    s.EnterText(edt2, CStringW(u"2"));
    s.Click(IDOK);
  });
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  EXPECT_EQ(g_print, (std::vector<std::string>{"begin", "prepare 2", "prepare 2", "print 2", "end"}));
  EXPECT_EQ(pdf_test::FilePageCount(Output()), 1);

  // A view that never says how many pages it has prints one.
  g_print.clear();
  view->pages = 0xFFFF;
  scripts.push_back([](platform::ModalSession& s) { s.Click(IDOK); });
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  EXPECT_EQ(g_print, (std::vector<std::string>{"begin", "prepare 1", "prepare 1", "print 1", "prepare 2", "end"}));
  EXPECT_EQ(pdf_test::FilePageCount(Output()), 1);
}

TEST_F(PrintViewTest, DirectPrintingShowsNoDialog) {
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(modalRuns, 0);
  EXPECT_EQ(pdf_test::FilePageCount(Output()), 2);
}

TEST_F(PrintViewTest, ACancelledDialogPrintsNothing) {
  scripts.push_back([](platform::ModalSession& s) { s.Click(IDCANCEL); });
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  EXPECT_TRUE(g_print.empty());
  EXPECT_FALSE(std::filesystem::exists(Output()));
}

TEST_F(PrintViewTest, AFailureWhilePrintingAbortsTheJobAndLeavesNoFile) {
  view->throwOnPage = 2;
  scripts.push_back([](platform::ModalSession& s) { s.Click(IDOK); });
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
  EXPECT_EQ(g_print.back(), "end");
  EXPECT_FALSE(std::filesystem::exists(Output()));
  EXPECT_TRUE(std::filesystem::is_empty(folder)) << "no temporary file either";
}

TEST_F(PrintViewTest, AJobThatCannotStartIsReported) {
  platform::SetPrinterOutputFolder((folder / "missing" / "deeper").string());
  uitest::MessageBoxRecorder boxes;
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(g_print, (std::vector<std::string>{"begin", "end"}));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Failed to start the print job.");
}

}  // namespace
