#include "draft/construct/PolygonCmd.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/construct/PolygonSetDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

CPolygonCmd::CPolygonCmd(int id) : CCircleCenterCmd(id, 0) {
  prompts_[0] = "输入正多边形中心";
  prompts_[1] = "输入外接/内切圆上一点(R: 半径， D: 直径， TAB：外接/内切圆转换)";
}

int CPolygonCmd::ReadSides() { return std::clamp(GetProfileIntSetting(kSection, kSidesKey, 6), kMinSides, kMaxSides); }

int CPolygonCmd::Begin(CDraftView* view) {
  if (!CCircleCenterCmd::Begin(view)) return 0;
  group_ = view ? view->GetCurrentGroup() : nullptr;
  if (GetProfileIntSetting(kSection, kShowKey, 1)) {
    CModalDialogScope scope(view);
    CPolygonSetDlg dlg(nullptr);
    if (dlg.DoModal() != IDOK) return 0;
  }
  sides_ = ReadSides();
  return 1;
}

std::vector<GPoint> CPolygonCmd::Vertices(const GPoint& c, const GPoint& p, double r, int tabCount, int sides) {
  std::vector<GPoint> out;
  if (sides < 1) return out;
  double theta = GetLineAngle(c.x, c.y, p.x, p.y) * construct::kRadiansPerDegree;
  const double pi = tressil::kPi;
  if (tabCount % 2 != 0) {
    // The cursor is on the inscribed circle, facing an edge's midpoint.
    r /= std::cos(pi / sides);
    theta -= pi / sides;
  }
  out.reserve(static_cast<size_t>(sides) + 1);
  for (int i = 0; i <= sides; ++i) {
    const double a = theta + 2 * pi * i / sides;
    out.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return out;
}

double CPolygonCmd::RadiusFor(const GPoint& c, const GPoint& p) const {
  return typedRadiusFlag_ ? typedRadius_ : GetPointDistance(c.x, c.y, p.x, p.y);
}

int CPolygonCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if ((step_ == 1 || (step_ == 2 && typedRadiusFlag_)) && !points_.empty()) {
    sides_ = ReadSides();
    const GPoint c{points_[0].x, points_[0].y};
    const GPoint p{cursor_.x, cursor_.y};
    const double r = RadiusFor(c, p);
    if (r <= tressil::kGeomTolerance) return 0;
    const std::vector<GPoint> v = Vertices(c, p, r, tabCount_, sides_);
    for (size_t i = 1; i < v.size(); ++i) view->DrawLinePreview(v[i - 1].x, v[i - 1].y, v[i].x, v[i].y);
    readout1_ = "R:" + construct::FormatLength(view, r / construct::CurrentScale(view));
    readout2_ = construct::FormatDegrees(view, GetLineAngle(c.x, c.y, p.x, p.y));
  }
  return CCmdBase::DrawPreview(view);
}

int CPolygonCmd::OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) {
  if (!view || step_ != 1 || points_.empty()) return 0;
  const GPoint c{points_[0].x, points_[0].y};
  const double s = construct::CurrentScale(view);
  double radius = 0.0;
  if (!construct::RunRadiusDialog(view, s, GetPointDistance(c.x, c.y, cursor_.x, cursor_.y) / s, letter, c.x, c.y,
                                  cursor_.x, cursor_.y, 0, 0, 0, x, y, radius))
    return 0;
  typedRadius_ = GetPointDistance(c.x, c.y, x, y);
  typedRadiusFlag_ = 1;
  return 1;
}

void CPolygonCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 2) return;
  // After a typed radius the next click gives the direction.
  if (points_.size() == 2 && typedRadiusFlag_) return;
  const GPoint c{points_[0].x, points_[0].y};
  const GPoint p{points_.back().x, points_.back().y};
  points_.clear();
  step_ = 0;
  sides_ = ReadSides();
  const double r = RadiusFor(c, p);
  if (r <= tressil::kGeomTolerance || sides_ < 1) return;
  const std::vector<GPoint> v = Vertices(c, p, r, tabCount_, sides_);
  const int layer = view->GetCurrentLayer();
  CDrawingGroup* group = view->GetCurrentGroup();
  std::unique_ptr<CBlockEntity> block(ConstructBlockEntity(layer, group));
  for (size_t i = 1; i < v.size(); ++i) {
    std::unique_ptr<CLineEntity> edge(ConstructLineEntity(layer, group, v[i - 1].x, v[i - 1].y, v[i].x, v[i].y, 1));
    if (block->AddMember(edge.get())) edge.release();
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(block.get()));
  view->AddEntityToView(block.release(), nullptr, nullptr, 1);
  view->PushUndoRecord(record.release());
  typedRadiusFlag_ = 0;
}
