// The routing-failure report and the routing options sheet, run through the
// modal driver as a user sees them.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/ArcRouter.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/MessageBoxCapture.h"
#include "diagram/ui/ArcRouteAutoDlg.h"
#include "diagram/ui/ArcRouteDlg.h"
#include "diagram/ui/ArcRouteGeneralDlg.h"
#include "diagram/ui/Failed2RouteDlg.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/CreateContext.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/WinApp.h"

namespace {

// What the failure dialog showed.
struct FailureShown {
  int opened = 0;
  CStringW countText;
  bool selectedTextVisible = false;
};

// A diagram with two blocks joined by two arcs, shown by the active view of
// the application's main frame.
class FramedRouting : public ::testing::Test {
 protected:
  void SetUp() override {
    doctest::LinkLibrary();
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDrawView);
    context.m_pCurrentDoc = &doc;
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(u"AfxWnd", u"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, nullptr, 0,
                              &context));
    frameWindow = frame->m_hWnd;
    frame->InitialUpdateFrame(&doc, TRUE);
    view = static_cast<CDrawView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    app.m_pMainWnd = frame;

    const CPoint origin = diagram->GetRect().TopLeft();
    CDrawBlock* source = PlaceBlock(2, CPoint(origin.x + 50, origin.y - 50));
    CDrawBlock* target = PlaceBlock(200, CPoint(origin.x + 400, origin.y - 250));
    ASSERT_TRUE(source && target);
    for (int i = 0; i < 2; ++i) {
      auto* arc = new CDrawArc;
      ASSERT_TRUE(arc->Initialize(PortOf(source, i), PortOf(target, i), TRUE));
      ASSERT_TRUE(diagram->Add(arc));
      arcs.AddTail(arc);
    }
    doc.ClearUndoStack();
  }
  void TearDown() override {
    app.m_pMainWnd = nullptr;
    if (::IsWindow(frameWindow)) frame->DestroyWindow();
    doc.ClearUndoStack();
    doc.ClearRedoStack();
  }

  CDrawBlock* PlaceBlock(UINT code, CPoint at) {
    auto* block = new CDrawBlock;
    if (!block->InitializeAs(code, at, view) || !block->AddBlockAndComponentsToDiagram(diagram)) {
      delete block;
      return nullptr;
    }
    return block;
  }
  static CDrawPort* PortOf(CDrawBlock* block, int index) {
    return static_cast<CDrawPort*>(block->GetPorts().GetAt(block->GetPorts().FindIndex(index)));
  }
  // Reports `failed` as `reporter`, reading and closing the dialog.
  FailureShown Report(CDiagram* reporter, const CDrawList& failed) {
    FailureShown shown;
    platform::ScopedModalDriver driver([&shown](platform::ModalSession& s) {
      ++shown.opened;
      EXPECT_EQ(s.Caption(), CStringW(u"Failed To Route Some Arcs"));
      EXPECT_NE(s.As<CFailed2RouteDlg>(), nullptr);
      shown.countText = s.Text(CFailed2RouteDlg::kCountText);
      shown.selectedTextVisible = s.IsVisible(CFailed2RouteDlg::kSelectedText);
      s.Click(IDOK);
    });
    reporter->ReportArcRoutingFailure(failed);
    return shown;
  }

  viewtest::SavedViewOptions saved;
  CWinApp app{u"Routing host"};
  CDrawDoc doc;
  CDiagram* diagram = nullptr;
  CFrameWnd* frame = nullptr;
  HWND frameWindow = nullptr;
  CDrawView* view = nullptr;
  CDrawList arcs;
};

// The class-wide routing options a test may change.
struct SavedRoutingOptions {
  AutoRouteOption option = CDiagram::m_autoRouteOption;
  int routeWhat = CDiagram::m_nRouteWhat;
  BOOL arcs = CDiagram::m_bSelectedArcs, nodes = CDiagram::m_bSelectedNodes, blocks = CDiagram::m_bSelectedBlocks;
  UINT manual = CDiagram::m_nManualRouteMethod;
  UINT mode = CDiagram::m_nDefaultArcAutoRouteMode, method = CDiagram::m_nDefaultArcAutoRouteMethod;
  UINT validMode = CDiagram::m_nLastValidAutoRouteMode, validMethod = CDiagram::m_nLastValidAutoRouteMethod;
  ~SavedRoutingOptions() {
    CDiagram::m_autoRouteOption = option;
    CDiagram::m_nRouteWhat = routeWhat;
    CDiagram::m_bSelectedArcs = arcs;
    CDiagram::m_bSelectedNodes = nodes;
    CDiagram::m_bSelectedBlocks = blocks;
    CDiagram::m_nManualRouteMethod = manual;
    CDiagram::m_nDefaultArcAutoRouteMode = mode;
    CDiagram::m_nDefaultArcAutoRouteMethod = method;
    CDiagram::m_nLastValidAutoRouteMode = validMode;
    CDiagram::m_nLastValidAutoRouteMethod = validMethod;
  }
};

// A diagram that counts the routers it makes and shows its live one.
class CountingDiagram : public CDiagram {
 public:
  CArcRouter* GetNewArcRouter(UINT method) override {
    ++made;
    return CDiagram::GetNewArcRouter(method);
  }
  CArcRouter* Live() const { return m_pRouter; }
  int made = 0;
};

// The pages in the order the sheet shows them.
enum SheetPage { kManualPage = 0, kGeneralPage = 1, kAutomaticPage = 2 };

void ShowPage(platform::ModalSession& s, SheetPage page) {
  auto* sheet = s.As<CPropertySheet>();
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(sheet->SetActivePage(page));
  s.Pump();
}

// Runs the options sheet of `diagram` with `script`; the number of sheets
// opened.
int RunOptions(CDiagram& diagram, std::function<void(platform::ModalSession&)> script) {
  int opened = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    ++opened;
    EXPECT_EQ(s.Caption(), CStringW(u"Arc/Link Routing & Page Boundary Options"));
    script(s);
  });
  diagram.ChangeRouteOptions();
  return opened;
}

class RoutingOptionsSheet : public ::testing::Test {
 protected:
  void SetUp() override { doctest::LinkLibrary(); }
  SavedRoutingOptions saved;
};

TEST_F(RoutingOptionsSheet, ThePagesEnableTheirDependentControls) {
  CountingDiagram diagram;
  CDiagram::m_nRouteWhat = 0;
  RunOptions(diagram, [](platform::ModalSession& s) {
    // Manual page: all arcs leaves the three checks and their texts off.
    for (int id : {28081, 28082, 28083, 28028, 28029}) EXPECT_FALSE(s.IsEnabled(id)) << id;
    s.Click(CArcRouteDlg::kOnlyRadio);
    for (int id : {28081, 28082, 28083, 28028, 28029}) EXPECT_TRUE(s.IsEnabled(id)) << id;
    s.Click(CArcRouteDlg::kAllArcsRadio);
    EXPECT_FALSE(s.IsEnabled(28081));
    // Automatic page: without a live router automatic routing shows disabled.
    ShowPage(s, kAutomaticPage);
    EXPECT_EQ(s.CheckState(CArcRouteAutoDlg::kDisableCheck), BST_CHECKED);
    for (int id : {28128, 28126, 28122, 28123, 28157}) EXPECT_FALSE(s.IsEnabled(id)) << id;
    s.Click(CArcRouteAutoDlg::kDisableCheck);
    for (int id : {28128, 28126, 28122, 28123, 28157}) EXPECT_TRUE(s.IsEnabled(id)) << id;
    s.Click(IDCANCEL);
  });
  EXPECT_EQ(diagram.Live(), nullptr);
}

TEST_F(RoutingOptionsSheet, TheDistanceIsTheComboIndexPlusTwo) {
  CountingDiagram diagram;
  CDiagram::m_autoRouteOption.m_nMinDistance = 10;
  RunOptions(diagram, [](platform::ModalSession& s) {
    ShowPage(s, kGeneralPage);
    HWND combo = s.Control(CArcRouteGeneralDlg::kMinDistanceCombo);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 19);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 8);
    s.Choose(CArcRouteGeneralDlg::kMinDistanceCombo, 0);
    s.Click(IDOK);
  });
  EXPECT_EQ(CDiagram::m_autoRouteOption.m_nMinDistance, 2);
}

TEST_F(RoutingOptionsSheet, MarginsOutOfRangeKeepTheSheetOpen) {
  CountingDiagram diagram;
  struct Case {
    int edit;
    const char16_t* refused;
    const char16_t* accepted;
  };
  for (const Case& c : {Case{CArcRouteGeneralDlg::kTopMarginEdit, u"101", u"100"},
                        Case{CArcRouteGeneralDlg::kBottomMarginEdit, u"101", u"0"},
                        Case{CArcRouteGeneralDlg::kLeftMarginEdit, u"81", u"80"},
                        Case{CArcRouteGeneralDlg::kRightMarginEdit, u"81", u"7"}}) {
    diagramtest::MessageBoxCapture boxes;
    RunOptions(diagram, [&](platform::ModalSession& s) {
      ShowPage(s, kGeneralPage);
      s.EnterText(c.edit, CStringW(c.refused));
      s.Click(IDOK);
      EXPECT_TRUE(s.IsRunning());
      s.EnterText(c.edit, CStringW(c.accepted));
      s.Click(IDOK);
      EXPECT_FALSE(s.IsRunning());
    });
    EXPECT_EQ(boxes.Count(), 1);
  }
  EXPECT_EQ(CDiagram::m_autoRouteOption.m_nTopMargin, 100);
  EXPECT_EQ(CDiagram::m_autoRouteOption.m_nBottomMargin, 0);
  EXPECT_EQ(CDiagram::m_autoRouteOption.m_nLeftMargin, 80);
  EXPECT_EQ(CDiagram::m_autoRouteOption.m_nRightMargin, 7);
}

TEST_F(RoutingOptionsSheet, TheSameMethodKeepsTheLiveRouterAndChangesOnlyItsMode) {
  CountingDiagram diagram;
  diagram.SetAutoRouteModeAndMethod(1, 1);
  CArcRouter* live = diagram.Live();
  ASSERT_NE(live, nullptr);
  diagram.made = 0;
  RunOptions(diagram, [](platform::ModalSession& s) {
    ShowPage(s, kAutomaticPage);
    EXPECT_EQ(s.CheckState(CArcRouteAutoDlg::kNewArcsRadio), BST_CHECKED);
    EXPECT_EQ(s.CheckState(CArcRouteAutoDlg::kShortestPathRadio), BST_CHECKED);
    s.Click(CArcRouteAutoDlg::kDisturbedRadio);
    s.Click(IDOK);
  });
  EXPECT_EQ(diagram.made, 0);
  EXPECT_EQ(diagram.Live(), live);
  EXPECT_EQ(diagram.GetAutoRouteMode(), 2u);
  EXPECT_EQ(CDiagram::m_nDefaultArcAutoRouteMode, 2u);
  EXPECT_EQ(CDiagram::m_nLastValidAutoRouteMode, 2u);
  EXPECT_EQ(CDiagram::m_nDefaultArcAutoRouteMethod, 1u);
}

TEST_F(RoutingOptionsSheet, ANewDistanceRestartsTheLiveRouterWithItsModeAndMethod) {
  CountingDiagram diagram;
  CDiagram::m_autoRouteOption.m_nMinDistance = 10;
  diagram.SetAutoRouteModeAndMethod(2, 1);
  diagram.made = 0;
  RunOptions(diagram, [](platform::ModalSession& s) {
    ShowPage(s, kGeneralPage);
    s.Choose(CArcRouteGeneralDlg::kMinDistanceCombo, 4);
    s.Click(IDOK);
  });
  EXPECT_EQ(CDiagram::m_autoRouteOption.m_nMinDistance, 6);
  EXPECT_EQ(diagram.made, 1);
  EXPECT_EQ(diagram.GetAutoRouteMode(), 2u);
  EXPECT_EQ(diagram.GetAutoRouteMethod(), 1u);
}

TEST_F(RoutingOptionsSheet, DisablingStopsTheLiveRouterAndStoresModeZero) {
  CountingDiagram diagram;
  diagram.SetAutoRouteModeAndMethod(1, 1);
  CDiagram::m_nDefaultArcAutoRouteMode = 1;
  RunOptions(diagram, [](platform::ModalSession& s) {
    ShowPage(s, kAutomaticPage);
    s.Click(CArcRouteAutoDlg::kDisableCheck);
    s.Click(IDOK);
  });
  EXPECT_EQ(diagram.Live(), nullptr);
  EXPECT_EQ(CDiagram::m_nDefaultArcAutoRouteMode, 0u);
  EXPECT_EQ(CDiagram::m_nLastValidAutoRouteMode, saved.validMode);
}

TEST_F(RoutingOptionsSheet, CancelStoresNothing) {
  CountingDiagram diagram;
  CDiagram::m_nRouteWhat = 0;
  RunOptions(diagram, [](platform::ModalSession& s) {
    s.Click(CArcRouteDlg::kAllButRadio);
    ShowPage(s, kGeneralPage);
    s.EnterText(CArcRouteGeneralDlg::kTopMarginEdit, CStringW(u"3"));
    s.Click(IDCANCEL);
  });
  EXPECT_EQ(CDiagram::m_nRouteWhat, 0);
  EXPECT_EQ(CDiagram::m_autoRouteOption.m_nTopMargin, saved.option.m_nTopMargin);
}

// "Route Now" closes the sheet with its own result and routes the arcs of
// the shown diagram as one undo step.
TEST_F(FramedRouting, RouteNowStoresTheManualChoicesAndRoutes) {
  SavedRoutingOptions savedOptions;
  CDiagram::m_nRouteWhat = 1;
  CDiagram::m_nManualRouteMethod = 0;
  const int undos = doc.GetNumberUndosOnStack();
  const int opened = RunOptions(*diagram, [](platform::ModalSession& s) {
    // A manual method of 0 opens on the preferred method.
    EXPECT_EQ(s.CheckState(CArcRouteDlg::kShortestPathRadio), BST_CHECKED);
    s.Click(CArcRouteDlg::kAllArcsRadio);
    s.Click(CArcRouteDlg::kRouteNowButton);
    EXPECT_FALSE(s.IsRunning());
  });
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(CDiagram::m_nRouteWhat, 0);
  EXPECT_EQ(CDiagram::m_nManualRouteMethod, 1u);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), undos + 1);
}

TEST_F(FramedRouting, TheFailedArcsOfTheShownDiagramBecomeTheSelection) {
  struct Case {
    int count;
    const char16_t* text;
  };
  for (const Case& c : {Case{1, u"One arc was not routed successfully."},
                        Case{2, u"2 arcs were not routed successfully."}}) {
    view->Select(nullptr, 0);
    CDrawList failed;
    POSITION pos = arcs.GetHeadPosition();
    for (int i = 0; i < c.count; ++i) failed.AddTail(arcs.GetNext(pos));
    const FailureShown shown = Report(diagram, failed);
    EXPECT_EQ(shown.opened, 1);
    EXPECT_EQ(shown.countText, CStringW(c.text));
    EXPECT_TRUE(shown.selectedTextVisible);
    EXPECT_EQ(view->GetSelection().GetCount(), c.count);
    for (POSITION f = failed.GetHeadPosition(); f;) EXPECT_TRUE(view->GetSelection().Find(failed.GetNext(f)));
  }
}

TEST_F(FramedRouting, ADiagramTheActiveViewDoesNotShowSelectsNothing) {
  CDiagram other;
  view->Select(nullptr, 0);
  const FailureShown shown = Report(&other, arcs);
  EXPECT_EQ(shown.opened, 1);
  EXPECT_EQ(shown.countText, CStringW(u"2 arcs were not routed successfully."));
  EXPECT_FALSE(shown.selectedTextVisible);
  EXPECT_TRUE(view->GetSelection().IsEmpty());
}

TEST_F(FramedRouting, AnEmptyListShowsNothing) {
  const FailureShown shown = Report(diagram, CDrawList());
  EXPECT_EQ(shown.opened, 0);
}

}  // namespace

namespace {

// The view's routing commands reach the diagram of the view.
TEST_F(FramedRouting, TheViewsCommandsRouteTheSelectionAndOpenTheOptions) {
  SavedRoutingOptions savedOptions;
  CDiagram::m_nRouteWhat = 1;
  CDiagram::m_bSelectedArcs = TRUE;
  CDiagram::m_nManualRouteMethod = 1;
  view->Select(nullptr, 0);
  const int undos = doc.GetNumberUndosOnStack();
  view->SendMessage(WM_COMMAND, 57045);
  // Nothing selected: the run routes nothing and leaves no undo step.
  EXPECT_EQ(doc.GetNumberUndosOnStack(), undos);
  view->Select(arcs.GetHead(), 0);
  view->SendMessage(WM_COMMAND, 57045);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), undos + 1);

  int opened = 0;
  {
    platform::ScopedModalDriver driver([&opened](platform::ModalSession& s) {
      ++opened;
      EXPECT_EQ(s.Caption(), CStringW(u"Arc/Link Routing & Page Boundary Options"));
      s.Click(IDCANCEL);
    });
    view->SendMessage(WM_COMMAND, 57041);
  }
  EXPECT_EQ(opened, 1);
}

}  // namespace
