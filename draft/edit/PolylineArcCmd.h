// The polyline-with-arcs command: a chain of line and arc segments, each
// its own line or arc entity and undo step. A fresh polyline starts with a
// line from two clicks (TAB: an arc from three, its ends the first two);
// after that each click adds one segment from the current end of the last:
// a line (after an arc, with the tangent switch on, the line runs along the
// arc's tangent there to the foot of the click; Ctrl switches this), or an
// arc tangent to the last segment ending at the click (TAB switches the
// kind). R or D fixes the next arc's radius; Shift moves the current end to
// the last segment's other end, or, before any segment, switches to picking
// a line or arc to continue from. The right button starts a fresh polyline,
// and ends the command when there is none. The arc radius is remembered in
// "PolyLine"/"PLINEARCRR".
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CPolylineArcCmd : public CCmdBase {
 public:
  CPolylineArcCmd(int id, CDraftView* view);
  ~CPolylineArcCmd() override;

  void OnShiftKey(CDraftView* view) override;
  void OnCtrlKey(CDraftView* view) override;
  void OnTabKey(CDraftView* view) override;
  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // The next segment from the recorded points, the cursor and the
  // continuation state: kLine with x1, y1, x2, y2 in `out`, kArc with the
  // centre x, y, radius, start and end angle, kNone when there is none.
  // Nothing is stored.
  enum SegmentKind { kNone = 0, kLine = 1, kArc = 2 };
  virtual int ComputeNextSegment(double out[5]);

  int GetSegmentKind() const { return kind_; }
  double GetArcRadius() const { return arcRadius_; }
  int GetTangentSwitch() const { return tangentSwitch_; }
  // The current end (where the next segment starts); false when none.
  bool GetCurrentEnd(GPoint& end) const;

 private:
  bool IsContinuing() const { return pointCount_ < 2; }
  void SetFreshPrompts();
  void SetContinuationPrompt();
  int ComputeContinuingLine(const GPoint& e, const GPoint& p, double out[5]) const;
  int ComputeContinuingArc(const GPoint& e, const GPoint& p, double out[5]);
  int ComputeFresh(const GPoint& p, double out[5]) const;
  // Takes the first line or arc under the cursor as the last segment.
  void PickSegment(CDraftView* view);
  void AddSegment(CDraftView* view, CEntity* entity);

  // Members added to the base, in order.
  int kind_ = 1;  // 1 line, 0 arc
  int lineDrawn_ = 0;
  int arcDrawn_ = 0;
  int tangentSwitch_ = 1;
  int radiusFixed_ = 0;
  int continuePick_ = 0;
  double arcRadius_ = 10.0;
  double last_[5] = {};  // the last arc: centre, radius, start, end; the last line: x1, y1, x2, y2
  GPoint ends_[2];
  int endCount_ = 0;
  int endIndex_ = 0;
};
