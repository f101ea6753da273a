#include "draft/edit/EnlargedViewDlg.h"

#include <cmath>
#include <cstdlib>

#include "platform/core/MessageBox.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/DataExchange.h"

CEnlargedViewDlg::CEnlargedViewDlg(CWnd* parent) : CDialog(IDD, parent) {}

double CEnlargedViewDlg::ScaleOfText(const CStringA& text) { return std::atof(text.GetString()); }

void CEnlargedViewDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_CBString(dx, kScaleCombo, m_scaleText);
  DDV_MaxChars(dx, m_scaleText, kMaxChars);
  if (dx->m_bSaveAndValidate) {
    // A scale of 0 (or a text that is no number) would collapse the copies.
    const double scale = ScaleOfText(m_scaleText);
    if (!(scale > 0.0) || !std::isfinite(scale)) {
      AfxMessageBox(AFX_IDP_PARSE_REAL, MB_ICONEXCLAMATION);
      dx->Fail();
    }
  }
  DDX_CBString(dx, kLabelCombo, m_label);
  DDV_MaxChars(dx, m_label, kMaxChars);
}

void CEnlargedViewDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  m_scale = ScaleOfText(m_scaleText);
  if (m_scaleText.Find(':') < 0) m_scaleText += ":1";
  EndDialog(IDOK);
}
