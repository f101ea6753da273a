// The closed-boundary search of the drafting view, over lines, arcs and
// circles. The curves are cut at every point where they meet (within
// 1e-6), ends that lead nowhere are pruned, and the faces of the planar
// graph that is left are traced; the boundary round a point is the smallest
// face that winds round it. A lone circle is its own boundary; two nested
// circles that nothing else touches, the point between them, give the ring.
// Nothing closes a gap.
//
// The curves are filed in a uniform grid by their extents. A search starts
// with a window about the point and builds the graph only from the curves
// that meet the window; a face that lies inside the window cannot be cut by
// anything outside it, so the window grows (doubling) only until the face
// found fits in it, or until it holds every curve. The work therefore stays
// near the point.
#pragma once

#include <cstddef>
#include <vector>

#include "draft/host/Geometry2D.h"

class CEntity;

namespace velmish {

// A line, counter-clockwise arc or full circle of the drawing, in drawing
// coordinates, with the entity it comes from.
struct BoundaryCurve {
  enum Kind { kLine, kArc, kCircle };
  Kind kind = kLine;
  GPoint a, b;                       // line ends
  GPoint c;                          // arc or circle centre
  double r = 0.0;
  double start = 0.0, end = 360.0;   // arc angles, end > start
  const CEntity* source = nullptr;

  static BoundaryCurve Line(GPoint a, GPoint b, const CEntity* source);
  static BoundaryCurve Arc(GPoint c, double r, double start, double end, const CEntity* source);
  static BoundaryCurve Circle(GPoint c, double r, const CEntity* source);
};

// One side of a found boundary, in boundary order: from `from` to `to`,
// along a straight line or along the circle (c, r), counter-clockwise when
// `ccw`. A full circle has from == to and `circle` set.
struct BoundarySide {
  bool arc = false;
  bool circle = false;
  GPoint from, to;
  GPoint c;
  double r = 0.0;
  bool ccw = true;
  const CEntity* source = nullptr;
};

class BoundarySearch {
 public:
  explicit BoundarySearch(std::vector<BoundaryCurve> curves);

  // The boundary round p: its sides in order, each ending where the next
  // begins and the last where the first begins (a ring: the two circles,
  // outer first). False, with `sides` empty, when no closed boundary holds p.
  bool Find(GPoint p, std::vector<BoundarySide>& sides) const;

  // How many curves the last Find built its graph from (for tests of the
  // window's locality).
  std::size_t GetLastWorkSize() const { return lastWork_; }

 private:
  struct Box {
    double xmin, ymin, xmax, ymax;
  };
  void Gather(const Box& window, std::vector<int>& out) const;

  std::vector<BoundaryCurve> curves_;
  std::vector<Box> boxes_;
  Box extents_{0, 0, 0, 0};
  double cell_ = 1.0;
  int columns_ = 1, rows_ = 1;
  std::vector<std::vector<int>> grid_;
  mutable std::vector<unsigned> stamp_;
  mutable unsigned stampValue_ = 0;
  mutable std::size_t lastWork_ = 0;
};

}  // namespace velmish
