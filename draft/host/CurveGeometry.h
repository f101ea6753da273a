// Tressil's geometry of arcs and their construction: an arc from a tangent
// and a point, an arc through three points, a line's crossings with a circle
// that always fill both outputs, the choice between two candidate points,
// the rectangle test and the isometric planes. The conventions are those of
// Geometry2D.h (degrees, counter-clockwise arcs, tolerance 1e-6).
#pragma once

#include "draft/host/Geometry2D.h"
#include "platform/core/WinTypes.h"

// The arc that leaves `start` in the direction `tangentAngle` (degrees) and
// turns towards `cursor`: its centre lies on the normal to the tangent at
// `start`, on the cursor's side.
// - fixedRadius 0: the arc ends at the cursor; r receives its radius.
// - fixedRadius 1: r is the radius given; the arc ends where the ray from the
//   centre through the cursor meets the circle.
// The angles run counter-clockwise from startAngle to endAngle (ascending):
// from `start` to the end when the arc turns left, the other way round when
// it turns right. `from` is where the tangent comes from (a line's far end or
// an arc's centre); the arc does not depend on it. Returns 0 (nothing
// written) when the cursor lies on the tangent line, when it is the centre
// of a fixed-radius arc, or when a fixed radius is not positive; else 1.
int ArcFromTangentAndPoint(double tangentAngle, const GPoint& start, const GPoint& from, const GPoint& cursor,
                           double& cx, double& cy, double& r, double& startAngle, double& endAngle, int fixedRadius);

// The arc with the ends p1 and p2 through p3: its circle, and the angles of
// the counter-clockwise arc from p1 to p2 when p3 lies on it, else those of
// the arc from p2 to p1 (ascending either way). False when the three points
// are collinear or two coincide.
bool GetArcBy3Points(const GPoint& p1, const GPoint& p2, const GPoint& p3, GPoint& centre, double& r, double& start,
                     double& end);

// The points of the infinite line a-b on the circle (c, r), like
// IntersectLineCircle, but both outputs are always written: two crossings in
// order along a->b (returns 2); a touching line gives the touching point
// twice (returns 1); a line that misses the circle, or a line whose two
// points coincide, gives the foot of the perpendicular from c (a itself for
// a point) twice (returns 0).
int IntersectLineCircleEx(const GPoint& a, const GPoint& b, const GPoint& c, double r, GPoint out[2]);

// The one of p1 and p2 that SelectNearerPoint does not give: the farther
// from ref (p2 on a tie).
GPoint SelectOtherPoint(const GPoint& ref, const GPoint& p1, const GPoint& p2);

// Flag 2 exchanges the two points; any other flag leaves them. Callers pass
// 1 when p1 is already the point they want first and 2 when p2 is.
void ExchangePointsByFlag(int flag, GPoint& p1, GPoint& p2);

// Whether (x, y) lies in the rectangle spanned by two corners given in any
// order, its border included (tolerance 1e-6).
bool IsPointInRect(double x, double y, double x1, double y1, double x2, double y2);

// Whether the segment (x1, y1)-(x2, y2) meets the rectangle spanned by two
// corners given in any order: nonzero when it does, and then the part of
// the segment inside the rectangle runs from (inX, inY) to (outX, outY), in
// the segment's direction. `border` 1 counts a segment that only touches
// the rectangle's border (tolerance 1e-6); 0 asks for a part inside the
// border. The outputs are left alone when the result is 0. The four words
// before `border` are the call's form and change nothing.
int SegmentCrossesRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                       double& inX, double& inY, double& outX, double& outY, int, int, int, int, int border);

// The isometric planes. A circle drawn in plane p becomes an ellipse whose
// major axis runs at a fixed direction (plane 3, the horizontal plane:
// 0; plane 1: 60; plane 2: 120 degrees) and whose minor axis is the major one over
// the square root of 3.
//
// ProjectToIsoPlane moves p, taken as an offset from c in the plane's own
// axes, to where it is drawn: the offset is turned so that its diagonal
// direction, 45 degrees in planes 1 and 3 and 135 degrees in plane 2, comes
// onto the plane's major axis, and then its part across the major axis is
// shortened by 1/sqrt(3). The mapping keeps lengths along the major axis, so
// the diagonal offset (k·r, k·r) of a circle of radius r, of length
// sqrt(2)·k·r, becomes the semi-major axis; the commands take k =
// 0.8693069377675144, which makes sqrt(2)·k ≈ 1.2294 close to sqrt(3/2) ≈
// 1.2247, the semi-major axis of the circle in an isometric drawing at full
// axis lengths. The offset (−k·r, k·r) becomes the semi-minor axis in planes
// 1 and 3 and the semi-major one in plane 2. FALSE (p unchanged) for any
// other plane.
BOOL ProjectToIsoPlane(const GPoint& c, GPoint& p, int plane);
