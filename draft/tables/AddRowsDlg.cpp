#include "draft/tables/AddRowsDlg.h"

#include "platform/ui/DataExchange.h"

CAddRowsDlg::CAddRowsDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CAddRowsDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Radio(dx, kAtEnd, m_placement);
  DDX_Text(dx, kCount, m_count);
  DDV_MinMaxInt(dx, m_count, 1, kMaxRows);
}
