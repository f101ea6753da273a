#include "draft/construct/EquationText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "draft/host/ExpressionEvaluator.h"
#include "platform/core/Charset.h"

namespace {
constexpr const char* kFunctionError = "表达式中的数学函数有错误!";
constexpr const char* kNothingConverted = "参数方程有误，请检查后再预览!";
constexpr const char* kUnmatched = "表达式中的括号不匹配!";
constexpr const char* kEmptyArgument = "三角函数中无内容!";
constexpr const char* kTooLong = "表达式过长!";
constexpr const char* kRadianFunctions[] = {"sin(", "asin(", "cos(", "acos(", "tan(", "atan("};

bool IsOperatorChar(char c) { return c == '(' || c == ')' || c == '*' || c == '+' || c == '-' || c == '/'; }

// The length of the character at i of a text of n bytes, as the
// framework's strings step through GBK: two bytes for a lead byte whose
// trail byte is there, else one.
int CharStep(const char* s, int i, int n) {
  return platform::IsGbkLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < n ? 2 : 1;
}

// The first character of `text` at or behind `from` where `needle` starts;
// the walk over the characters begins at `from`, which starts a character.
// -1 when there is none.
int FindCharAt(std::string_view text, std::string_view needle, int from) {
  int walk = from;
  const int n = static_cast<int>(text.size());
  for (size_t pos = static_cast<size_t>(from);; ++pos) {
    pos = text.find(needle, pos);
    if (pos == std::string_view::npos) return -1;
    while (walk < static_cast<int>(pos)) walk += CharStep(text.data(), walk, n);
    if (walk == static_cast<int>(pos)) return walk;
  }
}

// Replaces each standing occurrence of the parameter by "D[0]". 1: done,
// 0: the parameter does not occur, -1: a failure (message set). One walk
// over the text, which is built anew behind it.
int SubstituteParameter(CStringA& text, const CStringA& parameter, CStringA& message) {
  if (parameter.IsEmpty()) return 0;
  if (text == parameter) {
    text = "D[0]";
    return 1;
  }
  const std::string_view in(text.GetString(), static_cast<size_t>(text.GetLength()));
  const std::string_view needle(parameter.GetString());
  const int n = static_cast<int>(in.size());
  std::string out;
  out.reserve(in.size());
  int converted = 0;
  int from = 0;  // in `in`, the start of a character; out holds what lies before it
  for (;;) {
    const int at = from > n ? -1 : FindCharAt(in, needle, from);
    if (at < 0) break;
    const int end = at + parameter.GetLength();
    // Before `from` lies what was written already.
    const bool beforeOk =
        at > from ? IsOperatorChar(in[static_cast<size_t>(at - 1)]) : out.empty() || IsOperatorChar(out.back());
    const bool afterOk = end >= n || IsOperatorChar(in[static_cast<size_t>(end)]);
    if (beforeOk && afterOk) {
      out.append(in.substr(static_cast<size_t>(from), static_cast<size_t>(at - from)));
      out += "D[0]";
      from = end < n ? end : n;
      converted = 1;
      continue;
    }
    // Inside a function's name: go on behind its '(' (never at the
    // occurrence itself, which may start with that '(').
    int paren = at;
    while (paren < n && in[static_cast<size_t>(paren)] != '(') paren += CharStep(in.data(), paren, n);
    if (paren >= n) {
      message = kFunctionError;
      return -1;
    }
    out.append(in.substr(static_cast<size_t>(from), static_cast<size_t>(paren + 1 - from)));
    from = paren + 1;
  }
  if (from < n) out.append(in.substr(static_cast<size_t>(from)));
  text = CStringA(out);
  return converted;
}

// Wraps the argument of every occurrence of each trigonometric function so
// that a radian argument reaches the evaluator in degrees. Each function
// takes one walk over the text: the closing parenthesis of every '(' is
// found first, and a wrap's own ')' goes in when the walk copies that far.
bool WrapRadianArguments(CStringA& text, CStringA& message) {
  CStringA factor;
  factor.Format("%f", kDegreesPerRadian);
  const CStringA prefix = factor + "*(";
  for (const char* name : kRadianFunctions) {
    const std::string_view in(text.GetString(), static_cast<size_t>(text.GetLength()));
    const int n = static_cast<int>(in.size());
    const int nameLength = static_cast<int>(std::strlen(name));
    if (FindCharAt(in, name, 0) < 0) continue;
    std::vector<int> closing(in.size(), -1);  // of each '(': its ')', or -1
    std::vector<int> open;
    for (int i = 0; i < n; ++i) {
      if (in[static_cast<size_t>(i)] == '(') {
        open.push_back(i);
      } else if (in[static_cast<size_t>(i)] == ')' && !open.empty()) {
        closing[static_cast<size_t>(open.back())] = i;
        open.pop_back();
      }
    }
    std::string out;
    out.reserve(in.size() + 64);
    std::vector<int> pending;  // the ')' still to be closed, innermost last
    int copied = 0;
    auto copyTo = [&](int to) {
      while (!pending.empty() && pending.back() < to) {
        out.append(in.substr(static_cast<size_t>(copied), static_cast<size_t>(pending.back() - copied)));
        out += ')';
        copied = pending.back();
        pending.pop_back();
      }
      out.append(in.substr(static_cast<size_t>(copied), static_cast<size_t>(to - copied)));
      copied = to;
    };
    for (int at = FindCharAt(in, name, 0); at >= 0; at = FindCharAt(in, name, at + nameLength)) {
      const int argument = at + nameLength;  // just behind the '('
      const int close = closing[static_cast<size_t>(argument - 1)];
      if (close < 0) {
        message = kUnmatched;
        return false;
      }
      if (close == argument) {
        message = kEmptyArgument;
        return false;
      }
      copyTo(argument);
      out += prefix.GetString();
      pending.push_back(close);
    }
    copyTo(n);
    text = CStringA(out);
  }
  return true;
}
}  // namespace

void ParseEquationLine(const CStringA& line, CStringArrayA& fields) {
  // One walk over the characters: a ';' ends a field, never when it is the
  // trail byte of a double-byte character. The array is sized once.
  const char* s = line.GetString();
  const int n = line.GetLength();
  std::vector<int> ends;
  for (int i = 0; i < n; i += CharStep(s, i, n))
    if (s[i] == ';') ends.push_back(i);
  if (n > 0 && (ends.empty() || ends.back() + 1 < n)) ends.push_back(n);  // a last ';' ends the line
  fields.RemoveAll();
  fields.SetSize(static_cast<INT_PTR>(ends.size()));
  int start = 0;
  for (size_t k = 0; k < ends.size(); ++k) {
    CStringA piece = line.Mid(start, ends[k] - start);
    piece.Trim();
    fields[static_cast<INT_PTR>(k)] = piece;
    start = ends[k] + 1;
  }
  for (int i = kEqX; i <= kEqY && i < fields.GetSize(); ++i) {
    const int eq = fields[i].Find('=');
    if (eq >= 0) {
      fields[i] = fields[i].Mid(eq + 1);
      fields[i].Trim();
    }
  }
}

CStringA FormatEquationLine(const CStringArrayA& fields) {
  const bool polar = fields.GetSize() > kEqSystem && fields[kEqSystem] != "0";
  CStringA line;
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
    if (i) line += ';';
    if (i == kEqX) {
      if (!polar) line += "X(t)=" + fields[i];
    } else if (i == kEqY) {
      line += (polar ? "ρ(t)=" : "Y(t)=") + fields[i];
    } else {
      line += fields[i];
    }
  }
  return line;
}

CStringA FormatDegreeValue(double value) {
  static const int kCommon[] = {15, 30, 45, 60, 75, 90, 105, 120, 135, 150, 180, 210, 225, 240, 270, 300, 315, 330, 345, 360};
  CStringA text;
  if (value >= 0 && value <= 0.05) return "0";
  for (int a : kCommon) {
    if (std::fabs(value - a) <= 0.05) {
      text.Format("%d", a);
      return text;
    }
  }
  text.Format("%f", value);
  return text;
}

bool ConvertEquation(const CStringA& x, const CStringA& y, const CStringA& parameter, bool polar, bool radians,
                     CStringA& xOut, CStringA& yOut, CStringA& message) {
  CStringA cx = polar ? CStringA() : x, cy = y;
  const int yDone = SubstituteParameter(cy, parameter, message);
  if (yDone < 0) return false;
  int xDone = 0;
  if (!polar) {
    xDone = SubstituteParameter(cx, parameter, message);
    if (xDone < 0) return false;
  }
  if (!xDone && !yDone) {
    message = kNothingConverted;
    return false;
  }
  if (radians) {
    cx.MakeLower();
    cy.MakeLower();
    if (!WrapRadianArguments(cx, message) || !WrapRadianArguments(cy, message)) return false;
  }
  if (cx.GetLength() >= kEquationBufferSize || cy.GetLength() >= kEquationBufferSize) {
    message = kTooLong;
    return false;
  }
  xOut = cx;
  yOut = cy;
  return true;
}

std::vector<double> EquationSamples(double s, double e, double d, bool withLast) {
  std::vector<double> out;
  if (!(d > 0) || !std::isfinite(s) || !std::isfinite(e) || !std::isfinite(d)) return out;
  const double steps = std::trunc(std::fabs(e - s) / d);
  if (!std::isfinite(steps)) return out;
  const double cap = kMaxEquationSamples - 1;
  const int n = static_cast<int>(steps < cap ? steps : cap);
  // Towards the end value, whichever side of the start it lies.
  const double step = e < s ? -d : d;
  const int count = withLast ? n + 1 : n;
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back(s + i * step);
  return out;
}

bool EquationPoint(const char* x, const char* y, bool polar, bool degrees, double t, double& px, double& py) {
  const CExpressionEvaluator& eval = GetExpressionEvaluator();
  double r = 0;
  if (eval.Evaluate(y, &r, &t) != kEvalOk) return false;
  if (polar) {
    const double a = degrees ? t * kRadiansPerDegreeValue : t;
    px = r * std::cos(a);
    py = r * std::sin(a);
    return true;
  }
  double vx = 0;
  if (eval.Evaluate(x, &vx, &t) != kEvalOk) return false;
  px = vx;
  py = r;
  return true;
}

EquationExtents ComputeEquationExtents(const char* x, const char* y, bool polar, bool degrees, double s, double e,
                                       double d) {
  if (!degrees && d < 0.1) d = 0.1;
  if (degrees && d < 4) d = 4.0;
  double xmax = -1e300, ymax = -1e300, xmin = 1e300, ymin = 1e300;
  for (double t : EquationSamples(s, e, d, false)) {
    double px = 0, py = 0;
    if (!EquationPoint(x, y, polar, degrees, t, px, py)) continue;
    if (px > xmax) xmax = px;
    if (px < xmin) xmin = px;
    if (py > ymax) ymax = py;
    if (py < ymin) ymin = py;
  }
  auto settle = [](double v) { return std::fabs(std::fabs(v) - 1e300) <= 1e-6 * 1e300 ? 0.0 : v; };
  return {settle(xmax), settle(ymax), settle(xmin), settle(ymin)};
}

bool ComputePreviewMapping(const EquationExtents& ext, int w, int h, PreviewMapping& out) {
  const double r = std::fmax(std::fabs(ext.xmax), std::fabs(ext.xmin));
  const double f = std::fmax(std::fabs(ext.ymax), std::fabs(ext.ymin));
  if (r <= 0 && f <= 0) return false;
  const double u = std::fmin(r > 0 ? w / (2 * r) : INFINITY, f > 0 ? h / (2 * f) : INFINITY);
  if (!std::isfinite(u) || u <= 0) return false;
  const double gx = w - u * (ext.xmin + ext.xmax), gy = h + u * (ext.ymin + ext.ymax);
  if (!std::isfinite(gx) || !std::isfinite(gy) || std::fabs(gx) > 1e9 || std::fabs(gy) > 1e9) return false;
  out.u = u;
  out.x0 = static_cast<int>(std::trunc(gx)) / 2;
  out.y0 = static_cast<int>(std::trunc(gy)) / 2;
  return true;
}

std::vector<CPoint> PreviewCurvePixels(const char* x, const char* y, bool polar, bool degrees, double s, double e,
                                       double d, const PreviewMapping& m, int w, int h) {
  if (!degrees && d < 0.1) d = 0.1;
  if (degrees && d < 5) d = 5.0;
  std::vector<CPoint> out;
  for (double t : EquationSamples(s, e, d, true)) {
    double px = 0, py = 0;
    if (!EquationPoint(x, y, polar, degrees, t, px, py)) continue;
    const double fx = std::trunc(m.u * px + m.x0), fy = std::trunc(m.y0 - m.u * py);
    if (!(fx >= 0 && fx <= w && fy >= 0 && fy <= h)) continue;
    const CPoint p(static_cast<int>(fx), static_cast<int>(fy));
    if (!out.empty() && out.back() == p) continue;
    out.push_back(p);
  }
  return out;
}
