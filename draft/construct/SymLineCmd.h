// Line commands that fix the direction of a line before its extent, on the
// line command's fixed-angle construction (kind 2) and its TAB symmetry.
//
// CSymLineCmd: a start point, then a picked reference line and the included
// angle typed in a dialog (the last one typed is offered again, kept in
// "Draw"/"Line"); the end click gives the extent along the line that leaves
// the start at the reference line's direction plus that angle. Every click
// runs Execute.
//
// CLineDirCmd: two points (or the first and a typed angle) give the
// direction; then a start carried onto the line through the first point in
// that direction, and an end along it. Each line asks for its direction
// again.
#pragma once

#include "draft/construct/LineCmd.h"

class CSymLineCmd : public CLineCmd {
 public:
  explicit CSymLineCmd(int id);

  // After the reference line: the length dialog; the point at the typed
  // length along the working direction is the end click (with the TAB
  // symmetry on, the point halfway, so that the whole segment has the typed
  // length). Other steps: the root's coordinate entry.
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  // Pick mode off, then the root's right button.
  int OnRButton(CDraftView* view) override;
  // After the reference line: the cursor steps one length step along the
  // working direction (back for left and down), its distance from the
  // start in whole steps.
  void OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) override;

  double GetWorkingAngle() const { return workAngle_; }

 protected:
  // The working direction (the fixed angle of the construction) and the
  // arrow keys' copy of it.
  void SetWorkingAngle(double angle);
  // The end click from `start`: the segment that ComputeSegmentEnds gives
  // for the cursor (its length in whole steps when stepping), one line with
  // its undo record; all points dropped. A click on the start itself is
  // dropped and the command waits for another.
  void MakeLineFrom(CDraftView* view, const GPoint& start);
  // The rubber segment from `start` to the cursor and its length readout.
  void DrawSegmentFrom(CDraftView* view, const GPoint& start);
  // The length dialog with caption "输入长度": the point at the typed length
  // (times the group scale) from `base` along the working direction, halfway
  // when `halve` is set. False on Cancel.
  bool RunLengthDialog(CDraftView* view, UINT ch, const GPoint& base, bool halve, double& x, double& y);
  // Moves the cursor one length step along the working direction, as seen
  // from `base`, and brings its distance from it to whole steps.
  void StepCursorAlong(CDraftView* view, const GPoint& base, int sign);

  double workAngle_ = 0.0;
  double arrowAngle_ = 0.0;
};

class CLineDirCmd : public CSymLineCmd {
 public:
  explicit CLineDirCmd(int id);

  // Second direction point: the typed angle ("输入倾角"). Start and end:
  // the typed length from the first point or the start.
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  // Second direction point: the cursor turns about the first by one angle
  // step. Start and end: it steps along the direction.
  void OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) override;
  // No C closing: the points collected are the direction's and the start,
  // not a chain of lines.
  int OnOtherChar(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;

  GPoint GetStart() const { return start_; }

 private:
  // The cursor carried onto the line through the first point in the saved
  // direction, its distance from it in whole steps when stepping.
  GPoint StartFor(CDraftView* view, const PointRec& cursor);
  // The direction from the first point to `p`, in whole angle steps when
  // stepping.
  double DirectionTo(CDraftView* view, const GPoint& p) const;

  double savedAngle_ = 0.0;
  GPoint start_;
};
