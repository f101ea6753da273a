#include <gtest/gtest.h>

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/PointEntity.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"

namespace {
class PaintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    recorder = std::make_shared<platform::DrawingRecorder>();
    ASSERT_TRUE(dc.Attach(platform::CreateRecordingDc(recorder)));
    view.SetDC(&dc);
  }
  std::vector<platform::DrawOp> Polylines() const {
    std::vector<platform::DrawOp> out;
    for (const auto& op : recorder->Ops())
      if (op.kind == platform::DrawKind::Polyline) out.push_back(op);
    return out;
  }
  std::shared_ptr<platform::DrawingRecorder> recorder;
  CDC dc;
  CDraftView view;
};
}  // namespace

TEST_F(PaintingTest, PreviewsAreDrawnInDeviceCoordinatesInvertingTheScreen) {
  view.DrawLinePreview(10, 10, 110, 60);  // client 800 × 600 at zoom 1
  const auto lines = Polylines();
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].device.size(), 2u);
  EXPECT_EQ(lines[0].device[0].x, 10);
  EXPECT_EQ(lines[0].device[0].y, 590);
  EXPECT_EQ(lines[0].device[1].x, 110);
  EXPECT_EQ(lines[0].device[1].y, 540);
  EXPECT_EQ(lines[0].rop2, R2_XORPEN);
}

TEST_F(PaintingTest, TheCrossHairIsTakenOffByDrawingItAgain) {
  view.DrawCrossHair(100, 100, 1);
  EXPECT_EQ(Polylines().size(), 2u);
  view.ShowCrossHair(0);
  view.EraseCrossHair();  // already off: nothing more
  EXPECT_EQ(Polylines().size(), 4u);
}

TEST_F(PaintingTest, TemporaryEntitiesAreDrawnPieceByPiece) {
  CLineEntity line(0, nullptr, 0, 0, 50, 0);
  view.DrawEntityTemp(&line, 1, 0);
  view.DrawEntityTemp(&line, 1, 1);
  EXPECT_EQ(Polylines().size(), 2u);
}

// A point entity shows as a cross two pixels each way at any zoom.
TEST_F(PaintingTest, APointEntityShowsAsASmallCross) {
  view.SetZoom(4);
  CPointEntity point(0, nullptr, 10, 10, 5, 1.0);
  view.DrawEntityTemp(&point, 1, 0);
  const auto crosses = Polylines();
  ASSERT_EQ(crosses.size(), 2u);
  EXPECT_EQ(crosses[0].device[0].x, 38);
  EXPECT_EQ(crosses[0].device[1].x, 42);
  EXPECT_EQ(crosses[0].device[0].y, crosses[0].device[1].y);
  EXPECT_EQ(crosses[1].device[1].y - crosses[1].device[0].y, -4);
}

TEST_F(PaintingTest, APolylinePreviewAndAColouredPointMark) {
  const double xs[] = {10, 60, 110};
  const double ys[] = {10, 40, 10};
  view.DrawPolylinePreview(xs, ys, 3, 1, 0);
  view.DrawPolylinePreview(xs, ys, 1, 1, 0);  // one point: nothing
  auto lines = Polylines();
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].device.size(), 3u);
  EXPECT_EQ(lines[0].device[1].x, 60);
  EXPECT_EQ(lines[0].device[1].y, 560);
  EXPECT_EQ(lines[0].rop2, R2_XORPEN);
  view.DrawPointMark(100, 100, 65280);
  lines = Polylines();
  ASSERT_EQ(lines.size(), 3u);  // the two strokes of the cross
  EXPECT_EQ(lines[1].pen.color, 65280u);
  EXPECT_EQ(lines[1].rop2, R2_XORPEN);
  ASSERT_EQ(view.GetDrawLog().size(), 2u);
  EXPECT_EQ(view.GetDrawLog()[1].kind, ViewDrawKind::kPointMark);
  EXPECT_EQ(view.GetDrawLog()[1].flag, 65280);
}
