// Korrin's result-list dialog: rows of a label and a value in two columns
// (a list control in report view), under a caption, with an OK button. The
// measuring commands show their results in it:
//
//   CResultListDlg* dlg = ConstructResultListDlg(parent, labels, values, 0, 0, 1.0, "测量面积", 0, 10);
//   dlg->m_valueWidth = 11;
//   dlg->DoModal();
//   DestroyResultListDlg(dlg);
//
// Its template (kResultListTemplate) is Korrin's: it joins Korrin's module
// when the first dialog is made; the caller makes that module current (or
// leaves it to DoModal's lookup along the chain).
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

inline constexpr UINT kResultListTemplate = 3100;
inline constexpr int kResultListControl = 3101;

class CResultListDlg : public CBaseDialog {
 public:
  // `left`, `top`: where the dialog opens in the parent's client
  // coordinates (both 0: centred on the parent); `sizeFactor` scales the
  // dialog's size (1.0: the template's); `selectedRow`: the row selected
  // when it opens (none when out of range); `labelWidth`: the label
  // column's width in characters.
  CResultListDlg(CWnd* parent, const CStringArray& labels, const CStringArray& values, int left, int top,
                 double sizeFactor, const char* caption, int selectedRow, int labelWidth);

  // The value column's width in characters (8 unless the caller sets it).
  int m_valueWidth = 8;

  int GetRowCount() const { return static_cast<int>(labels_.GetSize()); }
  CString GetLabel(int row) const { return labels_.GetAt(row); }
  CString GetValue(int row) const { return values_.GetAt(row); }

  BOOL OnInitDialog() override;

 private:
  CStringArray labels_;
  CStringArray values_;
  int left_, top_;
  double sizeFactor_;
  CString caption_;
  int selectedRow_;
  int labelWidth_;
};

// Makes the dialog (not yet shown) for the caller, who frees it with
// DestroyResultListDlg. Rows pair labels and values by index; a label with
// no value shows an empty value.
CResultListDlg* ConstructResultListDlg(CWnd* parent, const CStringArray& labels, const CStringArray& values, int left,
                                       int top, double sizeFactor, const char* caption, int selectedRow,
                                       int labelWidth);
void DestroyResultListDlg(CResultListDlg* dialog);
