// The smooth curve through the points the user clicks, open or closed, and
// the base of the wave line. Every click adds a fit point (AddFitPoint); the
// right button makes the curve of four or more fit points into one
// CCurveEntity of straight segments ("SYSVAR_NORMAL"/"SET_CURVEINS" of them
// a piece) and starts the next curve, or ends the command when no point was
// taken. A curve ends by itself at 99 fit points (a wave line at 96 or
// more). The preview draws the pieces that can still change: an open
// curve's pieces six fit points behind the last are final (the curve is
// local, see SmoothCurve.h), so they are shown once as temporary lines in
// the view's temporary-entity list, where they wait until the curve ends.
#pragma once

#include <vector>

#include "draft/framework/CmdBase.h"

class CCurvePoint;

class CSplineCmd : public CCmdBase {
 public:
  CSplineCmd(int id, int closed, int wave);
  ~CSplineCmd() override;

  int Begin(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  // Appends the fit point (x, y) after the first `count` ones and raises
  // the count. A wave line first adds three wave points between the last
  // fit point and (x, y): a wave of height h (times the group scale) below
  // and above the line, mirrored on an odd TAB count. Nothing is appended
  // when the array has no room.
  virtual void AddFitPoint(CDraftView* view, double x, double y, int& count);

  // How many fit points the curve being drawn has, and how many of its
  // pieces are frozen.
  int GetFitPointCount() const { return count_; }
  int GetFrozenPieceCount() const { return frozen_; }
  double GetPeakHeight() const { return peak_; }

  static constexpr int kMaxFitPoints = 100;

 protected:
  // Frees the three arrays.
  void FreeArrays();
  // Makes the curve of the fit points taken (more than three) and records
  // it; erases and deletes the frozen pieces' lines.
  void FinishCurve(CDraftView* view);
  // Erases and deletes the temporary lines of the frozen pieces.
  void ReleaseFrozenLines(CDraftView* view);
  // Shows the pieces of an open curve that can no longer change.
  void FreezePieces(CDraftView* view);

  int subdivisions_;
  int count_ = 0;
  int closed_;
  int wave_;
  double peak_ = 10.0;
  int frozen_ = 0;
  CCurvePoint* fit_ = nullptr;
  CCurvePoint* data_ = nullptr;
  CCurvePoint* buffer_ = nullptr;
  // The frozen pieces' lines this command put into the view's
  // temporary-entity list, and that view.
  std::vector<CEntity*> frozenLines_;
  CDraftView* tempView_ = nullptr;
};
