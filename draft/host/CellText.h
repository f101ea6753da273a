// Korrin's cell-text conversion between what a user types into a table cell
// and what a table cell stores. Typed texts write the three drafting symbols
// as codes ("%%c" or "%%C" diameter, "%%d" or "%%D" degree, "%%p" or "%%P"
// plus-minus); a stored text holds the symbols themselves ("Φ", "°", "±"),
// which is what the table draws. Everything else is kept byte for byte, and
// a GBK double-byte character is never split.
#pragma once

#include "platform/core/String.h"

// Typed -> stored: the codes become their symbols.
CStringA ConvertCellTextToStored(const char* typed);
// Stored -> typed: the symbols become their codes ("%%c", "%%d", "%%p").
CStringA ConvertStoredToCellText(const char* stored);
