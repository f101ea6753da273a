// The texts of parametric equations: the equation record (nine fields) and
// its line in the equation table, the conversion of the user's expressions
// into the evaluator's form, and the sampling of a curve from that form.
//
// A record is name; x(t); y(t) or ρ(t); parameter; start; end; step; angle
// unit ("1" degrees, "0" radians); coordinate system ("1" polar, "0"
// Cartesian). In the table a record is one line of the fields joined by ';',
// fields 1 and 2 carrying "X(t)=" and "Y(t)=" (polar: field 1 empty, field 2
// "ρ(t)=").
//
// The evaluator form writes the parameter "D[0]" (radians: the whole text
// lower case, so "d[0]", with each trigonometric argument turned from
// radians to degrees) and fits a buffer of kEquationBufferSize bytes: 79
// characters at most.
#pragma once

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

enum EquationField {
  kEqName = 0, kEqX, kEqY, kEqParameter, kEqStart, kEqEnd, kEqStep, kEqUnit, kEqSystem, kEqFieldCount,
};
inline constexpr int kEquationBufferSize = 80;
// The record used when the table holds none: a polar rose.
inline constexpr const char* kDefaultEquationLine = "玫瑰线;;ρ(t)=45*sin(4*t);t;0;360;4;1;1";
inline constexpr double kDegreesPerRadian = 57.29577951308232;
inline constexpr double kRadiansPerDegreeValue = 0.017453292519943295;
// The most samples a curve is built from; a longer range is cut there.
inline constexpr int kMaxEquationSamples = 100000;

// Splits a table line at every ';' (each piece trimmed; a last ';' gives no
// empty field) and drops, in fields 1 and 2, everything up to and including
// the first '='.
void ParseEquationLine(const CStringA& line, CStringArrayA& fields);
// The table line of a record (fields 1 and 2 given without prefixes).
CStringA FormatEquationLine(const CStringArrayA& fields);

// A value in degrees as the dialog shows it: [0, 0.05] is "0", a value
// within 0.05 of a common angle is that angle, anything else "%f".
CStringA FormatDegreeValue(double value);

// Converts the user's expressions into the evaluator form. `x` is ignored
// in polar form. On failure `message` holds the text to show and the
// outputs are untouched.
bool ConvertEquation(const CStringA& x, const CStringA& y, const CStringA& parameter, bool polar, bool radians,
                     CStringA& xOut, CStringA& yOut, CStringA& message);

// The parameter's samples: n = trunc(|e − s| / d) steps of d from s towards
// e, the last included when `withLast`; none for a step that is not
// positive or a value that is not finite; at most kMaxEquationSamples.
std::vector<double> EquationSamples(double s, double e, double d, bool withLast);

// The curve point at t from the evaluator form; false when an expression
// fails there. `degrees`: t is an angle in degrees for the polar form.
bool EquationPoint(const char* x, const char* y, bool polar, bool degrees, double t, double& px, double& py);

struct EquationExtents {
  double xmax = 0, ymax = 0, xmin = 0, ymin = 0;
};
// The extents over the samples of [s, e) by d, the step raised to 0.1
// (radians) or 4 (degrees) when smaller. An extent no sample reached is 0.
EquationExtents ComputeEquationExtents(const char* x, const char* y, bool polar, bool degrees, double s, double e,
                                       double d);

// Where the preview draws in an area of w × h pixels: the scale and origin
// pixel. False when the extents give no finite scale (both axes of extent
// 0): nothing is drawn then.
struct PreviewMapping {
  double u = 0;
  int x0 = 0, y0 = 0;
};
bool ComputePreviewMapping(const EquationExtents& ext, int w, int h, PreviewMapping& out);
// The preview's curve pixels: the samples of [s, e] by d (raised to 0.1 in
// radians, 5 in degrees), each mapped and kept when inside [0, w] × [0, h]
// and different from the previous pixel kept.
std::vector<CPoint> PreviewCurvePixels(const char* x, const char* y, bool polar, bool degrees, double s, double e,
                                       double d, const PreviewMapping& m, int w, int h);
