#include "draft/construct/LineCopyCmd.h"

#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/construct/LinkFormDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineCopyServices.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/Messages.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr const char* kSection = "LineCopySetting";
constexpr const char* kDoubleKey = "DoubleLine";
constexpr DWORD kPickMask = 0x422040;
constexpr DWORD kSecondPickMask = 0x420040;
constexpr double kTolerance = 1e-6;

// Whether an angle in degrees lies within 1e-6 of 0, 90, 180, 270 or 360.
bool IsRightMultiple(double degrees) {
  for (double a : {0.0, 90.0, 180.0, 270.0, 360.0})
    if (std::fabs(degrees - a) <= kTolerance) return true;
  return false;
}

GPoint Offset(const GPoint& p, const GPoint& direction, double distance) {
  return {p.x + direction.x * distance, p.y + direction.y * distance};
}

// The ends of a line entity, as drawn.
void LineEnds(const CEntity* line, GPoint& s, GPoint& e) {
  double v[kMaxGeometryValues];
  line->GetGeometry(v);
  s = {v[0], v[1]};
  e = {v[2], v[3]};
}

// Where the line through `end` in the direction `angle` degrees meets the
// picked line a-b; `end` itself when they do not meet.
GPoint PartnerEnd(const GPoint& end, double angle, const GPoint& a, const GPoint& b) {
  const double turn = NormalizeAngle(angle);
  const GPoint aux = std::fabs(turn - 90.0) <= kTolerance || std::fabs(turn - 270.0) <= kTolerance
                         ? GPoint{end.x, end.y + 100.0}
                         : GPoint{end.x + 100.0, end.y + 100.0 * std::tan(angle * construct::kRadiansPerDegree)};
  GPoint out = end;
  IntersectLinesEx(0, end, aux, a, b, out, 1);
  return out;
}

// Whether the copy is still in the drawing: the same entity (by handle) in
// the entity or the selection list.
bool InDrawing(CDraftView* view, const CEntity* e, DWORD handle) {
  if (!e) return false;
  if (!view->GetEntityList()->Contains(e) && !view->GetSelectionList()->Contains(e)) return false;
  return e->GetHandle() == handle;
}
}  // namespace

CLineCopyCmd::CLineCopyCmd(int id, int, int lengthMode) : CCmdBase(id, nullptr), lengthMode_(lengthMode) {
  double_ = GetProfileIntSetting(kSection, kDoubleKey, 1) ? 1 : 0;
  pickMode_ = 1;
  snapHint_ = 2;
  snapState_ = 1;
  pointCount_ = 1;
  if (lengthMode_)
    prompts_ = {CString("选择相距线(TAB：单/双切换)"), CString("输入位置和长度(TAB：单/双切换)"),
                CString("输入长度(TAB：单/双切换)")};
  else
    prompts_ = {CString("选择相距线(TAB：单/双切换)"), CString("输入位置(TAB：单/双切换)"), prompts_[2]};
}

CLineCopyCmd::~CLineCopyCmd() { WriteProfileIntSetting(kSection, kDoubleKey, double_); }

// ---- Small helpers.

bool CLineCopyCmd::IsCopyCandidate(const CEntity* e, bool linesOnly) {
  if (!e->IsLine() && (linesOnly || (!e->IsCircle() && !e->IsArc()))) return false;
  return !IsCopyExcludedOwner(e->GetEntityOwner());
}

bool CLineCopyCmd::IsAxonometric(CDraftView* view) {
  const int plane = view ? view->AxonometricMode() : 0;
  return plane >= 1 && plane <= 3;
}

bool CLineCopyCmd::HasSlantedDirection() const {
  return direction_ && direction_ != copied_ && std::fabs(directionAngle_ - 90.0) > kTolerance;
}

bool CLineCopyCmd::StepSnapOn() const { return snapState_ && !construct::IsSnappedOntoEntity(cursor_); }

bool CLineCopyCmd::CopiedLine(GPoint& a, GPoint& b) const {
  if (!copied_ || !copied_->IsLine()) return false;
  LineEnds(copied_, a, b);
  return !IsSamePoint(a, b);
}

GPoint CLineCopyCmd::FootOnCopiedLine(const GPoint& p) const {
  GPoint a, b, foot = p;
  if (CopiedLine(a, b)) ProjectPointToLine(0, a, b, p, foot);
  return foot;
}

double CLineCopyCmd::RecordAngle() const {
  GPoint a, b;
  CopiedLine(a, b);
  if (direction_ && direction_ != copied_ && !IsRightMultiple(directionAngle_)) {
    GPoint d1, d2;
    LineEnds(direction_, d1, d2);
    return GetLineAngle(d1.x, d1.y, d2.x, d2.y);
  }
  return GetLineAngle(a.x, a.y, b.x, b.y) + 90.0;
}

// ---- Picking.

void CLineCopyCmd::PickEntity(CDraftView* view) {
  if (view->GetDisplay()->IsTransformed()) {
    points_.clear();
    return;
  }
  const GPoint at{cursor_.x, cursor_.y};
  const double aperture = view->GetUnitSettings().pickSize / 2.0 / view->GetDisplay()->GetTransformFactor();
  CEntityList hits;
  view->PickEntitiesAtPoint(at.x, at.y, hits, 0, 1, 0, 0, second_ ? kSecondPickMask : kPickMask, 0);
  CEntity* first = nullptr;
  second_ = nullptr;
  for (CEntity* e : hits) {
    if (!second_ && !e->IsPointNear(at.x, at.y, aperture)) continue;
    if (!IsCopyCandidate(e, false)) continue;
    if (!first) {
      first = e;
      if (!lengthMode_ || !first->IsLine()) break;
      continue;
    }
    if (!e->IsLine()) continue;
    // A second line makes the pick a corner; of further lines, a base
    // line takes the second place from one that is not.
    if (!second_ || (IsBaseLineEntity(view, e) && !IsBaseLineEntity(view, second_))) second_ = e;
  }
  if (!first) {
    pickMode_ = 1;
    points_.clear();
    return;
  }
  if (!first->IsLine()) {
    // An arc or circle: the centre stands for the pick.
    CircleRecord* circle = nullptr;
    if (first->QueryRecord(reinterpret_cast<void**>(&circle), kQueryCircle) && circle) {
      points_[0].x = circle->cx;
      points_[0].y = circle->cy;
      delete circle;
    }
    copied_ = first;
    pickMode_ = 0;
    return;
  }
  if (second_) {
    // Two lines: the copy is made of the base line of the two, from their
    // crossing nearest the cursor.
    const bool firstIsBase = IsBaseLineEntity(view, first) != FALSE;
    const bool secondIsBase = IsBaseLineEntity(view, second_) != FALSE;
    if (firstIsBase == secondIsBase) {
      ShowMessage("确定拷贝基线", MB_OK | MB_ICONINFORMATION);
      second_ = nullptr;
      pickMode_ = 1;
      points_.clear();
      return;
    }
    GPoint crossings[2];
    const int n = first->Intersect(*second_, crossings, 2);
    pick_ = at;
    if (n == 1) {
      pick_ = crossings[0];
    } else if (n == 2) {
      pick_ = SelectEndPoint(at, crossings[0], crossings[1], 1);
    } else {
      GPoint a1, a2, b1, b2;
      LineEnds(first, a1, a2);
      LineEnds(second_, b1, b2);
      IntersectLinesEx(0, a1, a2, b1, b2, pick_, 1);
    }
    copied_ = firstIsBase ? first : second_;
  } else {
    copied_ = first;
    pick_ = at;
  }
  second_ = nullptr;
  if (IsAxonometric(view)) {
    // The offset may follow a direction line: it is picked next.
    awaitingDirection_ = true;
    promptOverride_ = "选择方向线";
    return;
  }
  pickMode_ = 0;
}

void CLineCopyCmd::PickDirectionLine(CDraftView* view) {
  CEntityList hits;
  view->PickEntitiesAtPoint(cursor_.x, cursor_.y, hits, 0, 1, 0, 0, kPickMask, 0);
  CEntity* line = nullptr;
  for (CEntity* e : hits)
    if (IsCopyCandidate(e, true)) {
      line = e;
      break;
    }
  points_.resize(1);
  if (!line) return;
  GPoint a, b, d1, d2;
  CopiedLine(a, b);
  LineEnds(line, d1, d2);
  double angle = 90.0;
  GetLinesDistance(a, b, d1, d2, angle);
  directionAngle_ = IsRightMultiple(angle) ? 90.0 : angle;
  direction_ = line;
  awaitingDirection_ = false;
  promptOverride_.Empty();
  pickMode_ = 0;
}

// ---- Geometry of a line copy.

bool CLineCopyCmd::ComputeLineCopies(CDraftView* view, const GPoint& at, LineCopies& out) {
  GPoint a, b;
  if (!view || !CopiedLine(a, b)) return false;
  const CDrawingGroup* group = copied_->GetEntityGroup() ? copied_->GetEntityGroup() : view->GetCurrentGroup();
  // After a typed offset the length follows as a step of its own, with the
  // offset kept at the position point.
  GPoint offsetAt = at;
  if (lengthMode_ && pointCount_ == 3 && points_.size() >= 2) offsetAt = {points_[1].x, points_[1].y};
  const bool slanted = HasSlantedDirection();
  const double sine = slanted ? std::sin(directionAngle_ * construct::kRadiansPerDegree) : 1.0;
  if (!typedOffset_) {
    double d = GetPointLineDistance(offsetAt, a, b);
    if (StepSnapOn()) {
      // Whole steps along the direction line, both sides alike.
      double along = std::fabs(d / sine);
      view->SnapLength(along, group);
      d = (d < 0 ? -along : along) * sine;
    }
    offset_ = d;
  }
  if (std::fabs(offset_) <= kTolerance) return false;

  GPoint s = a, e = b;
  if (lengthMode_) {
    s = FootOnCopiedLine(pick_);
    e = FootOnCopiedLine(at);
    if (StepSnapOn() && !typedLength_ && !IsSamePoint(s, e)) {
      double length = GetPointDistance(s.x, s.y, e.x, e.y);
      if (view->SnapLength(length, group) && length > kTolerance) SetPointDistance(s, e, length);
    }
  }
  if (IsSamePoint(s, e)) return false;

  const double shift = typedOffset_ && double_ ? offset_ / 2.0 : offset_;
  const double lineLength = GetPointDistance(a.x, a.y, b.x, b.y);
  const GPoint left{-(b.y - a.y) / lineLength, (b.x - a.x) / lineLength};
  out.s1 = Offset(s, left, shift);
  out.e1 = Offset(e, left, shift);
  out.count = 1;
  if (double_) {
    out.s2 = {2 * s.x - out.s1.x, 2 * s.y - out.s1.y};
    out.e2 = {2 * e.x - out.e1.x, 2 * e.y - out.e1.y};
    out.count = 2;
  }
  if (slanted) {
    // The ends move along the direction line onto the copies.
    GPoint d1, d2;
    LineEnds(direction_, d1, d2);
    const double dx = d2.x - d1.x, dy = d2.y - d1.y;
    auto auxiliary = [&](const GPoint& base) {
      return std::fabs(dx) <= kTolerance ? GPoint{base.x, base.y + 100.0}
                                         : GPoint{base.x + 100.0, base.y + 100.0 * dy / dx};
    };
    auto onto = [&](const GPoint& c1, const GPoint& c2, const GPoint& base) {
      GPoint p = base;
      IntersectLinesEx(0, c1, c2, base, auxiliary(base), p, 1);
      return p;
    };
    const GPoint c1s = out.s1, c1e = out.e1, c2s = out.s2, c2e = out.e2;
    const GPoint secondBase = lengthMode_ ? at : e;
    out.s1 = onto(c1s, c1e, s);
    out.e1 = onto(c1s, c1e, secondBase);
    if (lengthMode_) {
      GPoint moved = e;
      if (IntersectLinesEx(0, a, b, at, auxiliary(at), moved, 1)) e = moved;
    }
    if (out.count == 2) {
      out.s2 = onto(c2s, c2e, s);
      out.e2 = onto(c2s, c2e, secondBase);
    }
  }
  out.segmentStart = s;
  out.segmentEnd = e;
  return true;
}

// ---- Preview.

void CLineCopyCmd::DrawLineCopyPreview(CDraftView* view) {
  LineCopies c;
  const double scale = copied_->GetEntityScale();
  if (!ComputeLineCopies(view, {cursor_.x, cursor_.y}, c)) {
    readout1_ = "D " + construct::FormatLength(view, std::fabs(offset_) / scale);
    return;
  }
  view->DrawLinePreview(c.s1.x, c.s1.y, c.e1.x, c.e1.y);
  if (c.count == 2) view->DrawLinePreview(c.s2.x, c.s2.y, c.e2.x, c.e2.y);
  const double shown = std::fabs(offset_) * (double_ && !typedOffset_ ? 2.0 : 1.0);
  readout1_ = "D " + construct::FormatLength(view, shown / scale);
  if (lengthMode_) {
    const double length = GetPointDistance(c.segmentStart.x, c.segmentStart.y, c.segmentEnd.x, c.segmentEnd.y);
    readout2_ = "L " + construct::FormatLength(view, length / scale);
  } else {
    readout2_.Empty();
  }
}

namespace {
// The circle of a picked arc or circle and the arc's angles (equal for a
// circle).
struct HeldCircle {
  GPoint c;
  double r = 0.0, start = 0.0, end = 0.0;
  bool isArc = false;
};

bool HeldCircleOf(const CEntity* e, HeldCircle& h) {
  double v[kMaxGeometryValues];
  const int n = e->GetGeometry(v);
  if (e->IsArc() && n >= 5) {
    h = {{v[0], v[1]}, v[2], v[3], v[4], true};
    return true;
  }
  if (e->IsCircle() && n >= 3) {
    h = {{v[0], v[1]}, v[2], 0.0, 0.0, false};
    return true;
  }
  return false;
}
}  // namespace

void CLineCopyCmd::DrawArcCopyPreview(CDraftView* view) {
  HeldCircle h;
  if (!HeldCircleOf(copied_, h)) return;
  double d = GetPointDistance(cursor_.x, cursor_.y, h.c.x, h.c.y);
  const CDrawingGroup* group = copied_->GetEntityGroup() ? copied_->GetEntityGroup() : view->GetCurrentGroup();
  if (StepSnapOn() && !typedOffset_) view->SnapLength(d, group);
  readout1_.Empty();
  readout2_ = "D " + construct::FormatLength(view, std::fabs(d - h.r) / copied_->GetEntityScale() * (1 + double_));
  if (std::fabs(d - h.r) <= kTolerance) return;
  auto draw = [&](double radius) {
    if (h.isArc)
      view->DrawArcPreview(h.c.x, h.c.y, radius, h.start, h.end);
    else
      view->DrawCirclePreview(h.c.x, h.c.y, radius);
  };
  draw(d);
  const double other = 2 * h.r - d;
  if (double_ && IsValueInRange(h.r, d, other) && other > kTolerance) draw(other);
}

int CLineCopyCmd::DrawPreview(CDraftView* view) {
  if (view && copied_ && !awaitingDirection_ && step_ >= 1) {
    if (copied_->IsLine())
      DrawLineCopyPreview(view);
    else
      DrawArcCopyPreview(view);
  }
  return CCmdBase::DrawPreview(view);
}

// ---- Making the copies.

void CLineCopyCmd::MakeLineCopies(CDraftView* view, CUndoRecord* record) {
  LineCopies c;
  if (!ComputeLineCopies(view, {cursor_.x, cursor_.y}, c)) return;
  const int layer = view->GetCurrentLayer();
  CDrawingGroup* group = copied_->GetEntityGroup();
  CEntity* first = ConstructLineEntity(layer, group, c.s1.x, c.s1.y, c.e1.x, c.e1.y, 1);
  view->AddEntityToView(first, record, nullptr, 1);
  CEntity* second = nullptr;
  if (c.count == 2) {
    second = ConstructLineEntity(layer, group, c.s2.x, c.s2.y, c.e2.x, c.e2.y, 1);
    view->AddEntityToView(second, record, nullptr, 1);
  }
  if (!lengthMode_) return;
  records_.push_back({first, first->GetHandle(), second, second ? second->GetHandle() : 0, RecordAngle()});
  // The next copy starts where this one ended.
  pick_ = c.segmentEnd;
  if (!tabLock_) {
    tabLock_ = 1;
    prompts_ = {CString("选择相距线"), CString("输入位置和长度"), CString("输入长度")};
  }
}

void CLineCopyCmd::MakeArcCopies(CDraftView* view, CUndoRecord* record) {
  HeldCircle h;
  if (!HeldCircleOf(copied_, h)) return;
  double d = GetPointDistance(cursor_.x, cursor_.y, h.c.x, h.c.y);
  CDrawingGroup* group = copied_->GetEntityGroup() ? copied_->GetEntityGroup() : view->GetCurrentGroup();
  if (StepSnapOn() && !typedOffset_) view->SnapLength(d, group);
  if (std::fabs(d - h.r) <= kTolerance) return;
  const int layer = view->GetCurrentLayer();
  auto make = [&](double radius) {
    CEntity* copy = h.isArc ? static_cast<CEntity*>(ConstructArcEntity(layer, group, h.c.x, h.c.y, radius, h.start,
                                                                       h.end, 1))
                            : ConstructCircleEntity(layer, group, h.c.x, h.c.y, radius, 1);
    view->AddEntityToView(copy, record, nullptr, 1);
  };
  make(d);
  const double other = 2 * h.r - d;
  if (double_ && IsValueInRange(h.r, d, other) && other > kTolerance) make(other);
}

void CLineCopyCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (!copied_) {
    PickEntity(view);
    return;
  }
  if (awaitingDirection_) {
    PickDirectionLine(view);
    return;
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  view->BeginViewUpdate();
  if (copied_->IsLine())
    MakeLineCopies(view, record.get());
  else
    MakeArcCopies(view, record.get());
  view->EndViewUpdate();
  // A copy of no offset makes nothing and records no step.
  if (!record->IsEmpty()) view->PushUndoRecord(record.release());
  // Further clicks place further copies of the same entity.
  points_.resize(1);
  typedOffset_ = 0;
  typedLength_ = 0;
  if (lengthMode_) tabLock_ = 0;
}

// ---- Keys.

void CLineCopyCmd::OnShiftKey(CDraftView* view) {
  CCmdBase::OnShiftKey(view);
  if (!lengthMode_ || !copied_ || !copied_->IsLine() || points_.empty()) return;
  if (shiftCount_ % 2 == 0)
    pick_ = FootOnCopiedLine({cursor_.x, cursor_.y});
  else
    pick_ = {points_[0].x, points_[0].y};
}

void CLineCopyCmd::OnTabKey(CDraftView* view) {
  CCmdBase::OnTabKey(view);
  if (!tabLock_) double_ = double_ ? 0 : 1;
}

int CLineCopyCmd::OnNumberKey(CDraftView* view, UINT ch, UINT, double& x, double& y) {
  if (!view || !copied_ || awaitingDirection_ || points_.empty()) return 0;
  const double scale = copied_->GetEntityScale();
  const GPoint at{cursor_.x, cursor_.y};
  if (step_ == 1) {
    double s = 0.0;
    {
      CModalDialogScope scope(view);
      CNumberInputDlg dlg(nullptr, "输入间距", nullptr, 0.0, ch);
      if (dlg.DoModal() != IDOK) return 0;
      s = dlg.GetValue() * scale;
    }
    if (std::fabs(s) <= kTolerance) return 0;
    if (copied_->IsLine()) {
      GPoint a, b;
      if (!CopiedLine(a, b)) return 0;
      double h = GetLineAngle(a.x, a.y, b.x, b.y) + 90.0;
      if (h >= 360.0) h -= 360.0;
      if (h >= 180.0) h -= 180.0;
      const GPoint normal{std::cos(h * construct::kRadiansPerDegree), std::sin(h * construct::kRadiansPerDegree)};
      const GPoint foot = FootOnCopiedLine(pick_);
      // On the cursor's side of the line.
      const double side = (at.x - foot.x) * normal.x + (at.y - foot.y) * normal.y;
      s = side < 0 ? -std::fabs(s) : std::fabs(s);
      const GPoint p = Offset(foot, normal, s);
      offset_ = GetPointLineDistance(p, a, b);
      if (HasSlantedDirection() && IsAxonometric(view))
        offset_ *= std::sin(directionAngle_ * construct::kRadiansPerDegree);
      typedOffset_ = 1;
      x = p.x;
      y = p.y;
      if (lengthMode_) pointCount_ = 3;
      return 1;
    }
    HeldCircle circle;
    if (!HeldCircleOf(copied_, circle)) return 0;
    const double d = GetPointDistance(at.x, at.y, circle.c.x, circle.c.y);
    const double radius = d > circle.r ? circle.r + s / 2 : circle.r - s / 2;
    const double toward = d > kTolerance ? GetLineAngle(circle.c.x, circle.c.y, at.x, at.y) : 0.0;
    typedOffset_ = 1;
    x = circle.c.x + radius * std::cos(toward * construct::kRadiansPerDegree);
    y = circle.c.y + radius * std::sin(toward * construct::kRadiansPerDegree);
    return 1;
  }
  if (step_ == 2 && lengthMode_ && copied_->IsLine() && points_.size() >= 2) {
    double length = 0.0;
    {
      CModalDialogScope scope(view);
      CNumberInputDlg dlg(nullptr, "输入长度", nullptr, 0.0, ch);
      if (dlg.DoModal() != IDOK) return 0;
      length = dlg.GetValue() * scale;
    }
    if (HasSlantedDirection()) length -= std::cos(directionAngle_ * construct::kRadiansPerDegree) * offset_;
    if (std::fabs(length) <= kTolerance) return 0;
    GPoint a, b;
    if (!CopiedLine(a, b)) return 0;
    const double lineLength = GetPointDistance(a.x, a.y, b.x, b.y);
    const GPoint along{(b.x - a.x) / lineLength, (b.y - a.y) / lineLength};
    const GPoint start = FootOnCopiedLine(pick_);
    const GPoint end = FootOnCopiedLine(at);
    const double forward = (end.x - start.x) * along.x + (end.y - start.y) * along.y;
    length = forward < 0 ? -std::fabs(length) : std::fabs(length);
    // At the offset of the position point.
    const GPoint position{points_[1].x, points_[1].y};
    const GPoint positionFoot = FootOnCopiedLine(position);
    const GPoint p = Offset(start, along, length);
    typedLength_ = 1;
    x = p.x + position.x - positionFoot.x;
    y = p.y + position.y - positionFoot.y;
    return 1;
  }
  return 0;
}

void CLineCopyCmd::OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) {
  const GPoint old{cursor_.x, cursor_.y};
  CCmdBase::OnArrowKey(dx, dy, dp, view, outX, outY);
  HeldCircle h;
  if (!view || !copied_ || pickMode_ || !HeldCircleOf(copied_, h)) return;
  const GPoint moved{cursor_.x, cursor_.y};
  if (IsSamePoint(old, moved)) return;
  // One step further from the centre, or nearer, along the move.
  const int k = dx != 0 ? (old.x >= h.c.x ? dx : -dx) : (old.y >= h.c.y ? dy : -dy);
  const double g = view->GetLengthStep();
  if (g <= kTolerance) return;
  const double dOld = GetPointDistance(old.x, old.y, h.c.x, h.c.y);
  const double n = std::trunc((dOld - h.r + g / 2) / g) + k;
  const double radius = h.r + n * g;
  if (radius <= kTolerance) return;
  GPoint on[2];
  const int count = IntersectLineCircle(old, moved, h.c, radius, on);
  if (count == 0) return;
  const GPoint p = count == 1 ? on[0] : SelectEndPoint(old, on[0], on[1], 1);
  cursor_.x = p.x;
  cursor_.y = p.y;
}

// ---- The right button and the join.

int CLineCopyCmd::OnRButton(CDraftView* view) {
  if (!records_.empty()) {
    GPoint a, b;
    if (view && CopiedLine(a, b)) JoinCopies(view, a.x, a.y, b.x, b.y);
    DropRecords();
  } else if (awaitingDirection_ && copied_ && copied_->IsLine() && !direction_) {
    // The copied line is its own direction line: offsets along the normal.
    direction_ = copied_;
    directionAngle_ = 90.0;
    awaitingDirection_ = false;
    promptOverride_.Empty();
    pickMode_ = 0;
    return 0;
  }
  copied_ = nullptr;
  second_ = nullptr;
  direction_ = nullptr;
  directionAngle_ = 90.0;
  awaitingDirection_ = false;
  promptOverride_.Empty();
  tabLock_ = 0;
  typedOffset_ = 0;
  typedLength_ = 0;
  pointCount_ = 1;
  pickMode_ = 1;
  return CCmdBase::OnRButton(view);
}

void CLineCopyCmd::JoinCopies(CDraftView* view, double x1, double y1, double x2, double y2) {
  if (!view) return;
  int form = 1;
  {
    CModalDialogScope scope(view);
    CLinkFormDlg dlg(nullptr);
    if (dlg.DoModal() != IDOK) return;
    form = dlg.GetForm();
  }
  const GPoint pa{x1, y1}, pb{x2, y2};
  CDrawingGroup* group = copied_ ? copied_->GetEntityGroup() : nullptr;
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  view->BeginViewUpdate();
  auto join = [&](const GPoint& p, const GPoint& q) {
    if (IsSamePoint(p, q)) return;
    view->AddEntityToView(ConstructLineEntity(view->GetCurrentLayer(), group, p.x, p.y, q.x, q.y, 1), record.get(),
                          nullptr, 1);
  };
  // A band of the outline: its two sides' ends, its width and direction.
  struct Pair {
    GPoint s1, e1, s2, e2;
    double width = 0.0, direction = 0.0;
  };
  bool open = false;
  GPoint startCap1, startCap2;
  Pair previous;
  auto close = [&] {
    if (TestSegmentPair(startCap1, startCap2, previous.e1, previous.e2)) {
      // Back on the start cap: only what lies outside a shorter one.
      if (GetPointDistance(startCap1.x, startCap1.y, startCap2.x, startCap2.y) + kTolerance < previous.width) {
        join(previous.e1, startCap1);
        if (double_) join(previous.e2, startCap2);
      }
    } else {
      join(previous.e1, previous.e2);
    }
    open = false;
  };
  for (const CopyRecord& r : records_) {
    const bool has1 = InDrawing(view, r.first, r.firstHandle);
    const bool has2 = InDrawing(view, r.second, r.secondHandle);
    if (!has1 && !has2) {
      if (open) close();
      continue;
    }
    Pair p;
    if (has1 && has2) {
      LineEnds(r.first, p.s1, p.e1);
      LineEnds(r.second, p.s2, p.e2);
    } else {
      // One copy left: the band runs between it and the picked line.
      LineEnds(has1 ? r.first : r.second, p.s1, p.e1);
      p.s2 = PartnerEnd(p.s1, r.angle, pa, pb);
      p.e2 = PartnerEnd(p.e1, r.angle, pa, pb);
    }
    p.width = GetPointDistance(p.s1.x, p.s1.y, p.s2.x, p.s2.y);
    p.direction = GetLineAngle(p.s1.x, p.s1.y, p.e1.x, p.e1.y);
    if (!open) {
      join(p.s1, p.s2);
      startCap1 = p.s1;
      startCap2 = p.s2;
      open = true;
    } else if (form == 1 || std::fabs(p.direction - previous.direction) > kTolerance) {
      // The wider band closes the step.
      if (p.width > previous.width)
        join(p.s1, p.s2);
      else
        join(previous.e1, previous.e2);
    } else {
      // Step lines: one on the first side, and with both copies the same
      // on the far side of the picked line.
      join(p.s1, previous.e1);
      GPoint x;
      if (has1 && has2 && IntersectLinesEx(0, p.s1, previous.e1, pa, pb, x, 1)) {
        GPoint q1 = p.s1, q2 = previous.e1;
        RotatePoint(q1, x, 180.0);
        RotatePoint(q2, x, 180.0);
        join(q1, q2);
      }
    }
    previous = p;
  }
  if (open) close();
  view->EndViewUpdate();
  if (!record->IsEmpty()) view->PushUndoRecord(record.release());
}
