// The zoom and pan commands: on top of a running drawing command, the view's
// transform after each, their previews and the stack's push rule for them.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "draft/construct/LineCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/ZoomInCmd.h"
#include "draft/edit/ZoomWindowCmd.h"
#include "draft/host/ViewDisplay.h"

namespace {
// Drives the stack at drawing points through the view's transform as it is
// when the event comes (the bench's At assumes zoom 1).
class ZoomBench : public CommandBench {
 public:
  CPoint Device(double x, double y) const { return view.DrawingToClient(x, y); }
  void MoveTo(double x, double y) { stack.OnMouseMove(0, Device(x, y), &view); }
  void ClickAt(double x, double y) {
    MoveTo(x, y);
    stack.OnLButton(0, Device(x, y), &view);
  }
  void Right() { stack.OnRButton(0, view.GetCursorPos(), &view); }
  std::string Prompt() { return CStringA(stack.GetPrompt()).GetString(); }

  struct Transform {
    double zoom, panX, panY;
  };
  void ExpectTransform(const Transform& want) const {
    const DeviceMapping m = view.GetDeviceMapping();
    EXPECT_NEAR(m.zoom, want.zoom, 1e-12);
    EXPECT_NEAR(m.panX, want.panX, 1e-9);
    EXPECT_NEAR(m.panY, want.panY, 1e-9);
  }
};

std::string Gbk(const char* text) { return text; }  // this source's texts are GBK, as the commands'

int Count(const CDraftView& view, ViewDrawKind kind) {
  int n = 0;
  for (const ViewDrawOp& op : view.GetDrawLog()) n += op.kind == kind ? 1 : 0;
  return n;
}

// What the log shows drawn: every operation but the cross-hair's hiding.
int Drawn(const CDraftView& view) {
  int n = 0;
  for (const ViewDrawOp& op : view.GetDrawLog())
    n += op.kind != ViewDrawKind::kCrossHairHidden && op.kind != ViewDrawKind::kCrossHairErased ? 1 : 0;
  return n;
}

std::vector<std::vector<double>> Lines(const CDraftView& view) {
  std::vector<std::vector<double>> lines;
  for (const ViewDrawOp& op : view.GetDrawLog())
    if (op.kind == ViewDrawKind::kLine) lines.push_back(op.values);
  return lines;
}
}  // namespace

// A line command holds its first point; a zoom in, a zoom window and a pan
// run over it, and the line ends where the user clicks in the changed view.
TEST(ZoomCmdTest, ViewCommandsOverALineCommandLeaveItsPointsAndResumeIt) {
  struct Case {
    const char* name;
    std::function<CCmdBase*(CDraftView&)> make;
    std::vector<GPoint> clicks;
  };
  const Case cases[] = {
      {"zoom in", [](CDraftView& v) { return new CZoomInCmd(&v, 300); }, {{200, 150}}},
      {"zoom out", [](CDraftView& v) { return new CZoomOutCmd(&v, 301); }, {{200, 150}}},
      {"zoom window", [](CDraftView& v) { return new CZoomWindowCmd(&v, 302); }, {{20, 20}, {120, 95}}},
      {"pan", [](CDraftView& v) { return new CPanCmd(&v, 303); }, {{100, 100}, {160, 130}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZoomBench bench;
    bench.Push(new CLineCmd(1, &bench.view));
    bench.ClickAt(50, 60);
    ASSERT_EQ(bench.stack.GetCurrent()->GetStep(), 1);
    CCmdBase* view = bench.Push(c.make(bench.view));
    ASSERT_EQ(bench.stack.GetCurrent(), view);
    EXPECT_EQ(bench.stack.GetCount(), 2);
    const double zoomBefore = bench.view.GetZoom();
    for (const GPoint& p : c.clicks) bench.ClickAt(p.x, p.y);
    EXPECT_EQ(view->GetStep(), 0);  // back to its first prompt, still running
    EXPECT_EQ(bench.stack.GetCurrent(), view);
    EXPECT_TRUE(bench.view.GetZoom() != zoomBefore || bench.view.GetDeviceMapping().panX != 0);
    bench.Right();  // the right button at its first step ends it
    ASSERT_EQ(bench.stack.GetCount(), 1);
    CCmdBase* line = bench.stack.GetCurrent();
    EXPECT_EQ(line->GetStep(), 1);
    bench.ClickAt(90, 80);
    ExpectLines(bench.Lines(), {{50, 60, 90, 80}}, 1.0 / bench.view.GetZoom());
  }
}

// The view's transform after each command (an 800 × 600 view at zoom 1
// over the origin), the display mode it leaves, and that the command takes
// the next click afresh.
TEST(ZoomCmdTest, EachCommandSetsTheViewsTransform) {
  struct Case {
    const char* name;
    std::function<CCmdBase*(CDraftView&)> make;
    std::vector<GPoint> clicks;
    ZoomBench::Transform want;
    int displayMode;
    int repaints;
  };
  const Case cases[] = {
      // (100, 200) stays at device (100, 400).
      {"zoom in", [](CDraftView& v) { return new CZoomInCmd(&v, 300); }, {{100, 200}}, {2, 50, 100}, 0, 1},
      {"zoom out", [](CDraftView& v) { return new CZoomOutCmd(&v, 301); }, {{100, 200}}, {0.5, -100, -200}, 0, 1},
      {"zoom in twice", [](CDraftView& v) { return new CZoomInCmd(&v, 300); }, {{100, 200}, {100, 200}},
       {4, 75, 150}, 0, 2},
      // 200 × 150 fills the view at 4 pixels a unit about (200, 175).
      {"zoom window", [](CDraftView& v) { return new CZoomWindowCmd(&v, 302); }, {{100, 100}, {300, 250}},
       {4, 100, 100}, 2, 1},
      {"pan", [](CDraftView& v) { return new CPanCmd(&v, 303); }, {{100, 100}, {150, 120}}, {1, -50, -20}, 0, 1},
      {"pan twice", [](CDraftView& v) { return new CPanCmd(&v, 303); },
       {{100, 100}, {150, 120}, {100, 100}, {150, 120}}, {1, -100, -40}, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZoomBench bench;
    CCmdBase* cmd = bench.Push(c.make(bench.view));
    EXPECT_EQ(cmd->GetLevel(), 5);
    EXPECT_EQ(cmd->IsViewCommand(), 1);
    EXPECT_EQ(cmd->IsPointInput(), 0);
    const int refreshes = bench.view.GetRefreshCount();
    for (const GPoint& p : c.clicks) bench.ClickAt(p.x, p.y);
    bench.ExpectTransform(c.want);
    EXPECT_EQ(bench.view.GetDisplay()->GetDisplayMode(), c.displayMode);
    EXPECT_EQ(bench.view.GetRefreshCount(), refreshes + c.repaints);  // one repaint a change
    EXPECT_EQ(Count(bench.view, ViewDrawKind::kMark), 0);  // no point is marked
    EXPECT_EQ(cmd->GetStep(), 0);
  }
}

TEST(ZoomCmdTest, PromptsAndPreviews) {
  ZoomBench bench;
  bench.Push(new CZoomInCmd(&bench.view, 300));
  EXPECT_EQ(bench.Prompt(), Gbk("输入放大中心点"));
  bench.Push(new CZoomOutCmd(&bench.view, 301));
  EXPECT_EQ(bench.Prompt(), Gbk("输入缩小中心点"));
  // Zoom in and out use the root's preview: the readouts, no cross-hair.
  bench.view.ClearDrawLog();
  bench.MoveTo(10, 10);
  EXPECT_EQ(Count(bench.view, ViewDrawKind::kText), 2);
  EXPECT_EQ(Count(bench.view, ViewDrawKind::kCrossHair), 0);

  bench.Push(new CZoomWindowCmd(&bench.view, 302));
  EXPECT_EQ(bench.Prompt(), Gbk("输入图形开窗放大的第一点"));
  bench.view.ClearDrawLog();
  bench.MoveTo(10, 10);
  EXPECT_EQ(Drawn(bench.view), 0);  // nothing before the first corner
  bench.ClickAt(10, 10);
  EXPECT_EQ(bench.Prompt(), Gbk("输入图形开窗放大的第二点"));
  bench.view.ClearDrawLog();
  bench.MoveTo(40, 30);
  EXPECT_EQ(Drawn(bench.view), 4);  // the window and nothing else
  EXPECT_EQ(Lines(bench.view), (std::vector<std::vector<double>>{{10, 10, 40, 10}, {40, 10, 40, 30}, {40, 30, 10, 30},
                                                      {10, 30, 10, 10}}));

  bench.Push(new CPanCmd(&bench.view, 303));
  EXPECT_EQ(bench.Prompt(), Gbk("输入图形移动的第一点"));
  bench.ClickAt(10, 10);
  EXPECT_EQ(bench.Prompt(), Gbk("输入图形移动的第二点"));
  bench.view.ClearDrawLog();
  bench.MoveTo(40, 30);
  EXPECT_EQ(Drawn(bench.view), 1);
  EXPECT_EQ(Lines(bench.view), (std::vector<std::vector<double>>{{10, 10, 40, 30}}));
  // The right button after the first point drops it; the next one ends the
  // command.
  bench.Right();
  EXPECT_EQ(bench.Prompt(), Gbk("输入图形移动的第一点"));
  bench.Right();
  EXPECT_TRUE(bench.stack.IsEmpty());
}

// The push rule for view commands: a second one of the same kind (level and
// id) is dropped and the running one keeps its first corner; one of another
// kind takes the running one's place, over the same drawing command.
TEST(ZoomCmdTest, ASecondZoomOfTheSameKindIsDropped) {
  ZoomBench bench;
  bench.Push(new CLineCmd(1, &bench.view));
  bench.ClickAt(50, 60);
  CCmdBase* window = bench.Push(new CZoomWindowCmd(&bench.view, 302));
  bench.ClickAt(10, 10);
  bench.Push(new CZoomWindowCmd(&bench.view, 302));  // dropped (the stack deletes it)
  EXPECT_EQ(bench.stack.GetCurrent(), window);
  EXPECT_EQ(bench.stack.GetCount(), 2);
  EXPECT_EQ(window->GetStep(), 1);  // its first corner kept
  bench.ClickAt(110, 85);
  bench.ExpectTransform({8, 10, 10});  // 100 × 75 fills 800 × 600

  CCmdBase* pan = bench.Push(new CPanCmd(&bench.view, 303));
  EXPECT_EQ(bench.stack.GetCurrent(), pan);
  EXPECT_EQ(bench.stack.GetCount(), 2);  // the window command ended, the line command waits
  bench.Push(new CPanCmd(&bench.view, 303));
  EXPECT_EQ(bench.stack.GetCurrent(), pan);
  bench.Right();
  ASSERT_EQ(bench.stack.GetCount(), 1);
  EXPECT_EQ(bench.stack.GetCurrent()->GetStep(), 1);
}
