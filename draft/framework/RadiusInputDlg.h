// The radius dialog (template 288, "半径(直径)输入"): a radius, or a
// diameter that is halved, scaled by the drawing group's scale; and from
// it a point at that radius for the command that asked. With reference
// geometry (two points and the cursor) the point lies on the circle of that
// radius through the two points, towards the cursor; without it, at that
// distance from the first point towards the second.
#pragma once

#include "draft/host/BaseDialog.h"
#include "draft/host/Geometry2D.h"
#include "platform/core/String.h"

class CRadiusInputDlg : public CBaseDialog {
 public:
  enum { IDD = 288 };
  enum ControlId { kValueEdit = 1004, kRadiusRadio = 572, kDiameterRadio = 2324, kValueLabel = 313 };

  // `value` is a radius; the letter D or d opens the dialog in diameter
  // mode, showing twice the value. Any other letter opens it in radius
  // mode. A typed digit or sign (not R, r, D or d) is the edit's first text.
  CRadiusInputDlg(CWnd* parent, double scale, double value, UINT modeLetter);

  void SetReferenceGeometry(double p1x, double p1y, double p2x, double p2y, double p3x, double p3y, int reference);
  // Computes the radius (scale × typed value, halved in diameter mode) and
  // the result point from a typed value; a circle that cannot be fitted
  // shows "所给的半径不合理，求解失败！" and leaves the solved flag 0.
  void Accept(double typed);

  // After OK: the radius in drawing units (also in diameter mode).
  double GetValue() const { return value_; }
  double GetResultX() const { return result_.x; }
  double GetResultY() const { return result_.y; }
  // With reference geometry: 1 when the circle was found. The dialog has
  // closed with OK either way; a caller tests this before using the point.
  int IsSolved() const { return solved_; }
  int IsRadiusMode() const { return radiusMode_; }

  // The label and caption of the current mode.
  CStringA GetLabelText() const;
  CStringA GetCaptionText() const;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnModeRadio();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowMode();

  int radiusMode_;
  int reference_ = 0;
  UINT typedChar_;
  int solved_ = 0;
  GPoint points_[3];
  GPoint result_;
  double scale_;
  double value_;
};
