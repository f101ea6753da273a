#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "draft/edit/CarrierMerge.h"

using namespace carrier;

namespace {

struct WantLine {
  int removal;
  std::vector<LinePiece> pieces;
};

void ExpectLineMerge(const LineMerge& m, const WantLine& want) {
  EXPECT_EQ(m.removal, want.removal);
  ASSERT_EQ(m.count, static_cast<int>(want.pieces.size()));
  for (int i = 0; i < m.count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(m.pieces[i].from.x, want.pieces[i].from.x, 1e-9);
    EXPECT_NEAR(m.pieces[i].from.y, want.pieces[i].from.y, 1e-9);
    EXPECT_NEAR(m.pieces[i].to.x, want.pieces[i].to.x, 1e-9);
    EXPECT_NEAR(m.pieces[i].to.y, want.pieces[i].to.y, 1e-9);
    EXPECT_EQ(m.pieces[i].source, want.pieces[i].source);
  }
}

// Angles compared on the circle.
void ExpectAngle(double actual, double expected) {
  double d = std::fmod(std::fabs(actual - expected), 360.0);
  EXPECT_LT(std::min(d, 360.0 - d), 1e-9) << actual << " against " << expected;
}

struct WantArc {
  int removal;
  // Each piece: start, end (both 0 and circle = true for a circle), source.
  struct Piece {
    bool circle;
    double start, end;
    int source;
  };
  std::vector<Piece> pieces;
};

void ExpectArcMerge(const ArcMerge& m, const WantArc& want) {
  EXPECT_EQ(m.removal, want.removal);
  ASSERT_EQ(m.count, static_cast<int>(want.pieces.size()));
  for (int i = 0; i < m.count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(m.pieces[i].span.circle, want.pieces[i].circle);
    if (!want.pieces[i].circle) {
      ExpectAngle(m.pieces[i].span.start, want.pieces[i].start);
      ExpectAngle(m.pieces[i].span.end, want.pieces[i].end);
    }
    EXPECT_EQ(m.pieces[i].source, want.pieces[i].source);
  }
}

CircleSpan Arc(double start, double end) { return {false, start, end}; }
const CircleSpan kCircle{true, 0, 0};

}  // namespace

// A is (0,0)-(10,0); each row merges B under one code, with A's code lower
// and with B's code lower.
TEST(CarrierMerge, CollinearLinesByCodes) {
  struct Row {
    const char* what;
    GPoint b1, b2;
    WantLine same, aLower, bLower;
  };
  const Row rows[] = {
      {"B within A", {2, 0}, {5, 0}, {2, {}}, {2, {}}, {1, {{{0, 0}, {2, 0}, 0}, {{5, 0}, {10, 0}, 0}}}},
      {"A within B", {-3, 0}, {12, 0}, {1, {}}, {2, {{{-3, 0}, {0, 0}, 1}, {{10, 0}, {12, 0}, 1}}}, {1, {}}},
      {"B out above", {6, 0}, {14, 0}, {3, {{{0, 0}, {14, 0}, 0}}}, {2, {{{10, 0}, {14, 0}, 1}}},
       {1, {{{0, 0}, {6, 0}, 0}}}},
      {"B out below", {3, 0}, {-4, 0}, {3, {{{-4, 0}, {10, 0}, 0}}}, {2, {{{-4, 0}, {0, 0}, 1}}},
       {1, {{{3, 0}, {10, 0}, 0}}}},
      {"end to end", {10, 0}, {15, 0}, {3, {{{0, 0}, {15, 0}, 0}}}, {0, {}}, {0, {}}},
      {"end to end below", {-5, 0}, {0, 0}, {3, {{{-5, 0}, {10, 0}, 0}}}, {0, {}}, {0, {}}},
      {"apart", {12, 0}, {15, 0}, {0, {}}, {0, {}}, {0, {}}},
      {"equal, reversed", {10, 0}, {0, 0}, {1, {}}, {2, {}}, {1, {}}},
      {"beside", {2, 1}, {5, 1}, {0, {}}, {0, {}}, {0, {}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    {
      SCOPED_TRACE("same code");
      ExpectLineMerge(MergeCollinearLines({0, 0}, {10, 0}, 1, r.b1, r.b2, 1), r.same);
    }
    {
      SCOPED_TRACE("A lower");
      ExpectLineMerge(MergeCollinearLines({0, 0}, {10, 0}, 0, r.b1, r.b2, 2), r.aLower);
    }
    {
      SCOPED_TRACE("B lower");
      ExpectLineMerge(MergeCollinearLines({10, 0}, {0, 0}, 2, r.b1, r.b2, 0), r.bLower);
    }
  }
}

// A line turned a hair off the vertical is ordered along its own axis.
TEST(CarrierMerge, NearVerticalLinesMergeAlongTheirAxis) {
  const double k = 1e-4;  // x = k·y
  ExpectLineMerge(MergeCollinearLines({0, 0}, {10 * k, 10}, 1, {8 * k, 8}, {14 * k, 14}, 1),
                  {3, {{{0, 0}, {14 * k, 14}, 0}}});
  GPoint a{0, 0}, b{6.123e-16, 10};  // a vertical line turned by 90 degrees twice
  StretchOver(a, b, {1.2e-15, 20});
  StretchOver(a, b, {-3e-16, -5});
  EXPECT_NEAR(a.y, -5, 1e-12);
  EXPECT_NEAR(b.y, 20, 1e-12);
  StretchOver(a, b, {0, 3});  // inside: nothing changes
  EXPECT_NEAR(a.y, -5, 1e-12);
  EXPECT_NEAR(b.y, 20, 1e-12);
}

TEST(CarrierMerge, ArcsOfOneCircleByCodes) {
  struct Row {
    const char* what;
    CircleSpan a, b;
    WantArc same, aLower, bLower;
  };
  const Row rows[] = {
      {"overlapping", Arc(10, 100), Arc(50, 150), {3, {{false, 10, 150, 0}}}, {2, {{false, 100, 150, 1}}},
       {1, {{false, 10, 50, 0}}}},
      {"across 0 degrees", Arc(350, 30), Arc(20, 60), {3, {{false, 350, 60, 0}}}, {2, {{false, 30, 60, 1}}},
       {1, {{false, 350, 20, 0}}}},
      {"across 180 degrees, round both ends", Arc(170, 200), Arc(185, 175), {3, {{true, 0, 0, 0}}},
       {2, {{false, 200, 170, 1}}}, {1, {{false, 175, 185, 0}}}},
      {"touching", Arc(0, 90), Arc(90, 180), {3, {{false, 0, 180, 0}}}, {0, {}}, {0, {}}},
      {"touching across 0", Arc(300, 360), Arc(0, 30), {3, {{false, 300, 30, 0}}}, {0, {}}, {0, {}}},
      {"covering the circle", Arc(0, 200), Arc(180, 20), {3, {{true, 0, 0, 0}}}, {2, {{false, 200, 360, 1}}},
       {1, {{false, 20, 180, 0}}}},
      {"B within A", Arc(0, 180), Arc(30, 60), {2, {}}, {2, {}},
       {1, {{false, 0, 30, 0}, {false, 60, 180, 0}}}},
      {"equal", Arc(200, 10), Arc(200, 370), {1, {}}, {2, {}}, {1, {}}},
      {"apart", Arc(0, 30), Arc(100, 130), {0, {}}, {0, {}}, {0, {}}},
      {"a circle and an arc", kCircle, Arc(30, 60), {2, {}}, {2, {}}, {1, {{false, 60, 30, 0}}}},
      {"an arc and a circle", Arc(30, 60), kCircle, {1, {}}, {2, {{false, 60, 30, 1}}}, {1, {}}},
      {"two circles", kCircle, kCircle, {2, {}}, {2, {}}, {1, {}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    {
      SCOPED_TRACE("same code");
      ExpectArcMerge(MergeArcsOfOneCircle(r.a, 1, r.b, 1), r.same);
    }
    {
      SCOPED_TRACE("A lower");
      ExpectArcMerge(MergeArcsOfOneCircle(r.a, 0, r.b, 2), r.aLower);
    }
    {
      SCOPED_TRACE("B lower");
      ExpectArcMerge(MergeArcsOfOneCircle(r.a, 2, r.b, 0), r.bLower);
    }
  }
}

TEST(CarrierMerge, ArcsJoinAcrossTheGapBesideThePick) {
  struct Row {
    CircleSpan a, b;
    double pick;
    CircleSpan want;
  };
  const Row rows[] = {
      {Arc(0, 90), Arc(180, 270), 80, Arc(0, 270)},    // nearer A's end
      {Arc(0, 90), Arc(180, 270), 10, Arc(180, 90)},   // nearer A's start
      {Arc(300, 30), Arc(90, 120), 20, Arc(300, 120)},  // A across 0 degrees
      {Arc(0, 90), Arc(45, 135), 10, Arc(0, 135)},     // overlapping: what both cover
      {Arc(0, 200), Arc(180, 20), 10, kCircle},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.pick);
    const CircleSpan j = JoinArcs(r.a, r.b, r.pick);
    ASSERT_EQ(j.circle, r.want.circle);
    if (j.circle) continue;
    ExpectAngle(j.start, r.want.start);
    ExpectAngle(j.end, r.want.end);
  }
}
