#include "draft/host/CellText.h"

#include <cstring>

#include "platform/core/Charset.h"

namespace {
struct SymbolCode {
  char code;           // the letter after "%%", lower case
  const char* symbol;  // GBK
};
const SymbolCode kSymbols[] = {{'c', "Φ"}, {'d', "°"}, {'p', "±"}};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

CStringA ConvertCellTextToStored(const char* typed) {
  CStringA out;
  if (!typed) return out;
  for (const char* p = typed; *p;) {
    if (p[0] == '%' && p[1] == '%' && p[2]) {
      const char letter = Lower(p[2]);
      const char* symbol = nullptr;
      for (const SymbolCode& s : kSymbols)
        if (s.code == letter) symbol = s.symbol;
      if (symbol) {
        out += symbol;
        p += 3;
        continue;
      }
    }
    const int n = platform::IsGbkLeadByte(static_cast<unsigned char>(*p)) && p[1] ? 2 : 1;
    out += CStringA(p, n);
    p += n;
  }
  return out;
}

CStringA ConvertStoredToCellText(const char* stored) {
  CStringA out;
  if (!stored) return out;
  for (const char* p = stored; *p;) {
    const int n = platform::IsGbkLeadByte(static_cast<unsigned char>(*p)) && p[1] ? 2 : 1;
    const char* code = nullptr;
    if (n == 2)
      for (const SymbolCode& s : kSymbols)
        if (std::strncmp(p, s.symbol, 2) == 0) code = &s.code;
    if (code) {
      out += "%%";
      out += *code;
    } else {
      out += CStringA(p, n);
    }
    p += n;
  }
  return out;
}
