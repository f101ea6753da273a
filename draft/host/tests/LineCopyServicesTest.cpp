#include <gtest/gtest.h>

#include <memory>

#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineCopyServices.h"
#include "draft/host/LineEntity.h"
#include "draft/host/SectionSymbolEntity.h"
#include "draft/host/TableEntity.h"

namespace {

TEST(LineCopyServices, LinesDistanceAndAngle) {
  struct Case {
    GPoint a1, a2, b1, b2;
    double distance, angle;
  };
  const Case cases[] = {
      {{0, 0}, {10, 0}, {0, 5}, {10, 5}, 5, 0},        // parallel, 5 apart
      {{0, 0}, {10, 0}, {10, -3}, {0, -3}, 3, 180},    // parallel, the other way
      {{0, 0}, {10, 0}, {0, 0}, {10, 10}, 0, 45},      // crossing at 45 degrees
      {{0, 0}, {10, 0}, {5, 5}, {5, -5}, 0, 270},      // crossing at right angles
      {{0, 0}, {0, 0}, {5, 5}, {5, -5}, 0, 0},         // a point is no line
  };
  for (const Case& c : cases) {
    double angle = -1;
    EXPECT_NEAR(GetLinesDistance(c.a1, c.a2, c.b1, c.b2, angle), c.distance, 1e-9);
    EXPECT_NEAR(angle, c.angle, 1e-9);
  }
}

TEST(LineCopyServices, SegmentPairLiesOnTheStartCapsLine) {
  struct Case {
    GPoint s1, s2, e1, e2;
    BOOL onLine;
  };
  const Case cases[] = {
      {{10, 5}, {10, -5}, {10, 8}, {10, -8}, TRUE},    // the end cap on the start cap's line, longer
      {{10, 5}, {10, -5}, {10, 2}, {10, -2}, TRUE},    // shorter
      {{10, 5}, {10, -5}, {50, 5}, {50, -5}, FALSE},   // parallel, elsewhere
      {{10, 5}, {10, -5}, {10, 5}, {12, -5}, FALSE},   // one end off the line
      {{10, 5}, {10, 5}, {10, 5}, {10, 5}, FALSE},     // no start cap line
  };
  for (const Case& c : cases) EXPECT_EQ(TestSegmentPair(c.s1, c.s2, c.e1, c.e2), c.onLine);
}

TEST(LineCopyServices, BaseLinesAreLinesOnCentreLineLayers) {
  CDraftView view;
  CLineEntity centre(2, nullptr, 0, 0, 10, 0);
  CLineEntity thick(0, nullptr, 0, 0, 10, 0);
  std::unique_ptr<CBlockEntity> block(ConstructBlockEntity(2, nullptr));
  EXPECT_TRUE(IsBaseLineEntity(&view, &centre));
  EXPECT_FALSE(IsBaseLineEntity(&view, &thick));
  EXPECT_FALSE(IsBaseLineEntity(&view, block.get()));
  EXPECT_FALSE(IsBaseLineEntity(nullptr, &centre));
  // A layer whose record draws centre lines counts, whatever its number.
  view.GetLayerTable()->GetLayerRecord(0)->SetLineKind(kLineStyleCenter);
  EXPECT_TRUE(IsBaseLineEntity(&view, &thick));
}

TEST(LineCopyServices, MembersOfKeptWholeCompoundsAndTablesAreNotCopied) {
  const double xy[] = {0, 0, 10, 0};
  std::unique_ptr<CEntity> symbol(ConstructSectionSymbolEntity(0, nullptr, xy, 2));
  std::unique_ptr<CEntity> table(ConstructTableEntity(0, nullptr));
  std::unique_ptr<CEntity> block(ConstructBlockEntity(0, nullptr));
  EXPECT_TRUE(IsCopyExcludedOwner(symbol.get()));
  EXPECT_TRUE(IsCopyExcludedOwner(table.get()));
  EXPECT_FALSE(IsCopyExcludedOwner(block.get()));
  EXPECT_FALSE(IsCopyExcludedOwner(nullptr));
}

TEST(LineCopyServices, ThePickPointOperationAndTheDisplayTransform) {
  CDraftView view;
  view.SetZoom(4);
  EXPECT_FALSE(view.GetDisplay()->IsTransformed());
  EXPECT_DOUBLE_EQ(view.GetDisplay()->GetTransformFactor(), 4);
  CLineEntity line(0, nullptr, 0, 0, 10, 0);
  EXPECT_TRUE(line.IsPointNear(5, 0.5, 1));
  EXPECT_FALSE(line.IsPointNear(5, 1.5, 1));
  EXPECT_TRUE(line.IsPointNear(11, 0, 1));
}

}  // namespace
