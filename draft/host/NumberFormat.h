// Tressil's number formatting for cursor readouts and dimension texts.
// A format pair names how a kind of value is shown: kind 0 fixed decimals
// (trailing zeros kept), kind 1 decimals with trailing zeros (and a bare
// point) dropped. Negative zero is shown as 0.
#pragma once

#include "platform/core/String.h"

struct NumberFormatPair {
  int kind = 0;
  int decimals = 3;
};

struct CNumberFormat {
  int kind = 0;
  int decimals = 3;
};

// The format of a pair (decimals clamped to 0..10).
CNumberFormat GetNumberFormat(const NumberFormatPair& pair);
// The value as text; a value that is not finite gives "0".
CStringA FormatNumberText(double value, const CNumberFormat& format);

// A value with `decimals` fixed decimals (clamped to 0..10), as
// FormatNumberText's fixed kind shows it: "314.16" for 314.159 and 2.
CStringA FormatDoubleString(double value, int decimals);
// A scale factor as a ratio: "f:1" for a factor of 1 or more, "1:(1/f)" for a
// smaller one, each number with at most three decimals and no trailing zeros
// ("2.5:1", "1:4", "1:1"). A factor that is not positive and finite gives
// "0".
CStringA FormatScaleText(double factor);
