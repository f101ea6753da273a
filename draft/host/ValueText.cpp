#include "draft/host/ValueText.h"

BOOL IsNumericString(const char* text) {
  CStringA t(text ? text : "");
  t.Trim();
  int i = 0;
  if (i < t.GetLength() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i >= t.GetLength()) return FALSE;
  for (; i < t.GetLength(); ++i)
    if (t[i] < '0' || t[i] > '9') return FALSE;
  return TRUE;
}

int CheckValueList(const CStringArray& values, int /*flag*/) {
  if (values.GetSize() == 0) return 0;
  for (INT_PTR i = 0; i < values.GetSize(); ++i)
    if (!IsNumericString(values[i])) return 0;
  return 1;
}

BOOL IsTextMatch(const char* text, const char* pattern) {
  CStringA a(text ? text : ""), b(pattern ? pattern : "");
  return a.Trim() == b.Trim() ? TRUE : FALSE;
}
