// The column-choice dialog of the material report (template 162 of Korrin's
// resources, "选择附表所需要的列"): the columns to keep (a multiple choice)
// and whether rows are merged by one of them ("分组合并", "是" or "否"; "是"
// needs two columns chosen and a merge basis among them).
#pragma once

#include "platform/core/Array.h"
#include "platform/core/StringArray.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"

class CColumnChoiceDlg : public CDialog {
 public:
  enum { IDD = 162 };
  enum ControlId { kColumnList = 602, kMergeYes = 2337, kMergeNo = 2338, kBasis = 2339 };

  // Puts the template into Korrin's resources when it is not there yet; the
  // caller runs the dialog within a resource switch to "Korrin.DLL".
  CColumnChoiceDlg(const CStringArray& names, CWnd* parent);

  const CArray<int, int>& GetColumns() const { return columns_; }
  BOOL IsMerged() const { return merged_; }
  // The merge basis as a column index (-1 without merging).
  int GetBasis() const { return basis_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnSelectionChanged();
  afx_msg void OnMergeChanged();
  DECLARE_MESSAGE_MAP()

 private:
  void ReadChosen(CArray<int, int>& chosen) const;
  // "是" is offered with two columns chosen; the basis box lists them.
  void UpdateMergeControls();

  CStringArray names_;
  CListBox list_;
  CComboBox basisBox_;
  CArray<int, int> columns_;
  BOOL merged_ = FALSE;
  int basis_ = -1;
};
