#include "draft/edit/ScaleCmd.h"

#include <cmath>

#include "draft/edit/SelectionCopies.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/NumberFormat.h"
#include "platform/core/WinConstants.h"

CScaleCmd::CScaleCmd(int id) : CRotateCmd(id) {
  prompts_[2] = "输入比例变换基点";
  prompts_[3] = "输入比例";
}

int CScaleCmd::OnProcessClick(CDraftView* view) {
  if (!view || points_.size() < 2) {
    done_ = 0;
    return 0;
  }
  const double x0 = points_[0].x, y0 = points_[0].y;
  const double f = GetPointDistance(x0, y0, points_[1].x, points_[1].y) / referenceLength_;
  if (f <= tressil::kGeomTolerance) {
    // On the base point: the selection would collapse. The click is not taken.
    points_.pop_back();
    done_ = 0;
    return 0;
  }
  const bool keep = AskKeepSources(view);
  TransformSelection(view, keep, [&](CEntity* e) {
    CEntity* copy = e->Transform(0, 0, x0, y0, f, 0, 1);
    if (copy && copy->IsTable()) copy->SetTableKind(0);
    return copy;
  });
  return 1;
}

int CScaleCmd::DrawProcessPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && !points_.empty()) {
    const double x0 = points_[0].x, y0 = points_[0].y;
    const double f = GetPointDistance(x0, y0, cursor_.x, cursor_.y) / referenceLength_;
    const CStringA text = FormatScaleText(f);
    statusText_ = CString("比例: ") + text;
    view->DrawLinePreview(x0, y0, cursor_.x, cursor_.y);
    view->DrawSelectionTransformed(nullptr, 0, 0, x0, y0, f, 0, 0, 1);
    readout1_ = text;
    readout2_.Empty();
  }
  return CCmdBase::DrawPreview(view);
}

int CScaleCmd::OnProcessRButton(CDraftView* view) { return EndProcessing(view); }

int CScaleCmd::OnProcessNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) {
  if (step_ != 1 || points_.empty() || !view) return CSelectCmdBase::OnProcessNumberKey(view, ch, flags, x, y);
  double c = 1.0;
  {
    CModalDialogScope scope(view);
    CNumberInputDlg dlg(nullptr, "输入比例", "比例值", 1.0, ch);
    if (dlg.DoModal() != IDOK) return 0;
    c = dlg.GetValue();
  }
  if (std::fabs(c - 1.0) <= tressil::kGeomTolerance || std::fabs(c) <= tressil::kGeomTolerance) return 0;
  x = points_[0].x + referenceLength_ * c;
  y = points_[0].y;
  return 1;
}
