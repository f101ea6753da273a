#include "draft/framework/LayerPickDlg.h"

#include "platform/ui/DataExchange.h"

CLayerPickDlg::CLayerPickDlg(int layer, CWnd* parent) : CDialog(IDD, parent), layer_(layer) {}

void CLayerPickDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, kLayerSpin, spin_);
  DDX_Text(dx, kLayerEdit, layer_);
  DDV_MinMaxInt(dx, layer_, 0, kMaxLayer);
}

BOOL CLayerPickDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  spin_.SetRange(0, kMaxLayer);
  return TRUE;
}
