#include "draft/regions/SectionCmd.h"

#include <vector>

#include "draft/host/SectionSymbolEntity.h"

namespace {
constexpr DWORD kSectionMask = static_cast<DWORD>(-1282);
constexpr const char* kSectionPrompt = "选择剖切线或剖切符号(左Shift键确定剖切位置点,右键结束)";
}  // namespace

CSectionCmd::CSectionCmd(CDraftView* view, int id, int mode, int sectionFlag)
    : CThreeViewStretchCmd(view, id, mode, sectionFlag) {
  sectionPhase_ = 0;
  sectionInput_ = 1;
  pickMode_ = 1;
  promptOverride_ = kSectionPrompt;
}

int CSectionCmd::Begin(CDraftView* view) {
  if (!CThreeViewStretchCmd::Begin(view)) return 0;
  if (view->GetSelectionCount() > 0) {
    view->ClearSelection();
    // Without the section flag the stretch's start took that selection as
    // a profile; the section lines come first.
    selectionDone_ = 0;
    pickMode_ = 1;
    promptOverride_ = kSectionPrompt;
  }
  return 1;
}

void CSectionCmd::Execute(CDraftView* view) {
  if (sectionPhase_ != 0) {
    CThreeViewStretchCmd::Execute(view);
    return;
  }
  if (!view) return;
  if (!points_.empty()) promptOverride_ = sectionInput_ ? "选择剖切线或剖切符号(右键结束)" : "确定剖切位置点(右键结束)";
  if (sectionInput_) {
    CEntityList found;
    view->PickEntitiesAtPoint(cursor_.x, cursor_.y, found, 0, 1, 0, 0, kSectionMask, -1);
    points_.clear();
    step_ = 0;
    if (found.IsEmpty()) return;
    CEntity* picked = found.GetHead();
    CEntity* owner = picked->GetEntityOwner();
    if (owner && owner->IsSectionSymbol()) {
      view->SelectEntity(owner, 1, 1, 1, nullptr);
      std::vector<double> xy;
      static_cast<const CSectionSymbolEntity*>(owner)->GetSectionPoints(xy);
      for (size_t i = 2; i + 1 < xy.size(); i += 2) AddSectionSegment(xy[i - 2], xy[i - 1], xy[i], xy[i + 1]);
    } else if (picked->IsLine()) {
      double v[kMaxGeometryValues];
      picked->GetGeometry(v);
      AddSectionSegment(v[0], v[1], v[2], v[3]);
      view->SelectEntity(picked, 1, 1, 1, nullptr);
    }
    return;
  }
  const size_t n = points_.size();
  if (n >= 2) AddSectionSegment(points_[n - 2].x, points_[n - 2].y, points_[n - 1].x, points_[n - 1].y);
}

int CSectionCmd::OnRButton(CDraftView* view) {
  if (sectionPhase_ == 0 && !sectionLines_.empty() && view) {
    points_.clear();
    step_ = 0;
    sectionPhase_ = 1;
    view->ClearSelection();
    promptOverride_ = "选择目标(右键结束选择)";
    pickMode_ = 1;
    return 0;
  }
  return CThreeViewStretchCmd::OnRButton(view);
}

void CSectionCmd::OnShiftKey(CDraftView* view) {
  if (sectionPhase_ == 0 && points_.empty()) {
    sectionInput_ = !sectionInput_;
    pickMode_ = sectionInput_;
    promptOverride_ = sectionInput_ ? "选择剖切线或剖切符号(左Shift键定点,右键结束)"
                                    : "确定剖切位置点(左Shift键选择剖切线或剖切符号,右键结束)";
    return;
  }
  CThreeViewStretchCmd::OnShiftKey(view);
}

int CSectionCmd::DrawPreview(CDraftView* view) {
  if (sectionPhase_ != 0) return CThreeViewStretchCmd::DrawPreview(view);
  if (!view || sectionInput_ || points_.empty()) return 0;
  for (size_t i = 1; i < points_.size(); ++i)
    view->DrawLinePreview(points_[i - 1].x, points_[i - 1].y, points_[i].x, points_[i].y, 0);
  view->DrawLinePreview(points_.back().x, points_.back().y, cursor_.x, cursor_.y, 0);
  return 0;
}

int CSectionCmd::End(CDraftView* view) {
  const int result = CThreeViewStretchCmd::End(view);
  if (view) view->ClearSelection();
  sectionPhase_ = 0;
  return result;
}

int CSectionCmd::OnInterrupt(CDraftView* view) {
  sectionPhase_ = 0;
  OnRButton(view);
  return 0;
}
