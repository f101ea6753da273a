// The device geometry of the figures of DrawOp.h, shared by the back ends:
// the paths the pen follows and the interior the brush fills, with the
// Windows conventions. A rectangle (l, t, r, b) has its pen path through the
// pixels l..r-1 and t..b-1 and its interior the pixels l..r-1, t..b-1 (one
// fewer across and down when there is no pen, as on Windows); polygon
// vertices are pixel positions for the pen and edges for the fill.
#pragma once

#include <vector>

#include "platform/gdi/DrawOp.h"
#include "platform/gdi/Region.h"

namespace platform {

struct PointD {
  double x;
  double y;
};

struct Figure {
  enum class Fill { None, Rect, Ellipse, RoundRect, Polygons };

  // Pen paths in pixel coordinates: (x, y) is the centre of pixel (x, y).
  std::vector<std::vector<PointD>> outlines;
  std::vector<bool> closed;
  // The interior, in edge coordinates: pixel (x, y) covers [x, x+1) x [y, y+1).
  Fill fill = Fill::None;
  RECT fillBox{0, 0, 0, 0};
  SIZE corner{0, 0};
  std::vector<std::vector<PointD>> fillPolygons;
  int fillMode = ALTERNATE;

  // The pixels of the interior, only the rows within `rows`.
  Region FillRegion(const RECT& rows) const;
  // The interior as polygons (curves flattened), for vector back ends.
  std::vector<std::vector<PointD>> FillPaths() const;
};

// The figure of a Polyline, Polygon, Rectangle, RoundRect, Ellipse, Arc, Pie
// or Chord call.
Figure BuildFigure(const DrawOp& op);

// Points along an ellipse centred at (cx, cy) from parameter angle `start`
// through `sweep` radians (counterclockwise on screen when positive), both
// ends included.
std::vector<PointD> EllipseArc(double cx, double cy, double rx, double ry, double start, double sweep);

// The pixel bounds that drawing `op` may touch (pen width included).
RECT OpBounds(const DrawOp& op);

}  // namespace platform
