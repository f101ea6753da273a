#include "draft/regions/MeasureDistCmd.h"

#include <cmath>

#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/NumberFormat.h"
#include "draft/regions/MeasureResults.h"

namespace {
constexpr DWORD kDistancePickMask = 0xffdadef8;
constexpr double kRadiansPerDegree = 0.017453292519943295;
const char* const kFirstEntityPrompt = "选择第一个图元(TAB：输入点)";
const char* const kSecondEntityPrompt = "选择第二个图元(TAB：输入点)";
const char* const kFirstPointPrompt = "输入第一点(TAB：选择图元)";
const char* const kSecondPointPrompt = "输入第二点(TAB：选择图元)";

enum ObjectKind { kPointEntity = 1, kLine = 2, kCircle = 3, kTypedPoint = 4 };

bool IsMeasurable(const CEntity* e) { return e->IsLine() || e->IsCircle() || e->IsArc() || e->IsPoint(); }

int KindOf(const CEntity* e) {
  if (!e) return kTypedPoint;
  if (e->IsPoint()) return kPointEntity;
  if (e->IsLine()) return kLine;
  return kCircle;
}

// The object's point: a point entity's position, a circle's or arc's
// centre, or the typed point.
GPoint PointOf(const CEntity* e, double x, double y) {
  if (!e) return {x, y};
  double v[kMaxGeometryValues] = {};
  e->GetGeometry(v);
  return {v[0], v[1]};
}

struct Segment {
  GPoint a, b;
};
Segment LineOf(const CEntity* e) {
  double v[kMaxGeometryValues] = {};
  e->GetGeometry(v);
  return {{v[0], v[1]}, {v[2], v[3]}};
}
}  // namespace

CMeasureDistCmd::CMeasureDistCmd(int id) : CCmdBase(id, nullptr) {
  SetPickMode(1);
  tabCount_ = 0;
  prompts_[0] = kFirstEntityPrompt;
  prompts_[1] = kSecondEntityPrompt;
}

void CMeasureDistCmd::OnTabKey(CDraftView* view) {
  CCmdBase::OnTabKey(view);
  pointMode_ = !pointMode_;
  SetPickMode(!pointMode_);
  // Both prompts follow the mode: the first shows only while no object is
  // taken and the second only while one is, so neither can name the other
  // mode when it shows (also after a report, which keeps the mode).
  prompts_[0] = pointMode_ ? kFirstPointPrompt : kFirstEntityPrompt;
  prompts_[1] = pointMode_ ? kSecondPointPrompt : kSecondEntityPrompt;
}

int CMeasureDistCmd::OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) {
  return CCmdBase::OnOtherChar(view, ch, flags, x, y);
}

void CMeasureDistCmd::Execute(CDraftView* view) {
  if (!view) return;
  bool took = false;
  if (pointMode_) {
    if (!HasFirst()) {
      firstX_ = cursor_.x;
      firstY_ = cursor_.y;
      firstPoint_ = 1;
    } else {
      secondX_ = cursor_.x;
      secondY_ = cursor_.y;
      secondPoint_ = 1;
    }
    took = true;
  } else {
    CEntityList found;
    view->PickEntitiesAtPoint(cursor_.x, cursor_.y, found, 0, 1, 0, 0, kDistancePickMask, -1);
    for (CEntity* e : found) {
      if (!IsMeasurable(e)) continue;
      if (!HasFirst()) {
        first_ = e;
      } else if (e != first_ && !HasSecond()) {
        second_ = e;
      } else {
        continue;
      }
      view->SelectEntity(e, 1, 1, 1, nullptr);
      took = true;
    }
  }
  if (HasFirst() && HasSecond()) {
    groupScale_ = GetGroupScale(view->GetCurrentGroup());
    ReportDistance(view);
    points_.clear();
    view->ClearSelection();
  } else if (!took && !points_.empty()) {
    // A click that took nothing leaves the step where it was, so that the
    // prompt keeps asking for the same object.
    points_.pop_back();
  }
}

int CMeasureDistCmd::ComputeCaseCode() const {
  const int code = KindOf(first_) * 10 + KindOf(second_);
  if (code == kLine * 10 + kLine) return first_->IsParallelTo(*second_) ? 221 : 222;
  return code;
}

void CMeasureDistCmd::AddRow(const char* label, double value) {
  labels_.Add(CString(label));
  values_.Add(CString(FormatDoubleString(std::fabs(value), 2)));
}

void CMeasureDistCmd::ReportDistance(CDraftView* view) {
  caseCode_ = ComputeCaseCode();
  if (const CEntity* e = first_ ? first_ : second_) groupScale_ = GetGroupScale(e->GetEntityGroup());
  const double s = groupScale_;
  const GPoint p1 = PointOf(first_, firstX_, firstY_);
  const GPoint p2 = PointOf(second_, secondX_, secondY_);
  labels_.RemoveAll();
  values_.RemoveAll();
  value_ = GetPointDistance(p1.x, p1.y, p2.x, p2.y) / s;
  value2_ = std::fabs(p1.x - p2.x) / s;
  value3_ = std::fabs(p1.y - p2.y) / s;
  switch (caseCode_) {
    case 11: case 14: case 41: case 44:
      AddRow("两点距离    = ", value_);
      AddRow("两点X坐标差 = ", value2_);
      AddRow("两点Y坐标差 = ", value3_);
      break;
    case 13: case 31: case 34: case 43:
      AddRow("点到圆心距离      = ", value_);
      AddRow("点与圆心X坐标差 = ", value2_);
      AddRow("点与圆心Y坐标差 = ", value3_);
      break;
    case 33:
      AddRow("两园园心距离  = ", value_);
      AddRow("两园心X坐标差 = ", value2_);
      AddRow("两园心Y坐标差 = ", value3_);
      break;
    case 12: case 42: case 32: {
      const Segment line = LineOf(second_);
      value_ = std::fabs(GetPointLineDistance(p1, line.a, line.b)) / s;
      AddRow(caseCode_ == 32 ? "园心到直线距离= " : "点到直线距离= ", value_);
      break;
    }
    case 21: case 24: case 23: {
      const Segment line = LineOf(first_);
      value_ = std::fabs(GetPointLineDistance(p2, line.a, line.b)) / s;
      AddRow(caseCode_ == 23 ? "园心到直线距离= " : "点到直线距离= ", value_);
      break;
    }
    case 221: {
      const Segment a = LineOf(first_), b = LineOf(second_);
      value_ = std::fabs(GetPointLineDistance(b.a, a.a, a.b)) / s;
      AddRow("两直线距离= ", value_);
      break;
    }
    case 222: {
      const Segment a = LineOf(first_), b = LineOf(second_);
      double d = std::fabs(GetLineAngle(b.a.x, b.a.y, b.b.x, b.b.y) - GetLineAngle(a.a.x, a.a.y, a.b.x, a.b.y));
      if (d > 180) d -= 180;
      if (d > 90) d = 180 - d;
      value_ = d;
      value2_ = d * kRadiansPerDegree;
      AddRow("两直线夹角  (度)   = ", value_);
      AddRow("两直线夹角(弧度)   = ", value2_);
      break;
    }
    default:
      break;
  }
  step_ = 0;
  first_ = second_ = nullptr;
  firstPoint_ = secondPoint_ = 0;
  labels_.Add(CString("图组比例="));
  values_.Add(CString(FormatDoubleString(s, 2)));
  ShowMeasureResults(view, labels_, values_, "测量结果", 1);
}

void CMeasureDistCmd::Clear(CDraftView* view) {
  first_ = second_ = nullptr;
  firstPoint_ = secondPoint_ = 0;
  points_.clear();
  if (view) view->ClearSelection();
}

int CMeasureDistCmd::End(CDraftView* view) {
  Clear(view);
  return 0;
}

int CMeasureDistCmd::OnRButton(CDraftView* view) {
  Clear(view);
  return CCmdBase::OnRButton(view);
}
