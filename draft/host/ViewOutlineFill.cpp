// CDraftView::BuildOutlineFill: hatch lines cut to a character's outline.
#include <algorithm>
#include <cmath>
#include <vector>

#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/LineEntity.h"
#include "draft/host/RegionTableDlg.h"
#include "draft/host/TextOutlines.h"

namespace {
constexpr long long kMostHatchLines = 100000;

using Polygon = std::vector<GPoint>;

// The outline's vertices (each line's start, in order); empty unless it
// holds at least three lines.
Polygon ToPolygon(const CEntityList& outline) {
  Polygon polygon;
  for (const CEntity* e : outline) {
    double v[kMaxGeometryValues];
    if (!e->IsLine() || e->GetGeometry(v) != 4) return {};
    polygon.push_back({v[0], v[1]});
  }
  return polygon.size() >= 3 ? polygon : Polygon{};
}

bool Inside(const Polygon& polygon, GPoint p) {
  bool in = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const GPoint& a = polygon[i];
    const GPoint& b = polygon[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

bool SamePolygon(const Polygon& a, const Polygon& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!IsSamePoint(a[i], b[i])) return false;
  return true;
}

// The hatch lines at `angle` degrees, `spacing` apart, one of them through
// the point `offset` along the normal from the origin, cut to the even-odd
// inside of `loops`; false when more than kMostHatchLines would be needed.
bool Hatch(const std::vector<const Polygon*>& loops, double angle, double spacing, double offset,
           std::vector<std::pair<GPoint, GPoint>>& out) {
  const double a = DegreeToRadian(angle);
  const GPoint dir{std::cos(a), std::sin(a)}, normal{-std::sin(a), std::cos(a)};
  double low = 1e300, high = -1e300;
  for (const Polygon* loop : loops)
    for (const GPoint& p : *loop) {
      const double s = p.x * normal.x + p.y * normal.y;
      low = std::min(low, s);
      high = std::max(high, s);
    }
  const double first = std::ceil((low - offset) / spacing), last = std::floor((high - offset) / spacing);
  if (last - first + 1 > kMostHatchLines) return false;
  std::vector<double> cuts;
  for (double k = first; k <= last; ++k) {
    const double d = offset + k * spacing;
    cuts.clear();
    for (const Polygon* loop : loops) {
      const Polygon& poly = *loop;
      for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const double si = poly[i].x * normal.x + poly[i].y * normal.y;
        const double sj = poly[j].x * normal.x + poly[j].y * normal.y;
        if ((si < d) == (sj < d)) continue;  // half-open: a vertex on the line counts once
        const double t = (d - sj) / (si - sj);
        const GPoint q{poly[j].x + t * (poly[i].x - poly[j].x), poly[j].y + t * (poly[i].y - poly[j].y)};
        cuts.push_back(q.x * dir.x + q.y * dir.y);
      }
    }
    std::sort(cuts.begin(), cuts.end());
    for (size_t i = 0; i + 1 < cuts.size(); i += 2) {
      if (cuts[i + 1] - cuts[i] < 1e-9) continue;
      out.push_back({{dir.x * cuts[i] + normal.x * d, dir.y * cuts[i] + normal.y * d},
                     {dir.x * cuts[i + 1] + normal.x * d, dir.y * cuts[i + 1] + normal.y * d}});
    }
  }
  return true;
}
}  // namespace

CEntity* CDraftView::BuildOutlineFill(const char*, const CEntityList& outline, const int* words,
                                      const CEntityList& texts, int) {
  if (!words) return nullptr;
  for (int i = 0; i < kRegionTableWordCount; ++i)
    if (words[i] < CRegionTableDlg::MinWord(i) || words[i] > CRegionTableDlg::MaxWord(i)) return nullptr;
  const Polygon self = ToPolygon(outline);
  if (self.empty()) return nullptr;

  // Every outline of the picked texts, to tell the holes.
  std::vector<Polygon> all;
  for (const CEntity* text : texts) {
    std::vector<CEntityList*> lists;
    GetBoundaryList(text, lists);
    for (const CEntityList* list : lists) {
      Polygon p = ToPolygon(*list);
      if (!p.empty()) all.push_back(std::move(p));
    }
    FreeBoundaryLists(lists);
  }
  std::vector<const Polygon*> inside;  // the outlines inside this one
  int depth = 0;
  for (const Polygon& other : all) {
    if (SamePolygon(other, self)) continue;
    if (Inside(other, self[0])) ++depth;
    else if (Inside(self, other[0])) inside.push_back(&other);
  }
  std::vector<const Polygon*> loops{&self};
  for (const Polygon* candidate : inside) {
    // Only the holes directly inside: none of the others lies between.
    const bool direct = std::none_of(inside.begin(), inside.end(), [&](const Polygon* between) {
      return between != candidate && Inside(*between, (*candidate)[0]);
    });
    if (direct) loops.push_back(candidate);
  }

  const double spacing = words[kWordHatchSpacing] / 10.0, offset = words[kWordHatchOffset] / 10.0;
  std::vector<std::pair<GPoint, GPoint>> lines;
  if (depth % 2 == 0) {
    if (!Hatch(loops, words[kWordHatchAngle], spacing, offset, lines)) return nullptr;
    if (words[kWordCrossHatch] && !Hatch(loops, words[kWordHatchAngle] + 90.0, spacing, offset, lines))
      return nullptr;
  }
  const int layer = words[kWordLayer] < 0 ? currentLayer_ : words[kWordLayer];
  CBlockEntity* fill = ConstructBlockEntity(layer, nullptr);
  for (const auto& [a, b] : lines) fill->AddMember(ConstructLineEntity(layer, nullptr, a.x, a.y, b.x, b.y));
  return fill;
}
