// The line from a picked line, arc or circle: a click picks the entity,
// the next gives the end of a line that starts on it. From a line: the
// perpendicular from the line to the cursor, or beyond its ends the line
// continued; a click on the line fixes the start, and the line then runs
// perpendicular to it from there. From an arc or circle: the tangent from
// the curve to the cursor, on the side the first movement after the pick
// chose (TAB takes the other tangent point). Each line needs a new pick.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CLineFromCurveCmd : public CCmdBase {
 public:
  explicit CLineFromCurveCmd(int id);
  ~CLineFromCurveCmd() override;

  int Begin(CDraftView* view) override;
  // With a fixed start: the length dialog ("输入直线长度"); the line gets
  // the typed length along the working direction. Otherwise the root's
  // coordinate entry.
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  CEntity* GetPickedEntity() const { return picked_; }
  int GetArcMode() const { return arcMode_; }
  int HasFixedStart() const { return fixedStartFlag_; }

  // The start and end of the new line for the cursor `c`, from the picked
  // line or from the picked arc or circle; false when there is none. With
  // `create` a click on the picked entity itself fixes the start (and gives
  // no line).
  bool ComputeLineFromLine(const GPoint& c, bool create, GPoint& start, GPoint& end);
  bool ComputeLineFromArc(CDraftView* view, const GPoint& c, bool create, GPoint& start, GPoint& end);
  // The shared step of preview and creation: the line for the cursor, its
  // end carried onto a snapped entity or the view's vertical or horizontal
  // constraint, the readouts, and the rubber line or (with `create`) the
  // new line with its undo record. True when a line was made or drawn.
  bool UpdateLineFromCurve(CDraftView* view, bool create);

 private:
  // Lets go of the picked entity (deleting it only when it is a temporary
  // pick result, never one of the drawing's).
  void DropEntity();

  CEntity* picked_ = nullptr;  // not owned, except a temporary pick result
  GPoint pick_;
  GPoint fixedStart_;
  double workAngle_ = 0.0;
  int fixedStartFlag_ = 0;
  int arcMode_ = 0;  // 0 none; 2 or 3: which tangent point
  GPoint reference_;
};
