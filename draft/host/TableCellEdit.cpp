#include "draft/host/TableCellEdit.h"

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/TableEntity.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr double kCellEps = 1e-6;
}  // namespace

BOOL GetTableCells(const CTableEntity* table, CTableCell** cell, int* count, double x, double y) {
  if (cell) *cell = nullptr;
  if (count) *count = 0;
  if (!table) return FALSE;
  GPoint p{x, y};
  if (const CDrawingGroup* group = table->GetEntityGroup()) p = group->ToGroup(p);
  const double dir = table->GetDirectionFactor();
  for (const CTableEntity::PlacedRow& placed : table->GetPlacedRows()) {
    const double y0 = placed.y < placed.y + dir * placed.height ? placed.y : placed.y + dir * placed.height;
    if (p.y < y0 - kCellEps || p.y > y0 + placed.height + kCellEps) continue;
    const CTableRow& row = *table->GetRow(placed.row);
    double left = placed.x;
    for (int c = 0; c < row.GetCellCount(); ++c) {
      const double right = left + row.GetCell(c)->GetWidth();
      if (p.x >= left - kCellEps && p.x <= right + kCellEps) {
        if (cell) *cell = row.GetCell(c);
        if (count) *count = 1;
        return TRUE;
      }
      left = right;
    }
  }
  return FALSE;
}

CTableCell* ConstructCellText(const CTableCell* from) { return from ? new CTableCell(*from) : nullptr; }

BOOL ReplaceTableCell(CDraftView* view, CTableEntity* table, int count, const CTableCell* oldCell, CTableCell* newCell) {
  std::unique_ptr<CTableCell> owned(newCell);
  if (!view || !table || !newCell || count <= 0 || !view->IsInDrawing(table)) return FALSE;
  for (int r = 0; r < table->GetRowCount(); ++r) {
    const CTableRow& row = *table->GetRow(r);
    for (int c = 0; c < row.GetCellCount(); ++c) {
      if (row.GetCell(c) != oldCell) continue;
      std::unique_ptr<CTableEntity> copy(static_cast<CTableEntity*>(table->Clone()));
      copy->GetRow(r)->SetCell(c, owned.release());
      RecalcTable(copy.get());
      view->RemoveEntity(table);
      CTableEntity* made = copy.release();
      view->AddEntityToView(made);
      view->PushUndoRecord(ConstructUndoReplaceEntity(table, made));
      return TRUE;
    }
  }
  return FALSE;
}
