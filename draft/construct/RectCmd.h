// The rectangle command: an axis-parallel rectangle of four lines from two
// corners, one undo record for the four. TAB makes the first corner its
// centre (mode 1) or the second corner its centre (mode 2); digits and
// signs after the first corner type the width and height. It is the base
// of the rectangle clip and the view-rectangle pickers.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CRectCmd : public CCmdBase {
 public:
  CRectCmd(int id, CDraftView* view);

  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

 protected:
  // The corners p0, p1 after the TAB symmetry (the counter mod 3).
  void ApplySymmetry(GPoint& p0, GPoint& p1) const;
};
