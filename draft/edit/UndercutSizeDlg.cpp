#include "draft/edit/UndercutSizeDlg.h"

#include "draft/host/Settings.h"
#include "platform/ui/DataExchange.h"

CUndercutSizeDlg::CUndercutSizeDlg(UINT templateId, CWnd* parent, const char* section, double firstValue,
                                   double secondValue)
    : CDialog(templateId, parent), first(firstValue), second(secondValue), section_(section) {}

void CUndercutSizeDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Text(dx, kFirstEdit, first);
  DDV_MinMaxDouble(dx, first, 0.00001, 32867.0);
  DDX_Text(dx, kSecondEdit, second);
  DDV_MinMaxDouble(dx, second, 0.00001, 32867.0);
}

void CUndercutSizeDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // an unreadable or out-of-range value keeps the dialog open
  EndDialog(IDOK);
  CStringA text;
  text.Format("%lf", first);
  WriteProfileStringSetting(section_, "depth", text.GetString());
  text.Format("%lf", second);
  WriteProfileStringSetting(section_, "width", text.GetString());
}
