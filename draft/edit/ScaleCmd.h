// Scales the selected entities about a base point by a factor read off the
// pointer's distance from it over a reference length of 20 units, or typed.
// A pointer on the base point (factor 0) is refused, as a typed 0 is.
// "保留原图？" decides whether the sources stay; a scaled table becomes a
// general table.
#pragma once

#include "draft/edit/RotateCmd.h"

class CScaleCmd : public CRotateCmd {
 public:
  explicit CScaleCmd(int id);

  int DrawProcessPreview(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;
  int OnProcessRButton(CDraftView* view) override;
  int OnProcessNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;

  double GetReferenceLength() const { return referenceLength_; }

 private:
  double referenceLength_ = 20.0;
};
