#include "draft/host/SmoothCurve.h"

#include <cmath>
#include <cstddef>
#include <new>

namespace {
// The count in front of an array, padded so that the points stay aligned.
union CountHeader {
  int count;
  alignas(CCurvePoint) unsigned char pad[sizeof(CCurvePoint)];
};

CountHeader* HeaderOf(const CCurvePoint* points) {
  return reinterpret_cast<CountHeader*>(const_cast<CCurvePoint*>(points)) - 1;
}

struct P {
  double x, y;
};

P At(const CCurvePoint& c) { return {c.X(), c.Y()}; }

// The knot step of the centripetal parametrisation between two points: the
// square root of their distance.
double KnotStep(const P& a, const P& b) { return std::sqrt(std::hypot(b.x - a.x, b.y - a.y)); }

P Mix(const P& a, double wa, const P& b, double wb) { return {a.x * wa + b.x * wb, a.y * wa + b.y * wb}; }
}  // namespace

CCurvePoint* ConstructCurvePoint(void* place) { return new (place) CCurvePoint(); }

void DestroyCurvePoint(CCurvePoint* point) {
  if (point) point->~CCurvePoint();
}

CCurvePoint* AllocateCurvePoints(int count) {
  if (count <= 0) return nullptr;
  void* block = ::operator new(sizeof(CountHeader) + sizeof(CCurvePoint) * static_cast<size_t>(count),
                               std::nothrow);
  if (!block) return nullptr;
  auto* header = static_cast<CountHeader*>(block);
  header->count = count;
  auto* first = reinterpret_cast<CCurvePoint*>(header + 1);
  for (int i = 0; i < count; ++i) ConstructCurvePoint(first + i);
  return first;
}

int GetCurvePointCount(const CCurvePoint* points) { return points ? HeaderOf(points)->count : 0; }

void FreeCurvePoints(CCurvePoint* points) {
  if (!points) return;
  CountHeader* header = HeaderOf(points);
  for (int i = header->count - 1; i >= 0; --i) DestroyCurvePoint(points + i);
  ::operator delete(header);
}

int PrepareOpenCurve(const CCurvePoint* fit, int count, CCurvePoint* data) {
  if (!fit || !data || count < 2) return 0;
  for (int i = 0; i < count; ++i) data[i + 1] = fit[i];
  // The end neighbours mirror the second point about the end, so that the
  // curve leaves each end towards its neighbour.
  const P f0 = At(fit[0]), f1 = At(fit[1]);
  const P l0 = At(fit[count - 1]), l1 = At(fit[count - 2]);
  data[0].Set(2 * f0.x - f1.x, 2 * f0.y - f1.y);
  data[count + 1].Set(2 * l0.x - l1.x, 2 * l0.y - l1.y);
  return count - 1;
}

int PrepareClosedCurve(const CCurvePoint* fit, int count, CCurvePoint* data) {
  if (!fit || !data || count < 3) return 0;
  data[0] = fit[count - 1];
  for (int i = 0; i < count; ++i) data[i + 1] = fit[i];
  data[count + 1] = fit[0];
  data[count + 2] = fit[1];
  return count;
}

int InterpolateCurvePoints(const CCurvePoint* data, int pieceCount, int piece, int subdivisions, CCurvePoint* out) {
  if (!data || !out || piece < 0 || piece >= pieceCount || subdivisions < 1) return 0;
  const P p0 = At(data[piece]), p1 = At(data[piece + 1]), p2 = At(data[piece + 2]), p3 = At(data[piece + 3]);
  // Knots of the centripetal parametrisation (Barry and Goldman's pyramid).
  // A step of zero (two fit points in one place) would divide by zero;
  // such a step counts as one, which keeps the piece finite.
  double d01 = KnotStep(p0, p1), d12 = KnotStep(p1, p2), d23 = KnotStep(p2, p3);
  const double scale = d01 + d12 + d23;
  const double tiny = scale > 0 ? scale * 1e-9 : 1.0;
  if (d12 < tiny) {
    // The piece's ends are one point: the piece is that point.
    for (int i = 0; i <= subdivisions; ++i) out[i] = data[piece + 1];
    return 1;
  }
  if (d01 < tiny) d01 = d12;
  if (d23 < tiny) d23 = d12;
  const double t0 = 0, t1 = d01, t2 = t1 + d12, t3 = t2 + d23;
  out[0] = data[piece + 1];
  out[subdivisions] = data[piece + 2];
  for (int i = 1; i < subdivisions; ++i) {
    const double t = t1 + (t2 - t1) * i / subdivisions;
    const P a1 = Mix(p0, (t1 - t) / (t1 - t0), p1, (t - t0) / (t1 - t0));
    const P a2 = Mix(p1, (t2 - t) / (t2 - t1), p2, (t - t1) / (t2 - t1));
    const P a3 = Mix(p2, (t3 - t) / (t3 - t2), p3, (t - t2) / (t3 - t2));
    const P b1 = Mix(a1, (t2 - t) / (t2 - t0), a2, (t - t0) / (t2 - t0));
    const P b2 = Mix(a2, (t3 - t) / (t3 - t1), a3, (t - t1) / (t3 - t1));
    const P c = Mix(b1, (t2 - t) / (t2 - t1), b2, (t - t1) / (t2 - t1));
    out[i].Set(c.x, c.y);
  }
  return 1;
}
