// The circular array's settings (template 153, "周分布参数"): the number of
// places round the circle (2 to 10000), the direction, the angle between
// places (0 to 360, in the angle unit; computed as 360 / n when automatic),
// whether to ask for each copy and whether the copies turn. The values are
// kept in "RoundPartSetting". The angle step the command uses is the angle
// times the angle-unit factor ("UnitSetting"/"AngUnitUnit"), in degrees.
#pragma once

#include "draft/host/BaseDialog.h"

class CRoundArraySetDlg : public CBaseDialog {
 public:
  enum { IDD = 153 };
  enum ControlId {
    kCountEdit = 1047, kAngleAutoCheck = 1070, kAskCheck = 1066, kRotateCheck = 1068, kAngleEdit = 1071,
    kOrderCombo = 1073,
  };

  explicit CRoundArraySetDlg(CWnd* parent);

  // After OK: the angle step in degrees.
  double GetAngleStep() const { return angleStep_; }
  int GetCount() const { return roundNum_; }
  int GetOrder() const { return roundOrder_; }
  int GetAskAlways() const { return askAlways_; }
  int GetRotateObjects() const { return rotateObjects_; }

  static constexpr const char* kSection = "RoundPartSetting";

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
  afx_msg void OnAngleAuto();
  afx_msg void OnCountChange();
  DECLARE_MESSAGE_MAP()

 private:
  // Edit 1071 gets 360 / n (60 for n < 2) in the angle unit.
  void ShowAutomaticAngle();

  // Members, in order.
  double unitFactor_;
  double angleStep_ = 0.0;
  int angleAuto_ = 1;
  int askAlways_ = 0;
  int rotateObjects_ = 1;
  double roundAngle_ = 60.0;
  int roundNum_ = 6;
  int roundOrder_ = 0;
};
