// One method serves every solver. With X = (x, y, r), a line touched by the
// circle gives the linear equation a·x + b·y + c = s·r (s the side of the
// line the centre lies on), a circle (xi, yi, ri) the quadratic
// (x − xi)² + (y − yi)² = (r + si·ri)² (si +1 touching from outside, −1 from
// inside), and a point the same with ri = 0. For each choice of the signs the
// first quadratic is subtracted from the other quadratics, which leaves
// linear equations; with three lines the three equations fix X, otherwise
// the two equations leave a line X = P + t·D of solutions, which put into
// the first quadratic gives a quadratic in t. Roots with r > 1e-9 are kept,
// duplicates dropped.
#include "draft/host/TangentCircles.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinRadius = 1e-9;
// Circles more than this many times the inputs' extent away or across come
// from inputs that are degenerate but for rounding (a point on a line, lines
// parallel within rounding); they are dropped.
constexpr double kMaxExtentFactor = 1e6;

struct TanInput {
  bool line = false;
  double a = 0, b = 0, c = 0;    // a line: unit normal and offset
  double x = 0, y = 0, rad = 0;  // a circle or point (rad 0)
};

TanInput Line(double a, double b, double c) { return {true, a, b, c, 0, 0, 0}; }
TanInput Circle(double x, double y, double r) { return {false, 0, 0, 0, x, y, std::fabs(r)}; }
TanInput Point(double x, double y) { return {false, 0, 0, 0, x, y, 0}; }

struct Vec3 {
  double v[3];
};

double Dot(const Vec3& p, const Vec3& q) { return p.v[0] * q.v[0] + p.v[1] * q.v[1] + p.v[2] * q.v[2]; }
Vec3 Cross(const Vec3& p, const Vec3& q) {
  return {{p.v[1] * q.v[2] - p.v[2] * q.v[1], p.v[2] * q.v[0] - p.v[0] * q.v[2], p.v[0] * q.v[1] - p.v[1] * q.v[0]}};
}
Vec3 Scale(const Vec3& p, double s) { return {{p.v[0] * s, p.v[1] * s, p.v[2] * s}}; }
Vec3 Add(const Vec3& p, const Vec3& q) { return {{p.v[0] + q.v[0], p.v[1] + q.v[1], p.v[2] + q.v[2]}}; }
double Norm(const Vec3& p) { return std::sqrt(Dot(p, p)); }
// X·M·Y with M = diag(1, 1, −1): the quadratic part of a circle's equation.
double MDot(const Vec3& p, const Vec3& q) { return p.v[0] * q.v[0] + p.v[1] * q.v[1] - p.v[2] * q.v[2]; }

// A linear equation row·X + k = 0.
struct Linear {
  Vec3 row;
  double k;
};

// A circle's equation as X·M·X + lin·X + k = 0.
struct Quadratic {
  Vec3 lin;
  double k;
};

class Collector {
 public:
  Collector(double* cx, double* cy, double* r, double extent)
      : cx_(cx), cy_(cy), r_(r), limit_(extent * kMaxExtentFactor) {}
  void Offer(const Vec3& s) {
    const double x = s.v[0], y = s.v[1], r = s.v[2];
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(r) || r <= kMinRadius) return;
    if (std::fabs(x) > limit_ || std::fabs(y) > limit_ || r > limit_) return;
    if (n_ >= kMaxTanCircles) return;
    const double tol = 1e-8 * (1.0 + std::max({std::fabs(x), std::fabs(y), std::fabs(r)}));
    for (int i = 0; i < n_; ++i)
      if (std::fabs(cx_[i] - x) <= tol && std::fabs(cy_[i] - y) <= tol && std::fabs(r_[i] - r) <= tol) return;
    cx_[n_] = x;
    cy_[n_] = y;
    r_[n_] = r;
    ++n_;
  }
  int Count() const { return n_; }

 private:
  double* cx_;
  double* cy_;
  double* r_;
  double limit_;
  int n_ = 0;
};

// The three lines' case: the 3 × 3 system by Cramer's rule.
void SolveLinear(const Linear eq[3], Collector& out) {
  const Vec3 c12 = Cross(eq[1].row, eq[2].row);
  const double det = Dot(eq[0].row, c12);
  const double scale = Norm(eq[0].row) * Norm(eq[1].row) * Norm(eq[2].row);
  if (!(std::fabs(det) > 1e-12 * scale)) return;
  // X = −(k0 (r1 × r2) + k1 (r2 × r0) + k2 (r0 × r1)) / det.
  Vec3 x = Add(Add(Scale(c12, eq[0].k), Scale(Cross(eq[2].row, eq[0].row), eq[1].k)),
               Scale(Cross(eq[0].row, eq[1].row), eq[2].k));
  out.Offer(Scale(x, -1.0 / det));
}

// Two linear equations and one quadratic.
void SolveOnLine(const Linear& u, const Linear& w, const Quadratic& q, Collector& out) {
  Vec3 d = Cross(u.row, w.row);
  const double dn = Norm(d);
  if (!(dn > 1e-12 * Norm(u.row) * Norm(w.row))) return;
  // The point of the solution line nearest the origin:
  // P = (−ku (w × D) − kw (D × u)) / |D|².
  const Vec3 p = Scale(Add(Scale(Cross(w.row, d), -u.k), Scale(Cross(d, u.row), -w.k)), 1.0 / (dn * dn));
  d = Scale(d, 1.0 / dn);
  const double a = MDot(d, d);
  const double b = 2 * MDot(p, d) + Dot(q.lin, d);
  const double c = MDot(p, p) + Dot(q.lin, p) + q.k;
  if (std::fabs(a) < 1e-12) {
    // Linear in t; a b that is zero but for rounding leaves no solution.
    if (std::fabs(b) > 1e-12 * (1.0 + Norm(p) + Norm(q.lin))) out.Offer(Add(p, Scale(d, -c / b)));
    return;
  }
  double disc = b * b - 4 * a * c;
  if (disc < 0) {
    if (disc < -1e-10 * (b * b + std::fabs(4 * a * c))) return;
    disc = 0;  // a touching case that rounding pushed below zero
  }
  const double root = std::sqrt(disc);
  const double qq = -0.5 * (b + (b >= 0 ? root : -root));
  if (qq == 0) {
    out.Offer(p);
    return;
  }
  out.Offer(Add(p, Scale(d, qq / a)));
  out.Offer(Add(p, Scale(d, c / qq)));
}

int Solve(const TanInput (&in)[3], double* cx, double* cy, double* r) {
  for (const TanInput& t : in) {
    const double values[] = {t.a, t.b, t.c, t.x, t.y, t.rad};
    for (double v : values)
      if (!std::isfinite(v)) return 0;
  }
  // Lines with their normal brought to unit length; a line without a normal
  // is no line.
  TanInput inputs[3] = {in[0], in[1], in[2]};
  for (TanInput& t : inputs) {
    if (!t.line) continue;
    const double n = std::hypot(t.a, t.b);
    if (!(n > 1e-12)) return 0;
    t.a /= n;
    t.b /= n;
    t.c /= n;
  }
  // The inputs' extent: how far they reach from the origin, at least 1.
  double extent = 1.0;
  for (const TanInput& t : inputs)
    extent = std::max(extent, t.line ? std::fabs(t.c) : std::max(std::fabs(t.x), std::fabs(t.y)) + t.rad);
  Collector out(cx, cy, r, extent);
  for (int signs = 0; signs < 8; ++signs) {
    Linear lines[3];
    Quadratic quads[3];
    int nl = 0, nq = 0;
    bool repeated = false;
    for (int i = 0; i < 3; ++i) {
      const TanInput& t = inputs[i];
      const double s = (signs >> i) & 1 ? -1.0 : 1.0;
      if (t.line) {
        lines[nl++] = {{{t.a, t.b, -s}}, t.c};
      } else {
        if (t.rad == 0 && s < 0) repeated = true;  // a point has one equation only
        quads[nq++] = {{{-2 * t.x, -2 * t.y, -2 * s * t.rad}}, t.x * t.x + t.y * t.y - t.rad * t.rad};
      }
    }
    if (repeated) continue;
    for (int j = 1; j < nq; ++j)
      lines[nl++] = {{{quads[j].lin.v[0] - quads[0].lin.v[0], quads[j].lin.v[1] - quads[0].lin.v[1],
                       quads[j].lin.v[2] - quads[0].lin.v[2]}},
                     quads[j].k - quads[0].k};
    if (nq == 0)
      SolveLinear(lines, out);
    else
      SolveOnLine(lines[0], lines[1], quads[0], out);
  }
  return out.Count();
}

int Run(const TanInput& i1, const TanInput& i2, const TanInput& i3, double* cx, double* cy, double* r) {
  const TanInput in[3] = {i1, i2, i3};
  return Solve(in, cx, cy, r);
}

}  // namespace

bool ppGetLine(double x1, double y1, double x2, double y2, double* a, double* b, double* c) {
  if (!a || !b || !c) return false;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return false;
  const double dx = x2 - x1, dy = y2 - y1, len = std::hypot(dx, dy);
  if (!(len > 1e-12)) return false;
  *a = dy / len;
  *b = -dx / len;
  *c = -(*a * x1 + *b * y1);
  return true;
}

int lllGetTanCircle(double a1, double b1, double c1, double a2, double b2, double c2, double a3, double b3, double c3,
                    double* cx, double* cy, double* r) {
  return Run(Line(a1, b1, c1), Line(a2, b2, c2), Line(a3, b3, c3), cx, cy, r);
}

int llcGetTanCircle(double a1, double b1, double c1, double a2, double b2, double c2, double x, double y, double rc,
                    double* cx, double* cy, double* r) {
  return Run(Line(a1, b1, c1), Line(a2, b2, c2), Circle(x, y, rc), cx, cy, r);
}

int lccGetTanCircle(double a, double b, double c, double x1, double y1, double r1, double x2, double y2, double r2,
                    double* cx, double* cy, double* r) {
  return Run(Line(a, b, c), Circle(x1, y1, r1), Circle(x2, y2, r2), cx, cy, r);
}

int cccGetTanCircle(double x1, double y1, double r1, double x2, double y2, double r2, double x3, double y3, double r3,
                    double* cx, double* cy, double* r) {
  return Run(Circle(x1, y1, r1), Circle(x2, y2, r2), Circle(x3, y3, r3), cx, cy, r);
}

int pplGetTanCircle(double px1, double py1, double px2, double py2, double a, double b, double c, double* cx,
                    double* cy, double* r) {
  return Run(Point(px1, py1), Point(px2, py2), Line(a, b, c), cx, cy, r);
}

int ppcGetTanCircle(double px1, double py1, double px2, double py2, double x, double y, double rc, double* cx,
                    double* cy, double* r) {
  return Run(Point(px1, py1), Point(px2, py2), Circle(x, y, rc), cx, cy, r);
}

int pllGetTanCircle(double px, double py, double a1, double b1, double c1, double a2, double b2, double c2, double* cx,
                    double* cy, double* r) {
  return Run(Point(px, py), Line(a1, b1, c1), Line(a2, b2, c2), cx, cy, r);
}

int pccGetTanCircle(double px, double py, double x1, double y1, double r1, double x2, double y2, double r2, double* cx,
                    double* cy, double* r) {
  return Run(Point(px, py), Circle(x1, y1, r1), Circle(x2, y2, r2), cx, cy, r);
}

int plcGetTanCircle(double px, double py, double a, double b, double c, double x, double y, double rc, double* cx,
                    double* cy, double* r) {
  return Run(Point(px, py), Line(a, b, c), Circle(x, y, rc), cx, cy, r);
}
