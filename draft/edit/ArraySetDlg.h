// The rectangular array's settings (template 797, "阵列参数"): the column
// and row counts (1 to 500), their spacings, and how the two grid
// directions are found: 0 horizontal and vertical, 1 typed angles (-360 to
// 360, in the angle unit), 2 two picked lines, 3 two picked lines whose
// lengths also give the spacings. The values are kept in "ArrayPartSetting".
// A spacing edit is enabled unless its count is 1 or the spacings come from
// the lines (mode 3); the angle edits only for typed angles.
#pragma once

#include "draft/host/BaseDialog.h"

class CArraySetDlg : public CBaseDialog {
 public:
  enum { IDD = 797 };
  enum ControlId {
    kModeCombo = 1075, kXAngleEdit = 1076, kYAngleEdit = 1077, kRowSpacingEdit = 1009, kColumnCountEdit = 1078,
    kRowCountEdit = 1079, kColumnSpacingEdit = 1180,
  };
  enum Mode { kHorizontalVertical = 0, kTypedAngles = 1, kPickedLines = 2, kLineSpacings = 3 };

  explicit CArraySetDlg(CWnd* parent);

  // After OK: the typed angles in degrees.
  double GetXAngleResult() const { return xAngleResult_; }
  double GetYAngleResult() const { return yAngleResult_; }
  int GetMode() const { return mode_; }
  double GetRowSpacing() const { return rowSpacing_; }
  double GetColumnSpacing() const { return columnSpacing_; }
  int GetColumnCount() const { return columnCount_; }
  int GetRowCount() const { return rowCount_; }

  static constexpr const char* kSection = "ArrayPartSetting";

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
  afx_msg void OnColumnCountChange();
  afx_msg void OnRowCountChange();
  afx_msg void OnModeChange();
  DECLARE_MESSAGE_MAP()

 private:
  int TypedInt(int id);
  int ChosenMode();
  void Enable(int id, bool enabled);

  double unitFactor_;
  // Members, in order.
  double xAngleResult_ = 0.0;
  double yAngleResult_ = 90.0;
  int mode_ = kHorizontalVertical;
  double xAngle_ = 0.0;
  double rowSpacing_ = 100.0;
  int columnCount_ = 2;
  int rowCount_ = 2;
  double yAngle_ = 90.0;
  double columnSpacing_ = 100.0;
};
