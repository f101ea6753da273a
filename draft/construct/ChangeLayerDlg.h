// The layer chooser of the layer commands (template 263, "改变图层"): a
// drop-down list (2335) with one entry per layer number 0 to 99 that has a
// record in the layer table, the record's name as its text, in layer order.
// Each entry keeps its layer number, so that a missing record never shifts
// which entry stands for which layer. OK ("执行") takes the chosen entry's
// layer; without a layer table the result stays the initial layer.
#pragma once

#include "platform/ui/Dialog.h"

class CLayerTable;

class CChangeLayerDlg : public CDialog {
 public:
  enum { IDD = 263 };
  enum ControlId { kLayerList = 2335 };

  CChangeLayerDlg(BYTE layer, CLayerTable* table, CWnd* parent);

  BYTE GetLayer() const { return layer_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  BYTE layer_;
  CLayerTable* table_;
};
