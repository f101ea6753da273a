#include "draft/tables/FieldDefDlg.h"

#include <cstdlib>

#include "draft/host/SystemFiles.h"
#include "draft/host/TabFile.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CFieldDefDlg, CDialog)
ON_CBN_SELCHANGE(CFieldDefDlg::kNameCombo, OnNameChosen)
END_MESSAGE_MAP()

namespace {

// Fills the combo box with the entries of a system tab file; a file that
// cannot be read leaves it empty.
void FillFromTabFile(CComboBox* combo, const char* name) {
  if (!combo) return;
  combo->ResetContent();
  CStringArrayA entries, comments;
  ReadTabFile(GetSystemFilePath(name), entries, comments);
  for (INT_PTR i = 0; i < entries.GetSize(); ++i) combo->AddString(entries[i].GetString());
}

}  // namespace

CFieldDefDlg::CFieldDefDlg(const char* caption, CWnd* parent) : CDialog(IDD, parent), caption_(caption ? caption : "") {}

void CFieldDefDlg::SetField(const CFieldRecord& field) {
  m_name = field.GetName();
  m_typeIndex = field.type;
  m_alignmentIndex = field.alignment;
  m_width = field.width;
}

CFieldRecord CFieldDefDlg::GetField() const {
  const int type = m_typeIndex >= 0 && m_typeIndex <= 6 ? m_typeIndex : kFieldChar;
  const int alignment = m_alignmentIndex >= 0 && m_alignmentIndex <= 3 ? m_alignmentIndex : kAlignCentre;
  return CFieldRecord(m_name, type, m_width, alignment);
}

int CFieldDefDlg::ProposeType(const CStringA& name) {
  if (name == "编号" || name.Find("序号") >= 0 || name.Find("数量") >= 0) return kFieldInteger;
  for (const char* part : {"单位重", "总重", "总长", "单件", "总计"})
    if (name.Find(part) >= 0) return kFieldDouble;
  if (name.Find("日期") >= 0) return kFieldDate;
  return kFieldChar;
}

BOOL CFieldDefDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  auto* names = static_cast<CComboBox*>(GetDlgItem(kNameCombo));
  auto* types = static_cast<CComboBox*>(GetDlgItem(kTypeCombo));
  auto* alignments = static_cast<CComboBox*>(GetDlgItem(kAlignmentCombo));
  FillFromTabFile(names, "Table\\SteelBCol.Tab");
  FillFromTabFile(static_cast<CComboBox*>(GetDlgItem(kWidthCombo)), "Table\\FieldWidth.Tab");
  SetDlgItemText(kNameCombo, m_name.GetString());
  if (types) types->SetCurSel(m_typeIndex);
  if (alignments) alignments->SetCurSel(m_alignmentIndex);
  CStringA width;
  width.Format("%lf", m_width);
  TrimNumberText(width);
  SetDlgItemText(kWidthCombo, width.GetString());
  if (!caption_.IsEmpty()) SetWindowText(caption_.GetString());
  if (names) names->SetFocus();
  return FALSE;
}

void CFieldDefDlg::OnNameChosen() {
  auto* names = static_cast<CComboBox*>(GetDlgItem(kNameCombo));
  auto* types = static_cast<CComboBox*>(GetDlgItem(kTypeCombo));
  if (!names || !types || names->GetCurSel() < 0) return;
  CStringA name;
  names->GetLBText(names->GetCurSel(), name);
  types->SetCurSel(ProposeType(name));
}

void CFieldDefDlg::OnOK() {
  auto* types = static_cast<CComboBox*>(GetDlgItem(kTypeCombo));
  auto* alignments = static_cast<CComboBox*>(GetDlgItem(kAlignmentCombo));
  if (types) m_typeIndex = types->GetCurSel();
  if (alignments && alignments->GetCurSel() >= 0) m_alignmentIndex = alignments->GetCurSel();
  GetDlgItemText(kNameCombo, m_name);
  CStringA width;
  GetDlgItemText(kWidthCombo, width);
  m_width = std::atof(width);
  EndDialog(IDOK);
}
