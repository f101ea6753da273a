// Tressil's construction solvers: the end of a line under a direction
// constraint, angle rounding for comparisons with standard angles, and the
// centre of a circle of given radius through two points.
#pragma once

#include "draft/host/Geometry2D.h"
#include "platform/core/WinTypes.h"

// The constraint kinds of ConstrainLinePoint.
enum LineConstraintKind : int {
  kConstrainDirection = 5,   // the line keeps its direction (an axonometric axis in axonometric mode)
  kConstrainFixedAngle = 7,  // the line runs at a given angle
};

// Constrains the end (ex, ey) of a line from (sx, sy), in place.
// - kConstrainDirection: the direction from s to e is kept and given in
//   `angle`; in axonometric mode (axonometric != 0) it is brought to the
//   nearest axonometric axis (30, 90, 150, 210, 270 or 330 degrees) and e
//   to the foot of the perpendicular on that axis.
// - kConstrainFixedAngle: e goes to the foot of the perpendicular on the
//   line through s at `angle` degrees (normalised to [0, 360) in place).
// `reserved` and `option` are accepted for the call form. FALSE (nothing
// changed) when s and e coincide in kConstrainDirection, for a value that
// is not finite, or for another kind.
BOOL ConstrainLinePoint(double sx, double sy, double& ex, double& ey, int kind, double& angle, int reserved,
                        int axonometric, int option);

// An angle brought to whole millionths of a degree in [0, 360), so that an
// angle computed from a direction compares equal with the standard angle it
// stands for (359.9999999 is 0).
double RoundAngle(double angle);

// The centre of a circle of radius r through p1 and p2; of the two such
// circles, the one that passes nearer p3. False when p1 and p2 coincide,
// when they lie more than 2r apart, or when r is not a positive finite
// number.
bool SolveCentreForRadius(const GPoint& p1, const GPoint& p2, const GPoint& p3, double r, GPoint& centre);
