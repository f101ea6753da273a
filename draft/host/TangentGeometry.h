// Tressil's geometry of tangents and polar points: the common tangents of
// two circles, circle crossings that accept a circle shrunk to a point, the
// ordering of two directions, and points at a distance along a line or in a
// direction. Conventions as in Geometry2D.h (degrees unless a name says
// radians, tolerance 1e-6).
#pragma once

#include "draft/host/Geometry2D.h"
#include "platform/core/WinTypes.h"

// The common tangent of the circles (c1, r1) and (c2, r2) whose touching
// points lie nearest the two picks: of the (up to four) tangents, outer and
// inner, the one with the least sum of the distance from pick1 to its point
// on the first circle and from pick2 to its point on the second. The two
// touching points go into t1 and t2. FALSE (outputs unchanged) when there
// is no tangent of length: concentric circles, a circle inside the other,
// or a radius that is not positive.
BOOL CommonTangentLine(const GPoint& pick1, const GPoint& pick2, const GPoint& c1, double r1, const GPoint& c2,
                       double r2, GPoint& t1, GPoint& t2);

// Points common to two circles, as IntersectCircles, but a radius of 0
// (within the tolerance) stands for a point: it is the one common point
// when it lies on the other circle. Circles touching within the tolerance
// give their one touching point. 0, 1 or 2 points; 0 for concentric ones.
int IntersectCirclesEx(const GPoint& c1, double r1, const GPoint& c2, double r2, GPoint out[2]);

// Both directions brought into [0, 360) and, mode 1, put in ascending order
// (a1 <= a2); any other mode: descending.
void OrderAnglePair(double& a1, double& a2, int mode);

// The point at distance d from `from` towards `toward` (beyond `from`, away
// from it, for a negative d); along +x when the two coincide.
GPoint PointAlongLine(const GPoint& from, const GPoint& toward, double d);

// The point at distance d from c in the direction `radians`.
GPoint GetPolarPoint(const GPoint& c, double radians, double d);
