#include "draft/framework/GroupNameDlg.h"

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/GroupTable.h"
#include "platform/ui/ListBox.h"

CGroupNameDlg::CGroupNameDlg(CDraftView* view, CWnd* parent) : CDialog(IDD, parent), view_(view) {}

CGroupNameDlg::~CGroupNameDlg() = default;

BOOL CGroupNameDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  auto* names = static_cast<CListBox*>(GetDlgItem(kNames));
  CGroupTable* table = view_ ? view_->GetGroupTable() : nullptr;
  if (names && table)
    for (const CDrawingGroup* group : table->GetGroupList()) names->AddString(group->GetGroupName().GetString());
  return TRUE;
}

void CGroupNameDlg::OnOK() {
  auto* names = static_cast<CListBox*>(GetDlgItem(kNames));
  const int index = names ? names->GetCurSel() : LB_ERR;
  if (index < 0) return;  // no line chosen: the dialog stays
  names->GetText(index, name_);
  EndDialog(IDOK);
}
