// What the commands that edit one held entity against a boundary entity
// (extend, break) share: an entity's geometry values, its ellipse geometry,
// the nearest of a few candidate points, and the points where the held
// entity's carrier meets the boundary's.
#pragma once

#include <vector>

#include "draft/host/EllipseGeometry.h"
#include "draft/host/Geometry2D.h"

class CEntity;

// The entity's geometry values (GetGeometry), as many as it gives.
std::vector<double> EntityValues(const CEntity* e);

// The working geometry of an ellipse entity (ConstructEllipseGeom, then
// PrepareEllipseGeom).
EllipseGeom EllipseGeomOf(const CEntity* e);

// The nearest to p of the n candidates (1 to 4), compared pairwise with
// SelectEndPoint: the winner of the first two meets the third; of four, the
// winners of the pairs (1, 2) and (3, 4) meet.
GPoint NearestCandidate(const GPoint& p, const GPoint* candidates, int n);

// Where the carrier of `held` (a line or two-point entity as an infinite
// line, an arc or circle as its whole circle, an ellipse as the whole
// ellipse) meets the carrier of `boundary` (a line, a circle or arc, an
// ellipse). Writes the points to `out` and returns their number (a touching
// line gives its point once or twice); 0 for parallel lines, concentric
// circles, curves that miss each other and any other kind.
int BoundaryCrossings(const CEntity* held, const CEntity* boundary, GPoint out[4]);
