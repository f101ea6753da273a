#include "diagram/ui/Failed2RouteDlg.h"

#include "platform/core/String.h"

CFailed2RouteDlg::CFailed2RouteDlg(UINT count, int selected, CWnd* parent)
    : CDialog(IDD, parent), m_nFailureCount(count), m_nSelected(selected) {}

CFailed2RouteDlg::~CFailed2RouteDlg() = default;

BOOL CFailed2RouteDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CStringW text;
  if (m_nFailureCount == 1)
    text = u"One arc was not routed successfully.";
  else
    text.Format(u"%d arcs were not routed successfully.", static_cast<int>(m_nFailureCount));
  SetDlgItemText(kCountText, text);
  if (m_nSelected <= 0) {
    if (CWnd* selectedText = GetDlgItem(kSelectedText)) selectedText->ShowWindow(SW_HIDE);
  }
  return TRUE;
}
