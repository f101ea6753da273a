// The connecting arc's settings (template 1205, "过渡圆弧"): the radius, the
// kind of tangency (outside or inside, offered only when the connected
// entity is an arc or a circle) and whether the connected entity is cut at
// the tangent point, kept in "MidArcSetting".
#pragma once

#include "draft/host/BaseDialog.h"

class CMidArcSetDlg : public CBaseDialog {
 public:
  enum { IDD = 1205 };
  enum ControlId { kRadiusEdit = 1007, kOutsideRadio = 2235, kInsideRadio = 2239, kTrimCheck = 2233 };

  // `arcOrCircle`: 1 when the connected entity is not a line.
  CMidArcSetDlg(CWnd* parent, int arcOrCircle);

  static constexpr const char* kSection = "MidArcSetting";

  double GetRadius() const { return radius_; }
  // 1 outside ("外切"), 0 inside ("内切").
  int GetTangency() const { return tangency_; }
  int GetTrim() const { return trim_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

 private:
  // Members, in order.
  int arcOrCircle_;
  int tangency_ = 1;
  int trim_;
  double radius_;
};
