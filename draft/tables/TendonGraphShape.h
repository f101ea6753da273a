// The shape of a tendon graph at an origin, as the tendon graph command
// previews it and builds it into the graph: every curve a polyline of its
// points, each point at origin + scale × sign × value per axis (the axis
// type giving the signs, and types 4 to 7 putting the first array along y),
// mirrored across the horizontal or vertical line through the origin by
// the distribution, closed from each curve's last point to its first when
// the closed flag is set (a curve of three points or more), and, with the
// axis flag, the two axis lines with their labels "x" and "y".
#pragma once

#include <vector>

#include "draft/host/TendonGraphEntity.h"
#include "platform/core/String.h"

struct TendonSegment {
  double x1, y1, x2, y2;
};

struct TendonLabel {
  CStringA text;
  double x, y;
};

struct TendonGraphShape {
  std::vector<TendonSegment> lines;
  std::vector<TendonSegment> axes;
  std::vector<TendonLabel> labels;
};

// What the labels are placed by: the text height and the widths of "x",
// "y" and "xy".
struct TendonLabelMetrics {
  double height = 0.0;
  double xWidth = 0.0;
  double yWidth = 0.0;
  double xyWidth = 0.0;
};

// The signs of an axis type (0..7): x -1 for types 0, 2, 4, 6; y -1 for
// types 2, 3, 6, 7.
int GetTendonAxisSignX(int axisType);
int GetTendonAxisSignY(int axisType);
// Tab's switch between a type and its exchanged one (t + 4 or t - 4).
int SwitchTendonAxisType(int axisType);

// The graph's curves, maxima and axis flag with `settings` at (ox, oy).
void BuildTendonGraphShape(const CTendonGraphEntity& graph, const TendonGraphSettings& settings, double ox, double oy,
                           double scale, const TendonLabelMetrics& metrics, TendonGraphShape& out);
