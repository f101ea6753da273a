// The ellipse, or elliptic arc, from its centre, a point that gives the
// first semi-axis and the rotation, a point whose distance from the centre
// is the second semi-axis and, for an arc, two points whose parametric
// angles (GetEllipsePointAngle) are the start and the end. An odd TAB count
// takes the complementary arc. R or D types a semi-axis in the radius
// dialog; digits type an arc angle. With snapping on, a semi-axis picked
// with the mouse goes to whole length steps (a typed one stays as typed,
// a point snapped onto an entity stays where it is).
#pragma once

#include "draft/framework/CmdBase.h"

class CEllipseCmd : public CCmdBase {
 public:
  CEllipseCmd(int id, int ellipticArc);

  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

 private:
  // The first semi-axis, the rotation (degrees) and, from point 2, the
  // second semi-axis of the points taken.
  double FirstAxis() const;
  double Rotation() const;
  double SecondAxis() const;
  // The start and end angles of the arc from the points p3 and p4: their
  // parametric angles, exchanged on an odd TAB count, made ascending.
  void ArcAngles(const GPoint& p3, const GPoint& p4, double& start, double& end) const;
  // Rounds the cursor's distance from the centre to whole length steps
  // when snapping is on and the semi-axis was not typed; the distance.
  double RoundCursorDistance(CDraftView* view, int typed);
  // Sets the first typed flag that is still 0.
  void NoteTyped();

  int firstTyped_ = 0;
  int secondTyped_ = 0;
  int ellipticArc_;
};
