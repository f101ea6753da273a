// Pellatrix's tangent-circle solvers: the circles that touch three given
// inputs, each a line (a·x + b·y + c = 0 with (a, b) a unit normal, as
// ppGetLine gives it), a circle (centre and radius; an arc counts as its
// full circle) or a point (the circle passes through it).
//
// Each solver takes its inputs in the order its name gives (p point,
// l line, c circle) as doubles, then three out arrays of kMaxTanCircles
// entries: centre x, centre y and radius. It returns the number of circles
// found (0 to 8) and never writes past the eighth entry. Degenerate inputs
// (parallel lines, coincident points, concentric circles) give what
// solutions remain, possibly none.
#pragma once

inline constexpr int kMaxTanCircles = 8;

// The line through (x1, y1) and (x2, y2) as a·x + b·y + c = 0 with a² + b² = 1;
// false (a, b, c unchanged) when the two points coincide or a value is not
// finite.
bool ppGetLine(double x1, double y1, double x2, double y2, double* a, double* b, double* c);

int lllGetTanCircle(double a1, double b1, double c1, double a2, double b2, double c2, double a3, double b3, double c3,
                    double* cx, double* cy, double* r);
int llcGetTanCircle(double a1, double b1, double c1, double a2, double b2, double c2, double x, double y, double rc,
                    double* cx, double* cy, double* r);
int lccGetTanCircle(double a, double b, double c, double x1, double y1, double r1, double x2, double y2, double r2,
                    double* cx, double* cy, double* r);
int cccGetTanCircle(double x1, double y1, double r1, double x2, double y2, double r2, double x3, double y3, double r3,
                    double* cx, double* cy, double* r);
int pplGetTanCircle(double px1, double py1, double px2, double py2, double a, double b, double c, double* cx,
                    double* cy, double* r);
int ppcGetTanCircle(double px1, double py1, double px2, double py2, double x, double y, double rc, double* cx,
                    double* cy, double* r);
int pllGetTanCircle(double px, double py, double a1, double b1, double c1, double a2, double b2, double c2, double* cx,
                    double* cy, double* r);
int pccGetTanCircle(double px, double py, double x1, double y1, double r1, double x2, double y2, double r2, double* cx,
                    double* cy, double* r);
int plcGetTanCircle(double px, double py, double a, double b, double c, double x, double y, double rc, double* cx,
                    double* cy, double* r);
