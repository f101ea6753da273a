#include "draft/tables/RowText.h"

#include <string>

CStringA DoubleSemicolons(const CStringA& text) {
  std::string doubled;
  doubled.reserve(static_cast<size_t>(text.GetLength()) + 8);
  for (char c : text.str()) {
    doubled += c;
    if (c == ';') doubled += ';';
  }
  return CStringA(doubled.c_str(), static_cast<int>(doubled.size()));
}

CStringA EncodeRowCell(const CStringA& cell) {
  CStringA text = cell;
  text.Trim();
  if (text.IsEmpty()) return CStringA(" ");
  return DoubleSemicolons(text);
}

CStringA JoinRowCells(const CStringArray& cells) {
  CStringA row;
  for (INT_PTR i = 0; i < cells.GetSize(); ++i) {
    if (i > 0) row += ';';
    row += EncodeRowCell(cells[i]);
  }
  return row;
}

void SplitRowText(const CStringA& text, CStringArray& cells) {
  cells.RemoveAll();
  const std::string& s = text.str();
  std::string cell;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != ';') {
      cell += s[i];
    } else if (i + 1 < s.size() && s[i + 1] == ';') {
      cell += ';';
      ++i;
    } else {
      cells.Add(CStringA(cell));
      cell.clear();
    }
  }
  cells.Add(CStringA(cell));
}
