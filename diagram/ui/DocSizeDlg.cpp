#include "diagram/ui/DocSizeDlg.h"

#include "platform/ui/DataExchange.h"

CDocSizeDlg::CDocSizeDlg(CWnd* parent) : CDialog(IDD, parent) {}

CDocSizeDlg::~CDocSizeDlg() = default;

void CDocSizeDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Text(dx, kAcrossEdit, m_nPagesAcross);
  DDV_MinMaxByte(dx, m_nPagesAcross, m_nMinAcross, m_nMaxAcross);
  DDX_Text(dx, kDownEdit, m_nPagesDown);
  DDV_MinMaxByte(dx, m_nPagesDown, m_nMinDown, m_nMaxDown);
}
