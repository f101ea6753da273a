// The "DrawDiagram" profile options: the host's defaults, each check of a
// bad stored value with its message and replacement, and writing back.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "DrawDocTestSupport.h"
#include "diagram/model/canvas/Diagram.h"
#include "platform/core/Profile.h"

using doctest::ScriptedMsgBox;
using diagramtest::ScratchFolder;

namespace {

// Every class-wide option, so that a test leaves them as it found them.
struct Options {
  Options()
      : arcFlags(CDiagram::m_nArcFlags4OrthogonalLines),
        pencil(CDiagram::m_bAllowArcPencilMode),
        capture(CDiagram::m_bCaptureArcCreation),
        mode(CDiagram::m_nDefaultArcAutoRouteMode),
        method(CDiagram::m_nDefaultArcAutoRouteMethod),
        cancel(CDiagram::m_bCanArcRoutingBeCancelled),
        singleUse(CDiagram::m_bArcToolSingleUse),
        ole(CDiagram::m_bMoveUsesOleDragAndDrop),
        routeWhat(CDiagram::m_nRouteWhat),
        arcs(CDiagram::m_bSelectedArcs),
        nodes(CDiagram::m_bSelectedNodes),
        blocks(CDiagram::m_bSelectedBlocks),
        manual(CDiagram::m_nManualRouteMethod),
        lastMethod(CDiagram::m_nLastValidAutoRouteMethod),
        lastMode(CDiagram::m_nLastValidAutoRouteMode),
        routing(CDiagram::m_autoRouteOption) {}
  void Restore() const {
    CDiagram::m_nArcFlags4OrthogonalLines = arcFlags;
    CDiagram::m_bAllowArcPencilMode = pencil;
    CDiagram::m_bCaptureArcCreation = capture;
    CDiagram::m_nDefaultArcAutoRouteMode = mode;
    CDiagram::m_nDefaultArcAutoRouteMethod = method;
    CDiagram::m_bCanArcRoutingBeCancelled = cancel;
    CDiagram::m_bArcToolSingleUse = singleUse;
    CDiagram::m_bMoveUsesOleDragAndDrop = ole;
    CDiagram::m_nRouteWhat = routeWhat;
    CDiagram::m_bSelectedArcs = arcs;
    CDiagram::m_bSelectedNodes = nodes;
    CDiagram::m_bSelectedBlocks = blocks;
    CDiagram::m_nManualRouteMethod = manual;
    CDiagram::m_nLastValidAutoRouteMethod = lastMethod;
    CDiagram::m_nLastValidAutoRouteMode = lastMode;
    CDiagram::m_autoRouteOption = routing;
  }
  int arcFlags;
  BOOL pencil, capture;
  UINT mode, method;
  BOOL cancel, singleUse, ole;
  int routeWhat;
  BOOL arcs, nodes, blocks;
  UINT manual, lastMethod, lastMode;
  AutoRouteOption routing;
};

class DiagramProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = platform::ProfilePath();
    platform::SetProfilePath(folder_.File("app.ini"));
  }
  void TearDown() override {
    options_.Restore();
    platform::SetProfilePath(saved_);
  }
  void WriteIni(const std::string& entries) {
    const std::string text = "[DrawDiagram]\n" + entries;
    doctest::WriteFileBytes(folder_.File("app.ini"), std::vector<BYTE>(text.begin(), text.end()));
  }
  // The host's defaults: Control for orthogonal lines, pencil mode and
  // capture on, routing new arcs with the cell router, cancellable, single
  // use off, OLE moves off.
  static void ReadWithHostDefaults(UINT mode = 1, UINT method = 1) {
    CDiagram::GetProfile(nullptr, 8, TRUE, TRUE, mode, method, TRUE, FALSE, FALSE);
  }

  ScratchFolder folder_;

 private:
  Options options_;
  std::filesystem::path saved_;
};

TEST_F(DiagramProfileTest, AnEmptyProfileGivesTheHostsDefaults) {
  WriteIni("");
  ScriptedMsgBox messages;
  ReadWithHostDefaults(2, 3);
  EXPECT_TRUE(messages.notified.empty());
  EXPECT_EQ(CDiagram::GetArcFlags4OrthogonalLines(), 8);
  EXPECT_TRUE(CDiagram::IsArcPencilModeAllowed());
  EXPECT_TRUE(CDiagram::IsArcCreationCaptured());
  EXPECT_EQ(CDiagram::m_nDefaultArcAutoRouteMode, 2u);
  EXPECT_EQ(CDiagram::m_nDefaultArcAutoRouteMethod, 3u);
  EXPECT_TRUE(CDiagram::CanArcRoutingBeCancelled());
  EXPECT_FALSE(CDiagram::IsArcToolSingleUse());
  EXPECT_FALSE(CDiagram::IsOleDragAndDropUsedForMove());
  EXPECT_EQ(CDiagram::m_nRouteWhat, 0);
  EXPECT_TRUE(CDiagram::m_bSelectedArcs && CDiagram::m_bSelectedNodes && CDiagram::m_bSelectedBlocks);
  EXPECT_EQ(CDiagram::m_nManualRouteMethod, 3u);
  EXPECT_EQ(CDiagram::m_nLastValidAutoRouteMethod, 3u);
  EXPECT_EQ(CDiagram::m_nLastValidAutoRouteMode, 2u);
  const AutoRouteOption& o = CDiagram::m_autoRouteOption;
  EXPECT_EQ(o.m_nLeftMargin, 15);
  EXPECT_EQ(o.m_nTopMargin, 21);
  EXPECT_EQ(o.m_nRightMargin, 15);
  EXPECT_EQ(o.m_nBottomMargin, 15);
  EXPECT_EQ(o.m_nMinDistance, 10);
  EXPECT_EQ(o.m_bRouteJustBlocks, 0);
}

TEST_F(DiagramProfileTest, RoutingOffByDefaultIsNoBadValue) {
  WriteIni("");
  ScriptedMsgBox messages;
  ReadWithHostDefaults(0, 1);
  EXPECT_TRUE(messages.notified.empty());
  EXPECT_EQ(CDiagram::m_nDefaultArcAutoRouteMode, 0u);
  EXPECT_EQ(CDiagram::m_nLastValidAutoRouteMode, 1u);
}

TEST_F(DiagramProfileTest, EachBadValueIsReportedAndReplaced) {
  struct Case {
    const char* entries;
    std::vector<ULONG> reported;
    int AutoRouteOption::*field;  // the routing value checked, or null
    int expected;
  };
  const Case cases[] = {
      {"RouteMinDistance=25\n", {19}, &AutoRouteOption::m_nMinDistance, 10},
      {"RouteMinDistance=1\n", {19}, &AutoRouteOption::m_nMinDistance, 10},
      {"RouteMinDistance=20\n", {}, &AutoRouteOption::m_nMinDistance, 20},
      {"RouteTopMargin=-1\n", {15}, &AutoRouteOption::m_nTopMargin, 21},
      {"RouteBottomMargin=-1\nRouteTopMargin=30\n", {16}, &AutoRouteOption::m_nBottomMargin, 15},
      {"RouteLeftMargin=-5\n", {17}, &AutoRouteOption::m_nLeftMargin, 15},
      {"RouteRightMargin=-5\n", {18}, &AutoRouteOption::m_nRightMargin, 15},
      {"RouteJustBlocks=1\n", {}, &AutoRouteOption::m_bRouteJustBlocks, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries);
    WriteIni(c.entries);
    ScriptedMsgBox messages;
    ReadWithHostDefaults();
    EXPECT_EQ(messages.notified, c.reported);
    EXPECT_EQ(CDiagram::m_autoRouteOption.*c.field, c.expected);
  }
  // A bad bottom margin leaves the top margin its own value.
  EXPECT_EQ(CDiagram::m_autoRouteOption.m_nTopMargin, 21);
  WriteIni("RouteBottomMargin=-1\nRouteTopMargin=30\n");
  ScriptedMsgBox messages;
  ReadWithHostDefaults();
  EXPECT_EQ(CDiagram::m_autoRouteOption.m_nTopMargin, 30);
}

TEST_F(DiagramProfileTest, BadRoutingChoicesAreReportedAndReplaced) {
  struct Case {
    const char* entries;
    std::vector<ULONG> reported;
    UINT mode, method, manual, lastMethod, lastMode;
    int routeWhat;
  };
  const Case cases[] = {
      {"DefaultArcAutoRouteMode=3\n", {9}, 0, 1, 1, 1, 1, 0},
      // Without a method routing is off; the methods that follow from it
      // fall back to the cell router.
      {"DefaultArcAutoRouteMethod=0\n", {10, 12}, 0, 0, 1, 1, 1, 0},
      {"ManualRouteMethod=0\nDefaultArcAutoRouteMethod=2\n", {12}, 1, 2, 2, 2, 1, 0},
      {"LastValidAutoRouteMethod=0\n", {13}, 1, 1, 1, 1, 1, 0},
      {"LastValidAutoRouteMode=3\n", {14}, 1, 1, 1, 1, 1, 0},
      {"LastValidAutoRouteMode=0\n", {14}, 1, 1, 1, 1, 1, 0},
      {"RouteWhat=3\n", {11}, 1, 1, 1, 1, 1, 0},
      {"RouteWhat=-1\n", {11}, 1, 1, 1, 1, 1, 0},
      {"RouteWhat=2\n", {}, 1, 1, 1, 1, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries);
    WriteIni(c.entries);
    ScriptedMsgBox messages;
    ReadWithHostDefaults();
    EXPECT_EQ(messages.notified, c.reported);
    EXPECT_EQ(CDiagram::m_nDefaultArcAutoRouteMode, c.mode);
    EXPECT_EQ(CDiagram::m_nDefaultArcAutoRouteMethod, c.method);
    EXPECT_EQ(CDiagram::m_nManualRouteMethod, c.manual);
    EXPECT_EQ(CDiagram::m_nLastValidAutoRouteMethod, c.lastMethod);
    EXPECT_EQ(CDiagram::m_nLastValidAutoRouteMode, c.lastMode);
    EXPECT_EQ(CDiagram::m_nRouteWhat, c.routeWhat);
  }
}

TEST_F(DiagramProfileTest, PreferredMethodReadsTheProfileAgainWhenTheClassHasNone) {
  struct Case {
    const char* entries;
    UINT method;  // the class-wide method before the call
    std::vector<ULONG> reported;
    UINT preferred;
  };
  const Case cases[] = {
      // A method the class holds is taken as it is, the profile unread.
      {"DefaultArcAutoRouteMethod=2\n", 3, {}, 3},
      {"DefaultArcAutoRouteMethod=2\n", 0, {}, 2},
      {"DefaultArcAutoRouteMethod=3\n", 7, {}, 3},
      {"DefaultArcAutoRouteMethod=4\n", 0, {10}, 1},
      {"", 0, {10}, 1},
  };
  CDiagram diagram;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries);
    WriteIni(c.entries);
    CDiagram::m_nDefaultArcAutoRouteMethod = c.method;
    ScriptedMsgBox messages;
    EXPECT_EQ(diagram.GetPreferredAutoRouteMethod(), c.preferred);
    EXPECT_EQ(messages.notified, c.reported);
    EXPECT_EQ(CDiagram::m_nDefaultArcAutoRouteMethod, c.preferred);
  }
}

TEST_F(DiagramProfileTest, ArcFlagsOtherThanShiftAndControlAreMasked) {
  for (int flags : {5, 13, -1}) {
    SCOPED_TRACE(flags);
    WriteIni("ArcFlags4OrthogonalLines=" + std::to_string(flags) + "\n");
    ScriptedMsgBox messages;
    ReadWithHostDefaults();
    EXPECT_EQ(messages.notified, std::vector<ULONG>{8});
    ASSERT_EQ(messages.firstArguments.size(), 1u);
    EXPECT_EQ(messages.firstArguments[0], CStringW(u"4, 8, 12, 0"));
    EXPECT_EQ(CDiagram::GetArcFlags4OrthogonalLines(), flags & 12);
  }
  WriteIni("ArcFlags4OrthogonalLines=12\n");
  ScriptedMsgBox messages;
  ReadWithHostDefaults();
  EXPECT_TRUE(messages.notified.empty());
  EXPECT_EQ(CDiagram::GetArcFlags4OrthogonalLines(), 12);
}

TEST_F(DiagramProfileTest, WrittenOptionsReadBackUnchanged) {
  WriteIni("");
  CDiagram::GetProfile(nullptr, 4, FALSE, TRUE, 2, 2, FALSE, TRUE, TRUE);
  CDiagram::m_nRouteWhat = 1;
  CDiagram::m_bSelectedNodes = FALSE;
  CDiagram::m_autoRouteOption.m_nMinDistance = 7;
  CDiagram::m_autoRouteOption.m_nLeftMargin = 3;
  CDiagram::WriteProfile();
  const Options written;
  // Other host defaults: the profile wins.
  ScriptedMsgBox messages;
  CDiagram::GetProfile(nullptr, 8, TRUE, FALSE, 1, 1, TRUE, FALSE, FALSE);
  EXPECT_TRUE(messages.notified.empty());
  const Options read;
  EXPECT_EQ(std::memcmp(&read.routing, &written.routing, sizeof(AutoRouteOption)), 0);
  EXPECT_EQ(read.arcFlags, 4);
  EXPECT_FALSE(read.pencil);
  EXPECT_TRUE(read.capture);
  EXPECT_EQ(read.mode, 2u);
  EXPECT_EQ(read.method, 2u);
  EXPECT_FALSE(read.cancel);
  EXPECT_TRUE(read.singleUse);
  EXPECT_TRUE(read.ole);
  EXPECT_EQ(read.routeWhat, 1);
  EXPECT_FALSE(read.nodes);
  EXPECT_EQ(read.manual, 2u);
  EXPECT_EQ(read.lastMethod, 2u);
  EXPECT_EQ(read.lastMode, 2u);
}

}  // namespace
