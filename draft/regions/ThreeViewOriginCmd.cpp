#include "draft/regions/ThreeViewOriginCmd.h"

#include <cmath>

#include "draft/host/Geometry2D.h"

namespace {
constexpr double kTol = tressil::kGeomTolerance;
constexpr BYTE kLevel = 6;

// Whether q lies on the mitre side of p: to the lower right or the upper
// left, edges included.
bool OnMitreSide(const PointRec& p, const PointRec& q) {
  return (p.x <= q.x + kTol && p.y >= q.y - kTol) || (p.x >= q.x - kTol && p.y <= q.y + kTol);
}
}  // namespace

CThreeViewOriginCmd::CThreeViewOriginCmd(int id) : CCmdBase(id, nullptr) {
  level_ = kLevel;
  pointCount_ = 3;
  prompts_ = {CString("划分三视图,确定第一点"), CString("定原点(右键确定三视图原点为第一点)"),
              CString("定原点(右键确定三视图原点为第一点)")};
}

void CThreeViewOriginCmd::SnapToMitre(const GPoint& base, GPoint& cursor) {
  double a = GetLineAngle(base.x, base.y, cursor.x, cursor.y);
  if (a >= 180.0 - kTol) a -= 180.0;
  if (a - 135.0 >= -kTol)
    cursor.y = base.y + (base.x - cursor.x);
  else
    cursor.x = base.y - cursor.y + base.x;
}

int CThreeViewOriginCmd::OnLButton(UINT flags, CPoint dp, CDraftView* view) {
  if (!view) return 0;
  if (points_.size() != 1) return CCmdBase::OnLButton(flags, dp, view);
  HideCrossHair(view);
  points_.push_back(cursor_);
  const int d = OnMitreSide(points_[0], points_[1]) ? 2 : 1;
  step_ = (1 + d) % 3;
  if (step_ == 0) {
    Execute(view);
    OnRButton(view);
    LocatePoint(cursor_, flags, dp, view);
  }
  return DrawPreview(view);
}

int CThreeViewOriginCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  GPoint base{};
  bool haveBase = false;
  if (points_.size() == 1) {
    base = {points_[0].x, points_[0].y};
    haveBase = true;
  } else if (points_.size() == 2) {
    const PointRec& p0 = points_[0];
    const PointRec& p1 = points_[1];
    base = {p0.x - p1.x > kTol ? p0.x : p1.x, p0.y - p1.y <= kTol ? p0.y : p1.y};
    haveBase = true;
  }
  if (haveBase) {
    const double dx = cursor_.x - base.x, dy = cursor_.y - base.y;
    if (std::fabs(dx) > kTol && std::fabs(dy) > kTol && (dx > 0) != (dy > 0)) {
      GPoint c{cursor_.x, cursor_.y};
      SnapToMitre(base, c);
      cursor_.x = c.x;
      cursor_.y = c.y;
      view->DrawLinePreview(base.x, base.y, cursor_.x, cursor_.y);
    }
  }
  return CCmdBase::DrawPreview(view);
}

void CThreeViewOriginCmd::Execute(CDraftView* view) {
  if (!view) return;
  HideCrossHair(view);
  view->MoveCursorTo(cursor_.x, cursor_.y);
  points_.clear();
}

int CThreeViewOriginCmd::OnRButton(CDraftView* view) {
  if (points_.size() == 1 && view) {
    HideCrossHair(view);
    cursor_ = points_[0];
    Execute(view);
    return 1;
  }
  return CCmdBase::OnRButton(view);
}

int CThreeViewOriginCmd::SnapPoint(PointRec& cursor, UINT flags, CPoint, CDraftView* view, DWORD& outX,
                                   DWORD& outY) {
  if (!view) return 0;
  return view->SnapCursorPoint(options_, flags, points_, cursor, 0, outX, outY, snapHint_, &snapState_);
}
