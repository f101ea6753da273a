#include "draft/host/DimensionText.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

CStringA Safe(const char* s) { return s ? CStringA(s) : CStringA(); }

// "±0.05" when the two deviations are equal numbers of opposite sign and
// not zero; empty otherwise.
CStringA PlusMinus(const CStringA& upper, const CStringA& lower) {
  if (upper.IsEmpty() || lower.IsEmpty()) return {};
  const double u = std::atof(upper), l = std::atof(lower);
  if (u == 0.0 || std::fabs(u + l) > 1e-9) return {};
  CStringA magnitude = upper;
  if (magnitude[0] == '+' || magnitude[0] == '-') magnitude = magnitude.Mid(1);
  return CStringA("±") + magnitude;
}

CStringA Bracketed(const CStringA& upper, const CStringA& lower) {
  return "(" + (upper.IsEmpty() ? CStringA("0") : upper) + "/" + (lower.IsEmpty() ? CStringA("0") : lower) + ")";
}

bool EndsWith(const CStringA& s, const CStringA& tail) {
  return tail.GetLength() <= s.GetLength() && s.Right(tail.GetLength()) == tail;
}

}  // namespace

void ComposeDimensionText(CStringA& text, const char* prefix, const char* basicSize, const char* code,
                          const char* upper, const char* lower, int showCode, int showDeviations, int sameFormat) {
  const CStringA up = Safe(upper), low = Safe(lower);
  text = Safe(prefix) + Safe(basicSize);
  if (showCode) text += Safe(code);
  if (!showDeviations || (up.IsEmpty() && low.IsEmpty())) return;
  const CStringA pm = sameFormat ? PlusMinus(up, low) : CStringA();
  text += pm.IsEmpty() ? Bracketed(up, low) : pm;
}

void GetDimensionTextExtra(const char* text, const char* prefix, const char* basicSize, CStringA& extra,
                           const char* code, const char* upper, const char* lower) {
  CStringA rest = Safe(text);
  const CStringA pre = Safe(prefix), size = Safe(basicSize), c = Safe(code), up = Safe(upper), low = Safe(lower);
  if (!pre.IsEmpty() && rest.Left(pre.GetLength()) == pre) rest = rest.Mid(pre.GetLength());
  if (!size.IsEmpty() && rest.Left(size.GetLength()) == size) rest = rest.Mid(size.GetLength());
  std::vector<CStringA> tails;
  if (!up.IsEmpty() || !low.IsEmpty()) {
    const CStringA pm = PlusMinus(up, low);
    if (!pm.IsEmpty()) tails.push_back(c + pm);
    tails.push_back(c + Bracketed(up, low));
    if (!pm.IsEmpty()) tails.push_back(pm);
    tails.push_back(Bracketed(up, low));
  }
  tails.push_back(c);
  for (const CStringA& tail : tails) {
    if (!tail.IsEmpty() && EndsWith(rest, tail)) {
      rest = rest.Left(rest.GetLength() - tail.GetLength());
      break;
    }
  }
  extra = rest;
}
