#include "draft/construct/TangentArcCmd.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/framework/RadiusInputDlg.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Messages.h"
#include "draft/host/NumberFormat.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
using tressil::kGeomTolerance;
constexpr DWORD kPickMask = 0xFFDEFEF9;
constexpr const char* kSection = "GongQieYuan";
constexpr const char* kRadiusKey = "r";

bool IsConcentricMode(int mode) { return mode == 4 || mode == 41; }

// Centre and radius of a circle or an arc.
bool ReadCircle(const CEntity* e, GPoint& c, double& r) {
  double v[kMaxGeometryValues];
  if (!e || (!e->IsCircle() && !e->IsArc()) || e->GetGeometry(v) < 3) return false;
  c = {v[0], v[1]};
  r = v[2];
  return true;
}
}  // namespace

CTangentArcCmd::CTangentArcCmd(int id, int mode) : CCmdBase(id, nullptr), mode_(mode), ctorMode_(mode) {
  pointCount_ = 1;
  pickMode_ = 1;
  switch (mode) {
    case 1:
      prompts_[0] = "选择内切第一个园";
      prompts_[1] = "选择内切第二个园";
      break;
    case 2:
      prompts_[0] = "选择外切第一个园";
      prompts_[1] = "选择外切第二个园";
      break;
    default:
      prompts_[0] = "选择内切园";
      prompts_[1] = "选择外切园";
      break;
  }
}

void CTangentArcCmd::Reset(CDraftView* view) {
  mode_ = ctorMode_;
  first_ = second_ = nullptr;
  typedAngle_ = 0;
  if (view) view->ClearSelection(nullptr);
  points_.clear();
}

void CTangentArcCmd::Execute(CDraftView* view) {
  if (!view) return;
  bool gotSecond = false;
  if (!first_ || !second_) {
    CEntityList hits;
    view->PickEntitiesAtPoint(cursor_.x, cursor_.y, hits, 0, 1, 0, 0, kPickMask, -1);
    for (CEntity* e : hits) {
      if (!e->IsCircle() && !e->IsArc()) continue;
      if (!first_) {
        first_ = e;
      } else if (!second_ && e != first_) {
        second_ = e;
        gotSecond = true;
        break;
      }
    }
  }
  if (first_ && second_) {
    if (gotSecond) {
      view->SelectEntity(second_, 1, 1, 1, nullptr);
      pickMode_ = 0;
      ClassifyCircles(view);
    }
    // Concentric circles wait for a third click that places the arc.
    if (!IsConcentricMode(mode_) || step_ >= 3) {
      BuildArc(view, 0);
      Reset(view);
    }
  } else if (first_) {
    if (step_ >= 2)
      points_.resize(1);  // the second click hit nothing new
    else
      view->SelectEntity(first_, 1, 1, 1, nullptr);
  } else {
    points_.clear();
  }
  pickMode_ = 1;
}

void CTangentArcCmd::ClassifyCircles(CDraftView*) {
  ReadCircle(first_, c1_, r1_);
  ReadCircle(second_, c2_, r2_);
  groupScale_ = GetGroupScale(first_ ? first_->GetEntityGroup() : nullptr);
  if (IsSamePoint(c1_, c2_)) {
    if (std::fabs(r1_ - r2_) > kGeomTolerance) {
      if (mode_ == 3) {
        mode_ = 4;
        radius_ = std::fabs(r1_ - r2_) / 2;
      } else if (mode_ == 1) {
        mode_ = 41;
        radius_ = (r1_ + r2_) / 2;
      }
    }
    return;
  }
  // One circle lies inside the other when the distance of the centres and
  // its radius stay within the other's radius.
  const double d = GetPointDistance(c1_.x, c1_.y, c2_.x, c2_.y);
  if (d + r1_ <= r2_ + kGeomTolerance) {
    if (mode_ == 3) mode_ = 31;
    if (mode_ == 1) mode_ = 11;
  } else if (d + r2_ <= r1_ + kGeomTolerance) {
    if (mode_ == 3) mode_ = 32;
    if (mode_ == 1) mode_ = 12;
  }
}

int CTangentArcCmd::PlaceCentreOnRing(CDraftView*) {
  const GPoint ref = typedAngle_ ? reference_ : GPoint{cursor_.x, cursor_.y};
  const double ring = mode_ == 4 ? (r1_ + r2_) / 2 : std::fabs(r1_ - r2_) / 2;
  GPoint out[2];
  if (IntersectLineCircle(c1_, ref, c1_, ring, out) < 2) return 0;
  centre_ = SelectNearerPoint(ref, out[0], out[1]);
  return 1;
}

void CTangentArcCmd::CentreOffsets(double R, double& d1, double& d2) {
  negated_[0] = negated_[1] = false;
  switch (mode_) {
    case 1:
    case 13:
      d1 = R - r1_;
      d2 = R - r2_;
      if (d1 < 0) {
        d1 = -d1;
        negated_[0] = true;
        mode_ = 13;
      }
      if (d2 < 0) {
        d2 = -d2;
        negated_[1] = true;
        mode_ = 13;
      }
      break;
    case 2:
      d1 = R + r1_;
      d2 = R + r2_;
      break;
    case 3:
    case 33:
      d1 = R - r1_;
      d2 = R + r2_;
      if (d1 < 0) {
        d1 = -d1;
        negated_[0] = true;
        mode_ = 33;
      }
      break;
    case 11:
    case 12:
      d1 = std::fabs(R - r1_);
      d2 = std::fabs(r2_ - R);
      break;
    case 31:
      d1 = R + r1_;
      d2 = r2_ - R;
      break;
    case 32:
    default:
      d1 = r1_ - R;
      d2 = R + r2_;
      break;
  }
}

bool CTangentArcCmd::TakesFarPoint(int circle) const {
  switch (mode_) {
    case 1:
      return true;
    case 13:
      // The arc encloses a circle whose offset was not negated: its tangent
      // point is the far one, as in mode 1.
      return !negated_[circle - 1];
    case 3:
    case 11:
      return circle == 1;
    case 12:
      return circle == 2;
    case 41:
      return r1_ >= r2_ ? circle == 2 : circle == 1;
    default:
      return false;
  }
}

int CTangentArcCmd::BuildArc(CDraftView* view, int preview) {
  if (!view) return 0;
  const GPoint p0 = points_.empty() ? GPoint{cursor_.x, cursor_.y} : GPoint{points_[0].x, points_[0].y};
  double R = radius_;
  if (IsConcentricMode(mode_)) {
    if (!PlaceCentreOnRing(view)) return 0;
  } else {
    radius_ = std::atof(GetProfileStringSetting(kSection, kRadiusKey, "50").GetString());
    const int classified = mode_;
    for (;;) {
      mode_ = classified;
      {
        CModalDialogScope scope(view);
        CRadiusInputDlg dlg(nullptr, 1.0, radius_, 'r');
        if (dlg.DoModal() != IDOK) return 0;
        radius_ = dlg.GetValue();
      }
      WriteProfileStringSetting(kSection, kRadiusKey,
                                FormatNumberText(radius_, GetNumberFormat(view->GetUnitSettings().length)).GetString());
      R = radius_ * groupScale_;
      double d1 = 0.0, d2 = 0.0;
      CentreOffsets(R, d1, d2);
      GPoint out[2];
      const int n = IntersectCircles(c1_, d1, c2_, d2, out);
      if (n > 0) {
        if (n == 1) out[1] = out[0];
        centre_ = (mode_ == 1 || mode_ == 3) ? SelectOtherPoint(p0, out[0], out[1])
                                             : SelectNearerPoint(p0, out[0], out[1]);
        break;
      }
      if (ShowMessage("公切园半径不合要求,重新输入吗?", MB_OKCANCEL) != IDOK) return 0;
    }
  }
  // The tangent point on each circle, on the line from the arc's centre.
  GPoint t[2];
  const GPoint centres[2] = {c1_, c2_};
  const double radii[2] = {r1_, r2_};
  for (int i = 0; i < 2; ++i) {
    GPoint pts[2];
    IntersectLineCircleEx(centre_, centres[i], centres[i], radii[i], pts);
    t[i] = TakesFarPoint(i + 1) ? SelectOtherPoint(centre_, pts[0], pts[1])
                                : SelectNearerPoint(centre_, pts[0], pts[1]);
  }
  double start = NormalizeAngle(GetLineAngle(centre_.x, centre_.y, t[0].x, t[0].y));
  double end = NormalizeAngle(GetLineAngle(centre_.x, centre_.y, t[1].x, t[1].y));
  MakeAngleRangeAscending(start, end);
  if (end - start > 360.0 - (end - start)) {
    // Always the shorter arc.
    SwapDoubles(start, end);
    MakeAngleRangeAscending(start, end);
  }
  if (preview) {
    view->DrawArcPreview(centre_.x, centre_.y, R, start, end, 0);
    return 1;
  }
  const int layer = first_ ? first_->GetEntityLayer() : view->GetCurrentLayer();
  CDrawingGroup* group = first_ ? first_->GetEntityGroup() : view->GetCurrentGroup();
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  CEntity* arc = ConstructArcEntity(layer, group, centre_.x, centre_.y, R, start, end, 1);
  view->AddEntityToView(arc, record.get());
  view->PushUndoRecord(record.release());
  return 1;
}

int CTangentArcCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (IsConcentricMode(mode_) && step_ == 2 && !typedAngle_ && first_ && second_) {
    BuildArc(view, 1);
    pickMode_ = 0;
    return 0;
  }
  return CCmdBase::DrawPreview(view);
}

int CTangentArcCmd::OnNumberKey(CDraftView* view, UINT ch, UINT, double& x, double& y) {
  if (!view || !IsConcentricMode(mode_) || !first_) return 0;
  CModalDialogScope scope(view);
  CNumberInputDlg dlg(nullptr, "输入弧中心角度", "角度值", 0.0, ch);
  if (dlg.DoModal() != IDOK) return 0;
  const double a = ConvertInputAngle(dlg.GetValue(), 1);
  typedAngle_ = 1;
  reference_ = {c1_.x + radius_ * std::cos(a), c1_.y + radius_ * std::sin(a)};
  x = reference_.x;
  y = reference_.y;
  return 1;
}

int CTangentArcCmd::OnRButton(CDraftView* view) {
  if (view) view->ClearSelection(nullptr);
  first_ = second_ = nullptr;
  mode_ = ctorMode_;
  typedAngle_ = 0;
  points_.clear();
  pickMode_ = 1;
  return CCmdBase::OnRButton(view);
}
