#include "draft/tables/RowText.h"

CStringA EncodeRowCell(const CStringA& cell) {
  CStringA text = cell;
  text.Trim();
  if (text.IsEmpty()) return CStringA(" ");
  text.Replace(";", ";;");
  return text;
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
