#include "platform/core/NumberText.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace platform {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

bool ParseNumber(const char* text, double& value) {
  if (!text) return false;
  const char* s = text;
  while (IsBlank(*s)) ++s;
  // strtod would skip other white space (line ends) as well.
  if (*s == '\0' || *s == '\n' || *s == '\r' || *s == '\v' || *s == '\f') return false;
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(s, &end);
  if (end == s || errno == ERANGE || !std::isfinite(v)) return false;
  while (IsBlank(*end)) ++end;
  if (*end != '\0') return false;
  value = v;
  return true;
}

}  // namespace platform
