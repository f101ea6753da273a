#include "draft/regions/MeasureLengthCmd.h"

#include "draft/host/Entity.h"
#include "draft/host/NumberFormat.h"
#include "draft/regions/MeasureResults.h"
#include "platform/core/StringArray.h"

namespace {
// Every kind, members of compounds in place of the compounds.
constexpr DWORD kLengthPickMask = 0xfeff7ef8;
constexpr double kRightToLeft = 1e-6;
}  // namespace

CMeasureLengthCmd::CMeasureLengthCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  SetPickMode(1);
  prompts_[0] = "选择需要测量的图元(右键结束选择并计算出长度)";
  prompts_[1] = "确定第二角点(右键终止此次选择并计算出长度)";
}

int CMeasureLengthCmd::Begin(CDraftView* view) {
  if (view && !view->GetSelectionList()->IsEmpty()) ReportLength(view);
  return 1;
}

void CMeasureLengthCmd::Execute(CDraftView* view) { PickForLength(view); }

void CMeasureLengthCmd::PickForLength(CDraftView* view) {
  if (!view || points_.empty()) return;
  CEntityList found;
  if (points_.size() == 1) {
    view->PickEntitiesAtPoint(points_[0].x, points_[0].y, found, 0, 1, 0, 0, kLengthPickMask, -1);
    if (found.IsEmpty()) {
      pointCount_ = 2;  // the point stays: the next click closes a window
      return;
    }
  } else {
    view->PickEntitiesInWindow(points_[0].x, points_[0].y, points_[1].x, points_[1].y, found, 0, 1, 0, 0,
                               kLengthPickMask, -1);
    pointCount_ = 1;
  }
  CEntityList* selection = view->GetSelectionList();
  for (CEntity* e : found) {
    // The owner first, so that a compound picked through two members
    // counts once.
    CEntity* owner = e->GetEntityOwner();
    CEntity* measured = owner && owner->IsMeasuredWhole() ? owner : e;
    if (!selection->Contains(measured)) view->SelectEntity(measured, 1, 1, 1, nullptr);
  }
  points_.clear();
  step_ = 0;
}

int CMeasureLengthCmd::DrawPreview(CDraftView* view) {
  if (points_.size() == 1) DrawPickWindow(view);
  return 0;
}

void CMeasureLengthCmd::DrawPickWindow(CDraftView* view) {
  if (!view) return;
  if (points_.size() != 1) {
    CCmdBase::DrawPreview(view);
    return;
  }
  const double x0 = points_[0].x, y0 = points_[0].y, cx = cursor_.x, cy = cursor_.y;
  const int pen = x0 - cx > kRightToLeft ? 1 : 0;
  view->DrawLinePreview(x0, y0, cx, y0, pen);
  view->DrawLinePreview(cx, y0, cx, cy, pen);
  view->DrawLinePreview(cx, cy, x0, cy, pen);
  view->DrawLinePreview(x0, cy, x0, y0, pen);
}

void CMeasureLengthCmd::ReportLength(CDraftView* view) {
  if (!view) return;
  total_ = 0.0;
  for (const CEntity* e : *view->GetSelectionList()) total_ += e->GetLength();
  CStringArray labels, values;
  labels.Add(CString("周长"));
  values.Add(CString(FormatDoubleString(total_, 2)));
  ShowMeasureResults(view, labels, values, "总周长", 1);
}

void CMeasureLengthCmd::StartOver() {
  points_.clear();
  step_ = 0;
  pointCount_ = 1;
}

int CMeasureLengthCmd::OnRButton(CDraftView* view) {
  int result = 1;
  if (view && !view->GetSelectionList()->IsEmpty()) {
    ReportLength(view);
    total_ = 0.0;
    result = 0;
  }
  StartOver();
  if (view) view->ClearSelection();
  return result;
}

int CMeasureLengthCmd::End(CDraftView* view) {
  StartOver();
  if (view) view->ClearSelection();
  return 0;
}
