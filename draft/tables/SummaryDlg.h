// The summary dialog of the table-content dialog (template 284 of Korrin's
// resources, "汇总"): the columns to total (a multiple choice) and whether
// per-diameter subtotals are wanted ("同规格汇总").
#pragma once

#include "platform/core/Array.h"
#include "platform/core/StringArray.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"

class CSummaryDlg : public CDialog {
 public:
  enum { IDD = 284 };
  enum ControlId { kColumnList = 628, kPerDiameter = 634 };

  // Puts the template into Korrin's resources when it is not there yet; the
  // caller runs the dialog within a resource switch to "Korrin.DLL".
  CSummaryDlg(const CStringArray& names, CWnd* parent);

  const CArray<int, int>& GetColumns() const { return columns_; }
  BOOL IsPerDiameter() const { return perDiameter_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CStringArray names_;
  CListBox list_;
  CArray<int, int> columns_;
  BOOL perDiameter_ = FALSE;
};
