// Tressil's services of lines and curves used by the editing and contour
// commands: line crossings with a choice of which lines are segments, the
// foot of a point on a line, the choice between two candidate points, the
// arc test of a point, parallel lines, mirroring, and the polyline of a
// two-point entity. Conventions as in Geometry2D.h (degrees, tolerance 1e-6).
#pragma once

#include <vector>

#include "draft/host/Geometry2D.h"
#include "platform/core/WinTypes.h"

// The crossing of the line a1-a2 with the line b1-b2.
// - mode 0: both lines are infinite;
// - mode 1: a1-a2 is infinite, b1-b2 a segment (the crossing must lie on it,
//   its ends included);
// - mode 2: both are segments.
// TRUE with the crossing in `out`; FALSE (out unchanged) when the lines are
// parallel, either is a point, or the crossing misses a segment. The last
// word is the call's form and changes nothing.
BOOL IntersectLinesEx(int mode, const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2, GPoint& out,
                      int = 0);

// The foot of the perpendicular from p on the line a-b. mode 0: the infinite
// line; any other mode: the foot must fall within the segment. FALSE (out
// unchanged) when a and b coincide or the foot misses the segment.
BOOL ProjectPointToLine(int mode, const GPoint& a, const GPoint& b, const GPoint& p, GPoint& out);

// mode 1: the candidate nearer ref (p1 on a tie); mode 2: the farther (p2 on
// a tie); other modes give p1.
GPoint SelectEndPoint(const GPoint& ref, const GPoint& p1, const GPoint& p2, int mode);

// The distance between two points.
double MeasurePointDistance(const GPoint& a, const GPoint& b);

// Whether the direction of p from c lies on the counter-clockwise arc from
// start to end degrees (equal angles: the whole circle); false for p on c.
bool IsPointWithinArc(const GPoint& p, const GPoint& c, double start, double end);

// Whether the lines a1-a2 and b1-b2 run parallel (the sine of the angle
// between them within 1e-6); a line that is a point is parallel to all.
bool IsLinesParallel(const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2);

// p mirrored about the infinite line a-b (p itself when a and b coincide).
GPoint MirrorPointAboutLine(const GPoint& p, const GPoint& a, const GPoint& b);

// The polyline drawn for a two-point entity from p1 to p2 (a break line):
// straight from p1 to the start of a middle stretch of width
// `widthFraction` of the length, one zigzag across the line there reaching
// `height` to the left and then to the right of it, and straight on to p2.
// The six points (p1, the start of the stretch, the left peak a third of
// the way into it, the right peak two thirds in, the end of the stretch, p2)
// replace the contents of `out`; p1 alone when the two points coincide.
void BuildPolylineBetween(double x1, double y1, double x2, double y2, std::vector<GPoint>& out, double height,
                          double widthFraction);

class CEntity;
// Whether the straight entity `line` (a line or two-point entity) and the
// straight entity `other` lie on one carrier and share a stretch of it or
// touch end to end. FALSE for anything that is not straight.
BOOL OverlapsLine(const CEntity* line, const CEntity* other);
// The ends of the line `line` moved `distance` to its left (to its right
// when negative), left as seen along it from its first end to its second,
// as GetPointLineDistance measures. FALSE (p1, p2 unchanged) for an entity
// that is not a line or a line without length.
BOOL OffsetLine(const CEntity* line, double distance, GPoint& p1, GPoint& p2);

// The same for the line through a and b; FALSE when they coincide.
BOOL OffsetLine(const GPoint& a, const GPoint& b, double distance, GPoint& p1, GPoint& p2);
