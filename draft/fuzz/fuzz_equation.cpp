// Takes arbitrary bytes as the text of a parametric equation. The first line
// is a record as the equation table holds it (name; X(t)=x; Y(t)=y or
// ρ(t)=y; parameter; start; end; step; unit; system); whatever follows the
// first line feed is one more expression handed to the evaluator as it
// stands. The record is split into its fields and formatted back, its
// expressions are converted to the evaluator's form as the dialog converts
// them, and the curve is sampled, measured and mapped onto a preview area
// as the dialog and the command do; the raw texts go to the evaluator too.
//
// Besides crashes, overflows, leaks and hangs (the sanitizers and the time
// limit check), the target aborts when a result breaks its contract: a
// field holding ';' or blanks at its ends, a line that does not read back
// as its fields, a conversion that reports a failure without a message or
// touches its outputs, a converted text too long for the evaluator's
// buffer, an evaluation that gives a value that is not finite or writes its
// value on failure or differs between two runs, too many samples, and a
// preview pixel outside the area. The sampled range is shortened so that
// one input evaluates a few hundred points at most.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "draft/construct/EquationText.h"
#include "draft/fuzz/FuzzScratch.h"
#include "draft/host/ExpressionEvaluator.h"

namespace {

constexpr int kPointsPerRange = 64;
constexpr int kPreviewWidth = 200, kPreviewHeight = 150;

// The end of a range from s by d that takes at most kPointsPerRange steps.
double ShortEnd(double s, double e, double d) {
  if (!std::isfinite(s) || !std::isfinite(e) || !(d > 0) || !std::isfinite(d)) return e;
  const double most = kPointsPerRange * d;
  if (std::fabs(e - s) <= most) return e;
  return e < s ? s - most : s + most;
}

// Evaluates the text at a few parameter values, twice each.
void EvaluateRaw(const char* text, double t) {
  const CExpressionEvaluator& eval = GetExpressionEvaluator();
  for (const double p : {t, 0.0, -t, 90.0}) {
    double first = 12345.0, second = 12345.0;
    const int status = eval.Evaluate(text, &first, &p);
    if (status < kEvalOk || status > kEvalDomainError) std::abort();
    if (status != kEvalOk && first != 12345.0) std::abort();  // a failure leaves the value alone
    if (status == kEvalOk && !std::isfinite(first)) std::abort();
    if (eval.Evaluate(text, &second, &p) != status) std::abort();
    if (status == kEvalOk && std::memcmp(&first, &second, sizeof first) != 0) std::abort();
  }
}

// Splitting and formatting: every field trimmed and free of ';', and a line
// formatted from the fields reads back as them. A line ending in an empty
// field loses it (a last ';' gives no field), and a polar line has no x(t).
void CheckFields(const CStringArrayA& fields) {
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
    CStringA trimmed = fields[i];
    trimmed.Trim();
    if (fields[i].Find(';') >= 0 || trimmed != fields[i]) std::abort();
  }
  if (fields.GetSize() == 0 || fields[fields.GetSize() - 1].IsEmpty()) return;
  CStringArrayA again;
  ParseEquationLine(FormatEquationLine(fields), again);
  if (again.GetSize() != fields.GetSize()) std::abort();
  const bool polar = fields.GetSize() > kEqSystem && fields[kEqSystem] != "0";
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
    if (i == kEqX && polar) {
      if (!again[i].IsEmpty()) std::abort();
    } else if (again[i] != fields[i]) {
      std::abort();
    }
  }
}

void TakeRecord(const CStringA& line) {
  CStringArrayA fields;
  ParseEquationLine(line, fields);
  CheckFields(fields);
  for (INT_PTR i = kEqX; i <= kEqY && i < fields.GetSize(); ++i) EvaluateRaw(fields[i].GetString(), 30.0);
  if (fields.GetSize() != kEqFieldCount) return;

  const bool polar = fields[kEqSystem] != "0";
  const bool radians = fields[kEqUnit] == "0";
  CStringA x = "x untouched", y = "y untouched", message;
  if (!ConvertEquation(fields[kEqX], fields[kEqY], fields[kEqParameter], polar, radians, x, y, message)) {
    if (message.IsEmpty() || x != "x untouched" || y != "y untouched") std::abort();
    return;
  }
  if (x.GetLength() >= kEquationBufferSize || y.GetLength() >= kEquationBufferSize) std::abort();
  // The command and the dialog hand the evaluator copies of fixed buffers.
  char xBuffer[kEquationBufferSize] = {}, yBuffer[kEquationBufferSize] = {};
  std::memcpy(xBuffer, x.GetString(), static_cast<size_t>(x.GetLength()) + 1);
  std::memcpy(yBuffer, y.GetString(), static_cast<size_t>(y.GetLength()) + 1);

  const double s = std::atof(fields[kEqStart]), e = std::atof(fields[kEqEnd]), d = std::atof(fields[kEqStep]);
  const std::vector<double> all = EquationSamples(s, e, d, true);
  if (all.size() > static_cast<size_t>(kMaxEquationSamples)) std::abort();
  for (const double t : all)
    if (!std::isfinite(t)) std::abort();

  const bool degrees = !radians;
  for (const double t : EquationSamples(s, ShortEnd(s, e, d), d, true)) {
    double px = 0, py = 0;
    if (EquationPoint(xBuffer, yBuffer, polar, degrees, t, px, py) && (!std::isfinite(px) || !std::isfinite(py)))
      std::abort();
  }
  const double extentStep = degrees ? std::fmax(d, 4.0) : std::fmax(d, 0.1);
  const EquationExtents ext =
      ComputeEquationExtents(xBuffer, yBuffer, polar, degrees, s, ShortEnd(s, e, extentStep), d);
  if (!std::isfinite(ext.xmax) || !std::isfinite(ext.xmin) || !std::isfinite(ext.ymax) || !std::isfinite(ext.ymin))
    std::abort();
  PreviewMapping m;
  if (!ComputePreviewMapping(ext, kPreviewWidth, kPreviewHeight, m)) return;
  const double previewStep = degrees ? std::fmax(d, 5.0) : std::fmax(d, 0.1);
  for (const CPoint& p : PreviewCurvePixels(xBuffer, yBuffer, polar, degrees, s, ShortEnd(s, e, previewStep), d, m,
                                            kPreviewWidth, kPreviewHeight)) {
    if (p.x < 0 || p.x > kPreviewWidth || p.y < 0 || p.y > kPreviewHeight) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::QuietHost();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const void* feed = std::memchr(bytes, '\n', size);
  const size_t lineLength = feed ? static_cast<size_t>(static_cast<const char*>(feed) - bytes) : size;
  TakeRecord(CStringA(bytes, static_cast<int>(lineLength)));
  if (feed) {
    const std::string rest(bytes + lineLength + 1, size - lineLength - 1);
    EvaluateRaw(rest.c_str(), 45.0);
  }
  return 0;
}
