// Korrin's sheets of common tolerance zones and fits: a list of codes, one
// chosen with OK or a double click. The zone sheets hold the zones in common
// use for basic sizes up to 18 mm, up to 500 mm and up to 3150 mm; the fit
// sheet holds the common hole-basis and shaft-basis fits ("H7/g6"). A caller
// runs a sheet within a resource switch to "Korrin.DLL" and reads the choice
// after IDOK.
#pragma once

#include <vector>

#include "platform/core/String.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"

class CFitSheetDlg : public CDialog {
 public:
  enum { IDD = 4652 };
  enum ControlId { kCodeList = 1000 };

  CFitSheetDlg(const char* caption, std::vector<CStringA> codes, CWnd* parent);

  const std::vector<CStringA>& Codes() const { return codes_; }
  // The chosen code (empty until OK).
  const CStringA& GetChoice() const { return choice_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnCodeDoubleClick();
  DECLARE_MESSAGE_MAP()

 private:
  CStringA caption_;
  std::vector<CStringA> codes_;
  CListBox list_;
  CStringA choice_;
};

// New sheets for the caller, who runs one and frees it with DestroyFitSheet.
CFitSheetDlg* ConstructFitSheet18(CWnd* parent);
CFitSheetDlg* ConstructFitSheet500(CWnd* parent);
CFitSheetDlg* ConstructFitSheet3150(CWnd* parent);
CFitSheetDlg* ConstructFitSheet(CWnd* parent);
void DestroyFitSheet(CFitSheetDlg* sheet);
