// The end chamfer of a shaft or of a hole drawn as lines: the user picks the
// end-face line and the two contour lines, or only the end face when its
// contour lines lie on its layer and drawing group (the command then finds
// them: for a shaft the lines crossing the end face farthest from the click
// on each side of it, for a hole the nearest). Each contour line is
// shortened by the chamfer of the "ChemferSetting" lengths ("Var1" along
// the end face, "Len2" along the contour line), a line joins the chamfers'
// ends on the contour lines, and a shaft's end face shrinks to the
// chamfers' ends on it. Every chamfered end is one undo step.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CShaftChamferCmd : public CCmdBase {
 public:
  // hole 1: a hole's end, 0: a shaft's.
  CShaftChamferCmd(int id, int hole);

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  CEntity* GetEndFace() const { return face_; }
  CEntity* GetFirstContour() const { return first_; }
  CEntity* GetSecondContour() const { return second_; }

 private:
  // Offers one line of the click; true when it was taken.
  bool TakeLine(CDraftView* view, CEntity* line, const GPoint& at);
  // Finds both contour lines from the end face; false (both contour picks
  // cleared) when a side has none.
  bool SearchContours(CDraftView* view);
  // The chamfers of both contour lines with the end face.
  void MakeChamfers(CDraftView* view);
  void ForgetLines();

  int hole_;
  CEntity* face_ = nullptr;
  GPoint facePick_;
  CEntity* first_ = nullptr;
  GPoint firstPick_;
  CEntity* second_ = nullptr;
  GPoint secondPick_;
};
