// Reading a number written as text: a value typed by the user or kept in a
// file's text field.
#pragma once

namespace platform {

// Whether the whole of `text` is one finite number as strtod reads it in the
// "C" locale (an optional sign, decimal or hexadecimal digits, an optional
// exponent), with blanks (spaces and tabs) allowed before and after it; then
// `value` holds it. A value out of a double's range (overflow or underflow),
// infinity and not-a-number are no number, and neither is a null or blank
// text; `value` is then left as it was.
bool ParseNumber(const char* text, double& value);

}  // namespace platform
