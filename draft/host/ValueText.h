// Tressil's tests of value texts: whole numbers, lists of numbers, and the
// match of two cell texts.
#pragma once

#include "platform/core/String.h"
#include "platform/core/StringArray.h"

// Whether the text, blanks at both ends aside, is a whole number: an
// optional sign followed by at least one digit and nothing else.
BOOL IsNumericString(const char* text);

// The value-list test: non-zero when the list holds at least one value and
// every value is a whole number (IsNumericString). The flag is the call's
// form (callers pass 0) and changes nothing.
int CheckValueList(const CStringArray& values, int flag);

// Whether two cell texts match: equal once blanks at both ends are taken off.
BOOL IsTextMatch(const char* text, const char* pattern);
