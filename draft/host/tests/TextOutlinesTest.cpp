// Korrin's character outlines of a text: closed loops of lines where the
// glyphs are painted, turned with the text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextOutlines.h"
#include "draft/testsupport/MessageBoxAnswers.h"

namespace {
struct LoopBox {
  double xmin = 1e300, ymin = 1e300, xmax = -1e300, ymax = -1e300;
};

// The outlines of `text` at (20, 30), 10 high, turned by `angle`, each as
// its box relative to the insertion point; checks that each loop is closed
// and joined end to end.
std::vector<LoopBox> OutlineBoxes(const char* text, double angle) {
  CTextAttrib attr;
  ConstructTextAttribDefault(attr, 10.0, 0, 0);
  attr.SetAngle(angle);
  const std::unique_ptr<CTextEntity> entity(ConstructTextEntity(0, nullptr, text, 20, 30, attr));
  std::vector<CEntityList*> outlines;
  const int count = GetBoundaryList(entity.get(), outlines);
  EXPECT_EQ(count, static_cast<int>(outlines.size()));
  std::vector<LoopBox> boxes;
  for (CEntityList* loop : outlines) {
    LoopBox box;
    double first[4] = {}, previous[4] = {};
    bool start = true;
    for (CEntity* e : *loop) {
      double v[kMaxGeometryValues];
      EXPECT_TRUE(e->IsLine());
      if (e->GetGeometry(v) != 4) { ADD_FAILURE() << "no line"; continue; }
      if (start)
        std::copy(v, v + 4, first);
      else
        EXPECT_TRUE(IsSamePoint(previous[2], previous[3], v[0], v[1]));
      std::copy(v, v + 4, previous);
      start = false;
      box.xmin = std::min({box.xmin, v[0] - 20, v[2] - 20});
      box.xmax = std::max({box.xmax, v[0] - 20, v[2] - 20});
      box.ymin = std::min({box.ymin, v[1] - 30, v[3] - 30});
      box.ymax = std::max({box.ymax, v[1] - 30, v[3] - 30});
    }
    EXPECT_TRUE(IsSamePoint(previous[2], previous[3], first[0], first[1]));  // closed
    boxes.push_back(box);
  }
  FreeBoundaryLists(outlines);
  EXPECT_TRUE(outlines.empty());
  return boxes;
}
}  // namespace

TEST(TextOutlinesTest, ACharacterWithAHoleGivesTwoNestedLoops) {
  drafttest::MessageBoxAnswers boxes;
  const std::vector<LoopBox> loops = OutlineBoxes("口", 0.0);
  ASSERT_EQ(loops.size(), 2u);
  const LoopBox& outer = loops[0].xmax - loops[0].xmin > loops[1].xmax - loops[1].xmin ? loops[0] : loops[1];
  const LoopBox& inner = &outer == &loops[0] ? loops[1] : loops[0];
  EXPECT_LT(outer.xmin, inner.xmin);
  EXPECT_GT(outer.xmax, inner.xmax);
  EXPECT_LT(outer.ymin, inner.ymin);
  EXPECT_GT(outer.ymax, inner.ymax);
  // The glyph stands on the base line and about fills the text height.
  EXPECT_NEAR(outer.ymax - outer.ymin, 10.0, 2.0);
  EXPECT_GT(outer.xmin, -1.0);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST(TextOutlinesTest, ATurnedTextsOutlinesTurnWithIt) {
  const std::vector<LoopBox> level = OutlineBoxes("AB", 0.0);
  const std::vector<LoopBox> turned = OutlineBoxes("AB", 90.0);
  ASSERT_EQ(level.size(), turned.size());
  ASSERT_GE(level.size(), 3u);  // "A" has a hole, "B" two
  for (size_t i = 0; i < level.size(); ++i) {
    // Turned by 90 degrees: (x, y) becomes (-y, x).
    EXPECT_NEAR(turned[i].xmin, -level[i].ymax, 1e-6) << i;
    EXPECT_NEAR(turned[i].xmax, -level[i].ymin, 1e-6) << i;
    EXPECT_NEAR(turned[i].ymin, level[i].xmin, 1e-6) << i;
    EXPECT_NEAR(turned[i].ymax, level[i].xmax, 1e-6) << i;
  }
}

TEST(TextOutlinesTest, AnEntityThatIsNoTextGivesNoOutline) {
  std::vector<CEntityList*> outlines;
  EXPECT_EQ(GetBoundaryList(nullptr, outlines), 0);
  CTextAttrib attr;
  ConstructTextAttribDefault(attr, 10.0, 0, 0);
  const std::unique_ptr<CTextEntity> blanks(ConstructTextEntity(0, nullptr, "   ", 0, 0, attr));
  EXPECT_EQ(GetBoundaryList(blanks.get(), outlines), 0);
  EXPECT_TRUE(outlines.empty());
}
