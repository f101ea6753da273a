// The column relation dialog (template 626): a formula between the columns
// a1, a2, ... chosen from the system's list ("Table\CalRelation.Tab") or
// typed. A new formula goes to the top of the list, and the file is
// rewritten with its comment lines and at most ten formulas, newest first.
#pragma once

#include "platform/core/String.h"
#include "platform/core/StringArray.h"
#include "platform/ui/Dialog.h"

class CColumnRelationDlg : public CDialog {
 public:
  enum { IDD = 626 };
  enum ControlId { kFormulaCombo = 624 };
  static constexpr int kMaxFormulas = 10;

  explicit CColumnRelationDlg(CWnd* parent);

  // The formula taken on OK.
  CStringA m_formula;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CStringArrayA comments_;
};
