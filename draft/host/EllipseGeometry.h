// Tressil's ellipse geometry: an ellipse (or elliptic arc) as seven values,
// the process-wide ellipse calculator that turns points into parametric
// angles and tests angle ranges, and the crossings of an ellipse with a
// line, a circle or another ellipse. An angle of a point is the parametric
// angle t of CEllipseEntity::PointAt: the point is
// c + R(rotation)·(a cos t, b sin t). Crossings are those of the whole
// curves (infinite lines, whole circles and ellipses).
#pragma once

#include "draft/host/Geometry2D.h"

class CDraftView;

struct EllipseGeom {
  double cx = 0, cy = 0;
  double a = 1, b = 1;       // semi-axes, a along the rotation direction
  double rotation = 0;       // degrees
  double start = 0, end = 360;  // parametric degrees
};

// The geometry of the seven values a CEllipseEntity gives (GetGeometry).
EllipseGeom ConstructEllipseGeom(const double* values);
// Brings the geometry to its working form: positive semi-axes and the end
// angle above the start (equal angles: the whole ellipse, 0 to 360).
void PrepareEllipseGeom(EllipseGeom& g);
// The seven values back (cx, cy, a, b, rotation, start, end); returns 7.
int GetEllipseGeomParams(const EllipseGeom& g, double* values);

class CEllipseCalculator {
 public:
  void SetEllipse(const EllipseGeom& g) { g_ = g; }
  const EllipseGeom& GetEllipse() const { return g_; }
  // The parametric angle of p, in [0, 360); 0 for the centre.
  double AngleOfPoint(const GPoint& p) const;
  GPoint PointAt(double t) const;
  // Whether t lies on the parametric range from start to end (taken
  // ascending, equal: the whole ellipse), tolerance 1e-6.
  bool IsAngleInRange(double t, double start, double end) const;

 private:
  EllipseGeom g_;
};

// The parametric angle, in [0, 360), of the point p on (or off) the ellipse
// of centre c, semi-axes a and b and rotation (degrees): the t of
// CEllipseEntity::PointAt whose point lies on the ray from c through p's
// place in the ellipse's own axes scaled to a circle; 0 for the centre and
// for semi-axes that are not positive.
double GetEllipsePointAngle(const GPoint& c, double a, double b, double rotation, const GPoint& p);

// The calculator the commands share.
CEllipseCalculator& GetEllipseCalculator();

// Crossings, each point once; the number found. Tangent points count once.
int IntersectLineEllipse(const GPoint& a, const GPoint& b, const EllipseGeom& g, GPoint out[2]);
int IntersectCircleEllipse(const GPoint& c, double r, const EllipseGeom& g, GPoint out[4]);
int IntersectEllipses(const EllipseGeom& g1, const EllipseGeom& g2, GPoint out[4]);

// The rubber elliptic arc from start to end parametric degrees.
void DrawEllipseArcPreview(CDraftView* view, const EllipseGeom& g, double start, double end);
