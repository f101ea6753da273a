#include "draft/host/RegionTableLayout.h"

#include <cmath>

#include "draft/host/TableEntity.h"

namespace {
constexpr double kEps = 1e-6;

bool SegmentHolds(const CTableEntity& table, int i, double x, double y) {
  const CTableSegment& s = table.GetSegment(i);
  const double width = table.GetRow(i)->GetWidth();
  return x >= s.startX - kEps && x <= s.startX + width + kEps && y <= s.startY + kEps && y >= s.endY - kEps;
}
}  // namespace

BOOL SetRegionTableLayout(CTableEntity* table, double textHeight, int alignment, int count, const double* xs,
                          const double* ys) {
  if (!table || !xs || !ys || !(textHeight > 0.0) || !std::isfinite(textHeight)) return FALSE;
  if (count < 1 || count > table->GetRowCount() || count > table->GetSegmentCount()) return FALSE;
  for (int i = 0; i < count; ++i)
    if (!SegmentHolds(*table, i, xs[i], ys[i])) return FALSE;
  while (table->GetRowCount() > count) table->DeleteRow(table->GetRowCount() - 1);
  while (table->GetSegmentCount() > count) table->RemoveSegment(table->GetSegmentCount() - 1);
  for (int i = 0; i < count; ++i) {
    CTableRow* row = table->GetRow(i);
    for (int c = 0; c < row->GetCellCount(); ++c) {
      CTableCell* cell = row->GetCell(c);
      CTextAttrib attr = cell->GetTextAttrib();
      attr.SetHeight(textHeight);
      cell->SetTextAttrib(attr);
      cell->SetAlignment(alignment);
    }
  }
  RecalcTable(table);
  return TRUE;
}
