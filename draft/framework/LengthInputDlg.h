// The length dialog (template 133, "长度输入"): a length and an angle
// (polar mode) or two lengths (a width and a height), scaled by the drawing
// group's scale and laid off from a base point.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"

class CLengthInputDlg : public CBaseDialog {
 public:
  enum { IDD = 133 };
  enum ControlId { kLengthEdit = 1048, kSecondEdit = 1055, kLengthLabel = 2272, kSecondLabel = 1045 };

  // A null or empty caption or label keeps the template's text. A typed
  // character, when not 0, is the length edit's first text.
  CLengthInputDlg(CWnd* parent, double scale, double length, double second, UINT typedChar, int polar,
                  const char* caption = nullptr, const char* label1 = nullptr, const char* label2 = nullptr);

  void SetBasePoint(double x, double y);
  // Computes the result point from the two values: polar, the base point
  // plus scale × length in the direction `second` (degrees); otherwise the
  // base point plus scale × (length, second).
  void Accept(double length, double second);

  double GetResultX() const { return resultX_; }
  double GetResultY() const { return resultY_; }
  double GetLength() const { return length_; }
  // The angle (polar) or the second value, as typed.
  double GetAngle() const { return second_; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CStringA caption_;
  CStringA label1_;
  CStringA label2_;
  int polar_;
  double scale_;
  double baseX_ = 0.0;
  double baseY_ = 0.0;
  double resultX_ = 0.0;
  double resultY_ = 0.0;
  UINT typedChar_;
  double second_;
  double length_;
};
