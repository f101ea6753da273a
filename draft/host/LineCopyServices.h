// The host's services of the parallel line-copy command: the angle and
// distance between two lines, the test that a chain of bands has come back
// onto its start cap, which lines are base lines, and which compounds keep
// their members from being picked for a copy.
#pragma once

#include "draft/host/Geometry2D.h"
#include "platform/core/WinTypes.h"

class CDraftView;
class CEntity;

// The lines a1-a2 and b1-b2: `angle` gets the direction of b less that of
// a, in [0, 360) degrees (0 when either line is a point). Returns the
// distance between them when they run parallel (that of b1 from the line
// a), else 0, since crossing lines meet.
double GetLinesDistance(const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2, double& angle);

// Whether the segment e1-e2 lies on the line through s1-s2: both its ends
// within 1e-6 of that line. FALSE when s1 and s2 coincide (no line).
BOOL TestSegmentPair(const GPoint& s1, const GPoint& s2, const GPoint& e1, const GPoint& e2);

// A base line is the line a double copy is drawn about: here, a line on a
// layer whose record draws centre lines (line style 2). FALSE for anything
// that is not a line and for a null entity or view.
BOOL IsBaseLineEntity(CDraftView* view, const CEntity* entity);

// The two kinds of compound whose members are never picked for a copy:
// compounds kept whole (dimensions, section symbols) and tables. A member
// of either belongs to what its owner draws.
BOOL IsCopyExcludedOwner(const CEntity* owner);
