#include "draft/edit/MoveCopyCmd.h"

#include <cmath>
#include <memory>

#include "draft/edit/SelectionCopies.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr int kMoveMask = 0x2000;
constexpr int kCopyMask = 0x22000;
constexpr const char* kMoveBasePrompt = "输入移动基点";
constexpr const char* kCopyBasePrompt = "输入拷贝基点";
constexpr const char* kTargetPrompt = "输入目标位置点(shift键在特殊位置和任意位置间切换)";
}  // namespace

CMoveCopyCmd::CMoveCopyCmd(int id, int move, int orthogonal, int extra1, int extra2, int repeat)
    : CBasePointCmd(id, nullptr, 0, 0, move ? kMoveMask : kCopyMask, 0),
      orthogonal_(orthogonal),
      extra1_(extra1),
      extra2_(extra2),
      repeat_(move ? 0 : repeat),
      move_(move) {
  prompts_.resize(4);
  prompts_[2] = move ? kMoveBasePrompt : kCopyBasePrompt;
  prompts_[3] = kTargetPrompt;
}

void CMoveCopyCmd::OnShiftKey(CDraftView*) {
  if (phase_ == kProcessing) orthogonal_ = !orthogonal_;
}

GPoint CMoveCopyCmd::EffectiveTarget(const PointRec& base, double x, double y) const {
  if (orthogonal_) {
    if (std::fabs(base.y - y) - std::fabs(base.x - x) >= -tressil::kGeomTolerance)
      x = base.x;  // vertical
    else
      y = base.y;  // horizontal
  }
  return {x, y};
}

int CMoveCopyCmd::CopyCount() { return GetProfileIntSetting(kSettingsSection, kCopyCountKey, 1); }

int CMoveCopyCmd::DrawProcessPreview(CDraftView* view) {
  if (view && step_ == 1 && !points_.empty()) {
    const PointRec& base = points_[0];
    const GPoint target = EffectiveTarget(base, cursor_.x, cursor_.y);
    view->DrawLinePreview(base.x, base.y, target.x, target.y, 0);
    const double dx = target.x - base.x, dy = target.y - base.y, angle = TurnAngle();
    if (view->DrawSelectionTransformed(nullptr, dx, dy, base.x, base.y, 1.0, angle, 0, 1) && !move_ && repeat_) {
      const int copies = CopyCount();
      for (int k = 2; k <= copies; ++k)
        if (!view->DrawSelectionTransformed(nullptr, k * dx, k * dy, base.x, base.y, 1.0, angle, 0, 1)) break;
    }
  }
  return CCmdBase::DrawPreview(view);
}

int CMoveCopyCmd::OnProcessClick(CDraftView* view) {
  if (!view || points_.size() < 2) {  // only the base point: wait for the target
    done_ = 0;
    return 0;
  }
  const PointRec base = points_[0];
  const GPoint target = EffectiveTarget(base, points_[1].x, points_[1].y);
  const double dx = target.x - base.x, dy = target.y - base.y, angle = TurnAngle();
  const int copies = repeat_ ? CopyCount() : 1;

  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  CEntityList sources, made;
  CopySelection(
      view,
      [&](CEntity* source) {
        std::unique_ptr<CEntity> first(source->Transform(dx, dy, base.x, base.y, 1.0, angle, 1));
        // A copied table is a general table; further copies keep the kind.
        if (first && !move_ && first->IsTable()) first->SetTableKind(0);
        return first.release();
      },
      [&](CEntity* source, CEntityList& out) {
        for (int k = 2; k <= copies; ++k) {
          std::unique_ptr<CEntity> more(source->Transform(k * dx, k * dy, base.x, base.y, 1.0, angle, 1));
          if (more) out.AddTail(more.release());
        }
      },
      sources, made);
  RecordReplacement(view, !move_, *record, sources, made);
  view->AddEntities(made);
  view->PushUndoRecord(record.release());

  if (!repeat_) {
    view->ClearSelection(nullptr);
    ClearPoints();
    view->ClearSelection(nullptr);
    return 1;
  }
  points_.resize(1);  // keep the base point for the next target
  return 0;
}
