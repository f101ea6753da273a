// Korrin's table row: a header row (flag 0) or a data row (flag 1) owning
// its cells in column order, and a counted flag (rows whose counted flag is
// 0 are laid out but not counted when a table is placed column by column).
#pragma once

#include <memory>
#include <vector>

#include "draft/host/TableCell.h"

class CTableRow {
 public:
  explicit CTableRow(int flag = 1) : flag_(flag) {}
  CTableRow(const CTableRow& other);
  CTableRow& operator=(const CTableRow&) = delete;

  int GetFlag() const { return flag_; }
  void SetFlag(int flag) { flag_ = flag; }
  bool IsHeader() const { return flag_ == 0; }
  int GetCounted() const { return counted_; }
  void SetCounted(int counted) { counted_ = counted; }

  int GetCellCount() const { return static_cast<int>(cells_.size()); }
  CTableCell* GetCell(int i) const { return cells_.at(static_cast<size_t>(i)).get(); }
  // Takes ownership of the cell (null is refused).
  BOOL AddCell(CTableCell* cell);
  // Deletes the cells from `index` to the end.
  void TruncateCells(int index);
  // Puts `cell` (owned from then on) in place of cell i, which is deleted;
  // FALSE (and the cell not taken) for a null cell or an index outside the
  // row.
  BOOL SetCell(int i, CTableCell* cell);

  // The row's width (the sum of its cells' widths) and height (the largest
  // of its cells' row heights).
  double GetWidth() const;
  double GetHeight() const;

  bool operator==(const CTableRow& o) const;

 private:
  int flag_;
  int counted_ = 1;
  std::vector<std::unique_ptr<CTableCell>> cells_;
};

// A new row with the flag (0 header, 1 data), counted.
CTableRow* ConstructTableRow(int flag);
// Appends the cell to the row, which owns it from then on; FALSE (and the
// cell not taken) for a null row or cell.
BOOL AddRowCell(CTableRow* row, CTableCell* cell);
