// The diagram's MDI frames: the main frame with its bars and the
// application's close path, child frames switching their own bars, the
// 2 x 2 split child and its numbered titles, and the document template's
// frame CDrawFrame with its tool bar; a diagram opening more views of
// itself and bringing back its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/res/DocumentStrings.h"
#include "diagram/testsupport/MessageBoxCapture.h"
#include "diagram/ui/DrawFrame.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/MultiControlBarChildFrame.h"
#include "diagram/ui/MultiControlBarMainFrame.h"
#include "diagram/ui/SplitFrame2x2.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/core/Charset.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Profile.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/MultiDocTemplate.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

namespace {

std::vector<std::string> g_log;

class CPaneView : public CView {
  DECLARE_DYNCREATE(CPaneView)

 protected:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPaneView, CView)

class CPlainDoc : public CDocument {
  DECLARE_DYNCREATE(CPlainDoc)
};
IMPLEMENT_DYNCREATE(CPlainDoc, CDocument)

class CLoggingChild : public CMultiControlBarChildFrame {
  DECLARE_DYNCREATE(CLoggingChild)

 public:
  void EnableChildSpecificControlBars(BOOL enable) override {
    g_log.push_back(std::string(enable ? "on " : "off ") + std::to_string(m_nWindow));
  }
};
IMPLEMENT_DYNCREATE(CLoggingChild, CMultiControlBarChildFrame)

class MdiFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkDiagramLibrary();
    g_log.clear();
    saved_ = platform::ProfilePath();
    platform::SetProfilePath(folder_.File("app.ini"));
  }
  void TearDown() override {
    if (::IsWindow(mainWindow_)) main->DestroyWindow();
    app.m_pMainWnd = nullptr;
    platform::SetProfilePath(saved_);
    // The main window's destruction asked the loop to quit.
    MSG quit;
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  void OpenMain() {
    main = new CMultiControlBarMainFrame;
    ASSERT_TRUE(main->Create(u"AfxWnd", u"Diagrams", WS_OVERLAPPEDWINDOW, CRect(10, 10, 810, 610)));
    mainWindow_ = main->m_hWnd;
    app.m_pMainWnd = main;
    main->ShowWindow(SW_SHOW);
  }
  CMultiDocTemplate* AddTemplate(UINT id, CRuntimeClass* doc, CRuntimeClass* frame, CRuntimeClass* view) {
    auto* docTemplate = new CMultiDocTemplate(id, doc, frame, view);
    app.AddDocTemplate(docTemplate);
    return docTemplate;
  }
  static std::string Text(CWnd* wnd) {
    CStringW text;
    wnd->GetWindowText(text);
    return platform::Utf16ToUtf8(text.str());
  }

  diagramtest::ScratchFolder folder_;
  std::filesystem::path saved_;
  CWinApp app{u"Diagram host"};
  CMultiControlBarMainFrame* main = nullptr;
  HWND mainWindow_ = nullptr;
};

TEST_F(MdiFrames, TheMainFrameKeepsItsPlacementAndDisabledBarsAndClosesItsDocuments) {
  OpenMain();
  CDocTemplate* docTemplate = AddTemplate(9991, RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CSplitFrame2x2),
                                          RUNTIME_CLASS(CPaneView));
  ASSERT_NE(main->m_wndToolBar.GetSafeHwnd(), nullptr);
  ASSERT_NE(main->m_wndStatusBar.GetSafeHwnd(), nullptr);
  CStringW caption;
  main->m_wndToolBar.GetWindowText(caption);
  EXPECT_EQ(caption, CStringW(u"Standard Tools"));
  ASSERT_NE(app.OpenDocumentFile(nullptr), nullptr);
  main->MoveWindow(CRect(30, 40, 730, 540));
  main->EnableControlBar(AFX_IDW_TOOLBAR, FALSE);
  platform::PumpPendingMessages();
  EXPECT_FALSE(main->m_wndToolBar.IsVisible());
  main->SendMessage(WM_CLOSE);
  EXPECT_FALSE(::IsWindow(mainWindow_));
  EXPECT_EQ(docTemplate->GetFirstDocPosition(), nullptr) << "the application closed its documents";
  CStringW barKey;
  barKey.Format(u"Bar%d", AFX_IDW_TOOLBAR);
  EXPECT_EQ(platform::GetProfileString(u"DrawFrame", barKey, u""), CStringW(u"DV"));

  OpenMain();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  main->GetWindowPlacement(&placement);
  EXPECT_EQ(CRect(placement.rcNormalPosition), CRect(30, 40, 730, 540));
  EXPECT_EQ(main->GetBarDVState(&main->m_wndToolBar), CMultiControlBarMainFrame::barDisabledVisible);
  EXPECT_FALSE(main->m_wndToolBar.IsVisible());
  main->EnableControlBar(AFX_IDW_TOOLBAR, TRUE);
  platform::PumpPendingMessages();
  EXPECT_TRUE(main->m_wndToolBar.IsVisible()) << "disabled while visible: back when enabled";
}

TEST_F(MdiFrames, CancellingTheSaveQuestionKeepsTheMainFrameAndWritesNothing) {
  OpenMain();
  AddTemplate(9991, RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CSplitFrame2x2), RUNTIME_CLASS(CPaneView));
  app.OpenDocumentFile(nullptr)->SetModifiedFlag();
  platform::ScopedMessageBoxHandler cancel([](const platform::MessageBoxRequest&) { return IDCANCEL; });
  main->SendMessage(WM_CLOSE);
  EXPECT_TRUE(::IsWindow(mainWindow_));
  EXPECT_EQ(platform::GetProfileString(u"DrawFrame", u"WindowPos", u""), CStringW());
  main->GetActiveDocument()->SetModifiedFlag(FALSE);
}

TEST_F(MdiFrames, AChildSwitchesItsOwnBarsOffBeforeLosingTheActivationAndOnAfterGainingIt) {
  OpenMain();
  CDocTemplate* docTemplate = AddTemplate(9991, RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CLoggingChild),
                                          RUNTIME_CLASS(CPaneView));
  CDocument* doc = docTemplate->OpenDocumentFile(nullptr);
  CMDIChildWnd* first = main->MDIGetActive();
  CFrameWnd* second = docTemplate->CreateNewFrame(doc, first);
  g_log.clear();
  docTemplate->InitialUpdateFrame(second, doc);
  EXPECT_EQ(g_log, (std::vector<std::string>{"off 1", "on 2"}));
}

TEST_F(MdiFrames, TheSplitChildIsTitledWithViewTypeHostAndWindowNumber) {
  OpenMain();
  CDocTemplate* docTemplate = AddTemplate(9991, RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CSplitFrame2x2),
                                          RUNTIME_CLASS(CPaneView));
  CDocument* doc = docTemplate->OpenDocumentFile(nullptr);
  auto* first = static_cast<CSplitFrame2x2*>(main->MDIGetActive());
  EXPECT_EQ(first->m_wndSplitter.GetMinPaneSize(), CSize(10, 10));
  EXPECT_NE(dynamic_cast<CPaneView*>(first->m_wndSplitter.GetPane(0, 0)), nullptr);
  first->SetNameOfHostCFB(u"host");
  first->OnUpdateFrameTitle(TRUE);
  EXPECT_EQ(Text(first), "Untitled1 (Graph):host");
  auto* second = static_cast<CSplitFrame2x2*>(docTemplate->CreateNewFrame(doc, first));
  second->SetTypeOfView(u"");
  docTemplate->InitialUpdateFrame(second, doc);
  EXPECT_EQ(Text(first), "Untitled1 (Graph):host:1");
  EXPECT_EQ(Text(second), "Untitled1:2");
  EXPECT_EQ(Text(main), "Diagrams - Untitled1:2") << "the main frame's title first";
}

TEST_F(MdiFrames, DiagramDocumentsOpenInTheDrawFrameWithItsToolBarAndSplitViews) {
  OpenMain();
  AddTemplate(IDR_DRAWTYPE, RUNTIME_CLASS(CDrawDoc), RUNTIME_CLASS(CDrawFrame), RUNTIME_CLASS(CDrawView));
  CDocument* doc = app.OpenDocumentFile(nullptr);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), CStringW(u"Draw1"));
  auto* frame = dynamic_cast<CDrawFrame*>(main->MDIGetActive());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Text(main), "Diagrams - Draw1");
  CToolBar& bar = frame->m_wndToolBar;
  EXPECT_EQ(bar.GetDlgCtrlID(), 28001);
  const std::vector<UINT> expected = {57020, 57012, 57011, 57014, 57018, 57019, 57013, 57016, 57017,
                                      57021, 0,     57030, 57028, 57034, 57033, 57029, 57038, 57039,
                                      57053, 0,     57060, 57064, 57068, 57069, 57066, 57062, 57070};
  std::vector<UINT> buttons;
  for (int i = 0; i < bar.GetCount(); ++i) buttons.push_back(bar.GetItemID(i));
  EXPECT_EQ(buttons, expected);
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP), bar.GetDockBar()) << "docked at the top";
  EXPECT_NE(dynamic_cast<CDrawView*>(frame->m_wndSplitter.GetPane(0, 0)), nullptr);
  EXPECT_EQ(frame->m_wndSplitter.GetDlgCtrlID(), 59648);

  struct Probe : CCmdUI {
    int checked = -1;
    void SetCheck(int check) override { checked = check; }
  };
  for (int check : {0, 1}) {
    main->SendMessage(WM_COMMAND, CDrawFrame::kToggleToolBarCommand);
    EXPECT_EQ(bar.IsVisible(), check == 1);
    Probe probe;
    probe.m_nID = CDrawFrame::kToggleToolBarCommand;
    probe.DoUpdate(main, TRUE);
    EXPECT_EQ(probe.checked, check);
  }
}

}  // namespace

TEST_F(MdiFrames, ADiagramOpensMoreViewsOfItselfAndBringsBackItsOwn) {
  OpenMain();
  CMultiDocTemplate* docTemplate = AddTemplate(IDR_DRAWTYPE, RUNTIME_CLASS(CDrawDoc),
                                               RUNTIME_CLASS(CMultiControlBarChildFrame), RUNTIME_CLASS(CDrawView));
  auto* doc = dynamic_cast<CDrawDoc*>(docTemplate->OpenDocumentFile(nullptr));
  ASSERT_NE(doc, nullptr);
  CDiagram* diagram = doc->GetDiagram();
  auto* first = dynamic_cast<CDrawView*>(diagram->OpenDiagramView(RUNTIME_CLASS(CDrawView)));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetDiagram(), diagram);
  EXPECT_EQ(diagram->OpenDiagramView(RUNTIME_CLASS(CPaneView)), nullptr);

  ASSERT_EQ(diagram->CreateDiagramView(docTemplate), 1);
  std::vector<CDrawView*> views;
  for (POSITION pos = doc->GetFirstViewPosition(); pos;) views.push_back(dynamic_cast<CDrawView*>(doc->GetNextView(pos)));
  ASSERT_EQ(views.size(), 2u);
  CDrawView* second = views[0] == first ? views[1] : views[0];
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetDiagram(), diagram);
  EXPECT_EQ(doc->GetActiveDiagram(), diagram);

  // The first view whose frame is not minimised comes back; with every
  // frame minimised the last view's frame is shown again.
  first->GetParentFrame()->ShowWindow(SW_MINIMIZE);
  EXPECT_EQ(diagram->OpenDiagramView(RUNTIME_CLASS(CDrawView)), second);
  second->GetParentFrame()->ShowWindow(SW_MINIMIZE);
  CView* last = views.back();
  EXPECT_EQ(diagram->OpenDiagramView(RUNTIME_CLASS(CDrawView)), last);
  EXPECT_FALSE(last->GetParentFrame()->IsIconic());

  diagramtest::MessageBoxCapture record;
  const std::vector<CStringW>& shown = record.texts;
  EXPECT_EQ(diagram->CreateDiagramView(nullptr), 0);
  EXPECT_EQ(shown, std::vector<CStringW>{CStringW(u"The command could not be carried out.")});
}
