#include "diagram/ui/ArcRouteDlg.h"

#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/PropertySheet.h"

IMPLEMENT_DYNAMIC(CArcRouteDlg, CPropertyPage)

BEGIN_MESSAGE_MAP(CArcRouteDlg, CPropertyPage)
  ON_BN_CLICKED(CArcRouteDlg::kAllArcsRadio, OnRouteWhatClicked)
  ON_BN_CLICKED(CArcRouteDlg::kOnlyRadio, OnRouteWhatClicked)
  ON_BN_CLICKED(CArcRouteDlg::kAllButRadio, OnRouteWhatClicked)
  ON_BN_CLICKED(CArcRouteDlg::kRouteNowButton, OnRouteNowButtonClicked)
END_MESSAGE_MAP()

CArcRouteDlg::CArcRouteDlg() : CPropertyPage(IDD) {}

CArcRouteDlg::~CArcRouteDlg() = default;

void CArcRouteDlg::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Check(dx, kSelectedCheck, m_bSelected);
  DDX_Check(dx, kBlockNodesCheck, m_bSelectedBlocks);
  DDX_Check(dx, kSelectedNodesCheck, m_bSelectedNodes);
  DDX_Radio(dx, kShortestPathRadio, m_nAlgorithm);
  DDX_Radio(dx, kAllArcsRadio, m_nRouteWhat);
}

BOOL CArcRouteDlg::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  OnRouteWhatClicked();
  return TRUE;
}

void CArcRouteDlg::OnRouteWhatClicked() {
  const BOOL enable = IsDlgButtonChecked(kAllArcsRadio) ? FALSE : TRUE;
  for (int id : {kSelectedCheck, kSelectedNodesCheck, kBlockNodesCheck, kSelectedNodesText, kBlockNodesText}) {
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
  }
}

void CArcRouteDlg::OnRouteNowButtonClicked() {
  m_bRouteNow = TRUE;
  // Values the page refuses keep the sheet open, as OK would.
  if (!UpdateData(TRUE)) return;
  if (CPropertySheet* sheet = GetSheet()) sheet->EndDialog(kRouteNowButton);
}
