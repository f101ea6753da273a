#include "draft/edit/PartnerIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "draft/host/Entity.h"

namespace {
// Extents are widened by this much (and by a part of their size), so that
// entities that touch within the geometry's tolerance are found.
constexpr double kSlack = 1e-5;
// An entity over more cells than this is met always instead of filed.
constexpr long long kMaxCellsPerEntity = 64;
constexpr int kMaxCellsPerAxis = 2048;
}  // namespace

void CPartnerIndex::Build(const CEntityList& list) {
  entities_.clear();
  boxes_.clear();
  wide_.clear();
  cells_.clear();
  double xmin = std::numeric_limits<double>::max(), ymin = xmin;
  double xmax = -xmin, ymax = -xmin;
  for (CEntity* e : list) {
    Box b{0, 0, 0, 0};
    const bool has = e->GetExtents(b.xmin, b.ymin, b.xmax, b.ymax) && std::isfinite(b.xmin) &&
                     std::isfinite(b.ymin) && std::isfinite(b.xmax) && std::isfinite(b.ymax);
    if (!has) b = {-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    entities_.push_back(e);
    boxes_.push_back(b);
    if (has) {
      xmin = std::min(xmin, b.xmin);
      ymin = std::min(ymin, b.ymin);
      xmax = std::max(xmax, b.xmax);
      ymax = std::max(ymax, b.ymax);
    }
  }
  seen_.assign(entities_.size(), 0);
  stamp_ = 0;
  if (xmin > xmax || !std::isfinite(xmax - xmin) || !std::isfinite(ymax - ymin)) {
    // Nothing with extents, or extents too far apart to grid: every entity
    // is met always.
    columns_ = rows_ = 0;
    for (size_t i = 0; i < entities_.size(); ++i) wide_.push_back(static_cast<int>(i));
    return;
  }
  // About one entity a cell.
  const double w = xmax - xmin, h = ymax - ymin;
  const double side = std::max(w, h);
  const int n = std::max<int>(1, static_cast<int>(std::sqrt(static_cast<double>(entities_.size()))));
  cell_ = side > 0 ? side / std::min(n, kMaxCellsPerAxis) : 1.0;
  x0_ = xmin;
  y0_ = ymin;
  columns_ = std::min(kMaxCellsPerAxis, static_cast<int>(w / cell_) + 1);
  rows_ = std::min(kMaxCellsPerAxis, static_cast<int>(h / cell_) + 1);
  cells_.assign(static_cast<size_t>(columns_) * rows_, {});
  for (size_t i = 0; i < entities_.size(); ++i) {
    const Box& b = boxes_[i];
    if (!std::isfinite(b.xmin)) {
      wide_.push_back(static_cast<int>(i));
      continue;
    }
    const int c0 = CellX(b.xmin - kSlack), c1 = CellX(b.xmax + kSlack);
    const int r0 = CellY(b.ymin - kSlack), r1 = CellY(b.ymax + kSlack);
    if (static_cast<long long>(c1 - c0 + 1) * (r1 - r0 + 1) > kMaxCellsPerEntity) {
      wide_.push_back(static_cast<int>(i));
      continue;
    }
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c) cells_[static_cast<size_t>(r) * columns_ + c].push_back(static_cast<int>(i));
  }
}

int CPartnerIndex::CellX(double x) const {
  const double c = std::floor((x - x0_) / cell_);
  return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(columns_ - 1)));
}

int CPartnerIndex::CellY(double y) const {
  const double r = std::floor((y - y0_) / cell_);
  return static_cast<int>(std::clamp(r, 0.0, static_cast<double>(rows_ - 1)));
}

void CPartnerIndex::Query(double xmin, double ymin, double xmax, double ymax, CEntityList& out) const {
  if (++stamp_ == 0) {
    std::fill(seen_.begin(), seen_.end(), 0);
    stamp_ = 1;
  }
  const double slack = kSlack + 1e-9 * (std::fabs(xmin) + std::fabs(ymin) + std::fabs(xmax) + std::fabs(ymax));
  std::vector<int> found;
  const auto consider = [&](int i) {
    if (seen_[i] == stamp_) return;
    seen_[i] = stamp_;
    const Box& b = boxes_[i];
    if (b.xmax + slack < xmin || xmax + slack < b.xmin || b.ymax + slack < ymin || ymax + slack < b.ymin) return;
    found.push_back(i);
  };
  for (int i : wide_) consider(i);
  int c0 = 0, c1 = -1, r0 = 0, r1 = -1;
  if (columns_ > 0 && std::isfinite(xmin) && std::isfinite(ymin) && std::isfinite(xmax) && std::isfinite(ymax)) {
    c0 = CellX(xmin - slack);
    c1 = CellX(xmax + slack);
    r0 = CellY(ymin - slack);
    r1 = CellY(ymax + slack);
  }
  // A rectangle over more cells than there are entities is cheaper walked
  // entity by entity.
  const long long cells = static_cast<long long>(c1 - c0 + 1) * (r1 - r0 + 1);
  if (cells > 0 && cells <= static_cast<long long>(entities_.size())) {
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c)
        for (int i : cells_[static_cast<size_t>(r) * columns_ + c]) consider(i);
  } else {
    for (size_t i = 0; i < entities_.size(); ++i) consider(static_cast<int>(i));
  }
  std::sort(found.begin(), found.end());
  for (int i : found) out.AddTail(entities_[i]);
}

void CPartnerIndex::QueryNear(const CEntity* entity, CEntityList& out) const {
  double xmin, ymin, xmax, ymax;
  if (entity && entity->GetExtents(xmin, ymin, xmax, ymax)) {
    Query(xmin, ymin, xmax, ymax, out);
    return;
  }
  for (CEntity* e : entities_) out.AddTail(e);
}
