// Halcyte's editable list: a report-view list control whose cells are edited
// in place. Each column added with AddEditColumn has a cell kind: 1 a free
// text (an edit over the cell), 2 a choice from a list (a drop-down list),
// 3 a free text or a choice (a drop-down combo with an edit part); columns
// inserted otherwise are not edited. With cell editing enabled, a double
// click on a cell of an edited column opens its editor over the cell; Enter
// or the focus leaving the editor puts the text into the cell, Escape closes
// the editor and keeps the cell as it was. A cell whose text an edit changes
// marks the list modified until ResetListModified.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/String.h"
#include "platform/ui/ListCtrl.h"

class CEditListCtrl : public CListCtrl {
  DECLARE_DYNAMIC(CEditListCtrl)

 public:
  enum CellKind { kCellNone = 0, kCellText = 1, kCellList = 2, kCellTextOrList = 3 };

  CEditListCtrl();
  ~CEditListCtrl() override;

  // Appends a column; its choices are offered by kinds 2 and 3. The new
  // column's index, or -1.
  int AddEditColumn(LPCSTR heading, int width, int kind, const std::vector<CStringA>& choices = {},
                    int format = LVCFMT_LEFT);
  int GetCellKind(int column) const;
  void SetColumnChoices(int column, const std::vector<CStringA>& choices);
  const std::vector<CStringA>& GetColumnChoices(int column) const;

  void EnableCellEdit(BOOL enable);
  BOOL IsCellEditEnabled() const { return editEnabled_; }

  // Opens the editor over a cell; FALSE when editing is off, the cell is not
  // there or its column is not edited. An editor already open is ended
  // first, keeping its text.
  BOOL EditCell(int item, int column);
  // Closes the editor: with `keep` its text goes into the cell. FALSE when
  // no editor is open.
  BOOL EndCellEdit(BOOL keep);
  BOOL IsEditingCell() const { return editor_ != nullptr; }
  int GetEditItem() const { return editItem_; }
  int GetEditColumn() const { return editColumn_; }
  // The open editor (a CEdit or a CComboBox), or null.
  CWnd* GetCellEditor() const { return editor_.get(); }

  BOOL IsListModified() const { return modified_; }
  void ResetListModified() { modified_ = FALSE; }

 protected:
  afx_msg BOOL OnCellDoubleClick(NMHDR* nm, LRESULT* result);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  struct Column {
    int kind = kCellNone;
    std::vector<CStringA> choices;
  };
  Column* ColumnAt(int column);

  std::vector<Column> columns_;
  BOOL editEnabled_ = FALSE;
  BOOL modified_ = FALSE;
  std::unique_ptr<CWnd> editor_;
  std::unique_ptr<CWnd> retired_;  // an editor closed from inside its own handler
  int editItem_ = -1;
  int editColumn_ = -1;
  bool ending_ = false;
};
