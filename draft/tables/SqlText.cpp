#include "draft/tables/SqlText.h"

#include <cstdlib>

CStringA SqlQuoted(const CStringA& text) {
  CStringA inner = text;
  inner.Replace("'", "''");
  return "'" + inner + "'";
}

CStringA SqlTableName(const CStringA& file) {
  bool plain = !file.IsEmpty();
  for (int i = 0; i < file.GetLength() && plain; ++i) {
    char c = file[i];
    plain = !(c == ' ' || c == '\t' || c == ',' || c == '(' || c == ')' || c == ';' || c == '\'' || c == '"');
  }
  if (plain) return file;
  CStringA inner = file;
  inner.Replace("\"", "\"\"");
  return "\"" + inner + "\"";
}

BOOL IsSqlNumber(const CStringA& text) {
  CStringA t = text;
  t.Trim();
  if (t.IsEmpty()) return FALSE;
  for (int i = 0; i < t.GetLength(); ++i) {
    char c = t[i];
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return FALSE;
  }
  char* end = nullptr;
  std::strtod(t.GetString(), &end);
  return end && *end == '\0';
}
