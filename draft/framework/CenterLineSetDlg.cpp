#include "draft/framework/CenterLineSetDlg.h"

#include <cstdlib>

#include "draft/host/Settings.h"
#include "platform/ui/DataExchange.h"

namespace {
constexpr const char* kSection = "SystemSetting";
constexpr const char* kKey = "CenterLine";
}  // namespace

CCenterLineSetDlg::CCenterLineSetDlg(CWnd* parent)
    : CBaseDialog(IDD, parent), extension_(std::atof(GetProfileStringSetting(kSection, kKey, "5.0").GetString())) {}

void CCenterLineSetDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Radio(dx, kWholeCentreLines, choice_);
  DDX_Text(dx, kExtensionEdit, extension_);
  DDV_MinMaxDouble(dx, extension_, -2000.0, 2000.0);
}

void CCenterLineSetDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // outside -2000 .. 2000 the framework's range message keeps it open
  CStringA text;
  text.Format("%lf", extension_);
  WriteProfileStringSetting(kSection, kKey, text.GetString());
  EndDialog(IDOK);
}
