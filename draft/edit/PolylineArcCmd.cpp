#include "draft/edit/PolylineArcCmd.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/RadiusInputDlg.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/NumberText.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr const char* kSection = "PolyLine";
constexpr const char* kRadiusKey = "PLINEARCRR";
constexpr double kTol = tressil::kGeomTolerance;
// Every kind, members of compounds offered (the picked segment is read only).
constexpr DWORD kContinueMask = static_cast<DWORD>(-262);

const char* const kLinePrompts[] = {"输入直线的第一点(Tab键切换为画圆弧)", "输入直线的第二点(Tab键切换为画圆弧)"};
const char* const kArcPrompts[] = {"输入圆弧的第一点(Tab键切换为画直线)", "输入圆弧的第二点(Tab键切换为画直线)",
                                   "输入圆弧的第三点"};
constexpr const char* kLineContinue = "输入直线的第二点(Tab键切换为画圆弧,shifit键切换为切点位置)";
constexpr const char* kArcContinue = "输入圆弧的第二点(Tab键切换为画直线,shifit键切换为切点位置)";
constexpr const char* kPickPrompt = "选择图元,shifit键切换为直接绘制直线或圆弧)";

GPoint Polar(double cx, double cy, double r, double degrees) {
  const double a = DegreeToRadian(degrees);
  return {cx + r * std::cos(a), cy + r * std::sin(a)};
}

bool Coincide(const GPoint& a, const GPoint& b) {
  return std::fabs(a.x - b.x) <= kTol && std::fabs(a.y - b.y) <= kTol;
}

void SetLine(double out[5], const GPoint& a, const GPoint& b) {
  out[0] = a.x;
  out[1] = a.y;
  out[2] = b.x;
  out[3] = b.y;
}

void SetArc(double out[5], const GPoint& c, double r, double start, double end) {
  out[0] = c.x;
  out[1] = c.y;
  out[2] = r;
  out[3] = start;
  out[4] = end;
}
}  // namespace

CPolylineArcCmd::CPolylineArcCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  double radius = 10.0;
  if (platform::ParseNumber(GetProfileStringSetting(kSection, kRadiusKey, "10.0").GetString(), radius))
    arcRadius_ = radius;
  SetFreshPrompts();
}

CPolylineArcCmd::~CPolylineArcCmd() {
  CStringA text;
  text.Format("%f", arcRadius_);
  WriteProfileStringSetting(kSection, kRadiusKey, text.GetString());
}

void CPolylineArcCmd::SetFreshPrompts() {
  prompts_.clear();
  if (kind_ == 1) {
    for (const char* p : kLinePrompts) prompts_.emplace_back(p);
    pointCount_ = 2;
  } else {
    for (const char* p : kArcPrompts) prompts_.emplace_back(p);
    pointCount_ = 3;
  }
}

void CPolylineArcCmd::SetContinuationPrompt() { promptOverride_ = kind_ == 1 ? kLineContinue : kArcContinue; }

bool CPolylineArcCmd::GetCurrentEnd(GPoint& end) const {
  if (endIndex_ < 0 || endIndex_ >= endCount_) return false;
  end = ends_[endIndex_];
  return true;
}

// ---- Keys.

void CPolylineArcCmd::OnTabKey(CDraftView* view) {
  CCmdBase::OnTabKey(view);
  kind_ = kind_ ? 0 : 1;
  if (IsContinuing()) {
    SetContinuationPrompt();
  } else if (pointCount_ == 2) {
    SetFreshPrompts();  // a fresh line becomes a fresh arc
  } else if (step_ == 2) {
    kind_ = 0;  // the arc's second point is taken: it stays an arc
  } else {
    SetFreshPrompts();
  }
}

void CPolylineArcCmd::OnShiftKey(CDraftView* view) {
  CCmdBase::OnShiftKey(view);
  if (endCount_ > 0 && endIndex_ <= endCount_ && IsContinuing() && (lineDrawn_ || arcDrawn_)) {
    endIndex_ = (endIndex_ + 1) % endCount_;
    return;
  }
  continuePick_ = continuePick_ ? 0 : 1;
  if (continuePick_) {
    pointCount_ = 1;
    pickMode_ = 1;
    promptOverride_ = kPickPrompt;
  } else {
    pickMode_ = 0;
    SetFreshPrompts();
    promptOverride_.Empty();
  }
}

void CPolylineArcCmd::OnCtrlKey(CDraftView* view) {
  CCmdBase::OnCtrlKey(view);
  if (IsContinuing() && kind_ == 1 && arcDrawn_) tangentSwitch_ = tangentSwitch_ ? 0 : 1;
}

int CPolylineArcCmd::OnRadiusKey(CDraftView* view, double&, double&, UINT letter) {
  if (!view || !IsContinuing() || kind_ != 0) return 0;
  const double scale = GetGroupScale(view->GetCurrentGroup());
  CModalDialogScope scope(view);
  CRadiusInputDlg dlg(nullptr, scale, arcRadius_ / scale, letter);
  if (dlg.DoModal() != IDOK) return 0;
  // The root takes the mouse position as a typed point and raises the step
  // again: the next click completes the arc.
  --step_;
  arcRadius_ = dlg.GetValue();
  radiusFixed_ = 1;
  return 1;
}

int CPolylineArcCmd::OnRButton(CDraftView*) {
  if (!(lineDrawn_ || arcDrawn_)) {
    step_ = 0;
    points_.clear();
    return 1;
  }
  tabCount_ = 0;
  tangentSwitch_ = 1;
  kind_ = 1;
  lineDrawn_ = arcDrawn_ = 0;
  step_ = 0;
  points_.clear();
  endCount_ = endIndex_ = 0;
  radiusFixed_ = 0;
  continuePick_ = 0;
  pickMode_ = 0;
  SetFreshPrompts();
  promptOverride_.Empty();
  return 0;
}

// ---- The next segment.

int CPolylineArcCmd::ComputeContinuingLine(const GPoint& e, const GPoint& p, double out[5]) const {
  if (Coincide(p, e)) return kNone;
  if (!(arcDrawn_ && tangentSwitch_)) {
    SetLine(out, e, p);
    return kLine;
  }
  // Turned so that the arc's centre lies on the -x side of E: the tangent
  // at E is the vertical through E, and the line ends at the foot of P on it.
  const double turn = 180.0 - GetLineAngle(e.x, e.y, last_[0], last_[1]);
  GPoint q = p;
  RotatePoint(q, e, turn);
  if (std::fabs(q.y - e.y) <= kTol) return kNone;
  GPoint foot{e.x, q.y};
  RotatePoint(foot, e, -turn);
  SetLine(out, e, foot);
  return kLine;
}

int CPolylineArcCmd::ComputeContinuingArc(const GPoint& e, const GPoint& p, double out[5]) {
  GPoint v;
  double sweep = 0.0;
  if (arcDrawn_) {
    MakeAngleRangeAscending(last_[3], last_[4]);
    sweep = NormalizeAngle(std::fabs(last_[4] - last_[3]));
    const GPoint c{last_[0], last_[1]};
    GPoint o = ends_[(endIndex_ + 1) % 2];
    if (std::fabs(sweep - 180.0) <= kTol) {
      // The tangents at the two ends of a half circle are parallel: its
      // middle stands for the other end.
      double mid = (last_[3] + last_[4]) / 2;
      double s = last_[3];
      MakeAngleRangeAscending(s, mid);
      o = Polar(c.x, c.y, last_[2], mid);
    }
    GPoint t1 = c, t2 = c;
    RotatePoint(t1, e, 90.0);
    RotatePoint(t2, o, 90.0);
    if (!IntersectLinesEx(0, t1, e, o, t2, v, 1)) return kNone;
  } else if (lineDrawn_) {
    v = {(last_[0] + last_[2]) / 2, (last_[1] + last_[3]) / 2};
  } else {
    return kNone;
  }
  // Turned so that the way back points along -x: the centre lies on the
  // vertical through E, on P's side.
  const double turn = 180.0 - GetLineAngle(e.x, e.y, v.x, v.y);
  GPoint q = p;
  RotatePoint(q, e, turn);
  const double dy = q.y - e.y;
  if (std::fabs(dy) <= kTol) return kNone;
  int side = dy > kTol ? 0 : 1;
  GPoint centre;
  double r;
  if (radiusFixed_) {
    r = arcRadius_;
    centre = {e.x, side == 0 ? e.y + r : e.y - r};
  } else {
    // The point of the vertical through E as far from E as from P: where
    // the perpendicular bisector of E and P meets it.
    const GPoint m{(e.x + q.x) / 2, (e.y + q.y) / 2};
    const GPoint along{m.x - (q.y - e.y), m.y + (q.x - e.x)};
    if (!IntersectLinesEx(0, m, along, e, GPoint{e.x, e.y + 100.0}, centre, 0)) return kNone;
    r = std::fabs(centre.y - e.y);
  }
  if (arcDrawn_ && sweep > 180.0 + kTol) side = side ? 0 : 1;
  RotatePoint(centre, e, -turn);
  double start = GetLineAngle(centre.x, centre.y, p.x, p.y);
  double end = GetLineAngle(centre.x, centre.y, e.x, e.y);
  if (side == 0) SwapDoubles(start, end);
  MakeAngleRangeAscending(start, end);
  SetArc(out, centre, r, start, end);
  return kArc;
}

int CPolylineArcCmd::ComputeFresh(const GPoint& p, double out[5]) const {
  if (points_.empty()) return kNone;
  const GPoint first{points_[0].x, points_[0].y};
  if (step_ == 1 || (kind_ == 1 && step_ == 2)) {
    SetLine(out, first, p);
    return kLine;
  }
  if (kind_ == 1 || (step_ != 2 && step_ != 3) || points_.size() < 2) return kNone;
  GPoint c;
  double r, start, end;
  if (!GetArcBy3Points(first, GPoint{points_[1].x, points_[1].y}, p, c, r, start, end) || r <= kTol) return kNone;
  SetArc(out, c, r, start, end);
  return kArc;
}

int CPolylineArcCmd::ComputeNextSegment(double out[5]) {
  const GPoint p{cursor_.x, cursor_.y};
  const bool fresh = kind_ == 1 ? pointCount_ == 2 : pointCount_ == 3;
  if (fresh) return ComputeFresh(p, out);
  GPoint e;
  if (!GetCurrentEnd(e)) return kNone;
  return kind_ == 1 ? ComputeContinuingLine(e, p, out) : ComputeContinuingArc(e, p, out);
}

// ---- Preview and execution.

int CPolylineArcCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  double s[5];
  switch (ComputeNextSegment(s)) {
    case kLine:
      if (!IsSamePoint(s[0], s[1], s[2], s[3])) view->DrawLinePreview(s[0], s[1], s[2], s[3], 0);
      break;
    case kArc:
      if (std::fabs(s[2]) > kTol) view->DrawArcPreview(s[0], s[1], s[2], s[3], s[4], 0);
      break;
    default:
      break;
  }
  return CCmdBase::DrawPreview(view);
}

void CPolylineArcCmd::PickSegment(CDraftView* view) {
  CEntityList found;
  view->PickEntitiesAtPoint(cursor_.x, cursor_.y, found, 0, 0, 0, 0, kContinueMask, -1);
  const CEntity* picked = nullptr;
  for (const CEntity* e : found) {
    if (e->IsArc() || e->IsLine()) {
      picked = e;
      break;
    }
  }
  points_.clear();
  step_ = 0;
  if (!picked) return;
  arcDrawn_ = picked->IsArc() ? 1 : 0;
  lineDrawn_ = arcDrawn_ ? 0 : 1;
  double v[kMaxGeometryValues] = {};
  picked->GetGeometry(v);
  for (int i = 0; i < 5; ++i) last_[i] = v[i];
  if (arcDrawn_) {
    ends_[0] = Polar(v[0], v[1], v[2], v[3]);
    ends_[1] = Polar(v[0], v[1], v[2], v[4]);
  } else {
    ends_[0] = {v[0], v[1]};
    ends_[1] = {v[2], v[3]};
  }
  endCount_ = 2;
  const GPoint at{cursor_.x, cursor_.y};
  endIndex_ = MeasurePointDistance(at, ends_[0]) > MeasurePointDistance(at, ends_[1]) + kTol ? 1 : 0;
  pointCount_ = 1;
  SetContinuationPrompt();
  continuePick_ = 0;
  pickMode_ = 0;
}

void CPolylineArcCmd::AddSegment(CDraftView* view, CEntity* entity) {
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(entity));
  view->AddEntityToView(entity, nullptr, nullptr, 1);
  view->PushUndoRecord(record.release());
  radiusFixed_ = 0;
  continuePick_ = 0;
  pickMode_ = 0;
}

void CPolylineArcCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (continuePick_) {
    PickSegment(view);
    return;
  }
  double s[5];
  const int kind = ComputeNextSegment(s);
  const bool none = kind == kNone || (kind == kLine && IsSamePoint(s[0], s[1], s[2], s[3])) ||
                    (kind == kArc && std::fabs(s[2]) <= kTol);
  if (none) {
    points_.clear();
    step_ = 0;
    return;
  }
  if (kind == kArc) {
    const bool tangent = IsContinuing();
    GPoint began;
    if (!GetCurrentEnd(began)) began = {points_[0].x, points_[0].y};
    arcDrawn_ = 1;
    lineDrawn_ = 0;
    // Only a tangent arc through a clicked point sets the remembered radius.
    if (tangent && !radiusFixed_) arcRadius_ = s[2];
    CEntity* arc = ConstructArcEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), s[0], s[1], s[2], s[3], s[4], 1);
    for (int i = 0; i < 5; ++i) last_[i] = s[i];
    const GPoint a = Polar(s[0], s[1], s[2], s[3]);
    const GPoint z = Polar(s[0], s[1], s[2], s[4]);
    // The end where the arc began comes first: the next segment starts at
    // the other.
    ends_[0] = Coincide(a, began) ? a : z;
    ends_[1] = Coincide(a, began) ? z : a;
    AddSegment(view, arc);
  } else {
    lineDrawn_ = 1;
    arcDrawn_ = 0;
    CEntity* line = ConstructLineEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), s[0], s[1], s[2], s[3], 1);
    for (int i = 0; i < 4; ++i) last_[i] = s[i];
    ends_[0] = {s[0], s[1]};
    ends_[1] = {s[2], s[3]};
    AddSegment(view, line);
  }
  endIndex_ = 1;
  endCount_ = 2;
  pointCount_ = 1;
  SetContinuationPrompt();
  points_.clear();
  step_ = 0;
}
