#include "draft/edit/ChamferSetDlg.h"

#include <cmath>
#include <cstdlib>

#include "draft/host/Settings.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageMap.h"

namespace {
constexpr double kDegree = 0.017453292519943295;

void WriteReal(const char* key, double value) {
  CStringA text;
  text.Format("%lf", value);
  WriteProfileStringSetting(CChamferSetDlg::kSection, key, text.GetString());
}
}  // namespace

BEGIN_MESSAGE_MAP(CChamferSetDlg, CBaseDialog)
  ON_BN_CLICKED(1106, On45)
  ON_BN_CLICKED(370, On30)
  ON_BN_CLICKED(2251, OnOther)
END_MESSAGE_MAP()

CChamferSetDlg::CChamferSetDlg(CWnd* parent) : CBaseDialog(IDD, parent) {}

double CChamferSetDlg::ComputeSecondLength(int kind, int secondKind, double firstLength, double secondValue,
                                           double angleUnit) {
  if (kind == 1) return firstLength;
  if (kind == 2) return std::tan(0.5235987755982988) * firstLength;
  if (secondKind == 0) return secondValue;
  const double a = angleUnit * secondValue * kDegree;
  if (std::fabs(std::sin(a)) > 0.00001 && std::fabs(std::cos(a)) > 0.00001) return std::tan(a) * firstLength;
  return 0.0;
}

BOOL CChamferSetDlg::OnInitDialog() {
  kind_ = GetProfileIntSetting(kSection, "DaoJiaoType", 1);
  showAlways_ = GetProfileIntSetting(kSection, "DisplayAlways", 1);
  secondKind_ = GetProfileIntSetting(kSection, "Var2Type", 1);
  firstLength_ = std::atof(GetProfileStringSetting(kSection, "Var1", "5.0").GetString());
  secondValue_ = std::atof(GetProfileStringSetting(kSection, "Var2", "5.0").GetString());
  const BOOL result = CBaseDialog::OnInitDialog();
  EnableSecondValue();
  CheckDlgButton(k45Radio, kind_ == 1 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(k30Radio, kind_ == 2 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(kOtherRadio, kind_ != 1 && kind_ != 2 ? BST_CHECKED : BST_UNCHECKED);
  return result;
}

void CChamferSetDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_CBIndex(dx, kSecondKindCombo, secondKind_);
  DDX_Check(dx, kShowAlwaysCheck, showAlways_);
  DDX_Text(dx, kLengthEdit, firstLength_);
  DDX_Text(dx, kSecondEdit, secondValue_);
}

void CChamferSetDlg::EnableSecondValue() {
  if (CWnd* edit = GetDlgItem(kSecondEdit)) edit->EnableWindow(kind_ == 3);
  if (CWnd* combo = GetDlgItem(kSecondKindCombo)) combo->EnableWindow(kind_ == 3);
}

void CChamferSetDlg::OnKindRadio(int id, int kind) {
  if (IsDlgButtonChecked(id) == BST_CHECKED) kind_ = kind;
  EnableSecondValue();
}

void CChamferSetDlg::On45() { OnKindRadio(k45Radio, 1); }
void CChamferSetDlg::On30() { OnKindRadio(k30Radio, 2); }
void CChamferSetDlg::OnOther() { OnKindRadio(kOtherRadio, 3); }

void CChamferSetDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // an unreadable number keeps the dialog open
  EndDialog(IDOK);
  WriteProfileIntSetting(kSection, "DaoJiaoType", kind_);
  WriteProfileIntSetting(kSection, "DisplayAlways", showAlways_);
  WriteProfileIntSetting(kSection, "Var2Type", secondKind_);
  WriteReal("Var1", firstLength_);
  WriteReal("Var2", secondValue_);
  const double unit = std::atof(GetProfileStringSetting("UnitSetting", "AngUnitUnit", "1.0").GetString());
  WriteReal("Len2", ComputeSecondLength(kind_, secondKind_, firstLength_, secondValue_, unit));
}
