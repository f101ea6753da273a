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
