// Moves one fit point of a smooth curve and rebuilds the curve. The first
// click picks a curve (a segment stands for its curve; equation curves and
// curves of more fit points than the command holds are not taken), the
// second the fit point nearest the click on the screen (within 30 pixels),
// the third its new place: a new curve through the fit points replaces the
// old one in one undo step, and the next fit point of the new curve can be
// picked. The right button puts a picked fit point back, else lets the
// curve go.
#pragma once

#include "draft/framework/CmdBase.h"

class CCurvePoint;
class CCurveEntity;

class CEditSplineCmd : public CCmdBase {
 public:
  explicit CEditSplineCmd(int id);
  ~CEditSplineCmd() override;

  int Begin(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  // The slot of CSplineCmd::AddFitPoint: the fit points here come from the
  // picked curve, so it adds nothing.
  virtual void AddFitPoint(CDraftView* view, double x, double y, int& count);

  CCurveEntity* GetPickedCurve() const { return curve_; }
  int GetPickedIndex() const { return index_; }

  static constexpr int kMaxFitPoints = 100;
  // The colour of the fit points marked after an edit.
  static constexpr COLORREF kFitPointColour = 65280;

 private:
  void FreeArrays();
  // The first click: the curve under the cursor; false when none is taken.
  bool PickCurve(CDraftView* view, const PointRec& at);
  // The fit point nearest the cursor on the screen, within 30 pixels; -1
  // when none is.
  int FindFitPoint(CDraftView* view, const PointRec& at) const;
  // The third click: the curve rebuilt with the fit point at `at`.
  void ReplaceCurve(CDraftView* view, const PointRec& at);

  int subdivisions_ = 8;
  int count_ = 0;
  int closed_ = 0;
  CCurvePoint* fit_ = nullptr;
  CCurvePoint* data_ = nullptr;
  CCurvePoint* buffer_ = nullptr;
  CCurveEntity* curve_ = nullptr;
  int index_ = -1;
  double formerX_ = 0.0;
  double formerY_ = 0.0;
};
