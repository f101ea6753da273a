// An MDI main frame with child frames made through a multi-document
// template: activation, window numbers and titles, command routing, closing
// a child and the application's close path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/MessageBox.h"
#include "platform/ui/Document.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/MultiDocTemplate.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

std::vector<std::string> g_mdiLog;

class CMdiTestDoc : public CDocument {
  DECLARE_DYNCREATE(CMdiTestDoc)

 public:
  ~CMdiTestDoc() override { g_mdiLog.push_back("document deleted " + uitest::Utf8(GetTitle())); }
  BOOL OnOpenDocument(LPCWSTR path) override { return CStringW(path) == u"good.doc"; }
  afx_msg void OnDocCommand() { g_mdiLog.push_back("command " + uitest::Utf8(GetTitle())); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMdiTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CMdiTestDoc, CDocument)
  ON_COMMAND(100, OnDocCommand)
END_MESSAGE_MAP()

class CMdiTestView : public CView {
  DECLARE_DYNCREATE(CMdiTestView)

 protected:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CMdiTestView, CView)

class CMdiTestChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CMdiTestChild)

 protected:
  afx_msg void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) {
    CStringW text;
    GetWindowText(text);
    g_mdiLog.push_back((activate ? "activate " : "deactivate ") + uitest::Utf8(text));
    CMDIChildWnd::OnMDIActivate(activate, activateWnd, deactivateWnd);
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMdiTestChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CMdiTestChild, CMDIChildWnd)
  ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

class MDIFrameTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    g_mdiLog.clear();
    main = new CMDIFrameWnd;
    ASSERT_TRUE(main->Create(u"AfxWnd", u"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
    mainWindow = main->m_hWnd;
    app.m_pMainWnd = main;
    docTemplate = new CMultiDocTemplate(9990, RUNTIME_CLASS(CMdiTestDoc), RUNTIME_CLASS(CMdiTestChild),
                                        RUNTIME_CLASS(CMdiTestView));
    app.AddDocTemplate(docTemplate);
  }
  void TearDown() override {
    if (::IsWindow(mainWindow)) main->DestroyWindow();
    app.m_pMainWnd = nullptr;
    UiTest::TearDown();
  }
  static std::string Text(CWnd* wnd) {
    CStringW text;
    wnd->GetWindowText(text);
    return uitest::Utf8(text);
  }
  int DocCount() const {
    int count = 0;
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos; docTemplate->GetNextDoc(pos)) ++count;
    return count;
  }

  CWinApp app{u"Host"};
  CMDIFrameWnd* main = nullptr;
  HWND mainWindow = nullptr;
  CMultiDocTemplate* docTemplate = nullptr;
};

TEST_F(MDIFrameTest, NewDocumentsOpenInActivatedChildFramesAndCommandsReachTheActiveOne) {
  CDocument* first = app.OpenDocumentFile(nullptr);
  ASSERT_NE(first, nullptr);
  CMDIChildWnd* firstFrame = main->MDIGetActive();
  ASSERT_NE(firstFrame, nullptr);
  EXPECT_EQ(first->GetTitle(), CStringW(u"Untitled1")) << "no resource string: the plain document name";
  EXPECT_EQ(first->GetDocTemplate(), docTemplate);
  EXPECT_EQ(firstFrame->GetMDIFrame(), main);
  EXPECT_EQ(::GetParent(firstFrame->m_hWnd), main->GetMDIClient()->m_hWnd);
  CDocument* second = docTemplate->OpenDocumentFile(nullptr);
  CMDIChildWnd* secondFrame = main->MDIGetActive();
  ASSERT_NE(secondFrame, firstFrame);
  EXPECT_EQ(main->GetMDIChildCount(), 2);
  EXPECT_EQ(Text(main), "Main - Untitled2");
  EXPECT_EQ(main->GetActiveDocument(), second);
  EXPECT_EQ(main->GetActiveFrame(), secondFrame);
  EXPECT_EQ(CWnd::GetFocus(), secondFrame->GetActiveView()) << "the activated child's view has the focus";
  g_mdiLog.clear();
  main->SendMessage(WM_COMMAND, 100);
  firstFrame->MDIActivate();
  main->SendMessage(WM_COMMAND, 100);
  EXPECT_EQ(g_mdiLog, (std::vector<std::string>{"command Untitled2", "deactivate Untitled2", "activate Untitled1",
                                             "command Untitled1"}));
  EXPECT_EQ(Text(main), "Main - Untitled1");
  // Activating a window that is not one of the children changes nothing.
  main->MDIActivate(main);
  EXPECT_EQ(main->MDIGetActive(), firstFrame);
}

TEST_F(MDIFrameTest, SeveralFramesOfOneDocumentAreNumberedAndTheLastOneClosesTheDocument) {
  CDocument* doc = app.OpenDocumentFile(nullptr);
  CMDIChildWnd* firstFrame = main->MDIGetActive();
  auto* secondFrame = static_cast<CMDIChildWnd*>(docTemplate->CreateNewFrame(doc, firstFrame));
  ASSERT_NE(secondFrame, nullptr);
  docTemplate->InitialUpdateFrame(secondFrame, doc);
  EXPECT_EQ(firstFrame->m_nWindow, 1);
  EXPECT_EQ(secondFrame->m_nWindow, 2);
  EXPECT_EQ(Text(firstFrame), "Untitled1:1");
  EXPECT_EQ(Text(secondFrame), "Untitled1:2");
  EXPECT_EQ(Text(main), "Main - Untitled1:2");
  g_mdiLog.clear();
  secondFrame->SendMessage(WM_CLOSE);
  EXPECT_EQ(main->MDIGetActive(), firstFrame) << "the remaining child takes over";
  EXPECT_EQ(firstFrame->m_nWindow, 0);
  EXPECT_EQ(Text(firstFrame), "Untitled1");
  EXPECT_EQ(DocCount(), 1);
  firstFrame->SendMessage(WM_CLOSE);
  EXPECT_EQ(g_mdiLog.back(), "document deleted Untitled1");
  EXPECT_EQ(DocCount(), 0);
  EXPECT_EQ(main->MDIGetActive(), nullptr);
  EXPECT_EQ(Text(main), "Main");
}

TEST_F(MDIFrameTest, AFileThatFailsToOpenLeavesNoDocumentOrFrame) {
  EXPECT_EQ(docTemplate->OpenDocumentFile(u"bad.doc"), nullptr);
  EXPECT_EQ(DocCount(), 0);
  EXPECT_EQ(main->GetMDIChildCount(), 0);
  CDocument* doc = docTemplate->OpenDocumentFile(u"good.doc");
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), CStringW(u"good.doc"));
  EXPECT_EQ(main->GetMDIChildCount(), 1);
}

// Closes the main frame with a modified document open, answering the
// question about saving it with `answer`; true when the frame went.
bool CloseMainAnswering(CMDIFrameWnd* main, int answer, int* asked) {
  platform::ScopedMessageBoxHandler handler([&](const platform::MessageBoxRequest&) {
    ++*asked;
    return answer;
  });
  HWND hwnd = main->m_hWnd;
  main->SendMessage(WM_CLOSE);
  return !::IsWindow(hwnd);
}

TEST_F(MDIFrameTest, CancellingTheSaveQuestionKeepsTheMainFrameAndItsDocuments) {
  CDocument* doc = app.OpenDocumentFile(nullptr);
  doc->SetModifiedFlag();
  int asked = 0;
  EXPECT_FALSE(CloseMainAnswering(main, IDCANCEL, &asked));
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(main->IsWindowVisible());
  EXPECT_EQ(main->GetActiveDocument(), doc);
  doc->SetModifiedFlag(FALSE);
}

TEST_F(MDIFrameTest, ClosingTheMainFrameHidesTheApplicationAndClosesEveryDocument) {
  app.OpenDocumentFile(nullptr)->SetModifiedFlag();
  app.OpenDocumentFile(nullptr)->SetModifiedFlag();
  g_mdiLog.clear();
  int asked = 0;
  EXPECT_TRUE(CloseMainAnswering(main, IDNO, &asked));
  EXPECT_EQ(asked, 2) << "each modified document asks once, the active one too";
  EXPECT_EQ(DocCount(), 0);
  EXPECT_EQ(g_mdiLog, (std::vector<std::string>{"document deleted Untitled1", "document deleted Untitled2"}));
}

}  // namespace
