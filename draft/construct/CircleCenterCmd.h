// The circle by centre and a point on it. Without centre lines the centre
// stays after each circle, so that further points (or typed radii) add
// concentric circles; with centre lines each circle gets its horizontal and
// vertical centre line, reaching past it by the "SystemSetting"/"CenterLine"
// overshoot, and the next click is a new centre. In an axonometric plane
// the circle is drawn as the ellipse it becomes there. Arrow keys walk the
// cursor radially in whole length steps. It is the base of the other circle
// commands and of the arcs by centre.
#pragma once

#include "draft/construct/LineCmd.h"

class CCircleCenterCmd : public CLineCmd {
 public:
  CCircleCenterCmd(int id, int centreLines);

  // Only the first point (the centre) is marked.
  int MarksPoints() override;
  // R or D at step 1: the radius dialog; its point is taken as point 2.
  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  void OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) override;

  int GetCentreLineFlag() const { return centreLines_; }

 protected:
  // The ellipse that a circle of radius r about c becomes in axonometric
  // plane 1, 2 or 3: semi-axes a (along the rotated x direction) and b, and
  // the rotation in degrees. False for any other plane.
  static bool AxonometricEllipse(const GPoint& c, double r, int plane, double& a, double& b, double& rotation);
  // The first layer whose record draws centre lines, or -1.
  static int FindCentreLineLayer(CDraftView* view);

  int centreLines_;
};
