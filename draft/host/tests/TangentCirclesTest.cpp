#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "draft/host/TangentCircles.h"

namespace {

// One input as the checks see it: a line through two points, a circle or a
// point.
struct TanShape {
  char kind;  // 'l', 'c' or 'p'
  double v[4];
};

TanShape L(double x1, double y1, double x2, double y2) { return {'l', {x1, y1, x2, y2}}; }
TanShape C(double x, double y, double r) { return {'c', {x, y, r, 0}}; }
TanShape P(double x, double y) { return {'p', {x, y, 0, 0}}; }

// Calls the solver that the three kinds name, in their order, with a line
// passed as its ppGetLine coefficients. Guard entries past the eighth must
// stay untouched.
int CallSolver(const TanShape (&s)[3], double* cx, double* cy, double* r) {
  std::vector<double> args;
  std::string kinds;
  for (const TanShape& t : s) {
    kinds += t.kind;
    if (t.kind == 'l') {
      double a = 0, b = 0, c = 0;
      EXPECT_TRUE(ppGetLine(t.v[0], t.v[1], t.v[2], t.v[3], &a, &b, &c));
      args.insert(args.end(), {a, b, c});
    } else if (t.kind == 'c') {
      args.insert(args.end(), {t.v[0], t.v[1], t.v[2]});
    } else {
      args.insert(args.end(), {t.v[0], t.v[1]});
    }
  }
  const double* a = args.data();
  if (kinds == "lll") return lllGetTanCircle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], cx, cy, r);
  if (kinds == "llc") return llcGetTanCircle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], cx, cy, r);
  if (kinds == "lcc") return lccGetTanCircle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], cx, cy, r);
  if (kinds == "ccc") return cccGetTanCircle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], cx, cy, r);
  if (kinds == "ppl") return pplGetTanCircle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], cx, cy, r);
  if (kinds == "ppc") return ppcGetTanCircle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], cx, cy, r);
  if (kinds == "pll") return pllGetTanCircle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], cx, cy, r);
  if (kinds == "pcc") return pccGetTanCircle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], cx, cy, r);
  if (kinds == "plc") return plcGetTanCircle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], cx, cy, r);
  ADD_FAILURE() << "no solver for " << kinds;
  return -1;
}

// How far the circle (x, y, r) is from touching the shape.
double TouchError(const TanShape& s, double x, double y, double r) {
  switch (s.kind) {
    case 'l': {
      const double dx = s.v[2] - s.v[0], dy = s.v[3] - s.v[1];
      const double d = std::fabs(dy * (x - s.v[0]) - dx * (y - s.v[1])) / std::hypot(dx, dy);
      return std::fabs(d - r);
    }
    case 'c': {
      const double d = std::hypot(x - s.v[0], y - s.v[1]);
      return std::min(std::fabs(d - (r + s.v[2])), std::fabs(d - std::fabs(r - s.v[2])));
    }
    default:
      return std::fabs(std::hypot(x - s.v[0], y - s.v[1]) - r);
  }
}

constexpr double kGuard = 12345.0;

}  // namespace

TEST(TangentCircles, EveryCircleTouchesEachInputAndGenericCasesGiveTheirCounts) {
  struct Case {
    const char* name;
    TanShape in[3];
    int minCount, maxCount;
  };
  const Case cases[] = {
      // The in-circle and the three ex-circles of a triangle.
      {"three lines", {L(0, 0, 10, 0), L(0, 0, 0, 10), L(10, 0, 0, 8)}, 4, 4},
      // Two parallel lines and a transversal: one circle each side.
      {"two parallel lines", {L(0, 0, 10, 0), L(0, 20, 10, 20), L(0, -5, 3, 30)}, 2, 2},
      // A circle inside the right angle: two circles each side of it on the bisector.
      {"two lines and a circle", {L(0, 0, 10, 0), L(0, 0, 0, 10), C(30, 20, 4)}, 4, 4},
      {"a line and two circles", {L(-50, 0, 50, 0), C(0, 20, 5), C(25, 30, 6)}, 8, 8},
      // Three circles apart from each other: the eight circles of the problem.
      {"three circles", {C(0, 0, 3), C(20, 0, 4), C(8, 18, 2)}, 8, 8},
      // Both points on one side of the line.
      {"two points and a line", {P(2, 5), P(8, 9), L(-10, 0, 10, 0)}, 2, 2},
      {"two points and a circle", {P(-10, 0), P(-8, 12), C(10, 3, 4)}, 2, 2},
      // The point inside the angle of the two lines.
      {"a point and two lines", {P(7, 3), L(0, 0, 10, 0), L(0, 0, 0, 10)}, 2, 2},
      {"a point and two circles", {P(0, 15), C(0, 0, 3), C(20, 0, 4)}, 1, 8},
      {"a point, a line and a circle", {P(3, 12), L(-20, 0, 20, 0), C(15, 10, 3)}, 1, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    double cx[kMaxTanCircles + 2], cy[kMaxTanCircles + 2], r[kMaxTanCircles + 2];
    std::fill(std::begin(cx), std::end(cx), kGuard);
    std::fill(std::begin(cy), std::end(cy), kGuard);
    std::fill(std::begin(r), std::end(r), kGuard);
    const int n = CallSolver(c.in, cx, cy, r);
    EXPECT_GE(n, c.minCount);
    EXPECT_LE(n, c.maxCount);
    for (int i = 0; i < n && i < kMaxTanCircles; ++i) {
      EXPECT_GT(r[i], 1e-9);
      for (const TanShape& s : c.in) EXPECT_NEAR(TouchError(s, cx[i], cy[i], r[i]), 0.0, 1e-9) << "circle " << i;
      for (int j = 0; j < i; ++j)
        EXPECT_FALSE(std::fabs(cx[i] - cx[j]) < 1e-6 && std::fabs(cy[i] - cy[j]) < 1e-6 &&
                     std::fabs(r[i] - r[j]) < 1e-6)
            << "circles " << j << " and " << i << " repeat";
    }
    for (int i = kMaxTanCircles; i < kMaxTanCircles + 2; ++i) EXPECT_EQ(r[i], kGuard);
  }
}

TEST(TangentCircles, DegenerateInputsGiveFewCirclesWithoutAFault) {
  struct Case {
    const char* name;
    TanShape in[3];
    int maxCount;
  };
  const Case cases[] = {
      {"three parallel lines", {L(0, 0, 10, 0), L(0, 5, 10, 5), L(0, 9, 10, 9)}, 0},
      {"one line three times", {L(0, 0, 10, 0), L(0, 0, 10, 0), L(0, 0, 10, 0)}, 0},
      {"coincident points and a line", {P(3, 4), P(3, 4), L(0, 0, 10, 0)}, 8},
      {"coincident points and a circle", {P(3, 4), P(3, 4), C(0, 0, 1)}, 8},
      {"concentric circles", {C(0, 0, 1), C(0, 0, 2), C(0, 0, 3)}, 8},
      {"one circle three times", {C(5, 5, 2), C(5, 5, 2), C(5, 5, 2)}, 8},
      {"a point on both lines", {P(0, 0), L(0, 0, 10, 0), L(0, 0, 0, 10)}, 8},
      {"a point on one of two lines", {P(5, 0), L(0, 0, 10, 0), L(0, 0, 0, 10)}, 8},
      {"a point on the circle", {P(3, 0), L(0, 10, 10, 10), C(0, 0, 3)}, 8},
      {"nearly parallel lines", {L(0, 0, 10, 0), L(0, 1, 10, 1 + 1e-15), L(0, 0, 3, 7)}, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    double cx[kMaxTanCircles + 1], cy[kMaxTanCircles + 1], r[kMaxTanCircles + 1];
    r[kMaxTanCircles] = kGuard;
    const int n = CallSolver(c.in, cx, cy, r);
    EXPECT_GE(n, 0);
    EXPECT_LE(n, c.maxCount);
    EXPECT_EQ(r[kMaxTanCircles], kGuard);
    // Nothing far beyond the inputs: such circles are rounding noise.
    for (int i = 0; i < n; ++i)
      EXPECT_TRUE(std::fabs(cx[i]) < 1e8 && std::fabs(cy[i]) < 1e8 && r[i] > 1e-9 && r[i] < 1e8)
          << cx[i] << " " << cy[i] << " " << r[i];
  }
}

TEST(TangentCircles, LineCoefficientsAreNormalisedAndNeedTwoPoints) {
  double a = 7, b = 7, c = 7;
  ASSERT_TRUE(ppGetLine(0, 2, 4, 5, &a, &b, &c));
  EXPECT_NEAR(a * a + b * b, 1.0, 1e-15);
  EXPECT_NEAR(a * 0 + b * 2 + c, 0.0, 1e-12);
  EXPECT_NEAR(a * 4 + b * 5 + c, 0.0, 1e-12);
  a = b = c = 7;
  EXPECT_FALSE(ppGetLine(3, 3, 3, 3, &a, &b, &c));
  EXPECT_FALSE(ppGetLine(0, 0, NAN, 1, &a, &b, &c));
  EXPECT_EQ(a, 7);
}
