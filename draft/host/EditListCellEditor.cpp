#include "draft/host/EditListCellEditor.h"

#include "draft/host/EditListCtrl.h"

namespace {

void EndOnKey(CEditListCtrl* owner, UINT key) {
  if (key == VK_RETURN) owner->EndCellEdit(TRUE);
  if (key == VK_ESCAPE) owner->EndCellEdit(FALSE);
}

}  // namespace

BEGIN_MESSAGE_MAP(CEditListCellEdit, CEdit)
  ON_WM_GETDLGCODE()
  ON_WM_KEYDOWN()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

UINT CEditListCellEdit::OnGetDlgCode() { return CEdit::OnGetDlgCode() | DLGC_WANTALLKEYS; }

void CEditListCellEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_RETURN || key == VK_ESCAPE) {
    EndOnKey(owner_, key);
    return;
  }
  CEdit::OnKeyDown(key, repeat, flags);
}

void CEditListCellEdit::OnKillFocus(CWnd* newFocus) {
  CEdit::OnKillFocus(newFocus);
  owner_->EndCellEdit(TRUE);
}

BEGIN_MESSAGE_MAP(CEditListCellCombo, CComboBox)
  ON_WM_GETDLGCODE()
  ON_WM_KEYDOWN()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

UINT CEditListCellCombo::OnGetDlgCode() { return CComboBox::OnGetDlgCode() | DLGC_WANTALLKEYS; }

void CEditListCellCombo::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_RETURN || key == VK_ESCAPE) {
    EndOnKey(owner_, key);
    return;
  }
  CComboBox::OnKeyDown(key, repeat, flags);
}

void CEditListCellCombo::OnKillFocus(CWnd* newFocus) {
  CComboBox::OnKillFocus(newFocus);
  owner_->EndCellEdit(TRUE);
}
