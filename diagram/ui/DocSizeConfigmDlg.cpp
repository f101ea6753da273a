#include "diagram/ui/DocSizeConfigmDlg.h"

#include "platform/ui/DataExchange.h"

CDocSizeConfigmDlg::CDocSizeConfigmDlg(CWnd* parent) : CDialog(IDD, parent) {}

CDocSizeConfigmDlg::~CDocSizeConfigmDlg() = default;

void CDocSizeConfigmDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  // The counts are only shown: the edits are read-only and never read back.
  if (!dx->m_bSaveAndValidate) {
    DDX_Text(dx, kAcrossEdit, m_nPagesAcross);
    DDX_Text(dx, kDownEdit, m_nPagesDown);
  }
}
