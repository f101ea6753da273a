#include "draft/construct/CurvePieces.h"

#include <memory>
#include <new>

#include "draft/host/CurveEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/SmoothCurve.h"

namespace construct {

namespace {
// The room of the curve data beyond the fit points (a closed curve's).
constexpr int kCurveDataExtra = 3;
}  // namespace

bool AllocateCurveArrays(int maxFit, int subdivisions, CCurvePoint*& fit, CCurvePoint*& data,
                         CCurvePoint*& buffer) {
  FreeCurveArrays(fit, data, buffer);
  fit = AllocateCurvePoints(maxFit);
  data = AllocateCurvePoints(maxFit + kCurveDataExtra);
  buffer = AllocateCurvePoints(subdivisions + 1);
  if (fit && data && buffer) return true;
  FreeCurveArrays(fit, data, buffer);
  return false;
}

void FreeCurveArrays(CCurvePoint*& fit, CCurvePoint*& data, CCurvePoint*& buffer) {
  FreeCurvePoints(fit);
  FreeCurvePoints(data);
  FreeCurvePoints(buffer);
  fit = data = buffer = nullptr;
}

int PrepareCurve(const CCurvePoint* fit, int count, int closed, CCurvePoint* data) {
  return closed ? PrepareClosedCurve(fit, count, data) : PrepareOpenCurve(fit, count, data);
}

std::vector<GPoint> PiecePoints(const CCurvePoint* data, int pieceCount, int piece, int subdivisions,
                                CCurvePoint* buffer) {
  std::vector<GPoint> out;
  if (!InterpolateCurvePoints(data, pieceCount, piece, subdivisions, buffer)) return out;
  for (int i = 0; i <= subdivisions; ++i) out.push_back({buffer[i].X(), buffer[i].Y()});
  return out;
}

void DrawCurvePieces(CDraftView* view, const CCurvePoint* data, int pieceCount, int firstPiece, int subdivisions,
                     CCurvePoint* buffer) {
  if (!view || firstPiece < 0 || firstPiece >= pieceCount || subdivisions < 1) return;
  const int count = (pieceCount - firstPiece) * subdivisions + 1;
  std::unique_ptr<double[]> xs(new (std::nothrow) double[count]);
  std::unique_ptr<double[]> ys(new (std::nothrow) double[count]);
  int n = 0;
  GPoint previous{};
  for (int piece = firstPiece; piece < pieceCount; ++piece) {
    if (!InterpolateCurvePoints(data, pieceCount, piece, subdivisions, buffer)) return;
    const int last = piece + 1 == pieceCount ? subdivisions : subdivisions - 1;
    for (int i = 0; i <= last; ++i) {
      const GPoint p{buffer[i].X(), buffer[i].Y()};
      if (xs && ys) {
        xs[n] = p.x;
        ys[n] = p.y;
      } else if (n > 0) {
        view->DrawLinePreview(previous.x, previous.y, p.x, p.y);
      }
      previous = p;
      ++n;
    }
  }
  if (xs && ys) view->DrawPolylinePreview(xs.get(), ys.get(), n, 1, 0);
}

void AddCurvePieces(CCurveEntity* curve, const CCurvePoint* data, int pieceCount, int subdivisions,
                    CCurvePoint* buffer) {
  if (!curve) return;
  for (int piece = 0; piece < pieceCount; ++piece) {
    if (!InterpolateCurvePoints(data, pieceCount, piece, subdivisions, buffer)) return;
    for (int i = 0; i < subdivisions; ++i)
      curve->AddCurveSegment(buffer[i].X(), buffer[i].Y(), buffer[i + 1].X(), buffer[i + 1].Y(), 1);
  }
}

}  // namespace construct
