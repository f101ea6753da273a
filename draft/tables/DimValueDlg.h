// The dimension-value dialog (template 181, "尺寸数值"): a dimension's text
// as its parts (prefix, basic size, tolerance code, upper and lower
// deviation) and three output switches (code shown, deviations shown, equal
// deviations written as "±0.05"). A code's deviations are looked up in the
// host's tolerance table as the basic size or the code changes; the host's
// sheets offer common zones and fits; special symbols are pasted into the
// field that last had the focus. On OK the whole text is composed from the
// parts and the values are kept in the settings section "DimText", from
// which a later dialog takes the parts its caller does not give.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"
#include "platform/ui/Button.h"

class CDimValueDlg : public CBaseDialog {
 public:
  enum { IDD = 181 };
  enum ControlId {
    kPrefixCombo = 1084,
    kBasicSizeEdit = 1087,
    kCodeEdit = 1006,
    kUpperEdit = 1226,
    kLowerEdit = 1176,
    kShowCodeCheck = 1227,
    kShowDeviationsCheck = 1086,
    kSameFormatCheck = 436,
    kZoneButton = 1089,
    kFitButton = 1189,
    kFontButton = 282,
    kSymbolButton = 2482,
  };

  // Each string not given (null) is taken from its "DimText" setting
  // ("PrevString", "BaseSize" (default: the whole text), "Code", "UpError",
  // "LowError"); the three switches from "OutCode", "OutPianCha" and
  // "SameOut". A caller may change the switches before DoModal.
  CDimValueDlg(CWnd* parent, const char* text, const char* prefix, const char* basicSize, const char* code,
               const char* upper, const char* lower);
  ~CDimValueDlg() override;

  // The deviations of the code at the basic size, as the two edits show:
  // both empty for a fit (a code with "/") and for a pair the table does not
  // know.
  static void DeviationsOf(const CStringA& basicSize, const CStringA& code, CStringA& upper, CStringA& lower);

  CStringA m_text;
  CButton m_deviationsCheck;
  CButton m_sameCheck;
  int m_focusId = 0;
  int m_showCode;
  int m_showDeviations;
  CStringA m_prefix;
  CStringA m_basicSize;
  CStringA m_code;
  CStringA m_lower;
  CStringA m_upper;
  int m_sameFormat;
  int m_selEnd = -1;
  int m_selStart = -1;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void LookupDeviations();
  afx_msg void OnBasicSizeChange();
  afx_msg void PickToleranceZone();
  afx_msg void PickFit();
  afx_msg void EditFont();
  afx_msg void InsertSymbol();
  afx_msg void OnPrefixSetFocus();
  afx_msg void OnPrefixKillFocus();
  afx_msg void OnBasicSizeSetFocus();
  afx_msg void OnBasicSizeKillFocus();
  afx_msg void OnCodeSetFocus();
  afx_msg void OnCodeKillFocus();
  afx_msg void OnUpperSetFocus();
  afx_msg void OnUpperKillFocus();
  afx_msg void OnLowerSetFocus();
  afx_msg void OnLowerKillFocus();
  DECLARE_MESSAGE_MAP()

 private:
  void SaveSelection(int id);
  // Puts the chosen code into the code edit, which starts the lookup.
  void TakeCode(const CStringA& code);
  // The change notifications of filling the controls are not the user's.
  bool filled_ = false;
};
