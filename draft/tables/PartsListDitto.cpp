// Ditto marks of the parts-list grid. A cell whose whole text (trimmed) is a
// mark takes its value from a neighbour: "@" the cell below, "/" the cell
// above, "$" the cell to the right, "&" the cell to the left; a text ending
// in '@' or '$' stands for the text without that mark. The mark at the end
// of a text is its last character, never the trail byte of a double-byte
// character ("丂" ends in the byte 0x40 and is no mark).
#include "draft/tables/PartsListCtrl.h"

#include "draft/tables/GbkChars.h"
#include "platform/core/MessageBox.h"

namespace {

const char kNoAtValue[] = "找不到 @ 对应的真实值!";
const char kNoSlashValue[] = "找不到 / 对应的真实值!";
const char kNoDollarValue[] = "找不到 $ 对应的真实值!";
const char kNoAmpersandValue[] = "找不到 & 对应的真实值!";

// Whether the text's last character is the one-byte `mark`.
bool EndsWithMark(const CStringA& text, char mark) { return GbkEndsWithChar(text, mark); }

// The text without a trailing `mark` character.
CStringA WithoutMark(const CStringA& text, char mark) {
  return EndsWithMark(text, mark) ? text.Left(text.GetLength() - 1) : text;
}

}  // namespace

int CPartsListCtrl::ResolveDitto(const int& row, const int& column, CStringA& text, int columnCount) {
  CStringA mark = text;
  mark.Trim();
  const int rows = GetItemCount();
  auto fail = [](const char* message) {
    AfxMessageBox(message);
    return static_cast<int>(kDittoFailed);
  };
  // Upward from `from` (exclusive), past "@" cells: the row holding the
  // value, or -1 when the search ends at row 0 on a mark.
  auto searchUp = [&](int from) {
    int r = from - 1;
    if (r < 0) return -1;
    while (r > 0 && TrimmedCell(r, column) == "@") --r;
    const CStringA cell = TrimmedCell(r, column);
    if (r == 0 && (cell == "@" || cell == "/")) return -1;
    return r;
  };
  // Leftward from `from` (exclusive), past "$" cells.
  auto searchLeft = [&](int from) {
    int c = from - 1;
    if (c < 0) return -1;
    while (c > 0 && TrimmedCell(row, c) == "$") --c;
    const CStringA cell = TrimmedCell(row, c);
    if (c == 0 && (cell == "$" || cell == "&")) return -1;
    return c;
  };

  if (mark == "@") {
    int r = row + 1;
    while (r < rows && TrimmedCell(r, column) == "@") ++r;
    if (r >= rows) return fail(kNoAtValue);
    if (TrimmedCell(r, column) == "/") {
      r = searchUp(r);
      if (r < 0) return fail(kNoAtValue);
    }
    text = WithoutMark(TrimmedCell(r, column), '@');
    return kDittoBelow;
  }
  if (mark == "/") {
    const int r = searchUp(row);
    if (r < 0) return fail(kNoSlashValue);
    text = WithoutMark(TrimmedCell(r, column), '@');
    return kDittoAbove;
  }
  if (mark == "$") {
    int c = column + 1;
    while (c < columnCount && TrimmedCell(row, c) == "$") ++c;
    if (c >= columnCount) return fail(kNoDollarValue);
    if (TrimmedCell(row, c) == "&") {
      c = searchLeft(c);
      if (c < 0) return fail(kNoDollarValue);
    }
    text = WithoutMark(TrimmedCell(row, c), '$');
    return kDittoRight;
  }
  if (mark == "&") {
    const int c = searchLeft(column);
    if (c < 0) return fail(kNoAmpersandValue);
    text = WithoutMark(TrimmedCell(row, c), '$');
    return kDittoLeft;
  }
  if (EndsWithMark(mark, '@')) {
    text = WithoutMark(mark, '@');
    return kDittoTrailingAt;
  }
  if (EndsWithMark(mark, '$')) {
    text = WithoutMark(mark, '$');
    return kDittoTrailingDollar;
  }
  return kNoDitto;
}

BOOL CPartsListCtrl::CheckRowDitto(int row, int column) {
  if (row < 0 || TrimmedCell(row, column) != "@") return TRUE;
  int r = row;
  while (r > 0 && TrimmedCell(r, column) == "@") --r;
  if (r == 0 && TrimmedCell(0, column) == "@") {
    AfxMessageBox("请在第一行输入有效值!");
    return FALSE;
  }
  return TRUE;
}

BOOL CPartsListCtrl::CheckColumnDitto(int row, int column) {
  if (column < 0 || TrimmedCell(row, column) != "$") return TRUE;
  int c = column;
  while (c > 0 && TrimmedCell(row, c) == "$") --c;
  if (c == 0 && TrimmedCell(row, 0) == "$") {
    AfxMessageBox("请在第一列输入有效值!");
    return FALSE;
  }
  return TRUE;
}
