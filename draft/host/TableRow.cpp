#include "draft/host/TableRow.h"

#include <algorithm>

CTableRow::CTableRow(const CTableRow& other) : flag_(other.flag_), counted_(other.counted_) {
  cells_.reserve(other.cells_.size());
  for (const auto& c : other.cells_) cells_.push_back(std::make_unique<CTableCell>(*c));
}

BOOL CTableRow::AddCell(CTableCell* cell) {
  if (!cell) return FALSE;
  cells_.emplace_back(cell);
  return TRUE;
}

void CTableRow::TruncateCells(int index) {
  if (index < 0) index = 0;
  if (static_cast<size_t>(index) < cells_.size()) cells_.resize(static_cast<size_t>(index));
}

BOOL CTableRow::SetCell(int i, CTableCell* cell) {
  if (!cell || i < 0 || static_cast<size_t>(i) >= cells_.size()) return FALSE;
  cells_[static_cast<size_t>(i)].reset(cell);
  return TRUE;
}

double CTableRow::GetWidth() const {
  double w = 0.0;
  for (const auto& c : cells_) w += c->GetWidth();
  return w;
}

double CTableRow::GetHeight() const {
  double h = 0.0;
  for (const auto& c : cells_) h = std::max(h, c->GetRowHeight());
  return h;
}

bool CTableRow::operator==(const CTableRow& o) const {
  if (flag_ != o.flag_ || counted_ != o.counted_ || cells_.size() != o.cells_.size()) return false;
  for (size_t i = 0; i < cells_.size(); ++i)
    if (!(*cells_[i] == *o.cells_[i])) return false;
  return true;
}

CTableRow* ConstructTableRow(int flag) { return new CTableRow(flag); }

BOOL AddRowCell(CTableRow* row, CTableCell* cell) { return row && row->AddCell(cell); }
