#include "draft/edit/ScaleByBasePointsCmd.h"

#include <cmath>
#include <memory>

#include "draft/edit/SelectionCopies.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/Messages.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

namespace {
constexpr int kScaleMask = 0x2000;
constexpr double kLeastDistance = 1e-6;
constexpr double kLeastScale = 1e-6;
constexpr double kMostScale = 1e6;
}  // namespace

CScaleByBasePointsCmd::CScaleByBasePointsCmd(int id) : CBasePointCmd(id, nullptr, 0, 0, kScaleMask, 0) {
  SetFilterEnabled(1);
  prompts_.resize(6);
  prompts_[2] = "选择源第一基点";
  prompts_[3] = "选择目的第一基点";
  prompts_[4] = "选择源第二基点(空格结束定点)";
  prompts_[5] = "选择目的图第二基点";
}

void CScaleByBasePointsCmd::OnShiftKey(CDraftView*) {}

int CScaleByBasePointsCmd::DrawProcessPreview(CDraftView* view) { return CCmdBase::DrawPreview(view); }

int CScaleByBasePointsCmd::OnProcessClick(CDraftView* view) {
  if (!view || points_.size() < 4) {
    done_ = 0;
    return 0;
  }
  ApplyTransform(view);
  return 1;
}

int CScaleByBasePointsCmd::OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view) {
  if (ch != ' ' || !view || phase_ != kProcessing || points_.size() != 2)
    return CBasePointCmd::OnChar(dp, ch, repeat, flags, view);
  ApplyTransform(view);
  done_ = 1;
  PostRightButtonToActiveView();
  return 0;
}

void CScaleByBasePointsCmd::ApplyTransform(CDraftView* view) {
  const GPoint s1{points_[0].x, points_[0].y}, d1{points_[1].x, points_[1].y};
  double k = 1.0, angle = 0.0;
  if (points_.size() >= 4) {
    const GPoint s2{points_[2].x, points_[2].y}, d2{points_[3].x, points_[3].y};
    if (ShowMessage("是否进行图形缩放", MB_YESNO | MB_ICONQUESTION) == IDYES) {
      const double ls = GetPointDistance(s1.x, s1.y, s2.x, s2.y);
      const double ld = GetPointDistance(d1.x, d1.y, d2.x, d2.y);
      const char* refusal = nullptr;
      if (ls <= kLeastDistance || ld <= kLeastDistance) {
        refusal = "选择的基点不满足要求";
      } else {
        k = ld / ls;
        if (!std::isfinite(k) || k < kLeastScale || k > kMostScale) refusal = "获得的比例不满足要求";
      }
      if (refusal) {
        ShowMessage(refusal, MB_OK);
        ClearPoints();
        return;
      }
    }
    angle = GetLineAngle(d1.x, d1.y, d2.x, d2.y) - GetLineAngle(s1.x, s1.y, s2.x, s2.y);
  }
  const double dx = d1.x - s1.x, dy = d1.y - s1.y;
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  CEntityList sources, made;
  CopySelection(
      view, [&](CEntity* source) { return source->Transform(dx, dy, s1.x, s1.y, k, angle, 1); }, nullptr, sources,
      made);
  if (!sources.IsEmpty()) {  // nothing selected: nothing to record
    RecordReplacement(view, false, *record, sources, made);
    view->AddEntities(made);
    view->PushUndoRecord(record.release());
  }
  ClearPoints();
  view->ClearSelection(nullptr);
}

void CScaleByBasePointsCmd::PostRightButtonToActiveView() {
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return;
  CMDIChildWnd* child = static_cast<CMDIFrameWnd*>(main)->MDIGetActive();
  CView* active = child ? child->GetActiveView() : nullptr;
  if (active) active->PostMessage(WM_RBUTTONUP, 0, 0);
}
