// Tressil's tangent points: where the lines from a point touch a circle.
// Conventions as in Geometry2D.h (degrees, tolerance 1e-6).
#pragma once

#include "draft/host/Geometry2D.h"

// The points of the circle (c, r) at which a line through p touches it,
// into out[0] and out[1]: 2 for p outside the circle (out[0] the touching
// point counter-clockwise of the direction c->p as seen from c, out[1] the
// clockwise one), 1 for p on the circle (p itself), 0 for p inside it or a
// radius that is not positive.
int GetTangentPoints(const GPoint& p, const GPoint& c, double r, GPoint out[2]);
