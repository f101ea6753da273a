// The drawing-tidy dialog (template 385, "图形整理"): what the tidy command
// works on (centre lines or duplicate lines, of the whole drawing or of a
// selection) and how far centre lines reach beyond the contour. The
// extension is kept in the settings (SystemSetting / CenterLine).
#pragma once

#include "draft/host/BaseDialog.h"

class CCenterLineSetDlg : public CBaseDialog {
 public:
  enum { IDD = 385 };
  enum ControlId {
    kWholeCentreLines = 2245, kWholeDuplicates = 2234, kPickedCentreLines = 1024, kPickedDuplicates = 336,
    kExtensionEdit = 1121,
  };
  // The choices, in the order of the radio buttons.
  enum Choice { kTidyAllCentreLines = 0, kTidyAllDuplicates = 1, kTidyPickedCentreLines = 2, kTidyPickedDuplicates = 3 };

  explicit CCenterLineSetDlg(CWnd* parent);

  double GetExtension() const { return extension_; }
  int GetChoice() const { return choice_; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

 private:
  double extension_;
  int choice_ = kTidyAllCentreLines;
};
