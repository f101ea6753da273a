// The shipped clip session, end to end: a rectangle's corner clipped by a
// circle drawn too, a rectangle turned and scaled by two pairs of base
// points and moved by the space key through the host's view window, three
// turned copies of a contour, and a view rectangle the host prints.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "draft/construct/LineCmd.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

using namespace draftsession;

namespace {
using ClipSeg = SegmentEnds;

// The extents of a block's lines: x min, y min, x max, y max.
ClipSeg BlockBox(const CBlockEntity* b) {
  ClipSeg box{1e9, 1e9, -1e9, -1e9};
  for (int i = 0; i < b->GetMemberCount(); ++i) {
    const ClipSeg s = OrderedEnds(b->GetMember(i));
    box = {std::min({box[0], s[0], s[2]}), std::min({box[1], s[1], s[3]}), std::max({box[2], s[0], s[2]}),
           std::max({box[3], s[1], s[3]})};
  }
  return box;
}
}  // namespace

TEST(ClipSession, ClipsScalesMovesAndPlacesTurnedCopies) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "clip.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty()) << "the space key's right button ended the scale command";

  std::vector<ClipSeg> lines;
  std::vector<std::vector<double>> circles;
  std::vector<ClipSeg> blocks;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (e->IsLine()) lines.push_back(OrderedEnds(e));
    if (e->IsCircle() && e->GetGeometry(v) == 3) circles.push_back({v[0], v[1], v[2]});
    if (e->IsBlock()) blocks.push_back(BlockBox(static_cast<CBlockEntity*>(e)));
  }
  const std::vector<ClipSeg> wantLines = {
      // The clipped rectangle: the top and right sides end on the circle.
      {20, 20, 80, 20}, {20, 20, 20, 60}, {80, 20, 80, 45}, {20, 60, 65, 60},
      // The rectangle turned by 90 degrees, scaled by 2 and moved 10 down.
      {150, 70, 150, 110}, {130, 110, 150, 110}, {130, 70, 130, 110}, {130, 70, 150, 70},
      // The contour, back in the drawing once.
      {20, 95, 50, 95}, {50, 95, 50, 110}, {20, 110, 50, 110}, {20, 95, 20, 110}};
  EXPECT_EQ(lines, wantLines);
  EXPECT_EQ(circles, (std::vector<std::vector<double>>{{80, 60, 15}}));
  const std::vector<ClipSeg> wantBlocks = {{55, 100, 70, 130}, {80, 125, 110, 140}, {170, 30, 185, 60}};
  ASSERT_EQ(blocks.size(), wantBlocks.size());
  for (size_t i = 0; i < blocks.size(); ++i)
    for (size_t k = 0; k < 4; ++k) EXPECT_NEAR(blocks[i][k], wantBlocks[i][k], 1e-9) << i << " " << k;
  // Three rectangles, the clip with its circle, the scale, the move and the
  // three copies.
  EXPECT_EQ(view.GetUndoCount(), 9);

  const std::string shown = session.out.str();
  for (const char* part : {"  message box: 画上圆？ -> Yes\n", "  message box: 是否进行图形缩放 -> Yes\n",
                           "  view rectangle 160 125 195 145\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}

// The host's view window, as a command that hands another command over
// reaches it: the active view of the main MDI frame's active child.
TEST(SessionFramesTest, TheActiveViewPushesAHandedCommandAndPassesTheRightButton) {
  PlayedSession session;
  CWnd* main = AfxGetMainWnd();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)));
  CMDIChildWnd* child = static_cast<CMDIFrameWnd*>(main)->MDIGetActive();
  ASSERT_NE(child, nullptr);
  CView* active = child->GetActiveView();
  ASSERT_EQ(active, session.player.Frames().ViewWindow());
  EXPECT_EQ(active->GetSafeHwnd(), session.player.View().GetSafeHwnd());

  auto* handed = new CLineCmd(7, &session.player.View());
  active->SendMessage(WM_USER + 12, 0, reinterpret_cast<LPARAM>(handed));
  EXPECT_EQ(session.player.Stack().GetCurrent(), handed);
  active->PostMessage(WM_RBUTTONUP, 0, 0);
  platform::PumpPendingMessages();
  EXPECT_TRUE(session.player.Stack().IsEmpty()) << "the right button with no point taken ends the line";
}
