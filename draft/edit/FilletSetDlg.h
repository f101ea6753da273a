// The fillet settings (template 144, "倒圆角参数"): the radius and the
// show-always flag, kept in "FilletSetting".
#pragma once

#include "draft/host/BaseDialog.h"

class CFilletSetDlg : public CBaseDialog {
 public:
  enum { IDD = 144 };
  enum ControlId { kRadiusEdit = 1007, kShowAlwaysCheck = 1069 };

  explicit CFilletSetDlg(CWnd* parent);

  static constexpr const char* kSection = "FilletSetting";

  double GetRadius() const { return radius_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

 private:
  // Members, in order.
  int showAlways_ = 1;
  double radius_ = 5.0;
};
