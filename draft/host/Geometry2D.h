// Tressil's two-dimensional geometry. Conventions, fixed here once for every
// caller:
// - angles are in degrees unless a name says radians; a direction is measured
//   counter-clockwise from the positive x axis and GetLineAngle returns it in
//   [0, 360);
// - two values are equal within kGeomTolerance (1e-6); IsSamePoint compares x
//   and y separately with it;
// - GetPointLineDistance is positive when the point lies to the left of the
//   directed line from its first to its second point, negative to the right;
// - an arc runs counter-clockwise from its start angle to its end angle.
#pragma once

namespace tressil {
inline constexpr double kGeomTolerance = 1e-6;
inline constexpr double kPi = 3.14159265358979323846;
}  // namespace tressil

struct GPoint {
  double x = 0.0;
  double y = 0.0;
};

double DegreeToRadian(double degrees);
double RadianToDegree(double radians);
// a in [0, 360).
double NormalizeAngle(double a);
// end made greater than start by whole turns (end == start gives a full turn
// only when the two were given equal and `fullWhenEqual` is set).
void MakeAngleRangeAscending(double& start, double& end, bool fullWhenEqual = false);
// Flag 1: the value is taken as degrees and returned in radians (for callers
// that use the result with cos/sin); flag 0: returned in degrees, normalised.
double ConvertInputAngle(double value, int flag);
void SwapDoubles(double& a, double& b);
// -1 for negative values, +1 otherwise.
int GetValueSign(double d);
// min(a, b) <= v <= max(a, b), with the tolerance.
bool IsValueInRange(double v, double a, double b);

double GetPointDistance(double x1, double y1, double x2, double y2);
double GetLineAngle(double x1, double y1, double x2, double y2);
bool IsSamePoint(double x1, double y1, double x2, double y2);
bool IsSamePoint(const GPoint& p, const GPoint& q);
// Moves `e` along the ray s->e so that its distance from s is d; when the two
// coincide the ray runs along +x.
void SetPointDistance(const GPoint& s, GPoint& e, double d);
// Rotates p about c by `angle` degrees counter-clockwise.
void RotatePoint(GPoint& p, const GPoint& c, double angle);
// The foot of the perpendicular from p to the infinite line a-b (a itself
// when a and b coincide).
GPoint GetPerpendicularFoot(const GPoint& a, const GPoint& b, const GPoint& p);
// Signed distance, see the conventions above; the plain distance to a when a
// and b coincide.
double GetPointLineDistance(const GPoint& p, const GPoint& a, const GPoint& b);
// Whether p lies within the extent of segment a-b (its projection falls
// between the ends, tolerance included).
bool IsPointInSegmentRange(const GPoint& a, const GPoint& b, const GPoint& p);
// The crossing of the infinite lines a1-a2 and b1-b2; false when parallel or
// either line is a point.
bool IntersectLines(const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2, GPoint& out);
// The crossing of two segments, ends included (tolerance); false when they do
// not meet or are parallel.
bool IntersectSegments(const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2, GPoint& out);
// Points of the infinite line a-b on the circle (c, r): 0, 1 (touching) or 2,
// in order along a->b.
int IntersectLineCircle(const GPoint& a, const GPoint& b, const GPoint& c, double r, GPoint out[2]);
// Points common to two circles: 0, 1 (touching) or 2; 0 for concentric ones.
int IntersectCircles(const GPoint& c1, double r1, const GPoint& c2, double r2, GPoint out[2]);
// Whether the direction `angle` (degrees) lies on the counter-clockwise arc
// from start to end (tolerance included).
bool IsAngleInArc(double angle, double start, double end);
// The circle through three points; false when they are collinear or two of
// them coincide.
bool GetCircleBy3Points(const GPoint& p1, const GPoint& p2, const GPoint& p3, GPoint& centre, double& r);
// The nearer of p1 and p2 to ref (p1 on a tie).
GPoint SelectNearerPoint(const GPoint& ref, const GPoint& p1, const GPoint& p2);
// The line through p1 and p2 as a·x + b·y + c = 0, (a, b) a unit normal
// (all three 0 when the points coincide).
void GetLineEquation(const GPoint& p1, const GPoint& p2, double& a, double& b, double& c);
// -1 for a value below -kGeomTolerance, +1 otherwise.
double GetSignFactor(double d);
// Whether p lies on the infinite line through a and b (within the
// tolerance); when a and b coincide, whether p is that point.
bool IsPointOnLine(const GPoint& p, const GPoint& a, const GPoint& b);
// Whether p lies on the arc of centre c and radius r running counter-
// clockwise from start to end degrees (equal angles: the whole circle):
// at distance r from c and in the arc's angle range, within the tolerance.
bool IsPointOnArc(const GPoint& p, const GPoint& c, double r, double start, double end);
