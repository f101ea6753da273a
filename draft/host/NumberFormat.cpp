#include "draft/host/NumberFormat.h"

#include <algorithm>
#include <cmath>

CNumberFormat GetNumberFormat(const NumberFormatPair& pair) {
  return CNumberFormat{pair.kind, std::clamp(pair.decimals, 0, 10)};
}

CStringA FormatNumberText(double value, const CNumberFormat& format) {
  if (!std::isfinite(value)) return CStringA("0");
  const int decimals = std::clamp(format.decimals, 0, 10);
  CStringA text;
  text.Format("%.*f", decimals, value);
  if (format.kind == 1 && text.Find('.') >= 0) {
    text.TrimRight('0');
    text.TrimRight('.');
  }
  // "-0.000" and "-0" read as zero.
  bool allZero = true;
  for (int i = 1; i < text.GetLength() && allZero; ++i) allZero = text[i] == '0' || text[i] == '.';
  if (text.GetLength() > 1 && text[0] == '-' && allZero) text = text.Mid(1);
  return text;
}

CStringA FormatDoubleString(double value, int decimals) { return FormatNumberText(value, CNumberFormat{0, decimals}); }

CStringA FormatScaleText(double factor) {
  const CNumberFormat trimmed{1, 3};
  if (!std::isfinite(factor) || factor <= 0) return CStringA("0");
  if (factor >= 1.0) return FormatNumberText(factor, trimmed) + ":1";
  return "1:" + FormatNumberText(1.0 / factor, trimmed);
}
