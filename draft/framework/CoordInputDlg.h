// The coordinate dialog (template 132, "坐标输入"): a point typed as two
// values, Cartesian or polar, absolute or relative to a base point, scaled
// by the drawing group's scale.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"

class CCoordInputDlg : public CBaseDialog {
 public:
  enum { IDD = 132 };
  enum ControlId {
    kFirstEdit = 1004, kSecondEdit = 1005, kFirstLabel = 1018, kSecondLabel = 1122,
    kRelative = 1272, kAbsolute = 629, kCartesian = 1013, kPolar = 2289,
  };

  CCoordInputDlg(CWnd* parent, double scale, double first, double second, int relative, int cartesian,
                 UINT typedChar);

  void SetBasePoint(double x, double y);
  // The two label texts for the current mode.
  CStringA GetFirstLabel() const;
  CStringA GetSecondLabel() const;
  // A radio of either pair changed: the flags follow the check states.
  void OnModeChanged(bool relativeChecked, bool cartesianChecked);
  // The text the first edit opens with: the typed character, if any.
  CStringA GetInitialFirstText() const;
  // Computes the result point from the two values.
  void Accept(double first, double second);

  double GetResultX() const { return resultX_; }
  double GetResultY() const { return resultY_; }
  int IsRelative() const { return relative_; }
  int IsCartesian() const { return cartesian_; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnModeRadio();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowLabels();

  int relative_;
  int cartesian_;
  double baseX_ = 0.0;
  double baseY_ = 0.0;
  double resultX_ = 0.0;
  double resultY_ = 0.0;
  double scale_;
  double first_;
  double second_;
  UINT typedChar_;
};
