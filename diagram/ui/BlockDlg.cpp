#include "diagram/ui/BlockDlg.h"

#include "platform/ui/DataExchange.h"

CBlockDlg::CBlockDlg(CWnd* parent) : CDialog(IDD, parent) {}

CBlockDlg::~CBlockDlg() = default;

void CBlockDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Text(dx, kInputsEdit, m_uInputs);
  DDV_MinMaxUInt(dx, m_uInputs, 0, kMaxPorts);
  DDX_Text(dx, kOutputsEdit, m_uOutputs);
  DDV_MinMaxUInt(dx, m_uOutputs, 0, kMaxPorts);
  DDX_Check(dx, kCompositeCheck, m_bComposite);
}
