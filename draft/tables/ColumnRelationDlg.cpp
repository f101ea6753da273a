#include "draft/tables/ColumnRelationDlg.h"

#include "draft/host/SystemFiles.h"
#include "draft/host/TabFile.h"
#include "draft/tables/TableFiles.h"
#include "platform/ui/ComboBox.h"

namespace {
const char kRelationFile[] = "Table\\CalRelation.Tab";
}

CColumnRelationDlg::CColumnRelationDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CColumnRelationDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  auto* formulas = static_cast<CComboBox*>(GetDlgItem(kFormulaCombo));
  if (!formulas) return TRUE;
  formulas->ResetContent();
  CStringArrayA entries;
  ReadTabFile(GetSystemFilePath(kRelationFile), entries, comments_);
  for (INT_PTR i = 0; i < entries.GetSize(); ++i) formulas->AddString(entries[i].GetString());
  formulas->SetCurSel(0);
  return TRUE;
}

void CColumnRelationDlg::OnOK() {
  GetDlgItemText(kFormulaCombo, m_formula);
  auto* formulas = static_cast<CComboBox*>(GetDlgItem(kFormulaCombo));
  if (formulas && formulas->FindStringExact(-1, m_formula.GetString()) < 0) {
    formulas->InsertString(0, m_formula.GetString());
    CStringA text;
    for (INT_PTR i = 0; i < comments_.GetSize(); ++i) text += comments_[i] + "\n";
    int written = 0;
    CStringA entry;
    for (int i = 0; i < formulas->GetCount() && written < kMaxFormulas; ++i) {
      formulas->GetLBText(i, entry);
      if (entry.IsEmpty()) continue;
      text += entry + "\n";
      ++written;
    }
    ReplaceTableFile(GetSystemFilePath(kRelationFile), TextFileBytes(text));
  }
  EndDialog(IDOK);
}
