#include "draft/host/Entity.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "draft/host/DrawingGroup.h"
#include "draft/host/EntityList.h"

namespace {
DWORD g_nextHandle = 1;
DWORD NextHandle() {
  if (g_nextHandle == 0) g_nextHandle = 1;  // 0 means "no entity" in point records
  return g_nextHandle++;
}
}  // namespace

EntityTransform EntityTransform::Make(double dx, double dy, double bx, double by, double scale, double angle) {
  EntityTransform t;
  const double a = DegreeToRadian(angle), c = std::cos(a) * scale, s = std::sin(a) * scale;
  t.m11 = c;
  t.m12 = -s;
  t.m21 = s;
  t.m22 = c;
  t.tx = bx - (c * bx - s * by) + dx;
  t.ty = by - (s * bx + c * by) + dy;
  t.scale = std::fabs(scale);
  t.rotation = angle + (scale < 0 ? 180.0 : 0.0);
  return t;
}

EntityTransform EntityTransform::Mirror(double x1, double y1, double x2, double y2) {
  EntityTransform t;
  const double th = GetLineAngle(x1, y1, x2, y2);
  const double a = DegreeToRadian(2 * th), c = std::cos(a), s = std::sin(a);
  t.m11 = c;
  t.m12 = s;
  t.m21 = s;
  t.m22 = -c;
  t.tx = x1 - (c * x1 + s * y1);
  t.ty = y1 - (s * x1 - c * y1);
  t.rotation = th;
  t.mirror = true;
  return t;
}

GPoint EntityTransform::Apply(GPoint p) const { return {m11 * p.x + m12 * p.y + tx, m21 * p.x + m22 * p.y + ty}; }

double EntityTransform::MapAngle(double angle) const {
  return NormalizeAngle(mirror ? 2 * rotation - angle : angle + rotation);
}

int ClampLayer(int layer) { return std::clamp(layer, 0, 99); }

CEntity::CEntity(int layer, CDrawingGroup* group)
    : layer_(static_cast<BYTE>(ClampLayer(layer))), group_(group), handle_(NextHandle()) {}

CEntity::CEntity(const CEntity& other) : layer_(other.layer_), group_(other.group_), handle_(NextHandle()) {
  if (other.attributes_) attributes_ = std::make_unique<CAttributeItemList>(*other.attributes_);
}

BOOL CEntity::HasAttributes() const { return attributes_ && attributes_->GetCount() > 0 ? TRUE : FALSE; }

CAttributeItemList* CEntity::GetEntityAttributes() {
  if (!attributes_) attributes_ = std::make_unique<CAttributeItemList>();
  return attributes_.get();
}

BOOL GetEntityAttribute(const CEntity* entity, const char* name, CStringA& value) {
  value.Empty();
  const CAttributeItemList* list = entity ? entity->FindEntityAttributes() : nullptr;
  const CAttributeItem* item = list && name ? list->Find(name) : nullptr;
  if (!item) return FALSE;
  value = item->value;
  return TRUE;
}

CEntity::~CEntity() {
  if (watcher_) watcher_->OnEntityDestroyed(this);
}

CEntity* CEntity::Transform(double dx, double dy, double baseX, double baseY, double scale, double angle, int copy) {
  if (!std::isfinite(dx) || !std::isfinite(dy) || !std::isfinite(scale) || !std::isfinite(angle) ||
      std::fabs(scale) < tressil::kGeomTolerance)
    return nullptr;
  const EntityTransform t = EntityTransform::Make(dx, dy, baseX, baseY, scale, angle);
  CEntity* target = copy ? Clone(1) : this;
  if (target) target->ApplyTransform(t);
  return target;
}

CEntity* CEntity::RotateCopy(double x0, double y0, double angle, int copy) {
  return Transform(0.0, 0.0, x0, y0, 1.0, angle, copy);
}

CEntity* CEntity::TranslateCopy(double dx, double dy, int copy) { return Transform(dx, dy, 0.0, 0.0, 1.0, 0.0, copy); }

BOOL CEntity::QueryRecord(void** out, int code) const {
  if (!out) return FALSE;
  *out = nullptr;
  if (code != kQueryCircle || (!IsArc() && !IsCircle())) return FALSE;
  double v[kMaxGeometryValues];
  GetGeometry(v);
  *out = new CircleRecord{v[0], v[1], v[2]};
  return TRUE;
}

CEntity* CEntity::MirrorCopy(double x1, double y1, double x2, double y2) const {
  if (IsSamePoint(x1, y1, x2, y2)) return nullptr;
  CEntity* copy = Clone(1);
  if (copy) copy->ApplyTransform(EntityTransform::Mirror(x1, y1, x2, y2));
  return copy;
}

BOOL CEntity::IsInRectangle(double xmin, double ymin, double xmax, double ymax, int viewValue) const {
  if (xmin > xmax) std::swap(xmin, xmax);
  if (ymin > ymax) std::swap(ymin, ymax);
  if (viewValue == 0) {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!GetExtents(x0, y0, x1, y1)) return FALSE;
    const double e = tressil::kGeomTolerance;
    return x0 >= xmin - e && y0 >= ymin - e && x1 <= xmax + e && y1 <= ymax + e;
  }
  ShapePieces pieces;
  GetPieces(pieces);
  for (const ShapePiece& p : pieces)
    if (korrin::PieceTouchesRect(p, xmin, ymin, xmax, ymax)) return TRUE;
  return FALSE;
}

int CEntity::Intersect(const CEntity& other, GPoint* out, int maxCount) const {
  ShapePieces mine, theirs;
  GetPieces(mine);
  other.GetPieces(theirs);
  std::vector<GPoint> hits;
  for (const ShapePiece& a : mine)
    for (const ShapePiece& b : theirs) korrin::IntersectPieces(a, b, hits);
  int n = 0;
  for (const GPoint& p : hits) {
    if (n >= maxCount) break;
    bool seen = false;
    for (int i = 0; i < n && !seen; ++i) seen = IsSamePoint(out[i], p);
    if (!seen) out[n++] = p;
  }
  return n;
}

CEntity* CEntity::CloneWithTextAttrib(const CTextAttrib&) const { return nullptr; }
BOOL CEntity::AddMember(CEntity*) { return FALSE; }
BOOL CEntity::SetEndPoints(double, double, double, double, int) { return FALSE; }
BOOL CEntity::SetGeometry(const double*, int) { return FALSE; }
BOOL CEntity::SetTableKind(int) { return FALSE; }

void CEntity::ListInto(CEntityList& out) const { out.AddTail(const_cast<CEntity*>(this)); }

void CEntity::SetEntityLayer(int layer) { layer_ = static_cast<BYTE>(ClampLayer(layer)); }

void CEntity::ReplaceLayer(int oldLayer, int newLayer) {
  if (oldLayer == -1 || layer_ == oldLayer) SetEntityLayer(newLayer);
}

void CEntity::SetEntityGroup(CDrawingGroup* group) {
  if (group == group_) return;
  RebaseGroup(group_, group);
  group_ = group;
}

double CEntity::GetEntityScale() const { return GetGroupScale(group_); }

GPoint CEntity::Shown(GPoint p) const { return group_ ? group_->ToShown(p) : p; }
GPoint CEntity::InGroup(GPoint q) const { return group_ ? group_->ToGroup(q) : q; }

double CEntity::DistanceTo(GPoint p) const {
  ShapePieces pieces;
  GetPieces(pieces);
  double best = std::numeric_limits<double>::infinity();
  for (const ShapePiece& s : pieces) best = std::min(best, korrin::PieceDistance(s, p));
  return best;
}

BOOL CEntity::IsPointNear(double x, double y, double aperture) const {
  return DistanceTo({x, y}) <= aperture ? TRUE : FALSE;
}

bool CEntity::GetExtents(double& xmin, double& ymin, double& xmax, double& ymax) const {
  ShapePieces pieces;
  GetPieces(pieces);
  const double inf = std::numeric_limits<double>::infinity();
  double x0 = inf, y0 = inf, x1 = -inf, y1 = -inf;
  bool any = false;
  for (const ShapePiece& s : pieces) any = korrin::PieceExtents(s, x0, y0, x1, y1) || any;
  if (!any) return false;
  xmin = x0;
  ymin = y0;
  xmax = x1;
  ymax = y1;
  return true;
}

GPoint CEntity::RebasePoint(GPoint p, const CDrawingGroup* from, const CDrawingGroup* to) {
  const GPoint shown = from ? from->ToShown(p) : p;
  return to ? to->ToGroup(shown) : shown;
}

double CEntity::RebaseLength(double length, const CDrawingGroup* from, const CDrawingGroup* to) {
  return length * GetGroupScale(from) / GetGroupScale(to);
}
