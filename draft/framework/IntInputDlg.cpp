#include "draft/framework/IntInputDlg.h"

#include <utility>

#include "platform/ui/DataExchange.h"

CIntInputDlg::CIntInputDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CIntInputDlg::SetCaption(const char* caption) { caption_ = caption ? caption : ""; }
void CIntInputDlg::SetLabel(const char* label) { label_ = label ? label : ""; }

void CIntInputDlg::SetRange(int minimum, int maximum) {
  // Bounds given the wrong way round would refuse every value.
  if (minimum > maximum) std::swap(minimum, maximum);
  minimum_ = minimum;
  maximum_ = maximum;
  hasRange_ = 1;
}

BOOL CIntInputDlg::GetRange(int& minimum, int& maximum) const {
  if (!hasRange_) return FALSE;
  minimum = minimum_;
  maximum = maximum_;
  return TRUE;
}

void CIntInputDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, kLabel, labelCtrl_);
  DDX_Text(dx, kValueEdit, value_);
  if (hasRange_) DDV_MinMaxInt(dx, value_, minimum_, maximum_);
}

BOOL CIntInputDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(caption_.GetString());
  labelCtrl_.SetWindowText(label_.GetString());
  return TRUE;
}
