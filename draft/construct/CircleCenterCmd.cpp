#include "draft/construct/CircleCenterCmd.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>

#include "draft/construct/ConstructHelpers.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Messages.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
using construct::kRadiansPerDegree;
using tressil::kGeomTolerance;
// The diagonal offset of a circle's radius that the axonometric mapping
// turns into the ellipse's semi-axes.
constexpr double kAxonometricFactor = 0.8693069377675144;

GPoint Polar(const GPoint& c, double r, double degrees) {
  return {c.x + r * std::cos(degrees * kRadiansPerDegree), c.y + r * std::sin(degrees * kRadiansPerDegree)};
}
}  // namespace

CCircleCenterCmd::CCircleCenterCmd(int id, int centreLines) : CLineCmd(id, nullptr), centreLines_(centreLines) {
  pointCount_ = 2;
  options_.word[0] = 2;
  snapHint_ = 1;
  prompts_ = {CString("输入圆心"), CString("输入圆上一点(R: 半径， D: 直径)"), CString("输入中心线位置")};
}

int CCircleCenterCmd::MarksPoints() { return step_ == 0 ? 1 : 0; }

bool CCircleCenterCmd::AxonometricEllipse(const GPoint& c, double r, int plane, double& a, double& b,
                                          double& rotation) {
  if (plane < 1 || plane > 3) return false;
  const double k = r * kAxonometricFactor;
  GPoint pa{c.x + k, c.y + k};
  GPoint pb{c.x - k, c.y + k};
  ProjectToIsoPlane(c, pa, plane);
  ProjectToIsoPlane(c, pb, plane);
  a = GetPointDistance(c.x, c.y, pa.x, pa.y);
  b = GetPointDistance(c.x, c.y, pb.x, pb.y);
  rotation = 0.0;
  if (plane == 1) {
    rotation = 60.0;
  } else if (plane == 2) {
    SwapDoubles(a, b);
    rotation = 120.0;
  }
  return true;
}

int CCircleCenterCmd::FindCentreLineLayer(CDraftView* view) {
  for (int layer = 0; layer < CLayerTable::kLayerCount; ++layer) {
    const CLayerRecord* record = GetLayerRecord(view->GetLayerTable(), layer);
    if (record && record->GetLineKind() == kLineStyleCenter) return layer;
  }
  return -1;
}

void CCircleCenterCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 2) return;
  const GPoint c{points_[0].x, points_[0].y};
  const GPoint p{points_[1].x, points_[1].y};
  const int layer = view->GetCurrentLayer();
  CDrawingGroup* group = view->GetCurrentGroup();
  int centreLayer = layer;
  if (centreLines_) {
    centreLayer = FindCentreLineLayer(view);
    if (centreLayer < 0) {
      ShowMessage("没有层设置为中心线!", MB_OK);
      centreLayer = layer;
    }
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  CEntityList made;
  const double e = std::atof(GetProfileStringSetting("SystemSetting", "CenterLine", "5.0").GetString());
  const double r = GetPointDistance(c.x, c.y, p.x, p.y);
  if (r > kGeomTolerance) {
    try {
      double a = 0.0, b = 0.0, rotation = 0.0;
      if (AxonometricEllipse(c, r, view->AxonometricMode(), a, b, rotation)) {
        made.AddTail(ConstructEllipseEntity(layer, group, c.x, c.y, a, b, rotation, 0.0, 360.0, 1));
        if (centreLines_) {
          GPoint ends[4] = {{c.x - a - e, c.y}, {c.x + a + e, c.y}, {c.x, c.y - b - e}, {c.x, c.y + b + e}};
          for (GPoint& q : ends) RotatePoint(q, c, rotation);
          made.AddTail(ConstructLineEntity(centreLayer, group, ends[0].x, ends[0].y, ends[1].x, ends[1].y, 1));
          made.AddTail(ConstructLineEntity(centreLayer, group, ends[2].x, ends[2].y, ends[3].x, ends[3].y, 1));
        }
      } else {
        made.AddTail(ConstructCircleEntity(layer, group, c.x, c.y, r, 1));
        if (centreLines_) {
          made.AddTail(ConstructLineEntity(centreLayer, group, c.x - r - e, c.y, c.x + r + e, c.y, 1));
          made.AddTail(ConstructLineEntity(centreLayer, group, c.x, c.y - r - e, c.x, c.y + r + e, 1));
        }
      }
    } catch (...) {
      for (CEntity* m : made) delete m;
      throw;
    }
    view->AddEntities(made);
    record->AddNewList(made);
    view->PushUndoRecord(record.release());
  }
  if (centreLines_) {
    points_.clear();  // the next click is a new centre
  } else {
    points_.resize(1);  // the centre stays: concentric circles follow
  }
  step_ = static_cast<int>(points_.size());
}

int CCircleCenterCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && !points_.empty()) {
    const GPoint c{points_[0].x, points_[0].y};
    const double x = cursor_.x, y = cursor_.y;
    const double r = GetPointDistance(c.x, c.y, x, y);
    const double s = construct::CurrentScale(view);
    const double alpha = GetLineAngle(c.x, c.y, x, y);
    statusText_ = CString("半径: ") + construct::FormatLength(view, r / s) + "    x: " +
                  construct::FormatLength(view, x) + "  y: " + construct::FormatLength(view, y);
    readout1_ = construct::FormatLength(view, r / s);
    readout2_ = construct::FormatDegrees(view, alpha);
    double a = 0.0, b = 0.0, rotation = 0.0;
    if (AxonometricEllipse(c, r, view->AxonometricMode(), a, b, rotation)) {
      view->DrawEllipsePreview(c.x, c.y, a, b, rotation);
      if (centreLines_) {
        const GPoint a1 = Polar(c, a, rotation), a2 = Polar(c, a, rotation + 180.0);
        const GPoint b1 = Polar(c, b, rotation + 90.0), b2 = Polar(c, b, rotation + 270.0);
        view->DrawLinePreview(a1.x, a1.y, a2.x, a2.y);
        view->DrawLinePreview(b1.x, b1.y, b2.x, b2.y);
      }
    } else {
      view->DrawCirclePreview(c.x, c.y, r);
      if (centreLines_) {
        if (tabCount_ % 2 == 0) {
          view->DrawLinePreview(c.x - r, c.y, c.x + r, c.y);
          view->DrawLinePreview(c.x, c.y - r, c.x, c.y + r);
        } else {
          // Turned towards the cursor; the lines made stay level.
          view->DrawLinePreview(2 * c.x - x, 2 * c.y - y, x, y);
          const GPoint q = Polar(c, r, alpha + 90.0);
          view->DrawLinePreview(q.x, q.y, 2 * c.x - q.x, 2 * c.y - q.y);
        }
      }
    }
  }
  return CCmdBase::DrawPreview(view);
}

void CCircleCenterCmd::OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) {
  if (dx == 0 && dy == 0) return;
  if (step_ == 0 || points_.empty() || !view) {
    CCmdBase::OnArrowKey(dx, dy, dp, view, outX, outY);
    return;
  }
  const PointRec before = cursor_;
  CCmdBase::OnArrowKey(dx, dy, dp, view, outX, outY);
  const double g = view->GetLengthStep() * construct::CurrentScale(view);
  const GPoint c{points_[0].x, points_[0].y};
  const double r0 = GetPointDistance(c.x, c.y, before.x, before.y);
  const double r1 = GetPointDistance(c.x, c.y, cursor_.x, cursor_.y);
  const double alpha = GetLineAngle(c.x, c.y, before.x, before.y);
  double r;
  if (r1 < r0 - kGeomTolerance)
    r = r0 - g;
  else if (r1 > r0 + kGeomTolerance)
    r = r0 + g;
  else
    r = r0 + (dx + dy) * g;
  if (g > 0.0 && std::isfinite(g)) r = std::trunc((r + g / 2) / g) * g;
  snapState_ = 0;
  cursor_.word0 = cursor_.word1 = 0;
  const GPoint q = Polar(c, r, alpha);
  cursor_.x = q.x;
  cursor_.y = q.y;
}

int CCircleCenterCmd::OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) {
  if (!view || step_ != 1 || points_.empty()) return 0;
  const GPoint c{points_[0].x, points_[0].y};
  const double s = construct::CurrentScale(view);
  double radius = 0.0;
  return construct::RunRadiusDialog(view, s, GetPointDistance(c.x, c.y, cursor_.x, cursor_.y) / s, letter, c.x, c.y,
                                    cursor_.x, cursor_.y, 0, 0, 0, x, y, radius)
             ? 1
             : 0;
}
