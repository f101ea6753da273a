#include "draft/host/EllipseEntity.h"

#include <cmath>
#include <utility>

namespace {
constexpr int kSegmentsPerTurn = 72;
}

CEllipseEntity::CEllipseEntity(int layer, CDrawingGroup* group, double cx, double cy, double a, double b,
                               double rotation, double start, double end)
    : CEntity(layer, group),
      c_(InGroup({cx, cy})),
      a_(GroupLength(std::fabs(a))),
      b_(GroupLength(std::fabs(b))),
      rotation_(rotation),
      start_(start),
      end_(end) {}

CEntity* CEllipseEntity::Clone(int) const { return new CEllipseEntity(*this); }

int CEllipseEntity::GetGeometry(double* v) const {
  const GPoint c = Shown(c_);
  v[0] = c.x;
  v[1] = c.y;
  v[2] = ShownLength(a_);
  v[3] = ShownLength(b_);
  v[4] = rotation_;
  v[5] = start_;
  v[6] = end_;
  return 7;
}

BOOL CEllipseEntity::SetGeometry(const double* v, int count) {
  if (!v || count != 7 || !(v[2] > 0) || !(v[3] > 0)) return FALSE;
  c_ = {v[0], v[1]};
  a_ = v[2];
  b_ = v[3];
  rotation_ = v[4];
  start_ = v[5];
  end_ = v[6];
  return TRUE;
}

bool CEllipseEntity::IsFullEllipse() const { return std::fabs(end_ - start_) >= 360.0 - tressil::kGeomTolerance; }

GPoint CEllipseEntity::PointAt(double t) const {
  const double tr = DegreeToRadian(t), rr = DegreeToRadian(rotation_);
  const double u = ShownLength(a_) * std::cos(tr), w = ShownLength(b_) * std::sin(tr);
  const GPoint c = Shown(c_);
  return {c.x + u * std::cos(rr) - w * std::sin(rr), c.y + u * std::sin(rr) + w * std::cos(rr)};
}

void CEllipseEntity::GetPieces(ShapePieces& out) const {
  double s = start_, e = end_;
  MakeAngleRangeAscending(s, e, true);
  const int n = std::max(4, static_cast<int>(std::ceil((e - s) / 360.0 * kSegmentsPerTurn)));
  GPoint prev = PointAt(s);
  for (int i = 1; i <= n; ++i) {
    const GPoint next = PointAt(s + (e - s) * i / n);
    out.push_back(ShapePiece::Segment(prev, next, true));
    prev = next;
  }
  out.push_back(ShapePiece::Centre(Shown(c_)));
  if (!IsFullEllipse()) {
    out.push_back(ShapePiece::Point(PointAt(s)));
    out.push_back(ShapePiece::Point(PointAt(e)));
  }
}

void CEllipseEntity::ApplyTransform(const EntityTransform& t) {
  c_ = MapGroupPoint(c_, t);
  a_ *= t.scale;
  b_ *= t.scale;
  if (t.mirror) {
    // The reflected ellipse keeps its axes; its rotation and parameters turn
    // round: parameter u maps to -u about the mirrored axis.
    rotation_ = t.MapAngle(rotation_);
    double s = -end_, e = -start_;
    if (IsFullEllipse()) { s = 0; e = 360; }
    start_ = NormalizeAngle(s);
    end_ = start_ + (e - s);
  } else {
    rotation_ = NormalizeAngle(rotation_ + t.rotation);
  }
}

void CEllipseEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  c_ = RebasePoint(c_, from, to);
  a_ = RebaseLength(a_, from, to);
  b_ = RebaseLength(b_, from, to);
}

CEllipseEntity* ConstructEllipseEntity(int layer, CDrawingGroup* group, double cx, double cy, double a, double b,
                                       double rotation, double start, double end, int) {
  return new CEllipseEntity(layer, group, cx, cy, a, b, rotation, start, end);
}
