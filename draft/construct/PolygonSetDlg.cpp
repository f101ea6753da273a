#include "draft/construct/PolygonSetDlg.h"

#include "draft/construct/PolygonCmd.h"
#include "draft/host/Settings.h"
#include "platform/ui/DataExchange.h"

CPolygonSetDlg::CPolygonSetDlg(CWnd* parent) : CBaseDialog(IDD, parent) {}

BOOL CPolygonSetDlg::OnInitDialog() {
  showAlways_ = GetProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kShowKey, 1);
  sides_ = GetProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kSidesKey, 6);
  return CBaseDialog::OnInitDialog();
}

void CPolygonSetDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Text(dx, kSidesEdit, sides_);
  DDV_MinMaxInt(dx, sides_, CPolygonCmd::kMinSides, CPolygonCmd::kMaxSides);
  DDX_Check(dx, kShowAlwaysCheck, showAlways_);
}

void CPolygonSetDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // outside 3 .. 100 the range message keeps it open
  WriteProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kSidesKey, sides_);
  WriteProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kShowKey, showAlways_);
  EndDialog(IDOK);
}
