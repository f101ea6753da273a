#include "draft/regions/GroupSelDlg.h"

#include "draft/host/DrawingGroup.h"
#include "draft/host/GroupTable.h"
#include "platform/ui/ComboBox.h"

CGroupSelDlg::CGroupSelDlg(CGroupTable* table, CWnd* parent) : CBaseDialog(IDD, parent), table_(table) {}

BOOL CGroupSelDlg::OnInitDialog() {
  const BOOL result = CBaseDialog::OnInitDialog();
  auto* combo = static_cast<CComboBox*>(GetDlgItem(kNameCombo));
  if (!combo) return result;
  if (table_)
    for (const CDrawingGroup* g : table_->GetGroupList()) combo->AddString(g->GetGroupName().GetString());
  combo->SetWindowText(m_name.GetString());
  const CDrawingGroup* active = table_ ? table_->GetActiveGroup() : nullptr;
  int index = active ? combo->FindStringExact(-1, active->GetGroupName().GetString()) : CB_ERR;
  if (index == CB_ERR) index = 0;
  combo->SetCurSel(index);
  return result;
}

void CGroupSelDlg::OnOK() {
  if (CWnd* combo = GetDlgItem(kNameCombo)) combo->GetWindowText(m_name);
  EndDialog(IDOK);
}
