#include "draft/regions/ThreeViewStretchCmd.h"

#include <cmath>

#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Messages.h"
#include "draft/host/NumberFormat.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr double kTol = tressil::kGeomTolerance;
constexpr double kOvershoot = 5.0;  // centre lines reach this far beyond both ends
constexpr DWORD kProfileMask = static_cast<DWORD>(-264);

constexpr const char* kPickPrompt = "选择目标(右键结束选择)";
constexpr const char* kSectionPrompt = "选择剖切线或剖切符号(左Shift键确定剖切位置点,右键结束)";

bool SameValue(double a, double b) { return std::fabs(a - b) <= kTol; }

// A line's ends (x1, y1, x2, y2), an arc's or circle's centre, radius and
// angles (a circle runs 0 to 360).
struct Curve {
  GPoint c;
  double r = 0.0, a1 = 0.0, a2 = 360.0;
};

Curve CurveOf(const CEntity* e) {
  double v[kMaxGeometryValues];
  e->GetGeometry(v);
  Curve k;
  k.c = {v[0], v[1]};
  k.r = v[2];
  if (e->IsArc()) {
    k.a1 = v[3];
    k.a2 = v[4];
    MakeAngleRangeAscending(k.a1, k.a2, true);
  }
  return k;
}

void LineEnds(const CEntity* e, GPoint& a, GPoint& b) {
  double v[kMaxGeometryValues];
  e->GetGeometry(v);
  a = {v[0], v[1]};
  b = {v[2], v[3]};
}

GPoint PointAt(const GPoint& c, double r, double degrees) {
  const double t = DegreeToRadian(degrees);
  return {c.x + r * std::cos(t), c.y + r * std::sin(t)};
}
}  // namespace

CThreeViewStretchCmd::CThreeViewStretchCmd(CDraftView* view, int id, int mode, int sectionFlag)
    : CCmdBase(id, view), sectionFlag_(sectionFlag), oblique_(mode == 4 ? 1 : 0), mode_(mode) {
  promptOverride_ = kPickPrompt;
  pickMode_ = 1;
  ResetExtents();
}

CThreeViewStretchCmd::~CThreeViewStretchCmd() {
  // Lines made but never added are the command's.
  while (!results_.IsEmpty()) delete results_.RemoveHead();
}

// ---- Prompts and small helpers.

void CThreeViewStretchCmd::SetFirstPointPrompt() {
  promptOverride_ = bottomLine_ ? "确定起始点或对称线(左Shift键不要底端线)" : "确定起始点或对称线(左Shift键要底端线)";
}

void CThreeViewStretchCmd::SetSecondPointPrompt() {
  promptOverride_ = topLine_ ? "确定第二点(左Shift键不要顶端线,Tab键单边拉伸<->对称拉伸)"
                             : "确定第二点(左Shift键要顶端线,Tab键单边拉伸<->对称拉伸)";
}

void CThreeViewStretchCmd::AddSectionSegment(double x1, double y1, double x2, double y2) {
  sectionLines_.emplace_back(ConstructLineEntity(layer_, drawGroup_, x1, y1, x2, y2));
  sx1_.push_back(x1);
  sy1_.push_back(y1);
  sx2_.push_back(x2);
  sy2_.push_back(y2);
}

void CThreeViewStretchCmd::DeleteSectionLines() {
  sectionLines_.clear();
  sx1_.clear();
  sy1_.clear();
  sx2_.clear();
  sy2_.clear();
}

void CThreeViewStretchCmd::GetSectionSegment(int i, double& x1, double& y1, double& x2, double& y2) const {
  const size_t k = static_cast<size_t>(i);
  x1 = sx1_.at(k);
  y1 = sy1_.at(k);
  x2 = sx2_.at(k);
  y2 = sy2_.at(k);
}

void CThreeViewStretchCmd::AddResultList(CDraftView* view) {
  if (results_.IsEmpty()) return;
  view->AddEntities(results_);
  CUndoRecord* record = ConstructUndoAddEntities();
  record->AddNewList(results_);
  results_.RemoveAll();
  view->PushUndoRecord(record);
}

int CThreeViewStretchCmd::CentreLayer(CDraftView* view) const {
  return FindLayerByStyle(view->GetLayerTable(), 2, 0, 0);
}

bool CThreeViewStretchCmd::TakesPart(CDraftView* view, const CEntity* entity) {
  const CLayerRecord* record = view->GetEntityLayerInfo(entity);
  return record && record->GetLineKind() != kLineStyleCenter;
}

// ---- Events.

int CThreeViewStretchCmd::OnInterrupt(CDraftView* view) {
  OnRButton(view);
  return 0;
}

int CThreeViewStretchCmd::Begin(CDraftView* view) {
  if (!view) return 0;
  if (mode_ == 3 && !view->IsThreeViewDivided()) {
    ShowMessage("请先划分三视图", MB_OK);
    return 0;
  }
  drawGroup_ = view->GetCurrentGroup();
  layer_ = static_cast<BYTE>(view->GetCurrentLayer());
  ResetExtents();
  groupTaken_ = 0;
  originX_ = view->GetThreeViewOriginX();
  originY_ = view->GetThreeViewOriginY();
  divided_ = view->IsThreeViewDivided();
  if (view->GetSelectionCount() > 0 && !sectionFlag_) OnRButton(view);
  return 1;
}

int CThreeViewStretchCmd::OnRButton(CDraftView* view) {
  if (!view) return 0;
  const size_t held = points_.size();
  points_.clear();
  step_ = 0;
  pointCount_ = 1;  // a window's open corner goes with the points
  if (view->GetSelectionCount() > 0) {
    if (selectionDone_ && held == 1) {
      SetFirstPointPrompt();
    } else if (selectionDone_) {
      view->ClearSelection();
      selectionDone_ = 0;
      promptOverride_ = kPickPrompt;
      pickMode_ = 1;
      ClearCollections();
      ResetExtents();
    } else {
      selectionDone_ = 1;
      pickMode_ = 0;
      SetFirstPointPrompt();
    }
    return 0;
  }
  ClearCollections();
  DeleteSectionLines();
  if (!sectionFlag_ || sectionPhase_ == 0) return 1;
  sectionPhase_ = 0;
  sectionInput_ = 1;
  pickMode_ = 1;
  promptOverride_ = kSectionPrompt;
  ResetExtents();
  return 0;
}

void CThreeViewStretchCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (!selectionDone_) {
    pickMode_ = 1;
    PickProfile(view);
    return;
  }
  if (points_.size() == 1 && !typedLength_) {
    // A new first point collects afresh: what an earlier first point
    // collected would otherwise give its lines twice.
    outline_.clear();
    hidden_.clear();
    centre_.clear();
    centres_.clear();
    crossings_.clear();
    CollectCoordinates(view);
    return;
  }
  if (points_.size() < 2 && !typedLength_) return;

  if (!oblique_) {
    const int centreLayer = CentreLayer(view);
    layer_ = static_cast<BYTE>(centreLayer);
    DrawClassLines(view, centre_, outline_, 2, 0);
    if (!outline_.empty() || !centre_.empty()) {
      int layer = view->GetCurrentLayer();
      if (layer == 0 || layer == GetLineKindLayer(6) || layer == centreLayer) layer = FindLayerByStyle(view->GetLayerTable(), 0, 1, 1);
      layer_ = static_cast<BYTE>(ClampLayer(layer));
      DrawStretchLines(view, outline_, 1, 1, 0);
    }
    layer_ = static_cast<BYTE>(ClampLayer(FindLayerByStyle(view->GetLayerTable(), 1, 0, 4)));
    DrawClassLines(view, hidden_, outline_, 3, 0);
    // Centre lines kept for an outline that made nothing are not the drawing's.
    while (!results_.IsEmpty()) delete results_.RemoveHead();
    ResetExtents();
    ClearCollections();
  } else if (!crossings_.empty()) {
    const int centreLayer = CentreLayer(view);
    layer_ = static_cast<BYTE>(centreLayer);
    if (!centres_.empty()) {
      DrawObliqueLines(view, centres_, 0);
      ResetExtents();
    }
    int layer = view->GetCurrentLayer();
    if (layer == 0 || layer == centreLayer) layer = FindLayerByStyle(view->GetLayerTable(), 0, 1, 1);
    layer_ = static_cast<BYTE>(ClampLayer(layer));
    DrawObliqueLines(view, crossings_, 0);
    ResetExtents();
    ClearCollections();
  }
  typedLength_ = 0;
  bottomLine_ = topLine_ = 1;
  promptOverride_ = "确定起始点或对称线位置(左Shift键不要底端线)";
  points_.clear();
  step_ = 0;
  if (sectionFlag_) OnRButton(view);
}

int CThreeViewStretchCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (!selectionDone_) {
    if (points_.size() == 1) DrawPickBox(view);
    return 0;
  }
  if (points_.size() != 1) return 0;
  if (!oblique_) {
    if (!outline_.empty()) DrawStretchLines(view, outline_, 1, 1, 1);
    DrawClassLines(view, centre_, outline_, 1, 1);
    DrawClassLines(view, hidden_, outline_, 1, 1);
  } else {
    DrawObliqueLines(view, centres_, 1);
    DrawObliqueLines(view, crossings_, 1);
  }
  SetSecondPointPrompt();
  readout1_.Format("D=%.0f", std::fabs(length_) / GetGroupScale(drawGroup_));
  view->DrawTextPreview(readout1_, cursor_.x, cursor_.y, 0.0);
  return 0;
}

int CThreeViewStretchCmd::End(CDraftView* view) {
  ResetExtents();
  ClearCollections();
  DeleteSectionLines();
  return CCmdBase::End(view);
}

// ---- Keys.

void CThreeViewStretchCmd::OnShiftKey(CDraftView*) {
  if (!selectionDone_) return;
  if (points_.empty()) {
    bottomLine_ = !bottomLine_;
    SetFirstPointPrompt();
  } else if (points_.size() == 1) {
    topLine_ = !topLine_;
    SetSecondPointPrompt();
  }
}

void CThreeViewStretchCmd::OnCtrlKey(CDraftView*) { tapered_ = !tapered_; }

void CThreeViewStretchCmd::OnTabKey(CDraftView*) {
  if (selectionDone_ && points_.size() == 1) stretchKind_ = stretchKind_ == 1 ? 2 : 1;
}

int CThreeViewStretchCmd::OnRadiusKey(CDraftView* view, double&, double&, UINT) {
  // Only a held first point has coordinates to collect again.
  if (!view || !selectionDone_ || points_.size() != 1) return 0;
  switch (sideCode_) {
    case 11: sideCode_ = 12; break;
    case 12: sideCode_ = 11; break;
    case 21: sideCode_ = 22; break;
    case 22: sideCode_ = 21; break;
    default: break;
  }
  outline_.clear();
  hidden_.clear();
  centre_.clear();
  centres_.clear();
  crossings_.clear();  // collected again below
  keepSideCode_ = 1;
  CollectCoordinates(view);
  keepSideCode_ = 0;
  return 0;
}

int CThreeViewStretchCmd::OnNumberKey(CDraftView* view, UINT ch, UINT, double&, double&) {
  if (!view || !selectionDone_ || points_.size() != 1) return 1;
  int answer = IDCANCEL;
  double value = 0.0;
  {
    CModalDialogScope scope(view);
    CNumberInputDlg dlg(nullptr, "输入拉伸长度", "长度", 0.0, ch);
    answer = static_cast<int>(dlg.DoModal());
    value = dlg.GetValue();
  }
  if (answer == IDOK) {
    typedLength_ = 1;
    length_ = value * GetGroupScale(drawGroup_);
  } else {
    OnRButton(view);
  }
  return 1;
}

// ---- Picking the profile.

void CThreeViewStretchCmd::PickProfile(CDraftView* view) {
  CEntityList found;
  if (points_.size() == 1) {
    view->PickEntitiesAtPoint(points_[0].x, points_[0].y, found, 0, 1, 0, 0, kProfileMask, -1);
    if (found.IsEmpty()) {
      pointCount_ = 2;  // the next click closes a window
      return;
    }
  } else if (points_.size() >= 2) {
    view->PickEntitiesInWindow(points_[0].x, points_[0].y, points_[1].x, points_[1].y, found, 0, 1, 0, 0,
                               kProfileMask, -1);
    pointCount_ = 1;
  }
  if (!found.IsEmpty()) {
    view->SelectEntities(found, 1, 1, 1, 0);
    if (!groupTaken_) {
      drawGroup_ = found.GetHead()->GetEntityGroup();
      groupTaken_ = 1;
    }
  }
  points_.clear();
  step_ = 0;
}

void CThreeViewStretchCmd::DrawPickBox(CDraftView* view) {
  if (points_.empty()) return;
  const PointRec& p = points_[0];
  DrawRubberBox(view, p, p.x > cursor_.x + kTol ? 1 : 0);
}

void CThreeViewStretchCmd::CollectProfileEntity(CEntityList& list, CEntity* entity) {
  if (!entity) return;
  if (entity->IsLine() || entity->IsArc() || entity->IsCircle()) {
    list.AddTail(entity);
  } else if (entity->IsBlock()) {
    const auto* block = static_cast<const CBlockEntity*>(entity);
    for (int i = 0; i < block->GetMemberCount(); ++i) CollectProfileEntity(list, block->GetMember(i));
  }
}

// ---- Collecting the coordinates.

void CThreeViewStretchCmd::CollectCoordinates(CDraftView* view) {
  CEntityList* selection = view->GetSelectionList();
  if (!selection->IsEmpty() && !keepSideCode_) {
    const CEntity* first = selection->GetHead();
    GPoint ref{0.0, 0.0};
    if (first->IsLine()) {
      GPoint b;
      LineEnds(first, ref, b);
    } else if (first->IsCircle()) {
      ref = CurveOf(first).c;
    } else if (first->IsArc()) {
      const Curve k = CurveOf(first);
      ref = PointAt(k.c, k.r, k.a1);
    }
    SetSideCode(ref.x, ref.y);
  }
  if (sectionFlag_) {
    CollectSectionCoordinates(view);
    return;
  }
  for (CEntity* e : *selection)
    if (TakesPart(view, e)) CollectProfileEntity(profile_, e);

  PointList outline, hidden;
  SplitProfilePoints(view, profile_, outline, hidden);
  auto dropExcluded = [this](PointList& list) {
    PointList kept;
    for (const GPoint& p : list)
      if (!ContainsPoint(excluded_, p)) kept.push_back(p);
    list.swap(kept);
  };
  dropExcluded(outline);
  dropExcluded(hidden);

  CollectClassCoordinates({{&outline, &outline_, 1}, {&hidden, &hidden_, 0}, {&centres_, &centre_, 0}});
  centres_.clear();
  excluded_.clear();
}

void CThreeViewStretchCmd::SetSideCode(double x, double y) {
  if (!divided_ && !points_.empty()) {
    originX_ = points_[0].x;
    originY_ = points_[0].y;
  }
  switch (mode_) {
    case 1: sideCode_ = y > originY_ ? 11 : 12; break;
    case 2: sideCode_ = x > originX_ ? 21 : 22; break;
    case 3:
      if (x >= originX_) {
        sideCode_ = 11;
      } else {
        mode_ = 4;
        sideCode_ = 22;
      }
      break;
    default: break;
  }
}

void CThreeViewStretchCmd::SplitProfilePoints(CDraftView* view, CEntityList& profile, PointList& outline,
                                              PointList& hidden) {
  const CEntityList& selection = *view->GetSelectionList();
  while (!profile.IsEmpty()) {
    CEntity* e = profile.RemoveHead();
    PointList work;
    CollectEntityPoints(e, profile, work);
    for (const GPoint& p : work) {
      if (p.x - xMax_ >= -kTol) xMax_ = p.x;
      if (p.x - xMin_ <= kTol) xMin_ = p.x;
      if (p.y - yMax_ >= -kTol) yMax_ = p.y;
      if (p.y - yMin_ <= kTol) yMin_ = p.y;
      const int isHidden = IsPointHidden(view, sideCode_, p, selection);
      if (ContainsPoint(outline, p)) continue;
      if (!isHidden)
        outline.push_back(p);
      else if (!ContainsPoint(hidden, p))
        hidden.push_back(p);
    }
  }
}

int CThreeViewStretchCmd::ContainsPoint(const PointList& points, const GPoint& p) {
  for (const GPoint& q : points)
    if (IsSamePoint(p, q)) return 1;
  return 0;
}

void CThreeViewStretchCmd::CollectEntityPoints(CEntity* entity, const CEntityList& others, PointList& out) {
  PointList extremes;
  CollectExtremePoints(entity, extremes, centres_);
  for (const CEntity* other : others) {
    PointList crossing;
    const int result = IntersectEntities(entity, other, crossing, 1);
    if (result == 1) {
      AppendPoints(out, crossing);
    } else if (result == 2 && !crossing.empty()) {
      const GPoint touch = crossing.front();
      PointList kept;
      for (const GPoint& p : extremes) {
        if (IsSamePoint(p, touch))
          excluded_.push_back(p);
        else
          kept.push_back(p);
      }
      extremes.swap(kept);
    }
  }
  AppendPoints(out, extremes);
}

int CThreeViewStretchCmd::IntersectEntities(const CEntity* e1, const CEntity* e2, PointList& out, int option) {
  if (!e1 || !e2) return 0;
  bool horizontal = false, vertical = false;
  for (const CEntity* e : {e1, e2}) {
    if (!e->IsLine()) continue;
    GPoint a, b;
    LineEnds(e, a, b);
    if (std::fabs(a.x - b.x) > kTol && std::fabs(a.y - b.y) <= kTol) horizontal = true;
    if (std::fabs(a.x - b.x) <= kTol) vertical = true;
  }

  PointList found;
  double xs[kMaxArcIntersections], ys[kMaxArcIntersections];
  if (e2->IsLine()) {
    GPoint a, b;
    LineEnds(e2, a, b);
    if (option) {
      GPoint hits[kMaxArcIntersections];
      const int n = e1->Intersect(*e2, hits, kMaxArcIntersections);
      found.assign(hits, hits + n);
    } else if (e1->IsLine()) {
      GPoint p, q, hit;
      LineEnds(e1, p, q);
      if (IntersectLines(p, q, a, b, hit)) found.push_back(hit);
    } else if (e1->IsArc() || e1->IsCircle()) {
      const Curve k = CurveOf(e1);
      GPoint hits[2];
      const int n = IntersectLineCircle(a, b, k.c, k.r, hits);
      found.assign(hits, hits + n);
    }
  } else if (e2->IsArc() || e2->IsCircle()) {
    const Curve k = CurveOf(e2);
    const int n = e1->GetIntersections(k.c.x, k.c.y, k.r, k.a1, k.a2, xs, ys, 1);
    for (int i = 0; i < n; ++i) found.push_back({xs[i], ys[i]});
  }
  if (found.empty()) return 0;

  int result = 1;
  if (!(e1->IsLine() && e2->IsLine())) {
    int count = 0;
    if (e1->IsLine()) {
      const Curve k = CurveOf(e2);
      count = e1->GetIntersections(k.c.x, k.c.y, k.r, k.a1, k.a2, xs, ys, 0);
    } else if (e1->IsArc() || e1->IsCircle()) {
      const Curve k = CurveOf(e1);
      count = e2->GetIntersections(k.c.x, k.c.y, k.r, k.a1, k.a2, xs, ys, 0);
    }
    if (count == 2)
      result = 1;
    else if (count == 1)
      result = (horizontal && (mode_ == 2 || mode_ == 4)) || (vertical && (mode_ == 1 || mode_ == 3)) ? 1 : 2;
    else
      result = 0;
  }
  out.insert(out.end(), found.begin(), found.end());
  return result;
}

void CThreeViewStretchCmd::CollectExtremePoints(const CEntity* entity, PointList& out, PointList& centres) {
  if (!entity) return;
  const bool byX = mode_ == 1 || mode_ == 3;
  if (entity->IsLine()) {
    GPoint a, b;
    LineEnds(entity, a, b);
    out.push_back(a);
    out.push_back(b);
  } else if (entity->IsArc()) {
    const Curve k = CurveOf(entity);
    if (k.a2 - k.a1 - 180.0 >= -kTol) centres.push_back(k.c);
    for (int i = 0; i < 4; ++i) {
      const double a = (byX ? 0.0 : 90.0) + 180.0 * i;
      if (a > k.a1 + kTol && a < k.a2 - kTol) out.push_back(PointAt(k.c, k.r, a));
    }
    out.push_back(PointAt(k.c, k.r, k.a1));
    out.push_back(PointAt(k.c, k.r, k.a2));
  } else if (entity->IsCircle()) {
    const Curve k = CurveOf(entity);
    centres.push_back(k.c);
    if (byX) {
      out.push_back({k.c.x + k.r, k.c.y});
      out.push_back({k.c.x - k.r, k.c.y});
    } else {
      out.push_back({k.c.x, k.c.y - k.r});
      out.push_back({k.c.x, k.c.y + k.r});
    }
  }
}

void CThreeViewStretchCmd::AppendPoints(PointList& target, PointList& source) {
  target.insert(target.end(), source.begin(), source.end());
  source.clear();
}

int CThreeViewStretchCmd::ContainsValue(const ValueArray& values, double v) {
  for (double w : values)
    if (SameValue(v, w)) return 1;
  return 0;
}

void CThreeViewStretchCmd::MitreFromX(const ValueArray& source, ValueArray& target) {
  for (double c : source) target.push_back(originX_ + originY_ - c);
}

void CThreeViewStretchCmd::MitreFromY(const ValueArray& source, ValueArray& target) {
  for (double c : source) target.push_back(originX_ + originY_ - c);
}

void CThreeViewStretchCmd::CollectXCoordinates(const PointList& points, ValueArray& values, int extremes) {
  CollectAxisCoordinates(points, values, extremes, false);
}

void CThreeViewStretchCmd::CollectYCoordinates(const PointList& points, ValueArray& values, int extremes) {
  CollectAxisCoordinates(points, values, extremes, true);
}

void CThreeViewStretchCmd::CollectAxisCoordinates(const PointList& points, ValueArray& values, int extremes,
                                                  bool byY) {
  double& lo = byY ? yMin_ : xMin_;
  double& hi = byY ? yMax_ : xMax_;
  for (const GPoint& p : points) {
    const double c = byY ? p.y : p.x;
    double v = c;
    if (sectionFlag_) {
      double qx = 0.0, qy = 0.0;
      if (FindSectionReference(p, sectionLines_, qx, qy)) {
        const double q = byY ? qy : qx;
        v = q + GetSignFactor(c - q) * GetPointDistance(p.x, p.y, qx, qy);
      }
      if (v - hi >= -kTol) hi = v;
      if (v - lo <= kTol) lo = v;
    }
    if (!ContainsValue(values, v)) values.push_back(v);
  }
  // An extent that nothing grew has no extremes.
  if (extremes && hi >= lo) {
    if (!ContainsValue(values, hi)) values.push_back(hi);
    if (!ContainsValue(values, lo)) values.push_back(lo);
  }
  crossMin_ = lo;
  crossMax_ = hi;
}

void CThreeViewStretchCmd::CollectClassCoordinates(std::initializer_list<CoordinateClass> classes) {
  const bool byX = mode_ == 1 || mode_ == 3;
  const bool mitred = mode_ == 3 || mode_ == 4;
  for (const CoordinateClass& k : classes) {
    if (!mitred) {
      if (byX)
        CollectXCoordinates(*k.points, *k.values, k.extremes);
      else
        CollectYCoordinates(*k.points, *k.values, k.extremes);
      continue;
    }
    ValueArray work;
    if (byX) {
      CollectXCoordinates(*k.points, work, k.extremes);
      MitreFromX(work, *k.values);
    } else {
      CollectYCoordinates(*k.points, work, k.extremes);
      MitreFromY(work, *k.values);
    }
  }
  if (mitred) {
    crossMin_ = originX_ + originY_ - crossMin_;
    crossMax_ = originX_ + originY_ - crossMax_;
  }
}

// ---- Hidden points.

int CThreeViewStretchCmd::IsPointHidden(CDraftView* view, int side, const GPoint& p, const CEntityList& entities) {
  for (const CEntity* e : entities) {
    if (e->IsBlock()) {
      CEntityList members;
      e->ExplodeInto(1, members, 0, 0, 0);
      if (IsPointHidden(view, side, p, members)) return 1;
    } else if (TakesPart(view, e) && IsBlockedByLine(side, p, e)) {
      return 1;
    }
  }
  return 0;
}

int CThreeViewStretchCmd::IsBlockedByLine(int side, const GPoint& p, const CEntity* entity) {
  if (!entity) return 0;
  if (entity->IsArc() || entity->IsCircle()) return IsBlockedByCurve(side, p, entity);
  if (!entity->IsLine()) return 0;
  GPoint a, b;
  LineEnds(entity, a, b);
  if (IsSamePoint(p, a) || IsSamePoint(p, b)) return 0;
  const double xmin = std::fmin(a.x, b.x), xmax = std::fmax(a.x, b.x);
  const double ymin = std::fmin(a.y, b.y), ymax = std::fmax(a.y, b.y);
  const bool acrossX = side == 11 || side == 12;
  if (acrossX && (p.x < xmin || p.x > xmax)) return 0;
  if (!acrossX && (p.y < ymin || p.y > ymax)) return 0;
  double ea = 0, eb = 0, ec = 0;
  GetLineEquation(a, b, ea, eb, ec);
  double d = 0.0;
  if (acrossX) {
    if (std::fabs(ea) <= kTol) {
      d = p.y + ec / eb;
    } else if (std::fabs(eb) <= kTol) {
      return side == 11 ? (p.y <= ymax ? 1 : 0) : (p.y >= ymin ? 1 : 0);
    } else {
      d = p.y - (-ec - ea * p.x) / eb;
    }
  } else {
    if (std::fabs(eb) <= kTol) {
      d = p.x + ec / ea;
    } else if (std::fabs(ea) <= kTol) {
      return side == 21 ? (p.x <= xmax ? 1 : 0) : (p.x >= xmin ? 1 : 0);
    } else {
      d = p.x - (-ec - eb * p.y) / ea;
    }
  }
  if (side == 11 || side == 21) return d < -kTol ? 1 : 0;
  return d > kTol ? 1 : 0;
}

int CThreeViewStretchCmd::IsBlockedByCurve(int side, const GPoint& p, const CEntity* entity) {
  if (!entity || !(entity->IsArc() || entity->IsCircle())) return 0;
  const Curve k = CurveOf(entity);
  const bool circle = entity->IsCircle();
  const GPoint s = PointAt(k.c, k.r, k.a1), e = PointAt(k.c, k.r, k.a2);
  double xmin = std::fmin(s.x, e.x), xmax = std::fmax(s.x, e.x);
  double ymin = std::fmin(s.y, e.y), ymax = std::fmax(s.y, e.y);
  auto onArc = [&](const GPoint& q) { return circle || IsPointOnArc(q, k.c, k.r, k.a1, k.a2); };
  if (onArc({k.c.x - k.r, k.c.y})) xmin = k.c.x - k.r;
  if (onArc({k.c.x + k.r, k.c.y})) xmax = k.c.x + k.r;
  if (onArc({k.c.x, k.c.y - k.r})) ymin = k.c.y - k.r;
  if (onArc({k.c.x, k.c.y + k.r})) ymax = k.c.y + k.r;
  const bool acrossX = side == 11 || side == 12;
  if (acrossX && !(xmin + kTol < p.x && p.x < xmax - kTol)) return 0;
  if (!acrossX && !(ymin + kTol < p.y && p.y < ymax - kTol)) return 0;
  if (acrossX) {
    const double h = std::sqrt(std::fmax(0.0, k.r * k.r - (p.x - k.c.x) * (p.x - k.c.x)));
    const GPoint top{p.x, k.c.y + h}, bottom{p.x, k.c.y - h};
    if (side == 11) return (onArc(top) && p.y < top.y - kTol) || p.y < bottom.y - kTol ? 1 : 0;
    return (onArc(bottom) && p.y > bottom.y + kTol) || p.y > top.y + kTol ? 1 : 0;
  }
  const double w = std::sqrt(std::fmax(0.0, k.r * k.r - (p.y - k.c.y) * (p.y - k.c.y)));
  const GPoint right{k.c.x + w, p.y}, left{k.c.x - w, p.y};
  if (side == 21) return (onArc(right) && p.x < right.x - kTol) || p.x < left.x - kTol ? 1 : 0;
  return (onArc(left) && p.x > left.x + kTol) || p.x > right.x + kTol ? 1 : 0;
}

// ---- Sections.

void CThreeViewStretchCmd::CollectSectionCrossings(CDraftView* view, const CEntity* sectionLine,
                                                   const CEntityList& entities, PointList& out) {
  for (const CEntity* e : entities) {
    if (!TakesPart(view, e)) continue;
    PointList found;
    if (IntersectEntities(sectionLine, e, found, 1) == 0) continue;
    AppendPoints(out, found);
    if (e->IsCircle()) {
      const GPoint c = CurveOf(e).c;
      if (!ContainsPoint(centres_, c)) centres_.push_back(c);
    }
  }
}

void CThreeViewStretchCmd::CollectAllSectionCrossings(CDraftView* view, const SectionLineList& lines,
                                                      const CEntityList& entities, PointList& out) {
  for (const auto& line : lines) CollectSectionCrossings(view, line.get(), entities, out);
}

void CThreeViewStretchCmd::CollectSectionCoordinates(CDraftView* view) {
  CollectAllSectionCrossings(view, sectionLines_, *view->GetSelectionList(), crossings_);
  if (oblique_) return;
  CollectClassCoordinates({{&crossings_, &outline_, 1}, {&centres_, &centre_, 0}});
}

int CThreeViewStretchCmd::FindSectionReference(const GPoint& p, const SectionLineList& lines, double& qx,
                                               double& qy) {
  qx = qy = 0.0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const CEntity* line = lines[i].get();
    if (!line || !line->IsLine()) continue;
    GPoint a, b;
    LineEnds(line, a, b);
    if (std::fabs(a.x - b.x) <= kTol || std::fabs(a.y - b.y) <= kTol) continue;
    if (!IsPointOnLine(p, a, b)) continue;
    GPoint q = a;
    const CEntity* neighbour = nullptr;
    if (i > 0 && lines[i - 1].get() != line) neighbour = lines[i - 1].get();
    else if (i + 1 < lines.size()) neighbour = lines[i + 1].get();
    if (neighbour) {
      PointList crossing;
      IntersectEntities(line, neighbour, crossing, 0);
      if (!crossing.empty()) q = crossing.front();
    }
    qx = q.x;
    qy = q.y;
    return 1;
  }
  return 0;
}

int CThreeViewStretchCmd::DistanceToSectionLine(const GPoint& p, const SectionLineList& lines, double& q) {
  q = 0.0;
  if (lines.empty() || !lines.front()) return 1;
  GPoint a, b;
  LineEnds(lines.front().get(), a, b);
  if (IsPointOnLine(p, a, b)) return 1;
  q = GetPointLineDistance(p, a, b);
  return 0;
}

void CThreeViewStretchCmd::UpdateObliqueExtent(const PointList& points, int byY) {
  ResetExtents();
  for (const GPoint& p : points) {
    const double v = byY ? p.y : p.x;
    const double vmax = byY ? yMax_ : xMax_, vmin = byY ? yMin_ : xMin_;
    if (v - vmax >= -kTol) {
      xMax_ = p.x;
      yMax_ = p.y;
    }
    if (v - vmin <= kTol) {
      xMin_ = p.x;
      yMin_ = p.y;
    }
  }
}

// ---- Drawing the lines.

bool CThreeViewStretchCmd::SpanStretch(double& s, double& e) {
  const double g = GetSignFactor(e - s);
  if (typedLength_) {
    if (stretchKind_ == 2) s -= std::fabs(length_) * g / 2.0;
    e = s + g * length_;
  } else {
    length_ = e - s;
    if (stretchKind_ == 2) {
      s -= std::fabs(e - s) * g;
      length_ *= 2.0;
    }
  }
  return !(std::fabs(length_) <= kTol);
}

void CThreeViewStretchCmd::ExtendBothEnds(double& s, double& e) {
  const double k = e - s >= 0 ? 1.0 : -1.0;
  s -= kOvershoot * k;
  e += kOvershoot * k;
}

void CThreeViewStretchCmd::DrawStretchLines(CDraftView* view, ValueArray& values, int endLines, int addMode,
                                            int preview) {
  if (points_.empty()) return;
  const bool vertical = mode_ == 1 || mode_ == 4;
  const PointRec& first = points_[0];
  double s = vertical ? first.y : first.x;
  double e = vertical ? cursor_.y : cursor_.x;
  const double w = vertical ? cursor_.x : cursor_.y;
  if (!SpanStretch(s, e)) return;
  if (!preview && layer_ == CentreLayer(view)) ExtendBothEnds(s, e);
  auto line = [&](double x1, double y1, double x2, double y2) {
    if (!vertical) {
      std::swap(x1, y1);
      std::swap(x2, y2);
    }
    if (preview)
      view->DrawLinePreview(x1, y1, x2, y2, 0);
    else
      results_.AddTail(ConstructLineEntity(layer_, drawGroup_, x1, y1, x2, y2, 1));
  };
  for (double c : values) line(c, s, tapered_ ? w : c, e);
  if (endLines) {
    if (bottomLine_) line(crossMin_, s, crossMax_, s);
    if (topLine_ && !tapered_) line(crossMin_, e, crossMax_, e);
  }
  if (!preview && (addMode == 1 || addMode == 3)) AddResultList(view);
}

void CThreeViewStretchCmd::DrawClassLines(CDraftView* view, ValueArray& values, const ValueArray& outline,
                                          int addMode, int preview) {
  ValueArray kept;
  for (double v : values)
    if (!ContainsValue(outline, v)) kept.push_back(v);
  values.swap(kept);
  if (!values.empty()) DrawStretchLines(view, values, 0, addMode, preview);
}

void CThreeViewStretchCmd::DrawObliqueLines(CDraftView* view, const PointList& points, int preview) {
  if (sx1_.empty() || points_.empty()) return;
  const GPoint a{sx1_[0], sy1_[0]}, b{sx2_[0], sy2_[0]};
  double s = GetPointLineDistance({points_[0].x, points_[0].y}, a, b);
  double e = GetPointLineDistance({cursor_.x, cursor_.y}, a, b);
  double t = GetLineAngle(a.x, a.y, b.x, b.y);
  if (t - 180.0 >= -kTol) t -= 180.0;
  double u = -1.0;
  if (t - 90.0 >= -kTol) {
    t = 180.0 - t;
    u = 1.0;
  }
  const double tr = DegreeToRadian(t);
  const GPoint n{u * std::sin(tr), std::cos(tr)};
  if (!SpanStretch(s, e)) return;
  const bool centreLines = layer_ == CentreLayer(view);
  if (centreLines) ExtendBothEnds(s, e);
  auto line = [&](const GPoint& p, const GPoint& q) {
    if (preview)
      view->DrawLinePreview(p.x, p.y, q.x, q.y, 0);
    else
      results_.AddTail(ConstructLineEntity(layer_, drawGroup_, p.x, p.y, q.x, q.y, 1));
  };
  PointList starts;
  for (const GPoint& p : points) {
    GPoint start{p.x + s * n.x, p.y + s * n.y}, end{p.x + e * n.x, p.y + e * n.y};
    double q = 0.0;
    if (!DistanceToSectionLine(p, sectionLines_, q)) {
      start = {start.x - q * n.x, start.y - q * n.y};
      end = {end.x - q * n.x, end.y - q * n.y};
    }
    starts.push_back(start);
    line(start, end);
  }
  // The end lines join the extreme start points: by x, or by y when the
  // starts line up vertically.
  UpdateObliqueExtent(starts, 0);
  if (std::fabs(xMax_ - xMin_) <= kTol) UpdateObliqueExtent(starts, 1);
  if (!centreLines) {
    const GPoint lo{xMin_, yMin_}, hi{xMax_, yMax_};
    const double d = e - s;
    if (bottomLine_) line(lo, hi);
    if (topLine_) line({lo.x + d * n.x, lo.y + d * n.y}, {hi.x + d * n.x, hi.y + d * n.y});
    if (!preview) AddResultList(view);
  }
}

void CThreeViewStretchCmd::ResetExtents() {
  crossMin_ = xMin_ = yMin_ = 1e300;
  crossMax_ = xMax_ = yMax_ = -1e300;
}

void CThreeViewStretchCmd::ClearCollections() {
  crossings_.clear();
  centres_.clear();
  excluded_.clear();
  profile_.RemoveAll();
  outline_.clear();
  hidden_.clear();
  centre_.clear();
  points_.clear();
}
