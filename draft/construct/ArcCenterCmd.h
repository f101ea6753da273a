// The arc by centre, start point and end point: point 0 is the centre,
// point 1 fixes the radius and the start angle, point 2 the end angle,
// whose sweep from the start is rounded to whole angle steps. TAB takes the
// complementary arc; arrow keys step the end angle; digits type it, as an
// absolute angle or (after Shift) relative to the start, and a typed angle is
// kept as typed. The sector variant
// (CArcCenterAltCmd) adds the two radii.
#pragma once

#include "draft/construct/CircleCenterCmd.h"

class CArcCenterCmd : public CCircleCenterCmd {
 public:
  explicit CArcCenterCmd(int id);

  void OnShiftKey(CDraftView* view) override;
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  void OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) override;

  // ---- New operation.
  // Rounds the sweep from `start` to `end` to whole angle steps, halves away
  // from zero, by moving `end`; returns the number of steps (0 without a
  // view).
  virtual int SnapSweepToAngleStep(CDraftView* view, double start, double& end);

  int IsAbsoluteAngle() const { return absoluteAngle_; }

 protected:
  // The arc's angles for the centre, point 1 and a pointer q, ordered as
  // the TAB count says; the pointer's angle is rounded to whole angle steps
  // unless `exact`. `pointerAngle` gets the pointer's (rounded) angle.
  void ComputeAngles(CDraftView* view, const PointRec& q, double& start, double& end, double& pointerAngle,
                     bool exact = false);

  int absoluteAngle_ = 1;
  int radii_ = 0;
  // 1 while the end point came from the angle dialog: its angle is not
  // rounded.
  int typedEnd_ = 0;
};

class CArcCenterAltCmd : public CArcCenterCmd {
 public:
  explicit CArcCenterAltCmd(int id);
};
