#include "draft/construct/LinkFormDlg.h"

#include "platform/ui/Button.h"
#include "platform/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CLinkFormDlg, CDialog)
  ON_BN_CLICKED(CLinkFormDlg::kFormOne, OnPictureClicked)
  ON_BN_CLICKED(CLinkFormDlg::kFormTwo, OnPictureClicked)
END_MESSAGE_MAP()

CLinkFormDlg::CLinkFormDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CLinkFormDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  auto* one = static_cast<CButton*>(GetDlgItem(kFormOne));
  auto* two = static_cast<CButton*>(GetDlgItem(kFormTwo));
  if (one && formOne_.LoadBitmap(kFormOneBitmap)) one->SetBitmap(formOne_);
  if (two && formTwo_.LoadBitmap(kFormTwoBitmap)) two->SetBitmap(formTwo_);
  if (one) one->SetCheck(form_ == 1 ? BST_CHECKED : BST_UNCHECKED);
  if (two) two->SetCheck(form_ == 1 ? BST_UNCHECKED : BST_CHECKED);
  return TRUE;
}

void CLinkFormDlg::OnPictureClicked() { OnOK(); }

void CLinkFormDlg::OnOK() {
  form_ = IsDlgButtonChecked(kFormOne) == BST_CHECKED ? 1 : 2;
  EndDialog(IDOK);
}
