// The end view of a turned part drawn from its side view. The user picks
// the part's centre line (the axis) and marks outline lines of the side
// view with windows or single points (TAB switches between the two); the
// distances of those lines from the axis are collected, and after the right
// button (or a first window that held the axis) the next click places one
// circle per distance with the centre-line cross of the end view. Circles
// hidden behind a larger circle nearer to the viewer go on the dashed-line
// layer; hole axes parallel to the part's axis give circles on the axis's
// layer.
#pragma once

#include "draft/framework/CmdBase.h"

class CProjectionCmd : public CCmdBase {
 public:
  static constexpr int kMaxDistances = 30;
  static constexpr int kMaxCentreDistances = 5;
  // A window stops taking lines once the table holds more than this many.
  static constexpr int kWindowStopCount = 14;

  explicit CProjectionCmd(int id);
  ~CProjectionCmd() override;

  // Toggles whether the circles are centred on the axis (at the foot of the
  // cursor) rather than at the cursor.
  void OnShiftKey(CDraftView* view) override;
  void OnTabKey(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // Takes the distances of the outline lines met at a single point (the two
  // corners the same) or in the window between the two corners.
  void CollectDistances(CDraftView* view, double x1, double y1, double x2, double y2);
  // The first index in [from, to) of `table` whose value lies within 1e-6
  // of d, or -1.
  static int FindDistance(const double* table, int from, int to, double d);

  const CEntity* GetAxis() const { return axis_; }
  int GetDistanceCount() const { return distanceCount_; }
  double GetDistance(int i) const { return distances_[i]; }
  double GetFirstAxial(int i) const { return first_[i]; }
  double GetLastAxial(int i) const { return last_[i]; }
  int GetCentreDistanceCount() const { return centreCount_; }
  double GetCentreDistance(int i) const { return centreDistances_[i]; }
  double GetCrossHalfLength() const { return crossHalf_; }
  int IsCollecting() const { return collecting_; }
  int IsWindowPending() const { return window_; }

 private:
  // The axis's end points.
  void AxisPoints(GPoint& a, GPoint& b) const;
  // The coordinate along the axis of a point on it.
  double AxialCoordinate(const GPoint& p) const;
  bool IsParallelToAxis(const GPoint& a, const GPoint& b) const;
  bool IsCentreLine(CDraftView* view, const CEntity* e) const;
  // One outline point: its distance from the axis joins the table (a new
  // entry, or an equal one widened). False when the table is full.
  bool TakeOutlinePoint(const GPoint& p, bool disablesHoleAxis);
  void CollectWindow(CDraftView* view, double x1, double y1, double x2, double y2);
  // The centre of the circles for the cursor c.
  GPoint Centre(const GPoint& c) const;
  // The two cross lines about m as the TAB counter chooses them (mod 4:
  // 1 none, 2 the perpendicular one only, 3 the one along the axis only).
  void CrossLines(const GPoint& m, int mode, GPoint lines[2][2], bool drawn[2]) const;
  void PlaceCircles(CDraftView* view);
  // Back to the start for the next part.
  void Reset();

  CString rangeFirstPrompt_;
  CString pointPrompt_;
  CString rangeSecondPrompt_;
  double distances_[kMaxDistances] = {};
  double first_[kMaxDistances] = {};
  double last_[kMaxDistances] = {};
  int distanceCount_ = 0;
  double centreDistances_[kMaxCentreDistances] = {};
  int centreCount_ = 0;
  double crossHalf_ = 0.0;
  CEntity* axis_ = nullptr;
  int collecting_ = 1;
  int window_ = 0;
  int onAxis_ = 0;
};
