#include "draft/framework/CoordInputDlg.h"

#include <cmath>

#include "draft/host/Geometry2D.h"

CCoordInputDlg::CCoordInputDlg(double scale, double first, double second, int relative, int cartesian,
                               UINT typedChar)
    : relative_(relative), cartesian_(cartesian), scale_(scale), first_(first), second_(second), typedChar_(typedChar) {}

void CCoordInputDlg::SetBasePoint(double x, double y) {
  baseX_ = x;
  baseY_ = y;
}

CStringA CCoordInputDlg::GetFirstLabel() const {
  if (!cartesian_) return "极半径 &L:";
  return relative_ ? "相对坐标 &X:" : "坐标 &X:";
}

CStringA CCoordInputDlg::GetSecondLabel() const {
  if (!cartesian_) return "角度 A&ng:";
  return relative_ ? "相对坐标 &Y:" : "坐标 &Y:";
}

void CCoordInputDlg::OnModeChanged(bool relativeChecked, bool cartesianChecked) {
  if (relativeChecked != (relative_ != 0)) relative_ = !relative_;
  if (cartesianChecked != (cartesian_ != 0)) cartesian_ = !cartesian_;
}

CStringA CCoordInputDlg::GetInitialFirstText() const {
  return typedChar_ && typedChar_ < 0x80 ? CStringA(static_cast<char>(typedChar_)) : CStringA();
}

void CCoordInputDlg::Accept(double first, double second) {
  first_ = first;
  second_ = second;
  if (cartesian_) {
    resultX_ = scale_ * first_;
    resultY_ = scale_ * second_;
  } else {
    const double a = ConvertInputAngle(second_, 1);  // radians
    resultX_ = scale_ * first_ * std::cos(a);
    resultY_ = scale_ * first_ * std::sin(a);
  }
  if (relative_) {
    resultX_ += baseX_;
    resultY_ += baseY_;
  }
}
