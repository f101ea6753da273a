#include "draft/tables/TecReqOptionDlg.h"

#include <cstdlib>

#include "draft/host/Settings.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ComboBox.h"

namespace {
const char* const kSection = "SystemSetting";
const char* const kTitleKey = "JshyqTitleHeight";
const char* const kTextKey = "JshyqTecHeight";
const char* const kSpanKey = "JshyqTecSpan";
const char* const kHeights[] = {"3.5", "5", "7", "10", "14", "20"};
constexpr double kLeast = 0.001;

double SettingNumber(const char* key, const char* defaultValue) {
  return std::atof(GetProfileStringSetting(kSection, key, defaultValue));
}

void WriteNumber(const char* key, double value) {
  CStringA text;
  text.Format("%g", value);
  WriteProfileStringSetting(kSection, key, text);
}
}  // namespace

double GetTecTitleHeight() { return SettingNumber(kTitleKey, "7.0"); }
double GetTecTextHeight() { return SettingNumber(kTextKey, "5.0"); }
double GetTecLineSpacing() { return SettingNumber(kSpanKey, "3.0"); }

CTecReqOptionDlg::CTecReqOptionDlg(CWnd* parent) : CBaseDialog(IDD, parent) {}

BOOL CTecReqOptionDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  for (int id : {kTitleHeight, kTextHeight}) {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(id));
    if (!combo) continue;
    for (const char* h : kHeights) combo->AddString(h);
  }
  SetDlgItemText(kTitleHeight, GetProfileStringSetting(kSection, kTitleKey, "7.0"));
  SetDlgItemText(kTextHeight, GetProfileStringSetting(kSection, kTextKey, "5.0"));
  CStringA span;
  span.Format("%g", GetTecLineSpacing());
  SetDlgItemText(kSpacing, span);
  return TRUE;
}

void CTecReqOptionDlg::OnOK() {
  CStringA text;
  GetDlgItemText(kTitleHeight, text);
  const double title = std::atof(text);
  GetDlgItemText(kTextHeight, text);
  double height = std::atof(text);
  GetDlgItemText(kSpacing, text);
  const double span = std::atof(text);
  if (title <= kLeast) {
    AfxMessageBox("技术要求标题高度不能小于或等于零");
    return;
  }
  if (height <= kLeast) {
    AfxMessageBox("技术要求文本高度不能小于或等于零");
    return;
  }
  if (span <= kLeast) {
    AfxMessageBox("文本行间距不能小于或等于零");
    return;
  }
  if (height > title) height = 0.7 * title;
  WriteNumber(kTitleKey, title);
  WriteNumber(kTextKey, height);
  WriteNumber(kSpanKey, span);
  CBaseDialog::OnOK();
}
