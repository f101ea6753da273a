#include "diagram/ui/ArcRouteAutoDlg.h"

#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNAMIC(CArcRouteAutoDlg, CPropertyPage)

BEGIN_MESSAGE_MAP(CArcRouteAutoDlg, CPropertyPage)
  ON_BN_CLICKED(CArcRouteAutoDlg::kDisableCheck, OnDisableClicked)
END_MESSAGE_MAP()

CArcRouteAutoDlg::CArcRouteAutoDlg() : CPropertyPage(IDD) {}

CArcRouteAutoDlg::~CArcRouteAutoDlg() = default;

void CArcRouteAutoDlg::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Check(dx, kDisableCheck, m_bDisable);
  DDX_Radio(dx, kNewArcsRadio, m_nRouteWhen);
  DDX_Radio(dx, kShortestPathRadio, m_nAlgorithm);
}

BOOL CArcRouteAutoDlg::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  OnDisableClicked();
  return TRUE;
}

void CArcRouteAutoDlg::OnDisableClicked() {
  const BOOL enable = IsDlgButtonChecked(kDisableCheck) ? FALSE : TRUE;
  for (int id : {kNewArcsRadio, kDisturbedRadio, kShortestPathRadio, kMinimizeBendsRadio, kSharedPathsRadio}) {
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
  }
}
