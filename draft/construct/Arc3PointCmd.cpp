#include "draft/construct/Arc3PointCmd.h"

#include <memory>

#include "draft/host/ArcEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"

CArc3PointCmd::CArc3PointCmd(int id) : CCircle3PointCmd(id) {
  prompts_ = {CString("左键确定圆弧一个端点"), CString("左键确定圆弧另一端点"),
              CString("输入圆弧中间一点(R: 半径， D: 直径， TAB：选择圆弧)")};
}

CArc3PointAltCmd::CArc3PointAltCmd(int id) : CArc3PointCmd(id) { chord_ = 1; }

int CArc3PointCmd::MarksPoints() { return step_ == 1 ? 1 : 0; }

bool CArc3PointCmd::ComputeArc(const GPoint& p0, const GPoint& p1, const GPoint& p2, GPoint& centre, double& r,
                               double& start, double& end) const {
  if (!GetArcBy3Points(p0, p1, p2, centre, r, start, end)) return false;
  if (tabCount_ % 2 != 0) {
    SwapDoubles(start, end);
    MakeAngleRangeAscending(start, end);
  }
  return true;
}

int CArc3PointCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && !points_.empty()) {
    view->DrawLinePreview(points_[0].x, points_[0].y, cursor_.x, cursor_.y);
  } else if (step_ == 2 && points_.size() >= 2) {
    GPoint centre;
    double r = 0.0, start = 0.0, end = 0.0;
    if (ComputeArc({points_[0].x, points_[0].y}, {points_[1].x, points_[1].y}, {cursor_.x, cursor_.y}, centre, r,
                   start, end)) {
      view->DrawArcPreview(centre.x, centre.y, r, start, end, 0);
      view->DrawLinePreview(points_[0].x, points_[0].y, points_[1].x, points_[1].y);
    }
  }
  return CCmdBase::DrawPreview(view);
}

void CArc3PointCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 3) return;
  const GPoint p0{points_[0].x, points_[0].y}, p1{points_[1].x, points_[1].y}, p2{points_[2].x, points_[2].y};
  points_.clear();
  step_ = 0;
  GPoint centre;
  double r = 0.0, start = 0.0, end = 0.0;
  if (!ComputeArc(p0, p1, p2, centre, r, start, end)) return;
  const int layer = view->GetCurrentLayer();
  CDrawingGroup* group = view->GetCurrentGroup();
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  CEntityList made;
  made.AddTail(ConstructArcEntity(layer, group, centre.x, centre.y, r, start, end, 1));
  if (chord_) made.AddTail(ConstructLineEntity(layer, group, p0.x, p0.y, p1.x, p1.y, 1));
  view->AddEntities(made);
  record->AddNewList(made);
  view->PushUndoRecord(record.release());
}
