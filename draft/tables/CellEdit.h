// The single-line edit that table dialogs place beside their grid to edit
// the current cell. Up and Down move the grid's current row and load the
// text of the cell in the new row; '^', '`' and '~' type "±", "Φ" and "°".
// The parent kind names the dialog and so the grid it serves: 2 the
// bill-of-materials dialog, 3 the record-information dialog, 4 the
// table-data dialog; any other kind only edits text.
#pragma once

#include "platform/ui/Edit.h"

class CGridListCtrl;

class CCellEdit : public CEdit {
  DECLARE_DYNAMIC(CCellEdit)

 public:
  CCellEdit() = default;

  void SetParentKind(int kind) { parentKind_ = kind; }
  int GetParentKind() const { return parentKind_; }

 protected:
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
  DECLARE_MESSAGE_MAP()

 private:
  // The grid of the parent dialog for the parent kind, or null.
  CGridListCtrl* FindGrid() const;

  int parentKind_ = 0;
};
