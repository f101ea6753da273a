#include "draft/construct/RectCmd.h"

#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/framework/LengthInputDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
// Both extents of the rectangle p0-p1 are more than the tolerance.
bool HasArea(const GPoint& p0, const GPoint& p1) {
  return std::fabs(p0.x - p1.x) > tressil::kGeomTolerance && std::fabs(p0.y - p1.y) > tressil::kGeomTolerance;
}
}  // namespace

CRectCmd::CRectCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  pointCount_ = 2;
  prompts_ = {CString("输入矩形第一点"), CString("输入矩形第二点(TAB：改变对称性)")};
}

void CRectCmd::ApplySymmetry(GPoint& p0, GPoint& p1) const {
  switch (tabCount_ % 3) {
    case 1:  // the first corner is the centre
      p0 = {2 * p0.x - p1.x, 2 * p0.y - p1.y};
      break;
    case 2:  // the second corner is the centre
      p1 = {2 * p1.x - p0.x, 2 * p1.y - p0.y};
      break;
    default:
      break;
  }
}

void CRectCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 2) return;
  GPoint p0{points_[0].x, points_[0].y};
  GPoint p1{points_[1].x, points_[1].y};
  ApplySymmetry(p0, p1);
  if (HasArea(p0, p1)) {
    const GPoint corners[4] = {{p0.x, p0.y}, {p1.x, p0.y}, {p1.x, p1.y}, {p0.x, p1.y}};
    std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
    std::vector<std::unique_ptr<CLineEntity>> sides;
    CEntityList list;
    for (int i = 0; i < 4; ++i) {
      const GPoint& a = corners[i];
      const GPoint& b = corners[(i + 1) % 4];
      sides.emplace_back(construct::NewLine(view, a.x, a.y, b.x, b.y));
      record->AddNew(sides.back().get());
      list.AddTail(sides.back().get());
    }
    view->AddEntities(list);
    for (auto& side : sides) side.release();  // the view's now
    view->PushUndoRecord(record.release());
  }
  points_.clear();
  step_ = 0;
}

int CRectCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (points_.size() == 1) {
    GPoint p0{points_[0].x, points_[0].y};
    GPoint p1{cursor_.x, cursor_.y};
    ApplySymmetry(p0, p1);
    if (HasArea(p0, p1)) {
      view->DrawLinePreview(p0.x, p0.y, p1.x, p0.y);
      view->DrawLinePreview(p1.x, p0.y, p1.x, p1.y);
      view->DrawLinePreview(p1.x, p1.y, p0.x, p1.y);
      view->DrawLinePreview(p0.x, p1.y, p0.x, p0.y);
    }
    const double scale = construct::CurrentScale(view);
    readout1_ = construct::FormatLength(view, std::fabs(p1.x - p0.x) / scale);
    readout2_ = construct::FormatLength(view, std::fabs(p1.y - p0.y) / scale);
  }
  return CCmdBase::DrawPreview(view);
}

int CRectCmd::OnNumberKey(CDraftView* view, UINT ch, UINT, double& x, double& y) {
  if (!view || points_.empty()) return 0;
  const GPoint p0{points_[0].x, points_[0].y};
  const double scale = construct::CurrentScale(view);
  double width = 0.0, height = 0.0;
  {
    CModalDialogScope scope(view);
    // The dialog shows the rectangle under the cursor in the group's units.
    CLengthInputDlg dlg(nullptr, scale, std::fabs(cursor_.x - p0.x) / scale, std::fabs(cursor_.y - p0.y) / scale, ch, 0,
                        "输入矩形参数", "矩形宽", "矩形高");
    if (dlg.DoModal() != IDOK) return 0;
    width = dlg.GetLength();
    height = dlg.GetAngle();
  }
  // The rectangle grows towards the side of the cursor.
  x = p0.x + (cursor_.x >= p0.x ? 1 : -1) * width * scale;
  y = p0.y + (cursor_.y >= p0.y ? 1 : -1) * height * scale;
  if (tabCount_ % 3 != 0) {
    // The typed extents are the whole symmetric rectangle's.
    x = (p0.x + x) / 2;
    y = (p0.y + y) / 2;
  }
  return 1;
}
