// The table-content dialog's sort: rows grouped by the key column's values
// in numeric order, and the chosen columns shown merged group by group.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "draft/tables/ArrayRoom.h"
#include "draft/tables/TableDataDlg.h"
#include "platform/core/MessageBox.h"

namespace {
// Writes the merged display of a group of rows first..last into a column:
// "@" in every row but the last, "/" in the last, the value in the middle
// row, followed by "@" unless the middle row is the last.
template <typename SetCell>
void WriteMerged(int first, int last, const CStringA& value, SetCell set) {
  const int middle = first + (last - first + 1) / 2;
  for (int r = first; r <= last; ++r) {
    if (r == middle)
      set(r, r == last ? value : value + "@");
    else
      set(r, r == last ? CStringA("/") : CStringA("@"));
  }
}
}  // namespace

BOOL CTableDataDlg::SortRows(int key, BOOL descending, const CArray<int, int>* merged) {
  if (key < 0 || key >= fields_.GetSize()) return FALSE;
  // The total row stays out of the sort and comes back last.
  const int totalRow = FindTotalRow();
  CStringArray texts;
  grid_.GetRowTexts(rowCount_, texts);
  CStringA totalText;
  if (totalRow >= 0) {
    totalText = texts[totalRow];
    texts.RemoveAt(totalRow);
  }
  struct Row {
    CStringA key;
    CStringA text;
  };
  std::vector<Row> rows;
  for (INT_PTR i = 0; i < texts.GetSize(); ++i) {
    CStringArray cells;
    grid_.SplitRowText(texts[i], cells);
    CStringA value = key < cells.GetSize() ? cells[key] : CStringA();
    value.Trim();
    if (value.IsEmpty()) {
      AfxMessageBox("合并关键字一栏中存在空值!/n请补上数据后再合并.", MB_OK);
      return FALSE;
    }
    rows.push_back({value, texts[i]});
  }
  // The distinct key values in numeric order (values within 1e-6 equal);
  // the rows follow key by key, in their order within a key. Each key text
  // keeps the rows that hold it, so no key looks at every row.
  std::vector<CStringA> keys;
  std::unordered_map<std::string, std::vector<size_t>> rowsOfKey;
  for (size_t i = 0; i < rows.size(); ++i) {
    std::vector<size_t>& members = rowsOfKey[rows[i].key.str()];
    if (members.empty()) keys.push_back(rows[i].key);
    members.push_back(i);
  }
  std::stable_sort(keys.begin(), keys.end(), [descending](const CStringA& a, const CStringA& b) {
    const double x = ParseDiameter(a), y = ParseDiameter(b);
    if (std::fabs(x - y) <= 1e-6) return false;
    return descending ? x > y : x < y;
  });
  std::vector<std::pair<int, int>> groups;  // first and last row of each key
  CStringArray sorted;
  MakeRoom(sorted, rows.size() + 1);
  for (const CStringA& k : keys) {
    const int first = static_cast<int>(sorted.GetSize());
    for (size_t i : rowsOfKey[k.str()]) sorted.Add(rows[i].text);
    groups.emplace_back(first, static_cast<int>(sorted.GetSize()) - 1);
  }
  if (totalRow >= 0) sorted.Add(totalText);
  grid_.DeleteAllItems();
  grid_.FillRows(sorted);
  rowCount_ = grid_.GetItemCount();

  if (merged) {
    int unitColumn = -1;
    for (int k = 0; k < merged->GetSize() && unitColumn < 0; ++k) {
      const int c = (*merged)[k];
      if (c < 0 || c >= fields_.GetSize()) continue;
      CStringA name = fields_[c].GetName();
      CPartsListCtrl::CleanName(name);
      if (name.Find("单位重") >= 0) unitColumn = c;
    }
    auto set = [this](int column) { return [this, column](int r, const CStringA& t) { SetCell(r, column, t); }; };
    for (int k = 0; k < merged->GetSize(); ++k) {
      const int c = (*merged)[k];
      if (c < 0 || c >= fields_.GetSize()) continue;
      for (const auto& [first, last] : groups) {
        CStringA value;
        if (c == key) {
          value = Cell(first, c);
        } else if (c == unitColumn) {
          value = Cell(last, c);
        } else {
          double sum = 0.0;
          for (int r = first; r <= last; ++r) sum += std::atof(Cell(r, c));
          value = FormatTrimmed(sum);
        }
        WriteMerged(first, last, value, set(c));
      }
    }
  }
  MarkModified();
  return TRUE;
}

BOOL CTableDataDlg::MaterialReport(const CArray<int, int>& columns, BOOL merged, int basis) {
  if (columns.GetSize() == 0) return FALSE;
  auto chosen = [&columns](int c) {
    for (INT_PTR k = 0; k < columns.GetSize(); ++k)
      if (columns[k] == c) return true;
    return false;
  };
  if (!merged) {
    for (int c = static_cast<int>(fields_.GetSize()) - 1; c >= 0; --c)
      if (!chosen(c)) grid_.DeleteColumn(c, fields_);
    structureChanged_ = 1;
    MarkModified();
    return TRUE;
  }
  if (basis < 0 || basis >= fields_.GetSize() || !chosen(basis)) return FALSE;
  // The basis column first, then the other chosen columns in their order.
  std::vector<int> order{basis};
  for (int c = 0; c < fields_.GetSize(); ++c)
    if (c != basis && chosen(c)) order.push_back(c);
  // One row per distinct basis value, in numeric order, holding the sums.
  std::vector<CStringA> keys;
  std::vector<std::vector<double>> sums;
  std::unordered_map<std::string, size_t> keyIndex;  // a key text's place in `keys`
  // The basis is collected as for sorting: an empty basis cell stops.
  for (int r = 0; r < rowCount_; ++r) {
    CStringA key = Cell(r, basis);
    key.Trim();
    if (key.IsEmpty()) {
      AfxMessageBox("合并关键字一栏中存在空值!/n请补上数据后再合并.", MB_OK);
      return FALSE;
    }
  }
  for (int r = 0; r < rowCount_; ++r) {
    CStringA key = Cell(r, basis);
    key.Trim();
    const auto [found, added] = keyIndex.try_emplace(key.str(), keys.size());
    const size_t at = found->second;
    if (added) {
      keys.push_back(key);
      sums.emplace_back(order.size(), 0.0);
    }
    for (size_t k = 1; k < order.size(); ++k) sums[at][k] += std::atof(Cell(r, order[k]));
  }
  std::vector<size_t> index(keys.size());
  for (size_t i = 0; i < index.size(); ++i) index[i] = i;
  std::stable_sort(index.begin(), index.end(), [&keys](size_t a, size_t b) {
    const double x = ParseDiameter(keys[a]), y = ParseDiameter(keys[b]);
    return std::fabs(x - y) > 1e-6 && x < y;
  });
  CFieldArray reduced;
  for (int c : order) reduced.Add(fields_[c]);
  CStringArray rows;
  MakeRoom(rows, index.size());
  for (size_t i : index) {
    CStringArray cells;
    cells.Add(keys[i].IsEmpty() ? CStringA(" ") : keys[i]);
    for (size_t k = 1; k < order.size(); ++k) cells.Add(FormatTrimmed(sums[i][k]));
    CStringA text;
    for (INT_PTR k = 0; k < cells.GetSize(); ++k) text += (k ? ";" : "") + cells[k];
    rows.Add(text);
  }
  SetContents(reduced, rows);
  structureChanged_ = 1;
  MarkModified();
  return TRUE;
}
