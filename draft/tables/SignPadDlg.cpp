#include "draft/tables/SignPadDlg.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CSignPadDlg, CDialog)
ON_BN_CLICKED(CSignPadDlg::kClear, OnClear)
END_MESSAGE_MAP()

CSignPadDlg::CSignPadDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CSignPadDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  pad_.SubclassDlgItem(kPad, this);
  return TRUE;
}

void CSignPadDlg::OnClear() { pad_.Clear(); }

void CSignPadDlg::OnOK() {
  kept_ = pad_.GetStrokes();
  CDialog::OnOK();
}

void CSignPadDlg::FitScale(double width, double height, double* scale) {
  auto& strokes = GetStrokes();
  bool any = false;
  LONG xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  for (auto& stroke : strokes) {
    for (CPoint& p : stroke) {
      p.y = -p.y;
      if (!any) {
        xmin = xmax = p.x;
        ymin = ymax = p.y;
        any = true;
      }
      xmin = std::min(xmin, p.x);
      xmax = std::max(xmax, p.x);
      ymin = std::min(ymin, p.y);
      ymax = std::max(ymax, p.y);
    }
  }
  for (auto& stroke : strokes)
    for (CPoint& p : stroke) p = CPoint(p.x - xmin, p.y - ymin);
  const double bw = std::fabs(static_cast<double>(xmax - xmin));
  const double bh = std::fabs(static_cast<double>(ymax - ymin));
  if (!scale) return;
  if (bw == 0.0 && bh == 0.0)
    *scale = 1.0;
  else if (bw * std::fabs(height) >= std::fabs(width) * bh)
    *scale = width / bw;
  else
    *scale = std::fabs(height) / bh;
}
