// The coordinate dialog (template 132, "坐标输入"): a point typed as two
// values, Cartesian or polar, absolute or relative to a base point, scaled
// by the drawing group's scale.
//
// This class holds the dialog's state and rules; the window part (the
// template and data exchange on the platform's dialog) joins it when the
// platform's dialog system is available.
#pragma once

#include "platform/core/String.h"

class CCoordInputDlg {
 public:
  enum { IDD = 132 };
  enum ControlId {
    kFirstEdit = 1004, kSecondEdit = 1005, kFirstLabel = 1018, kSecondLabel = 1122,
    kRelative = 1272, kAbsolute = 629, kCartesian = 1013, kPolar = 2289,
  };

  CCoordInputDlg(double scale, double first, double second, int relative, int cartesian, UINT typedChar);

  void SetBasePoint(double x, double y);
  // The two label texts for the current mode.
  CStringA GetFirstLabel() const;
  CStringA GetSecondLabel() const;
  // A radio of either pair changed: the flags follow the check states.
  void OnModeChanged(bool relativeChecked, bool cartesianChecked);
  // The text the first edit opens with: the typed character, if any.
  CStringA GetInitialFirstText() const;
  // OK with the two values: computes the result point.
  void Accept(double first, double second);

  double GetResultX() const { return resultX_; }
  double GetResultY() const { return resultY_; }
  int IsRelative() const { return relative_; }
  int IsCartesian() const { return cartesian_; }

 private:
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
