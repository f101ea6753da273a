#include "draft/tables/TendonGraphShape.h"

namespace {
constexpr double kAxisOverhang = 15.0;
constexpr double kLabelGap = 2.0;
}  // namespace

int GetTendonAxisSignX(int axisType) { return axisType % 2 == 0 ? -1 : 1; }
int GetTendonAxisSignY(int axisType) { return axisType % 4 < 2 ? 1 : -1; }
int SwitchTendonAxisType(int axisType) { return axisType < 4 ? axisType + 4 : axisType - 4; }

void BuildTendonGraphShape(const CTendonGraphEntity& graph, const TendonGraphSettings& settings, double ox, double oy,
                           double scale, const TendonLabelMetrics& metrics, TendonGraphShape& out) {
  out = TendonGraphShape();
  const int type = settings.axisType;
  const double sx = GetTendonAxisSignX(type) * scale;
  const double sy = GetTendonAxisSignY(type) * scale;
  const bool exchanged = type >= 4;
  auto place = [&](double a, double b, double& x, double& y) {
    x = ox + sx * (exchanged ? b : a);
    y = oy + sy * (exchanged ? a : b);
  };
  auto add = [&](double x1, double y1, double x2, double y2) {
    out.lines.push_back({x1, y1, x2, y2});
    if (settings.distribution == 0) out.lines.push_back({x1, 2 * oy - y1, x2, 2 * oy - y2});
    if (settings.distribution == 1) out.lines.push_back({2 * ox - x1, y1, 2 * ox - x2, y2});
  };
  for (const TendonCurve& curve : graph.GetCurves()) {
    const int n = curve.GetPointCount();
    double px = 0, py = 0, fx = 0, fy = 0;
    for (int j = 0; j < n; ++j) {
      double x = 0, y = 0;
      place(curve.first[static_cast<size_t>(j)], curve.second[static_cast<size_t>(j)], x, y);
      if (j == 0) {
        fx = x;
        fy = y;
      } else {
        add(px, py, x, y);
      }
      px = x;
      py = y;
    }
    if (settings.closed && n >= 3) add(px, py, fx, fy);
  }
  if (!graph.GetAxisFlag()) return;
  const double xLength = ((exchanged ? graph.GetMax2() : graph.GetMax1()) + kAxisOverhang) * scale;
  const double yLength = ((exchanged ? graph.GetMax1() : graph.GetMax2()) + kAxisOverhang) * scale;
  const double dx = GetTendonAxisSignX(type), dy = GetTendonAxisSignY(type);
  out.axes.push_back({ox, oy, ox + dx * xLength, oy});
  out.axes.push_back({ox, oy, ox, oy + dy * yLength});
  // Labels drawn to the left of the axis end are moved left by half the
  // amount their width falls short of "xy"'s.
  const bool leftward = type % 2 == 0;
  const double gap = kLabelGap * scale;
  const double lower = metrics.height / 3.0;
  const double xShift = leftward ? (metrics.xWidth - metrics.xyWidth) / 2.0 : 0.0;
  const double yShift = leftward ? (metrics.yWidth - metrics.xyWidth) / 2.0 : 0.0;
  out.labels.push_back({"x", ox + dx * (xLength + gap) + xShift, oy - lower});
  out.labels.push_back({"y", ox + yShift, oy + dy * (yLength + gap) - lower});
}
