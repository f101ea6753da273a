#include "draft/tables/DimValueDlg.h"

#include <cstdlib>

#include "draft/host/DimValueEditor.h"
#include "draft/framework/ResourceSwitch.h"
#include "draft/host/DimensionText.h"
#include "draft/host/FitSheetDlg.h"
#include "draft/host/Settings.h"
#include "draft/host/SymbolMenuDlg.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextAttribDlg.h"
#include "draft/host/ToleranceTable.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowApi.h"

BEGIN_MESSAGE_MAP(CDimValueDlg, CBaseDialog)
ON_EN_CHANGE(CDimValueDlg::kBasicSizeEdit, OnBasicSizeChange)
ON_EN_CHANGE(CDimValueDlg::kCodeEdit, LookupDeviations)
ON_BN_CLICKED(CDimValueDlg::kZoneButton, PickToleranceZone)
ON_BN_CLICKED(CDimValueDlg::kFitButton, PickFit)
ON_BN_CLICKED(CDimValueDlg::kFontButton, EditFont)
ON_BN_CLICKED(CDimValueDlg::kSymbolButton, InsertSymbol)
ON_CBN_SETFOCUS(CDimValueDlg::kPrefixCombo, OnPrefixSetFocus)
ON_CBN_KILLFOCUS(CDimValueDlg::kPrefixCombo, OnPrefixKillFocus)
ON_EN_SETFOCUS(CDimValueDlg::kBasicSizeEdit, OnBasicSizeSetFocus)
ON_EN_KILLFOCUS(CDimValueDlg::kBasicSizeEdit, OnBasicSizeKillFocus)
ON_EN_SETFOCUS(CDimValueDlg::kCodeEdit, OnCodeSetFocus)
ON_EN_KILLFOCUS(CDimValueDlg::kCodeEdit, OnCodeKillFocus)
ON_EN_SETFOCUS(CDimValueDlg::kUpperEdit, OnUpperSetFocus)
ON_EN_KILLFOCUS(CDimValueDlg::kUpperEdit, OnUpperKillFocus)
ON_EN_SETFOCUS(CDimValueDlg::kLowerEdit, OnLowerSetFocus)
ON_EN_KILLFOCUS(CDimValueDlg::kLowerEdit, OnLowerKillFocus)
END_MESSAGE_MAP()

namespace {

constexpr const char* kSection = "DimText";

CStringA Given(const char* value, const char* key, const char* fallback) {
  return value ? CStringA(value) : GetProfileStringSetting(kSection, key, fallback);
}

// The dialog as the dimension-value editor of the text command and of the
// dimension entity's own editor, under this library's resources.
int EditDimValue(DimValueParts& p) {
  CResourceSwitch resources(kScrivelModuleName);
  CDimValueDlg dlg(nullptr, p.value, p.prefix, p.basicSize, p.code, p.upper, p.lower);
  dlg.m_showCode = p.showCode;
  dlg.m_showDeviations = p.showDeviations;
  dlg.m_sameFormat = p.sameFormat;
  if (dlg.DoModal() != IDOK) return IDCANCEL;
  p.value = dlg.m_text;
  p.prefix = dlg.m_prefix;
  p.basicSize = dlg.m_basicSize;
  p.code = dlg.m_code;
  p.lower = dlg.m_lower;
  p.upper = dlg.m_upper;
  p.showCode = dlg.m_showCode;
  p.showDeviations = dlg.m_showDeviations;
  p.sameFormat = dlg.m_sameFormat;
  return IDOK;
}

[[maybe_unused]] const bool registered = (SetDimValueEditor(&EditDimValue), true);

}  // namespace

CDimValueDlg::CDimValueDlg(CWnd* parent, const char* text, const char* prefix, const char* basicSize,
                           const char* code, const char* upper, const char* lower)
    : CBaseDialog(IDD, parent),
      m_text(text ? text : ""),
      m_showCode(GetProfileIntSetting(kSection, "OutCode", 0)),
      m_showDeviations(GetProfileIntSetting(kSection, "OutPianCha", 0)),
      m_prefix(Given(prefix, "PrevString", "")),
      m_basicSize(Given(basicSize, "BaseSize", m_text)),
      m_code(Given(code, "Code", "")),
      m_lower(Given(lower, "LowError", "")),
      m_upper(Given(upper, "UpError", "")),
      m_sameFormat(GetProfileIntSetting(kSection, "SameOut", 0)) {}

CDimValueDlg::~CDimValueDlg() = default;

void CDimValueDlg::DeviationsOf(const CStringA& basicSize, const CStringA& code, CStringA& upper, CStringA& lower) {
  upper.Empty();
  lower.Empty();
  if (code.Find('/') >= 0) return;
  if (!LookupToleranceDeviation(basicSize, code, upper, lower)) {
    upper.Empty();
    lower.Empty();
  }
}

void CDimValueDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, kShowDeviationsCheck, m_deviationsCheck);
  DDX_Control(dx, kSameFormatCheck, m_sameCheck);
  // Exact: an empty prefix is one of the empty entries, not the first entry
  // that starts with nothing.
  DDX_CBStringExact(dx, kPrefixCombo, m_prefix);
  DDX_Text(dx, kBasicSizeEdit, m_basicSize);
  DDX_Text(dx, kCodeEdit, m_code);
  DDX_Text(dx, kUpperEdit, m_upper);
  DDX_Text(dx, kLowerEdit, m_lower);
  DDX_Check(dx, kShowCodeCheck, m_showCode);
  if (dx->m_bSaveAndValidate) {
    m_showDeviations = m_deviationsCheck.GetCheck();
    m_sameFormat = m_sameCheck.GetCheck();
  }
}

BOOL CDimValueDlg::OnInitDialog() {
  // The switches stay as constructed (a caller may have set them from the
  // dimension being edited).
  CStringA composed;
  ComposeDimensionText(composed, m_prefix, m_basicSize, m_code, m_upper, m_lower, m_showCode, m_showDeviations,
                       m_sameFormat);
  if (composed != m_text) {
    CStringA extra;
    GetDimensionTextExtra(m_text, m_prefix, m_basicSize, extra, m_code, m_upper, m_lower);
    if (!extra.IsEmpty()) m_basicSize += extra;
  }
  CBaseDialog::OnInitDialog();
  m_deviationsCheck.SetCheck(m_showDeviations);
  m_sameCheck.SetCheck(m_sameFormat);
  filled_ = true;
  return TRUE;
}

void CDimValueDlg::OnBasicSizeChange() {
  CStringA code;
  GetDlgItemText(kCodeEdit, code);
  if (!code.IsEmpty()) LookupDeviations();
}

void CDimValueDlg::LookupDeviations() {
  if (!filled_) return;
  CStringA size, code, upper, lower;
  GetDlgItemText(kBasicSizeEdit, size);
  GetDlgItemText(kCodeEdit, code);
  DeviationsOf(size, code, upper, lower);
  SetDlgItemText(kLowerEdit, lower);
  SetDlgItemText(kUpperEdit, upper);
}

void CDimValueDlg::TakeCode(const CStringA& code) { SetDlgItemText(kCodeEdit, code); }

void CDimValueDlg::PickToleranceZone() {
  CStringA text;
  GetDlgItemText(kBasicSizeEdit, text);
  const double size = std::atof(text);
  CResourceSwitch resources("Korrin.DLL");
  if (size <= 0.0) {
    AfxMessageBox("基本尺寸不对!", MB_OK);
    return;
  }
  CFitSheetDlg* sheet = nullptr;
  if (size <= 18.00001)
    sheet = ConstructFitSheet18(this);
  else if (size <= 500.00001)
    sheet = ConstructFitSheet500(this);
  else if (size <= 3150.00001)
    sheet = ConstructFitSheet3150(this);
  if (!sheet) {
    AfxMessageBox("此尺寸无常用公差带规定!", MB_OK);
    return;
  }
  const bool chosen = sheet->DoModal() == IDOK;
  const CStringA code = sheet->GetChoice();
  DestroyFitSheet(sheet);
  if (chosen) TakeCode(code);
}

void CDimValueDlg::PickFit() {
  CResourceSwitch resources("Korrin.DLL");
  CFitSheetDlg* sheet = ConstructFitSheet(this);
  const bool chosen = sheet->DoModal() == IDOK;
  const CStringA code = sheet->GetChoice();
  DestroyFitSheet(sheet);
  if (chosen) TakeCode(code);
}

void CDimValueDlg::EditFont() {
  CResourceSwitch resources("Korrin.DLL");
  CTextAttribDlg* dialog = ConstructTextAttribDialog(this);
  dialog->DoModal();
  DestroyTextAttribDialog(dialog);
}

void CDimValueDlg::SaveSelection(int id) {
  if (id != m_focusId) {
    m_selStart = m_selEnd = -1;
    return;
  }
  if (id == kPrefixCombo) {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(id));
    const DWORD sel = combo ? combo->GetEditSel() : 0;
    m_selStart = LOWORD(sel);
    m_selEnd = HIWORD(sel);
  } else if (auto* edit = static_cast<CEdit*>(GetDlgItem(id))) {
    edit->GetSel(m_selStart, m_selEnd);
  }
}

void CDimValueDlg::OnPrefixSetFocus() { m_focusId = kPrefixCombo; }
void CDimValueDlg::OnPrefixKillFocus() { SaveSelection(kPrefixCombo); }
void CDimValueDlg::OnBasicSizeSetFocus() { m_focusId = kBasicSizeEdit; }
void CDimValueDlg::OnBasicSizeKillFocus() { SaveSelection(kBasicSizeEdit); }
void CDimValueDlg::OnCodeSetFocus() { m_focusId = kCodeEdit; }
void CDimValueDlg::OnCodeKillFocus() { SaveSelection(kCodeEdit); }
void CDimValueDlg::OnUpperSetFocus() { m_focusId = kUpperEdit; }
void CDimValueDlg::OnUpperKillFocus() { SaveSelection(kUpperEdit); }
void CDimValueDlg::OnLowerSetFocus() { m_focusId = kLowerEdit; }
void CDimValueDlg::OnLowerKillFocus() { SaveSelection(kLowerEdit); }

void CDimValueDlg::InsertSymbol() {
  if (m_focusId == 0) return;
  const int target = m_focusId;
  const int start = m_selStart, end = m_selEnd;
  POINT cursor{0, 0};
  ::GetCursorPos(&cursor);
  CStringA symbol;
  INT_PTR answer = IDCANCEL;
  {
    CResourceSwitch resources("Korrin.DLL");
    CSymbolMenuDlg* dialog = ConstructSymbolMenuDlg(1, this, CPoint(cursor.x, cursor.y));
    answer = dialog->DoModal();
    if (answer == IDOK) symbol = dialog->GetSymbolText();
    DestroySymbolMenuDlg(dialog);
  }
  CWnd* control = GetDlgItem(target);
  if (!control) return;
  control->SetFocus();
  if (target == kPrefixCombo) {
    auto* combo = static_cast<CComboBox*>(control);
    combo->SetEditSel(start, end);
    if (answer != IDOK) return;
    if (CopyTextToClipboard(symbol, nullptr))
      combo->PostMessage(WM_PASTE, 0, 0);
    else
      AfxMessageBox("剪贴板打不开", MB_OK);
    return;
  }
  auto* edit = static_cast<CEdit*>(control);
  edit->SetSel(start, end);
  if (answer != IDOK) {
    edit->SendMessage(EM_SCROLLCARET, 0, 0);
    return;
  }
  if (CopyTextToClipboard(symbol, edit->GetSafeHwnd()))
    edit->SendMessage(WM_PASTE, 0, 0);
  else
    AfxMessageBox("剪贴板打不开", MB_OK);
}

void CDimValueDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  ComposeDimensionText(m_text, m_prefix, m_basicSize, m_code, m_upper, m_lower, m_showCode, m_showDeviations,
                       m_sameFormat);
  WriteProfileIntSetting(kSection, "OutCode", m_showCode);
  WriteProfileIntSetting(kSection, "OutPianCha", m_showDeviations);
  WriteProfileIntSetting(kSection, "SameOut", m_sameFormat);
  WriteProfileStringSetting(kSection, "PrevString", m_prefix);
  WriteProfileStringSetting(kSection, "BaseSize", m_basicSize);
  WriteProfileStringSetting(kSection, "Code", m_code);
  WriteProfileStringSetting(kSection, "LowError", m_lower);
  WriteProfileStringSetting(kSection, "UpError", m_upper);
  WriteProfileStringSetting(kSection, "AllString", m_text);
  EndDialog(IDOK);
}
