#include "draft/edit/ChainSpans.h"

#include <algorithm>
#include <cmath>

#include "draft/host/Entity.h"

bool CChainSpans::SpanOf(const CEntity* line, Span& span) const {
  if (!line || !line->IsLine()) return false;
  double v[kMaxGeometryValues] = {};
  line->GetGeometry(v);
  const double t1 = (v[0] - ox_) * ux_ + (v[1] - oy_) * uy_;
  const double t2 = (v[2] - ox_) * ux_ + (v[3] - oy_) * uy_;
  // Lines of one carrier differ in direction by a sine of a few 1e-6 and
  // lie off each other's line by about as much over their distance from
  // the origin: a slack of 1e-4 of that distance, and more, covers it.
  const double reach = std::max({std::fabs(t1), std::fabs(t2), std::fabs(v[0] - ox_) + std::fabs(v[1] - oy_)});
  const double slack = 1e-4 * (1.0 + reach);
  span = {std::min(t1, t2) - slack, std::max(t1, t2) + slack};
  return std::isfinite(span.from) && std::isfinite(span.to);
}

bool CChainSpans::Add(const CEntity* line) {
  if (!line || !line->IsLine()) return false;
  if (!hasAxis_) {
    double v[kMaxGeometryValues] = {};
    line->GetGeometry(v);
    const double len = std::hypot(v[2] - v[0], v[3] - v[1]);
    if (!(len > 0)) return false;
    ox_ = v[0];
    oy_ = v[1];
    ux_ = (v[2] - v[0]) / len;
    uy_ = (v[3] - v[1]) / len;
    hasAxis_ = true;
  }
  Span span;
  if (!SpanOf(line, span)) return false;
  spans_[line] = span;
  byStart_.emplace(span.from, line);
  longest_ = std::max(longest_, span.to - span.from);
  return true;
}

void CChainSpans::Remove(const CEntity* line) {
  const auto it = spans_.find(line);
  if (it == spans_.end()) return;
  const auto range = byStart_.equal_range(it->second.from);
  for (auto i = range.first; i != range.second; ++i)
    if (i->second == line) {
      byStart_.erase(i);
      break;
    }
  spans_.erase(it);
}

void CChainSpans::Near(const CEntity* line, std::vector<const CEntity*>& out) const {
  Span span;
  const auto own = spans_.find(line);
  if (own != spans_.end())
    span = own->second;
  else if (!hasAxis_ || !SpanOf(line, span))
    return;
  // A stretch that meets [from, to] starts at most the longest stretch
  // before it.
  for (auto i = byStart_.lower_bound(span.from - longest_); i != byStart_.end() && i->first <= span.to; ++i)
    if (spans_.at(i->second).to >= span.from) out.push_back(i->second);
}
