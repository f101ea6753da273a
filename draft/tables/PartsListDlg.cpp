#include "draft/tables/PartsListDlg.h"

#include <memory>

#include "draft/framework/ResourceSwitch.h"
#include "draft/host/SymbolMenuDlg.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TableEntity.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

CPartsListDlg::CPartsListDlg(UINT templateId, CDraftView* view, CTableEntity* table, int mode, CWnd* parent)
    : CBaseDialog(templateId, parent), view_(view), table_(table), fontDlg_(1, nullptr), mode_(mode) {}

CPartsListDlg::~CPartsListDlg() {
  while (!undo_.IsEmpty()) delete undo_.RemoveHead();
  delete result_;
}

CTableEntity* CPartsListDlg::TakeResultTable() {
  CTableEntity* t = result_;
  result_ = nullptr;
  return t;
}

void CPartsListDlg::SetListEditText(const CStringA& text) {
  currentText_ = text;
  if (::IsWindow(cellEdit_.GetSafeHwnd())) cellEdit_.SetWindowText(text);
}

void CPartsListDlg::OnCancel() {
  if (!AskToSave()) return;
  CBaseDialog::OnCancel();
}

// ---- Rows and columns.

void CPartsListDlg::OnAddRow() {
  grid_.AppendRow(GetListStructure(), rowCount_, undo_);
  if (rowCount_ > 0) grid_.EnsureVisible(rowCount_ - 1, FALSE);
  MarkModified();
}

void CPartsListDlg::OnInsertRow() {
  grid_.InsertBlankRow(rowCount_, GetListStructure(), undo_);
  MarkModified();
}

void CPartsListDlg::OnDeleteRow() {
  if (!grid_.HasCurrentCell()) return;
  grid_.DeleteCurrentRow(rowCount_, GetListStructure(), undo_);
  MarkModified();
}

void CPartsListDlg::OnCopyRow() {
  if (grid_.HasCurrentCell()) grid_.GetCurrentRowCells(copiedRow_);
}

void CPartsListDlg::InsertCopiedRow() {
  grid_.InsertRow(copiedRow_, rowCount_, GetListStructure(), undo_);
  MarkModified();
}

void CPartsListDlg::OnDeleteColumn() {
  if (!grid_.DeleteColumnRecord(GetListStructure(), undo_)) return;
  structureChanged_ = 1;
  MarkModified();
  OnColumnsChanged();
}

void CPartsListDlg::OnModifyColumn() {
  if (!grid_.ModifyColumnDialog(GetListStructure(), undo_)) return;
  structureChanged_ = 1;
  MarkModified();
  OnColumnsChanged();
}

void CPartsListDlg::OnClear() {
  auto* record = new CPartsListRow(kUndoClear, rowCount_, -1);
  grid_.GetRowTexts(rowCount_, record->cells);
  undo_.AddTail(record);
  grid_.DeleteAllItems();
  rowCount_ = 0;
  MarkModified();
}

void CPartsListDlg::UndoLast() {
  if (undo_.IsEmpty()) return;
  std::unique_ptr<CPartsListRow> record(undo_.RemoveTail());
  CFieldArray& fields = GetListStructure();
  switch (record->kind) {
    case kUndoClear:
      grid_.DeleteAllItems();
      grid_.FillRows(record->cells);
      rowCount_ = grid_.GetItemCount();
      break;
    case CPartsListRow::kInsertRowWithCells:
      if (UndoPastedCells(*record)) break;
      grid_.DeleteRow(record->row, rowCount_, fields, 0);
      break;
    case CPartsListRow::kAppendRow:
    case CPartsListRow::kInsertBlankRow:
      grid_.DeleteRow(record->row, rowCount_, fields, 0);
      break;
    case CPartsListRow::kDeleteRow:
      grid_.InsertRowAt(record->row, record->cells, rowCount_, fields);
      break;
    case CPartsListRow::kInsertColumn:
      grid_.DeleteColumn(record->column, fields);
      break;
    case CPartsListRow::kDeleteColumn:
      grid_.InsertColumn(record->column, record->field, record->cells, fields);
      break;
    case CPartsListRow::kModifyColumn:
      grid_.SetColumnField(record->column, record->field, fields);
      break;
    default:  // kinds 5 and 7 have nothing to undo
      break;
  }
  if (record->kind >= CPartsListRow::kInsertColumn) OnColumnsChanged();
  MarkModified();
}

// ---- Cells.

void CPartsListDlg::OnCellEditUpdate() {
  if (!cellEdit_.GetModify()) return;
  if (grid_.TakeEditText(currentText_)) MarkModified();
}

void CPartsListDlg::ClickCell() {
  int row = -1, column = -1;
  grid_.HitTest(row, column, nullptr);
  if (row < 0 || column < 0) return;
  if (row == grid_.GetCurrentRow() && column == grid_.GetCurrentColumn()) {
    EditCurrentCell();
    return;
  }
  const int oldRow = grid_.GetCurrentRow();
  grid_.SetCurrentCell(row, column);
  if (oldRow >= 0) grid_.RedrawRow(oldRow);
  grid_.RedrawRow(row);
  ShowCurrentCellText();
}

void CPartsListDlg::OnGridClick(NMHDR*, LRESULT* result) {
  ClickCell();
  *result = 0;
}

void CPartsListDlg::OnGridDoubleClick(NMHDR*, LRESULT* result) {
  ClickCell();
  ClickCell();
  *result = 0;
}

void CPartsListDlg::PasteSymbol(CWnd* box) {
  int start = 0, end = 0;
  if (!box) cellEdit_.GetSel(start, end);
  POINT cursor{0, 0};
  ::GetCursorPos(&cursor);
  CStringA symbol;
  {
    CResourceSwitch resources("Korrin.DLL");
    CSymbolMenuDlg* dialog = ConstructSymbolMenuDlg(0, this, CPoint(cursor.x, cursor.y));
    if (dialog->DoModal() == IDOK) symbol = dialog->GetSymbolText();
    DestroySymbolMenuDlg(dialog);
  }
  if (symbol.IsEmpty()) return;
  CWnd& editor = box ? *box : static_cast<CWnd&>(cellEdit_);
  if (!CopyTextToClipboard(symbol, GetSafeHwnd())) {
    if (!box) AfxMessageBox("剪贴板打不开", MB_OK);
    return;
  }
  editor.SetFocus();
  if (!box) cellEdit_.SetSel(start, end);
  editor.SendMessage(WM_PASTE, 0, 0);
}
