// The side count dialog of the polygon command (template 152,
// "正多边形边数"): the number of sides, 3 to 100, and whether the dialog
// shows at every start. Both are kept in "PolyGonSetting" ("BianShu",
// "DisplayAlways") once accepted.
#pragma once

#include "draft/host/BaseDialog.h"

class CPolygonSetDlg : public CBaseDialog {
 public:
  enum { IDD = 152 };
  enum ControlId { kSidesEdit = 1047, kShowAlwaysCheck = 1069 };

  explicit CPolygonSetDlg(CWnd* parent);

  int GetSides() const { return sides_; }
  int GetShowAlways() const { return showAlways_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

 private:
  int sides_ = 6;
  int showAlways_ = 1;
};
