#include "draft/edit/MirrorCmd.h"

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

namespace {
constexpr const char* kPickAxisPrompt = "选择对称线(TAB：输入对称线起点)";
constexpr const char* kAxisStartPrompt = "输入对称线起点(TAB：选择对称线)";
constexpr DWORD kAxisMask = 0x4022FE;
}  // namespace

CMirrorCmd::CMirrorCmd(int id, int mask, int filter) : CSelectCmdBase(id, nullptr, 0, 0, mask, filter) {
  prompts_.resize(4);
  prompts_[2] = kPickAxisPrompt;
  prompts_[3] = "输入对称线终点";
}

int CMirrorCmd::ProcessSelection(CDraftView*) {
  pickMode_ = 1;
  return 1;
}

int CMirrorCmd::DrawProcessPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 0) {
    if (tabCount_ % 2 == 0) {
      pickMode_ = 1;
      prompts_[2] = kPickAxisPrompt;
    } else {
      pickMode_ = 0;
      prompts_[2] = kAxisStartPrompt;
    }
  } else if (step_ == 1 && !points_.empty()) {
    const PointRec& p = points_[0];
    if (std::fabs(p.x - cursor_.x) > 1e-6 || std::fabs(p.y - cursor_.y) > 1e-6)
      view->DrawLinePreview(p.x, p.y, cursor_.x, cursor_.y);
  }
  return CCmdBase::DrawPreview(view);
}

int CMirrorCmd::OnProcessClick(CDraftView* view) {
  if (!view || points_.empty()) return 0;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (points_.size() >= 2) {
    // The second typed point: the axis runs through both, whatever the TAB
    // count has become since the first.
    x1 = points_[0].x, y1 = points_[0].y, x2 = points_[1].x, y2 = points_[1].y;
  } else if (tabCount_ % 2 == 0) {
    CEntityList picked;
    if (!view->PickEntitiesAtPoint(points_[0].x, points_[0].y, picked, 1, 1, 0, 1, kAxisMask, 0)) {
      ClearPoints();
      return 0;
    }
    bool found = false;
    for (CEntity* e : picked) {
      if (!e->IsLine()) continue;
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      x1 = v[0], y1 = v[1], x2 = v[2], y2 = v[3];
      found = true;
      break;
    }
    if (!found) {
      ClearPoints();
      return 0;
    }
  } else {
    done_ = 0;  // the first typed point: wait for the second
    return 0;
  }
  if (IsSamePoint(x1, y1, x2, y2)) {
    ClearPoints();
    return 0;
  }
  MirrorSelection(view, x1, y1, x2, y2);
  return 1;
}

void CMirrorCmd::MirrorSelection(CDraftView* view, double x1, double y1, double x2, double y2) {
  const bool keep = AskKeepSources(view);
  std::unique_ptr<CUndoRecord> record =
      ReplaceSelectionByCopies(view, keep, [&](CEntity* e) { return e->MirrorCopy(x1, y1, x2, y2); });
  ClearPoints();
  view->PushUndoRecord(record.release());
}

int CMirrorCmd::OnProcessRButton(CDraftView* view) {
  if (step_ == 1) {
    ClearPoints();
    step_ = 0;
    return 0;
  }
  ClearPoints();
  if (view) view->ClearSelection(nullptr);
  phase_ = kSelecting;
  return CCmdBase::OnRButton(view);
}
