// What the spline commands share: the smooth curve through fit points
// (Tressil's SmoothCurve.h) prepared, previewed and built piece by piece,
// and the fit points of a curve entity carried in and out of the point
// arrays the commands keep.
#pragma once

#include <vector>

#include "draft/host/Geometry2D.h"

class CCurveEntity;
class CCurvePoint;
class CDraftView;

namespace construct {

// The most subdivisions per piece a stored curve is built with: the setting
// may ask for more, but a piece of more segments than a screen has pixels
// along it shows nothing finer and only makes the curve heavy.
inline constexpr int kMaxCurveSubdivisions = 1024;

// The three point arrays a spline command works in, made anew: room for
// `maxFit` fit points, for the curve data prepared from them (a closed
// curve's needs three elements more) and for one piece of `subdivisions`.
// False, with none of them kept, when one cannot be had.
bool AllocateCurveArrays(int maxFit, int subdivisions, CCurvePoint*& fit, CCurvePoint*& data,
                         CCurvePoint*& buffer);
// Frees the three arrays and sets them to null.
void FreeCurveArrays(CCurvePoint*& fit, CCurvePoint*& data, CCurvePoint*& buffer);

// The curve data of `count` fit points, closed or open; the number of
// pieces (0 when there are too few points).
int PrepareCurve(const CCurvePoint* fit, int count, int closed, CCurvePoint* data);

// Pieces firstPiece to pieceCount - 1 as one rubber polyline: points 0 to
// subdivisions - 1 of each piece and the last point of the last piece.
// `buffer` holds subdivisions + 1 points. When the polyline's arrays cannot
// be had the same points are drawn as separate rubber lines.
void DrawCurvePieces(CDraftView* view, const CCurvePoint* data, int pieceCount, int firstPiece, int subdivisions,
                     CCurvePoint* buffer);

// Every piece at `subdivisions` as straight segments of the curve entity.
void AddCurvePieces(CCurveEntity* curve, const CCurvePoint* data, int pieceCount, int subdivisions,
                    CCurvePoint* buffer);

// The points of one piece at `subdivisions` (subdivisions + 1 of them).
std::vector<GPoint> PiecePoints(const CCurvePoint* data, int pieceCount, int piece, int subdivisions,
                                CCurvePoint* buffer);

}  // namespace construct
