#include "draft/construct/CenterLineCmd.h"

#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"

namespace {
using tressil::kGeomTolerance;
}

CCenterLineCmd::CCenterLineCmd(int id) : CCmdBase(id, nullptr) {
  pointCount_ = 2;
  prompts_ = {CString("输入中心线中心"), CString("输入中心线延伸位置点")};
}

void CCenterLineCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const double mx = points_[0].x, my = points_[0].y;
  const double ex = cursor_.x, ey = cursor_.y;
  points_.clear();
  step_ = 0;
  if (IsSamePoint(mx, my, ex, ey)) return;
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  // A line of no length is not made: an extension point level with the
  // centre gives the horizontal line only, one straight above it the
  // vertical only.
  if (std::fabs(ex - mx) > kGeomTolerance) {
    std::unique_ptr<CLineEntity> horizontal(construct::NewLine(view, 2 * mx - ex, my, ex, my));
    view->AddEntityToView(horizontal.release(), record.get());
  }
  if (std::fabs(ey - my) > kGeomTolerance) {
    std::unique_ptr<CLineEntity> vertical(construct::NewLine(view, mx, 2 * my - ey, mx, ey));
    view->AddEntityToView(vertical.release(), record.get());
  }
  view->PushUndoRecord(record.release());
  if (MarksPoints()) view->MarkPoint(mx, my);
}

int CCenterLineCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (points_.size() == 1) {
    const double mx = points_[0].x, my = points_[0].y;
    const double ex = cursor_.x, ey = cursor_.y;
    view->DrawLinePreview(2 * mx - ex, my, ex, my);
    view->DrawLinePreview(mx, 2 * my - ey, mx, ey);
    const double scale = construct::CurrentScale(view);
    readout1_ = construct::FormatLength(view, std::fabs(ex - mx) / scale);
    readout2_ = construct::FormatLength(view, std::fabs(ey - my) / scale);
  }
  return CCmdBase::DrawPreview(view);
}
