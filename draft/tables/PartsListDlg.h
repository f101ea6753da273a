// What the table dialogs that edit rows in a parts-list grid share: the
// grid (339) and its cell edit (314), the row count, the undo list and the
// copied row, the change flags, the result table, and the commands that
// work alike in each: adding, inserting, deleting and copying rows,
// "刷新" (all rows kept for undo), undo, clicking cells, typing into the
// cell edit and picking a special character. A dialog derived from it says
// how a cell is shown and edited, when it may close, and what follows a
// change of the columns.
#pragma once

#include "draft/host/BaseDialog.h"
#include "draft/tables/BillFontDlg.h"
#include "draft/tables/CellEdit.h"
#include "draft/tables/FieldRecord.h"
#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/PartsListOwner.h"
#include "draft/tables/PartsListRow.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

class CDraftView;
class CTableEntity;

class CPartsListDlg : public CBaseDialog, public CPartsListOwner {
 public:
  // The undo kind of "刷新" (all rows kept).
  static constexpr int kUndoClear = 0;

  ~CPartsListDlg() override;

  // ---- CPartsListOwner (the structure is the derived dialog's).
  void SetListEditText(const CStringA& text) override;

  // Undoes the newest record of the undo list.
  void UndoLast();

  CTableEntity* TakeResultTable();
  CPartsListCtrl& GetGrid() { return grid_; }
  CPartsListUndo& GetUndoList() { return undo_; }
  int GetRowCount() const { return rowCount_; }

 protected:
  CPartsListDlg(UINT templateId, CDraftView* view, CTableEntity* table, int mode, CWnd* parent);

  // The save question before closing: FALSE keeps the dialog open.
  virtual BOOL AskToSave() = 0;
  // A click on the current cell: its text into its editor, with the focus.
  virtual void EditCurrentCell() = 0;
  // The current cell moved: its text shown in its editor.
  virtual void ShowCurrentCellText() = 0;
  // Undo of a row pasted over the current one: TRUE when the dialog put
  // the cells back itself; FALSE deletes the pasted row.
  virtual BOOL UndoPastedCells(const CPartsListRow&) { return FALSE; }
  // The columns changed (by a column command or its undo).
  virtual void OnColumnsChanged() {}

  void OnCancel() override;
  afx_msg void OnAddRow();
  afx_msg void OnInsertRow();
  afx_msg void OnDeleteRow();
  afx_msg void OnCopyRow();
  afx_msg void OnDeleteColumn();
  afx_msg void OnModifyColumn();
  afx_msg void OnClear();
  afx_msg void OnUndo() { UndoLast(); }
  afx_msg void OnCellEditUpdate();
  afx_msg void OnGridClick(NMHDR* header, LRESULT* result);
  afx_msg void OnGridDoubleClick(NMHDR* header, LRESULT* result);

  // The copied row inserted as a new row.
  void InsertCopiedRow();
  // The cell under the cursor becomes current and is shown; a click on the
  // current cell edits it.
  void ClickCell();
  // The symbol picker's choice pasted, through the clipboard, into `box`
  // when given, else into the cell edit over the selection it had.
  void PasteSymbol(CWnd* box);
  void MarkModified() { modified_ = 1; }

  CDraftView* view_;
  CTableEntity* table_;
  CTableEntity* result_ = nullptr;
  CBillFontDlg fontDlg_;
  int mode_;
  CStringA currentText_;
  CStringArray copiedRow_;
  int rowCount_ = 0;
  CPartsListUndo undo_;
  int saved_ = 0;
  int modified_ = 0;
  int structureChanged_ = 0;
  CPartsListCtrl grid_;
  CCellEdit cellEdit_;
};
