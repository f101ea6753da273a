#include "draft/host/StringConverter.h"

void CStringConverter::ConvertText(CStringA& text) const {
  CStringA out;
  const int n = text.GetLength();
  for (int i = 0; i < n; ++i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x81 || i + 1 >= n) {
      out += text[i];
      continue;
    }
    const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
      out += static_cast<char>(trail - 0x80);
    else if (lead == 0xA1 && trail == 0xA1)
      out += ' ';
    else {
      out += text[i];
      out += text[i + 1];
    }
    ++i;  // a double-byte character
  }
  text = out;
}

CStringA CStringConverter::GetNumberColumnName() const { return "序号"; }

void CStringConverter::NormalizeLine(CStringA& line) const { line.Trim(" \t\r\n\x1a"); }

const CStringConverter& GetStringConverter() {
  static const CStringConverter converter;
  return converter;
}
