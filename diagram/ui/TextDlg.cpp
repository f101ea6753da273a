#include "diagram/ui/TextDlg.h"

#include "platform/ui/DataExchange.h"

CTextDlg::CTextDlg(CWnd* parent) : CDialog(IDD, parent) {}

CTextDlg::~CTextDlg() = default;

void CTextDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Text(dx, kTextEdit, m_text);
  DDV_MaxChars(dx, m_text, kMaxChars);
}
