#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "draft/host/SmoothCurve.h"

namespace {

struct CurvePointsDeleter {
  void operator()(CCurvePoint* p) const { FreeCurvePoints(p); }
};
using CurvePoints = std::unique_ptr<CCurvePoint, CurvePointsDeleter>;

CurvePoints SmoothFit(const std::vector<std::pair<double, double>>& pts) {
  CurvePoints out(AllocateCurvePoints(static_cast<int>(pts.size())));
  for (size_t i = 0; i < pts.size(); ++i) out.get()[i].Set(pts[i].first, pts[i].second);
  return out;
}

// Every piece of the curve at `sub` subdivisions, piece by piece.
std::vector<std::vector<std::pair<double, double>>> SmoothPieces(const std::vector<std::pair<double, double>>& pts,
                                                                 bool closed, int sub) {
  const int n = static_cast<int>(pts.size());
  CurvePoints fit = SmoothFit(pts);
  CurvePoints data(AllocateCurvePoints(n + 3));
  CurvePoints buffer(AllocateCurvePoints(sub + 1));
  const int pieces = closed ? PrepareClosedCurve(fit.get(), n, data.get()) : PrepareOpenCurve(fit.get(), n, data.get());
  std::vector<std::vector<std::pair<double, double>>> out;
  for (int k = 0; k < pieces; ++k) {
    EXPECT_TRUE(InterpolateCurvePoints(data.get(), pieces, k, sub, buffer.get()));
    std::vector<std::pair<double, double>> piece;
    for (int i = 0; i <= sub; ++i) piece.push_back({buffer.get()[i].X(), buffer.get()[i].Y()});
    out.push_back(piece);
  }
  return out;
}

const std::vector<std::pair<double, double>> kZigzag = {{0, 0},   {10, 5},  {25, -3}, {30, 12}, {42, 0},
                                                         {50, 20}, {51, 21}, {70, -8}, {80, 0}};

TEST(SmoothCurveTest, PiecesRunThroughTheFitPoints) {
  for (bool closed : {false, true}) {
    SCOPED_TRACE(closed ? "closed" : "open");
    const auto pieces = SmoothPieces(kZigzag, closed, 5);
    const size_t n = kZigzag.size();
    ASSERT_EQ(pieces.size(), closed ? n : n - 1);
    for (size_t k = 0; k < pieces.size(); ++k) {
      EXPECT_EQ(pieces[k].front(), kZigzag[k]);
      EXPECT_EQ(pieces[k].back(), kZigzag[(k + 1) % n]);
      for (const auto& p : pieces[k]) EXPECT_TRUE(std::isfinite(p.first) && std::isfinite(p.second));
    }
  }
}

// The freezing of a curve being drawn relies on this: a fit point added at
// the end changes no piece but the one that ended at the old last point.
TEST(SmoothCurveTest, APointAddedAtTheEndChangesOnlyTheLastPiece) {
  for (size_t n = 2; n < kZigzag.size(); ++n) {
    const std::vector<std::pair<double, double>> shorter(kZigzag.begin(), kZigzag.begin() + n);
    const std::vector<std::pair<double, double>> longer(kZigzag.begin(), kZigzag.begin() + n + 1);
    const auto before = SmoothPieces(shorter, false, 4);
    const auto after = SmoothPieces(longer, false, 4);
    for (size_t k = 0; k + 1 < before.size(); ++k) EXPECT_EQ(before[k], after[k]) << n << " points, piece " << k;
    EXPECT_NE(before.back(), after[before.size() - 1]) << n;
  }
}

TEST(SmoothCurveTest, EdgeCasesStayFiniteOrAreRefused) {
  // Two fit points in one place: the piece between them is that point.
  const auto pieces = SmoothPieces({{0, 0}, {5, 5}, {5, 5}, {10, 0}}, false, 4);
  ASSERT_EQ(pieces.size(), 3u);
  for (const auto& p : pieces[1]) EXPECT_EQ(p, std::make_pair(5.0, 5.0));
  for (const auto& piece : pieces)
    for (const auto& p : piece) EXPECT_TRUE(std::isfinite(p.first) && std::isfinite(p.second));
  // Two points: the straight line between them.
  const auto line = SmoothPieces({{0, 0}, {8, 4}}, false, 4);
  ASSERT_EQ(line.size(), 1u);
  EXPECT_NEAR(line[0][2].first, 4, 1e-12);
  EXPECT_NEAR(line[0][2].second, 2, 1e-12);

  CurvePoints fit = SmoothFit(kZigzag);
  CurvePoints data(AllocateCurvePoints(12));
  CurvePoints out(AllocateCurvePoints(5));
  EXPECT_EQ(GetCurvePointCount(fit.get()), 9);
  EXPECT_EQ(GetCurvePointCount(out.get()), 5);
  EXPECT_EQ(PrepareOpenCurve(fit.get(), 1, data.get()), 0);
  EXPECT_EQ(PrepareClosedCurve(fit.get(), 2, data.get()), 0);
  const int pieces9 = PrepareOpenCurve(fit.get(), 9, data.get());
  EXPECT_EQ(pieces9, 8);
  EXPECT_FALSE(InterpolateCurvePoints(data.get(), pieces9, 8, 4, out.get()));
  EXPECT_FALSE(InterpolateCurvePoints(data.get(), pieces9, -1, 4, out.get()));
  EXPECT_FALSE(InterpolateCurvePoints(data.get(), pieces9, 0, 0, out.get()));
  EXPECT_EQ(AllocateCurvePoints(0), nullptr);
  *out.get()[0].GetCoordPtr(0) = 3;
  *out.get()[0].GetCoordPtr(1) = 4;
  EXPECT_EQ(out.get()[0].X(), 3);
  EXPECT_EQ(out.get()[0].Y(), 4);
}

}  // namespace
