// The zoom dialog (template 28006, "Custom Zoom"): a preset percentage, all
// pages, or a typed percentage within the view's limits. "Zoom Last" ends
// the dialog with the result 100.
#pragma once

#include "platform/ui/Dialog.h"

class CDataExchange;

class CCustomScaleDlg : public CDialog {
 public:
  enum { IDD = 28006 };
  enum ControlId { kPercentEdit = 28093, kZoomLastButton = 28113 };
  // The radios by choice: 400, 300, 200, 150, 100, 50 and 25 %, all pages,
  // percent.
  static const int kChoiceRadios[9];
  static const UINT kPresetPercents[7];
  enum { kAllPagesChoice = 7, kPercentChoice = 8 };
  // What DoModal returns after "Zoom Last".
  static constexpr int kZoomLastResult = 100;

  explicit CCustomScaleDlg(CWnd* parent = nullptr);
  ~CCustomScaleDlg() override;

  int m_nChoice = kPercentChoice;
  UINT m_uPercent = 100;
  UINT m_uMaxPercent = 400;
  UINT m_uMinPercent = 5;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void OnChoice(UINT id);
  afx_msg void OnZoomLast();
  DECLARE_MESSAGE_MAP()

 private:
  bool IsPercentTicked() const;
};
