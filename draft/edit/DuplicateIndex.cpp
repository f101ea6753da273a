#include "draft/edit/DuplicateIndex.h"

#include <algorithm>
#include <cmath>

#include "draft/host/Entity.h"

namespace {
constexpr double kFar = 1e5;
// Bucket sizes: a direction in thousandths of a degree (two parallel lines
// differ by less than 6e-5 degrees), distances and radii in whole units
// (the same line seen from two ends differs by far less within kFar).
constexpr double kAngleBucket = 1e-3;
constexpr std::int64_t kAngleBuckets = 180000;  // 180 degrees
constexpr double kLengthBucket = 1.0;

std::int64_t Bucket(double v, double size) { return static_cast<std::int64_t>(std::floor(v / size)); }
}  // namespace

size_t CDuplicateIndex::KeyHash::operator()(const Key& k) const {
  std::uint64_t h = static_cast<std::uint64_t>(k.kind);
  for (std::int64_t v : {k.a, k.b, k.c}) h = h * 0x9E3779B97F4A7C15ULL ^ (static_cast<std::uint64_t>(v) + (h >> 29));
  return static_cast<size_t>(h);
}

bool CDuplicateIndex::KeyOf(const CEntity* e, int kind, Key& key, double& rho) const {
  double v[kMaxGeometryValues] = {};
  if (kind == 1) {
    if (!e->IsLine()) return false;
    e->GetGeometry(v);
    for (int i = 0; i < 4; ++i)
      if (!(std::fabs(v[i]) <= kFar)) return false;
    const double len = std::hypot(v[2] - v[0], v[3] - v[1]);
    if (len < 1e-6) return false;
    // The direction folded into [0, 180) and the line's signed distance
    // from the origin along its left normal.
    double angle = std::atan2(v[3] - v[1], v[2] - v[0]) * 180.0 / 3.14159265358979323846;
    if (angle < 0) angle += 180.0;
    if (angle >= 180.0) angle -= 180.0;
    const double rad = angle * 3.14159265358979323846 / 180.0;
    rho = -std::sin(rad) * v[0] + std::cos(rad) * v[1];
    key = {1, std::min<std::int64_t>(Bucket(angle, kAngleBucket), kAngleBuckets - 1), Bucket(rho, kLengthBucket), 0};
    return true;
  }
  if (!e->IsArc() && !e->IsCircle()) return false;
  e->GetGeometry(v);
  for (int i = 0; i < 3; ++i)
    if (!(std::fabs(v[i]) <= kFar)) return false;
  key = {2, Bucket(v[0], kLengthBucket), Bucket(v[1], kLengthBucket), Bucket(v[2], kLengthBucket)};
  rho = 0.0;
  return true;
}

void CDuplicateIndex::Build(const CEntityList& list) {
  cells_.clear();
  unfiled_.clear();
  count_ = 0;
  for (CEntity* e : list) {
    const int i = count_++;
    const int kind = e->IsLine() ? 1 : (e->IsArc() || e->IsCircle()) ? 2 : 0;
    Key key{};
    double rho = 0.0;
    if (kind && KeyOf(e, kind, key, rho))
      cells_[key].push_back(i);
    else if (kind)
      unfiled_.push_back(i);
  }
}

void CDuplicateIndex::Query(const CEntity* entity, int kind, std::vector<int>& out) const {
  out.clear();
  Key key{};
  double rho = 0.0;
  if (!entity || !KeyOf(entity, kind, key, rho)) {
    // Not filed itself: every entity may be its duplicate.
    for (int i = 0; i < count_; ++i) out.push_back(i);
    return;
  }
  const auto take = [&](const Key& k) {
    const auto it = cells_.find(k);
    if (it != cells_.end()) out.insert(out.end(), it->second.begin(), it->second.end());
  };
  if (kind == 1) {
    for (std::int64_t da = -1; da <= 1; ++da) {
      std::int64_t a = key.a + da;
      double r = rho;
      // Across 0 and 180 degrees the direction turns round and the
      // distance changes sign.
      if (a < 0 || a >= kAngleBuckets) {
        a = (a + kAngleBuckets) % kAngleBuckets;
        r = -rho;
      }
      const std::int64_t b = Bucket(r, kLengthBucket);
      for (std::int64_t db = -1; db <= 1; ++db) take({1, a, b + db, 0});
    }
  } else {
    for (std::int64_t da = -1; da <= 1; ++da)
      for (std::int64_t db = -1; db <= 1; ++db)
        for (std::int64_t dc = -1; dc <= 1; ++dc) take({2, key.a + da, key.b + db, key.c + dc});
  }
  out.insert(out.end(), unfiled_.begin(), unfiled_.end());
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
}
