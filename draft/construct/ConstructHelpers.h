// What the construction commands share: new lines on the view's current
// layer and group, the current group's scale, and readout texts.
#pragma once

#include "draft/host/Geometry2D.h"
#include "draft/host/PointRec.h"
#include "platform/core/String.h"

class CDraftView;
class CEntity;
class CLineEntity;

namespace construct {

// The current drawing group's scale (1 without a group).
double CurrentScale(CDraftView* view);

// A new line on the view's current layer and in its current group; the
// caller hands it to the view.
CLineEntity* NewLine(CDraftView* view, double x1, double y1, double x2, double y2);

// A length (or any value the readouts show as one) in the drawing's
// length format.
CStringA FormatLength(CDraftView* view, double value);

// An angle in the drawing's angle format, and the same followed by the
// host's degree code.
CStringA FormatAngle(CDraftView* view, double degrees);
CStringA FormatDegrees(CDraftView* view, double degrees);

// The radius dialog in the command's modal scope, started with `value` in
// display units and the typed letter. With `reference` 0 the result point
// lies at the typed radius from p1 towards p2; with 1 it lies on the circle
// of that radius through p1 and p2, towards p3. False on Cancel and, with a
// reference, when no such circle exists; else the point and the radius in
// drawing units.
bool RunRadiusDialog(CDraftView* view, double scale, double value, UINT letter, double p1x, double p1y, double p2x,
                     double p2y, double p3x, double p3y, int reference, double& x, double& y, double& radius);

inline constexpr double kRadiansPerDegree = 0.017453292519943295;

// A point the view snapped onto an entity (both flags 4, both words the
// entity's handle): it lies exactly where it should and is not rounded.
inline bool IsSnappedOntoEntity(const PointRec& p) {
  return p.flagA == kPointSnapped && p.flagB == kPointSnapped && p.word0 == p.word1 && p.word0 != 0;
}

// The entity of the drawing a snapped cursor names (a member of a compound
// entity too); null when none.
CEntity* FindSnappedEntity(CDraftView* view, DWORD handle);

// Where the infinite line through s and e crosses `entity` (its
// intersection operation): the crossing nearest `ref` goes to e. False
// (e unchanged) when they do not meet.
bool CrossEntity(const CEntity& entity, const GPoint& s, GPoint& e, const GPoint& ref);

}  // namespace construct
