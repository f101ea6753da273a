// The shape of an entity as simple pieces in drawing (shown) coordinates:
// points, segments and counter-clockwise arcs. Picking, snapping,
// intersections, extents and rectangle tests all work on these pieces, so
// every entity kind only has to say what its pieces are.
#pragma once

#include <vector>

#include "draft/host/Geometry2D.h"

struct ShapePiece {
  enum Kind { kPoint, kSegment, kArc, kCentre };
  Kind kind = kPoint;
  GPoint a;                 // point, or segment start
  GPoint b;                 // segment end
  GPoint c;                 // arc or centre
  double r = 0.0;
  double start = 0.0;       // arc angles in degrees, counter-clockwise
  double end = 360.0;
  // A piece that only approximates a curve (an ellipse) takes part in
  // picking and intersections but offers no end or mid points.
  bool approximate = false;

  static ShapePiece Point(GPoint p);
  static ShapePiece Segment(GPoint a, GPoint b, bool approximate = false);
  static ShapePiece Arc(GPoint c, double r, double start, double end);
  static ShapePiece Centre(GPoint c);

  bool IsFullCircle() const;
  GPoint ArcStart() const;
  GPoint ArcEnd() const;
  GPoint ArcMid() const;
};

using ShapePieces = std::vector<ShapePiece>;

namespace korrin {
// Distance from p to a piece (centre pieces are never near: +inf).
double PieceDistance(const ShapePiece& piece, GPoint p);
// Crossing points of two pieces appended to out (0 to 2).
void IntersectPieces(const ShapePiece& a, const ShapePiece& b, std::vector<GPoint>& out);
// Grows [xmin, ymin, xmax, ymax] by the piece; false for a centre piece.
bool PieceExtents(const ShapePiece& piece, double& xmin, double& ymin, double& xmax, double& ymax);
// Whether a segment or arc piece meets the rectangle's border or lies in it.
bool PieceTouchesRect(const ShapePiece& piece, double xmin, double ymin, double xmax, double ymax);
}  // namespace korrin
