// A plain layer dialog (template 260, "选择图层") for other modules: a layer
// number 0..99 in an edit with a spin control.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/SpinButtonCtrl.h"

class CLayerPickDlg : public CDialog {
 public:
  enum { IDD = 260 };
  enum ControlId { kLayerEdit = 358, kLayerSpin = 1192 };
  static constexpr int kMaxLayer = 99;

  explicit CLayerPickDlg(int layer, CWnd* parent = nullptr);

  int GetLayer() const { return layer_; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;

 private:
  CSpinButtonCtrl spin_;
  int layer_;
};
