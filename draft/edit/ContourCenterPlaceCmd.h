// The contour-to-centre mark: the user picks a centre line and a contour
// line parallel to it; at each position point on the reference line (the
// centre line, or the contour line after an odd number of TABs) the command
// draws a mark of three arcs whose radius is the distance between the two
// lines, as one compound entity and one undo step.
#pragma once

#include "draft/framework/CmdBase.h"

class CContourCenterPlaceCmd : public CCmdBase {
 public:
  explicit CContourCenterPlaceCmd(int id);

  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  // ---- New operation: the mark at the cursor, drawn as a rubber preview
  // (preview 1) or made (preview 0).
  virtual void BuildMark(CDraftView* view, int preview);

  CEntity* GetCentreLine() const { return centre_; }
  CEntity* GetContourLine() const { return contour_; }
  int GetMarkCount() const { return marks_; }

 private:
  void TakeLines(CDraftView* view);

  double radius_ = 0.0;
  double angle_ = 0.0;
  CEntity* centre_ = nullptr;
  CEntity* contour_ = nullptr;
  int marks_ = 0;
};
