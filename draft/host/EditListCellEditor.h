// The in-place editors of CEditListCtrl: an edit and a combo box that want
// every key (Enter and Escape reach them, not the dialog), end the cell edit
// on Enter (keeping the text) and Escape (dropping it), and keep the text
// when the focus leaves them.
#pragma once

#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"

class CEditListCtrl;

class CEditListCellEdit : public CEdit {
 public:
  explicit CEditListCellEdit(CEditListCtrl* owner) : owner_(owner) {}

 protected:
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnKillFocus(CWnd* newFocus);
  DECLARE_MESSAGE_MAP()

 private:
  CEditListCtrl* owner_;
};

class CEditListCellCombo : public CComboBox {
 public:
  explicit CEditListCellCombo(CEditListCtrl* owner) : owner_(owner) {}

 protected:
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnKillFocus(CWnd* newFocus);
  DECLARE_MESSAGE_MAP()

 private:
  CEditListCtrl* owner_;
};
