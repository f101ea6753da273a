// What the router tests read off a wire: its points in order, whether every
// leg is horizontal or vertical, and the points as text for failure output.
#pragma once

#include <string>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"

namespace routingtest {

inline std::vector<CPoint> PointsOf(CDrawArc* arc) {
  std::vector<CPoint> points;
  for (int i = 1; i <= arc->GetHandleCount(); ++i) points.push_back(arc->GetHandle(i));
  return points;
}

inline bool Orthogonal(const std::vector<CPoint>& points) {
  for (size_t i = 1; i < points.size(); ++i) {
    if (points[i].x != points[i - 1].x && points[i].y != points[i - 1].y) return false;
  }
  return true;
}

inline std::string Describe(const std::vector<CPoint>& points) {
  std::string out;
  for (const CPoint& p : points) out += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
  return out;
}

}  // namespace routingtest
