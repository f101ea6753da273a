// The grid's column operations that ask the user through the column
// definition dialog, run with this library's resources.
#include "draft/framework/ResourceSwitch.h"
#include "draft/tables/FieldDefDlg.h"
#include "draft/tables/PartsListCtrl.h"
#include "platform/core/MessageBox.h"

BOOL CPartsListCtrl::InsertColumnDialog(CFieldArray& structure, CPartsListUndo& undo) {
  if (!HasCurrentCell()) {
    AfxMessageBox("请选择插入位置!");
    return FALSE;
  }
  CFieldRecord field;
  {
    CResourceSwitch resources(kScrivelModuleName);
    CFieldDefDlg dialog("插入字段", GetParent());
    if (dialog.DoModal() != IDOK) return FALSE;
    field = dialog.GetField();
  }
  const int at = currentColumn_ + 1;
  InsertColumn(at, field, CStringArray(), structure);
  undo.AddTail(new CPartsListRow(CPartsListRow::kInsertColumn, currentRow_, at));
  return TRUE;
}

BOOL CPartsListCtrl::ModifyColumnDialog(CFieldArray& structure, CPartsListUndo& undo) {
  if (!HasCurrentCell() || currentColumn_ >= structure.GetSize()) {
    AfxMessageBox("请选择修改字段!");
    return FALSE;
  }
  const CFieldRecord before = structure[currentColumn_];
  CFieldRecord field;
  {
    CResourceSwitch resources(kScrivelModuleName);
    CFieldDefDlg dialog("修改字段", GetParent());
    dialog.SetField(before);
    if (dialog.DoModal() != IDOK) return FALSE;
    field = dialog.GetField();
  }
  auto* record = new CPartsListRow(CPartsListRow::kModifyColumn, -1, currentColumn_);
  record->field = before;
  undo.AddTail(record);
  SetColumnField(currentColumn_, field, structure);
  return TRUE;
}
