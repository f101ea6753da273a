#include "draft/framework/SelectFilterDlg.h"

#include "draft/framework/GroupNameDlg.h"
#include "draft/host/DraftView.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageMap.h"

namespace {
constexpr const char* kDimensions = "尺寸";
constexpr const char* kNoGroupName = "没有选择限制选择的图组名称";
}  // namespace

BEGIN_MESSAGE_MAP(CSelectFilterDlg, CDialog)
  ON_CBN_SELCHANGE(CSelectFilterDlg::kChoice, OnChoiceChanged)
  ON_BN_CLICKED(CSelectFilterDlg::kPickGroup, OnPickGroup)
END_MESSAGE_MAP()

CSelectFilterDlg::CSelectFilterDlg(CDraftView* view, CWnd* parent) : CDialog(IDD, parent), view_(view) {}

CSelectFilterDlg::~CSelectFilterDlg() = default;

int CSelectFilterDlg::ChosenDimensions() const {
  auto* choice = static_cast<CComboBox*>(GetDlgItem(kChoice));
  const int index = choice ? choice->GetCurSel() : CB_ERR;
  if (index < 0) return -1;
  CStringA text;
  choice->GetLBText(index, text);
  return text == kDimensions ? 1 : 0;
}

BOOL CSelectFilterDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (auto* choice = static_cast<CComboBox*>(GetDlgItem(kChoice))) choice->SelectString(-1, kDimensions);
  if (CWnd* pick = GetDlgItem(kPickGroup)) pick->EnableWindow(FALSE);
  return TRUE;
}

void CSelectFilterDlg::OnChoiceChanged() {
  if (CWnd* pick = GetDlgItem(kPickGroup)) pick->EnableWindow(ChosenDimensions() == 0);
}

void CSelectFilterDlg::OnPickGroup() {
  if (!view_) return;
  CGroupNameDlg names(view_, this);
  if (names.DoModal() == IDOK) SetDlgItemText(kGroupName, names.GetGroupName().GetString());
}

void CSelectFilterDlg::OnOK() {
  const int dimensions = ChosenDimensions();
  if (dimensions < 0) return;  // nothing chosen: the dialog stays
  CStringA name;
  if (!dimensions) {
    GetDlgItemText(kGroupName, name);
    if (name.IsEmpty()) {
      MessageBox(kNoGroupName);
      return;
    }
  }
  if (view_) {
    SelectionFilter& filter = view_->SelectionFilterGroupName();
    filter.dimensionOnly = dimensions;
    filter.groupName = name;
  }
  EndDialog(IDOK);
}
