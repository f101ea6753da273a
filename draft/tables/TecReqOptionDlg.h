// The options of technical requirements (template 135, "设置技术要求选项"):
// the title height, the item text height (combos offering the usual text
// heights) and the line spacing, kept in the settings of section
// "SystemSetting" ("JshyqTitleHeight", "JshyqTecHeight", "JshyqTecSpan").
// An item height above the title height is stored as 0.7 of the title
// height.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"

class CTecReqOptionDlg : public CBaseDialog {
 public:
  enum { IDD = 135 };
  enum ControlId { kTitleHeight = 1008, kTextHeight = 1010, kSpacing = 1011 };

  explicit CTecReqOptionDlg(CWnd* parent);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
};

// The settings as numbers (their defaults 7, 5 and 3).
double GetTecTitleHeight();
double GetTecTextHeight();
double GetTecLineSpacing();
