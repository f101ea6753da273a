#include "diagram/ui/ArcRouteGeneralDlg.h"

#include "platform/ui/DataExchange.h"

IMPLEMENT_DYNCREATE(CArcRouteGeneralDlg, CPropertyPage)

CArcRouteGeneralDlg::CArcRouteGeneralDlg() : CPropertyPage(IDD) {}

CArcRouteGeneralDlg::~CArcRouteGeneralDlg() = default;

void CArcRouteGeneralDlg::DoDataExchange(CDataExchange* dx) {
  CPropertyPage::DoDataExchange(dx);
  DDX_Text(dx, kBottomMarginEdit, m_nBottomMargin);
  DDV_MinMaxUInt(dx, m_nBottomMargin, 0, 100);
  DDX_Check(dx, kJustBlocksCheck, m_bJustBlocks);
  DDX_Text(dx, kLeftMarginEdit, m_nLeftMargin);
  DDV_MinMaxUInt(dx, m_nLeftMargin, 0, 80);
  DDX_CBIndex(dx, kMinDistanceCombo, m_nMinDistance);
  DDX_Text(dx, kRightMarginEdit, m_nRightMargin);
  DDV_MinMaxUInt(dx, m_nRightMargin, 0, 80);
  DDX_Text(dx, kTopMarginEdit, m_nTopMargin);
  DDV_MinMaxUInt(dx, m_nTopMargin, 0, 100);
}
