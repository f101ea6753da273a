#include "draft/edit/RotateCmd.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "draft/edit/SelectionCopies.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Messages.h"
#include "draft/host/NumberFormat.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr int kMask = 0x2000;

// Rounds r to the nearest multiple of the step s, halves away from zero.
double RoundToStep(double r, double s) {
  if (!(s > 0.0) || !std::isfinite(s)) return r;
  return s * std::trunc((s * GetValueSign(r) * 0.5 + r) / s);
}
}  // namespace

CRotateCmd::CRotateCmd(int id) : CSelectCmdBase(id, nullptr, 0, 0, kMask, 0) {
  prompts_.resize(5);
  prompts_[2] = "输入旋转基点";
  prompts_[3] = "输入旋转基线另一端点(按右键取旋转基线为水平)";
  prompts_[4] = "输入旋转角度";
}

int CRotateCmd::ProcessSelection(CDraftView*) {
  typedAngle_ = 0;
  return 1;
}

double CRotateCmd::BaseLineAngle() const {
  return NormalizeAngle(GetLineAngle(points_[0].x, points_[0].y, points_[1].x, points_[1].y));
}

double CRotateCmd::RotationAngle(CDraftView* view, const GPoint& q, bool exact) const {
  const double aB = BaseLineAngle();
  const double aQ = NormalizeAngle(GetLineAngle(points_[0].x, points_[0].y, q.x, q.y));
  // The turn from the base line to the pointer, counter-clockwise, in [0, 360).
  const double r = NormalizeAngle(aQ - aB);
  return exact || !view ? r : RoundToStep(r, view->GetAngleStep());
}

void CRotateCmd::TransformSelection(CDraftView* view, bool keep,
                                    const std::function<CEntity*(CEntity*)>& transform) {
  std::unique_ptr<CUndoRecord> record = ReplaceSelectionByCopies(view, keep, transform);
  ClearPoints();
  view->PushUndoRecord(record.release());
}

int CRotateCmd::OnProcessClick(CDraftView* view) {
  if (!view || points_.size() < 3) {
    done_ = 0;
    return 0;
  }
  const double x0 = points_[0].x, y0 = points_[0].y;
  const double r = RotationAngle(view, {points_[2].x, points_[2].y}, typedAngle_ != 0);
  const bool keep = AskKeepSources(view);
  TransformSelection(view, keep, [&](CEntity* e) { return e->RotateCopy(x0, y0, r, 1); });
  return 1;
}

int CRotateCmd::DrawProcessPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && !points_.empty()) {
    view->DrawLinePreview(points_[0].x, points_[0].y, cursor_.x, cursor_.y);
  } else if (step_ == 2 && points_.size() >= 2) {
    const double x0 = points_[0].x, y0 = points_[0].y;
    const double r = RotationAngle(view, {cursor_.x, cursor_.y}, false);
    const double d = GetPointDistance(x0, y0, cursor_.x, cursor_.y);
    const double target = (BaseLineAngle() + r) * kRadiansPerDegree;
    const double tx = x0 + d * std::cos(target), ty = y0 + d * std::sin(target);
    const CNumberFormat format = GetNumberFormat(view->GetUnitSettings().angle);
    readout1_ = FormatNumberText(r, format);
    readout2_.Empty();
    statusText_ = CString("转角: ") + readout1_ + "  目标角度: " + FormatNumberText(GetLineAngle(x0, y0, tx, ty), format);
    view->DrawLinePreview(x0, y0, tx, ty);
    view->DrawSelectionTransformed(nullptr, 0, 0, x0, y0, 1.0, r, 0, 1);
  }
  return CCmdBase::DrawPreview(view);
}

void CRotateCmd::OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) {
  if (phase_ != kProcessing || step_ != 2 || points_.size() < 2) {
    CCmdBase::OnArrowKey(dx, dy, dp, view, outX, outY);
    return;
  }
  if ((dx == 0 && dy == 0) || !view) return;
  HideCrossHair(view);
  const int k = dx < 0 || dy < 0 ? -1 : 1;
  const double x0 = points_[0].x, y0 = points_[0].y;
  const double s = view->GetAngleStep();
  const double r = RotationAngle(view, {cursor_.x, cursor_.y}, false) + k * s;
  const double d = GetPointDistance(x0, y0, cursor_.x, cursor_.y);
  const double a = (BaseLineAngle() + r) * kRadiansPerDegree;
  cursor_.x = x0 + d * std::cos(a);
  cursor_.y = y0 + d * std::sin(a);
  cursor_.word0 = cursor_.word1 = 0;
  outX = outY = 1;
  DrawPreview(view);
}

int CRotateCmd::EndProcessing(CDraftView* view) {
  ClearPoints();
  if (view) view->ClearSelection(nullptr);
  phase_ = kSelecting;
  return CCmdBase::OnRButton(view);
}

int CRotateCmd::OnProcessRButton(CDraftView* view) {
  if (step_ == 1 && points_.size() == 1 && view) {
    // A horizontal base line.
    const PointRec p{0, 0, points_[0].x + 100.0, points_[0].y, kPointLocated, kPointLocated};
    points_.push_back(p);
    step_ = 2;
    return 0;
  }
  return EndProcessing(view);
}

int CRotateCmd::OnProcessNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) {
  if (step_ != 2 || points_.size() < 2 || !view) return CSelectCmdBase::OnProcessNumberKey(view, ch, flags, x, y);
  double value = 0.0;
  {
    CModalDialogScope scope(view);
    CNumberInputDlg dlg(nullptr, "输入转角", "角度值", 0.0, ch);
    if (dlg.DoModal() != IDOK) return 0;
    value = dlg.GetValue();
  }
  const double factor = std::atof(GetProfileStringSetting("UnitSetting", "AngUnitUnit", "1.0").GetString());
  const double v = ConvertInputAngle(value, 0) * factor;
  if (std::fabs(v) <= tressil::kGeomTolerance) return 0;
  const double a = (BaseLineAngle() + v) * kRadiansPerDegree;
  x = points_[0].x + 1000.0 * std::cos(a);
  y = points_[0].y + 1000.0 * std::sin(a);
  typedAngle_ = 1;
  return 1;
}
