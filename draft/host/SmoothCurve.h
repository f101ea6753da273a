// Tressil's smooth curves through fit points: a centripetal Catmull-Rom
// curve, a cubic whose piece between fit points i and i + 1 depends only on
// the fit points i - 1 to i + 2. A fit point added at the end of an open
// curve changes the piece that ended at the old last point and no other:
// every piece that does not end at the last fit point is final.
//
// The curve data is the fit points with their neighbours at the ends: an
// open curve of n points gets a point before the first and one after the
// last, each the mirror of the second point about the end
// (n + 2 elements); a closed curve of n points wraps round, the last fit
// point before the first and the first two after the last (n + 3
// elements). Piece k is the curve from data[k + 1] to data[k + 2] and is
// shaped by data[k] to data[k + 3]; an open curve has n - 1 pieces, a
// closed one n.
#pragma once

// One point of a smooth-curve array: x (axis 0) and y (axis 1).
class CCurvePoint {
 public:
  CCurvePoint() = default;
  // The coordinate of axis 0 (x) or 1 (y); any other axis is y.
  double* GetCoordPtr(int axis) { return &xy_[axis == 0 ? 0 : 1]; }
  const double* GetCoordPtr(int axis) const { return &xy_[axis == 0 ? 0 : 1]; }
  double X() const { return xy_[0]; }
  double Y() const { return xy_[1]; }
  void Set(double x, double y) {
    xy_[0] = x;
    xy_[1] = y;
  }

 private:
  double xy_[2] = {0.0, 0.0};
};

// Makes the point (0, 0) in the storage at `place` and returns it.
CCurvePoint* ConstructCurvePoint(void* place);
// Ends the life of a point made by ConstructCurvePoint (its storage stays).
void DestroyCurvePoint(CCurvePoint* point);

// An array of `count` points (0, 0), its element count kept in front of it;
// null when `count` is not positive or memory runs out.
CCurvePoint* AllocateCurvePoints(int count);
// The element count of such an array (0 for null).
int GetCurvePointCount(const CCurvePoint* points);
// Destroys the points and frees the array; null is ignored.
void FreeCurvePoints(CCurvePoint* points);

// The curve data of an open curve through `count` fit points into `data`,
// which holds at least count + 2 elements; the number of pieces (count - 1),
// 0 (data untouched) for fewer than 2 points.
int PrepareOpenCurve(const CCurvePoint* fit, int count, CCurvePoint* data);
// The same for a closed curve: count + 3 elements; count pieces, 0 for fewer
// than 3 points.
int PrepareClosedCurve(const CCurvePoint* fit, int count, CCurvePoint* data);

// Piece `piece` of curve data of `pieceCount` pieces at `subdivisions`
// equal steps of its parameter: subdivisions + 1 points into `out`, the
// first and the last the piece's fit points exactly. FALSE (out untouched)
// when the piece is not one of the curve's or subdivisions is below 1.
int InterpolateCurvePoints(const CCurvePoint* data, int pieceCount, int piece, int subdivisions, CCurvePoint* out);
