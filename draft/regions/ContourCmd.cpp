#include "draft/regions/ContourCmd.h"

#include <cmath>
#include <memory>
#include <vector>

#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/NumberFormat.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "draft/regions/ChainEndIndex.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr const char* kFindPrompt = "选取轮廓范围内一点";
constexpr const char* kPositionPrompt = "输入位置(TAB：单/双切换,右键结束)";

// A distance made whole: the integer part of d + 0.5.
double Whole(double d) { return std::trunc(d + 0.5); }

// The difference of two directions folded into (−180, 180].
double AngleDifference(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d <= -180.0) d += 360.0;
  if (d > 180.0) d -= 360.0;
  return d;
}

GPoint Polar(const GPoint& c, double r, double degrees) {
  const double a = DegreeToRadian(degrees);
  return {c.x + r * std::cos(a), c.y + r * std::sin(a)};
}

struct LineEnds {
  GPoint a, b;
};

LineEnds EndsOf(const CEntity* e) {
  double v[kMaxGeometryValues] = {};
  e->GetGeometry(v);
  return {{v[0], v[1]}, {v[2], v[3]}};
}

struct Circle {
  GPoint c;
  double r = 0, start = 0, end = 0;
};

Circle CircleOf(const CEntity* e) {
  double v[kMaxGeometryValues] = {};
  const int n = e->GetGeometry(v);
  Circle c{{v[0], v[1]}, v[2], n >= 5 ? v[3] : 0.0, n >= 5 ? v[4] : 360.0};
  return c;
}
}  // namespace

CContourCmd::CContourCmd(int id, CDraftView* view, int chainMode) : CMeasureAreaCmd(id, view), chainMode_(chainMode) {
  tabCount_ = 0;
  regions_[0].RemoveAll();
  promptOverride_ = kFindPrompt;
}

CContourCmd::~CContourCmd() { DeleteResults(); }

void CContourCmd::DeleteResults() {
  while (!results_.IsEmpty()) delete results_.RemoveHead();
  while (!holding_.IsEmpty()) delete holding_.RemoveHead();
}

// ---- Finding the contour.

void CContourCmd::OrientCounterClockwise() {
  CEntityList& list = regions_[0];
  if (list.GetCount() < 3) return;
  double twice = 0.0;
  const size_t n = std::min(vertexX_.size(), vertexY_.size());
  for (size_t i = 0; i < n; ++i) {
    const size_t j = (i + 1) % n;
    twice += vertexX_[i] * vertexY_[j] - vertexX_[j] * vertexY_[i];
  }
  if (twice >= 0) return;
  // Walked clockwise: the same sides in the other order, lines turned round
  // (arcs run counter-clockwise whichever way they are walked).
  CEntityList reversed;
  while (!list.IsEmpty()) {
    CEntity* e = list.RemoveTail();
    if (e->IsLine()) {
      const LineEnds l = EndsOf(e);
      CEntity* turned = ConstructLineEntity(e->GetEntityLayer(), e->GetEntityGroup(), l.b.x, l.b.y, l.a.x, l.a.y, 1);
      delete e;
      e = turned;
    }
    reversed.AddTail(e);
  }
  for (CEntity* e : reversed) list.AddTail(e);
  while (!arcPieces_.IsEmpty()) delete arcPieces_.RemoveHead();
  BuildBoundaryPolygon();
}

void CContourCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  if (!found_) {
    const int hideCentre = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOCENTERLINE", 1);
    const int hideThin = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOTHINLINE", 0);
    current_ = 0;
    const GPoint at{points_.back().x, points_.back().y};
    if (!view->FindClosedBoundary(*view->GetEntityList(), regions_[0], seconds_[0], at.x, at.y, hideCentre, hideThin,
                                  0, 1)) {
      while (!regions_[0].IsEmpty()) delete regions_[0].RemoveHead();
      seconds_[0].RemoveAll();
      points_.clear();
      step_ = 0;
      return;
    }
    sameGroup_ = 0;  // the pieces are worked in drawing coordinates
    BuildBoundaryPolygon();
    OrientCounterClockwise();
    for (CEntity* e : regions_[0]) view->DrawEntityTemp(e, 1, 0);
    view->RegisterInsertedEntities(regions_[0]);
    view->SelectEntities(regions_[0], 1, 0, 1, 1);
    found_ = 1;
    promptOverride_ = kPositionPrompt;
    // Only the clicked point stays: the next click creates.
    while (points_.size() > 1) points_.pop_back();
    return;
  }
  if (!typed_) UpdateDistance(view, {points_.back().x, points_.back().y});
  CreateContours(view);
  while (points_.size() > 1) points_.pop_back();
}

// ---- The distance.

void CContourCmd::UpdateDistance(CDraftView*, const GPoint& cursor) {
  CEntityList& list = regions_[0];
  if (list.IsEmpty()) return;
  CEntity* e = list.GetHead();
  double d;
  if (list.GetCount() <= 2) {
    // The short construction: a circle's or an arc's distance without the
    // arc's side, a line's as it is.
    if (e->IsCircle() || e->IsArc()) {
      const Circle c = CircleOf(e);
      d = c.r - GetPointDistance(cursor.x, cursor.y, c.c.x, c.c.y);
    } else {
      const LineEnds l = EndsOf(e);
      d = GetPointLineDistance(cursor, l.a, l.b);
    }
    sideSign_ = GetValueSign(d);
  } else if (e->IsLine()) {
    const LineEnds l = EndsOf(e);
    // Positive on the left of the side, where the offset of a positive
    // distance lies: the cursor's side is the offset's side.
    d = GetPointLineDistance(cursor, l.a, l.b);
    sideSign_ = GetValueSign(d);
  } else {
    const Circle c = CircleOf(e);
    const double dc = GetPointDistance(cursor.x, cursor.y, c.c.x, c.c.y);
    if (chainMode_ == 0)
      d = (c.r - dc) * ArcSegmentSign(e);
    else if (chainMode_ == 1)
      d = (dc - c.r) * sideSign_;
    else
      d = dc;
  }
  distance_ = Whole(d);
}

int CContourCmd::OnNumberKey(CDraftView* view, UINT ch, UINT, double& x, double& y) {
  if (!view) return 0;
  if (chainMode_ == 0 && !(points_.size() == 1 && found_)) return 0;
  if (chainMode_ == 1 && !found_) return 0;
  double value = 0.0;
  {
    CModalDialogScope scope(view);
    CNumberInputDlg dlg(nullptr, "输入间距", "间距值", 0.0, ch);
    if (dlg.DoModal() != IDOK) return 0;
    value = dlg.GetValue();
  }
  typed_ = 1;
  const double scale = regions_[0].IsEmpty() ? 1.0 : regions_[0].GetHead()->GetEntityScale();
  distance_ = std::fabs(value) * sideSign_ * scale;
  if (double_) distance_ /= 2;
  x = cursor_.x;
  y = cursor_.y;
  return 1;
}

void CContourCmd::OnTabKey(CDraftView* view) {
  CCmdBase::OnTabKey(view);
  double_ = double_ ? 0 : 1;
  promptOverride_ = "输入位置点(TAB：单/双切换,右键结束)";
}

// ---- Building.

void CContourCmd::BuildSide(CDraftView* view, int side, int preview) {
  if (!BuildShortContour(view, side, preview)) BuildOffsetContour(view, side, preview);
}

bool CContourCmd::CreateContours(CDraftView* view) {
  const bool general = regions_[0].GetCount() > 2;
  auto buildChecked = [&](int side) {
    BuildSide(view, side, 0);
    // A closed contour of one or two offset pieces is not made.
    if (general && !keepFewPieces_ && results_.GetCount() <= 2)
      while (!results_.IsEmpty()) delete results_.RemoveHead();
  };
  buildChecked(0);
  if (double_) {
    while (!results_.IsEmpty()) holding_.AddTail(results_.RemoveHead());
    buildChecked(1);
    while (!holding_.IsEmpty()) results_.AddTail(holding_.RemoveHead());
  }
  const bool made = !results_.IsEmpty();
  if (made) {
    CEntityList pieces;
    while (!results_.IsEmpty()) pieces.AddTail(results_.RemoveHead());
    view->AddEntities(pieces);
    std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
    record->AddNewList(pieces);
    view->PushUndoRecord(record.release());
  }
  typed_ = 0;
  return made;
}

CEntity* CContourCmd::MakeLine(CDraftView* view, const GPoint& s, const GPoint& t, int preview) {
  if (preview) {
    view->DrawLinePreview(s.x, s.y, t.x, t.y);
    return nullptr;
  }
  return ConstructLineEntity(layer_, contourGroup_, s.x, s.y, t.x, t.y, 1);
}

CEntity* CContourCmd::MakeArc(CDraftView* view, const GPoint& c, double r, double a1, double a2, int preview) {
  if (preview) {
    view->DrawArcPreview(c.x, c.y, r, a1, a2, 0);
    return nullptr;
  }
  return ConstructArcEntity(layer_, contourGroup_, c.x, c.y, r, a1, a2, 1);
}

int CContourCmd::BuildShortContour(CDraftView* view, int side, int preview) {
  CEntityList& list = regions_[0];
  if (list.GetCount() > 2 || list.IsEmpty()) return 0;
  layer_ = static_cast<BYTE>(view->GetCurrentLayer());
  CEntity* f = list.GetHead();
  contourGroup_ = f->GetEntityGroup();
  const double h = side == 1 ? -distance_ : distance_;
  if (f->IsCircle()) {
    const Circle c = CircleOf(f);
    const double r = c.r - h;
    if (r > 0) {
      if (preview)
        view->DrawCirclePreview(c.c.x, c.c.y, r);
      else
        results_.AddTail(ConstructCircleEntity(layer_, contourGroup_, c.c.x, c.c.y, r, 1));
    }
    return 1;
  }
  if (list.GetCount() < 2) return 1;
  CEntity* g = list.GetTail();
  // The offsets of the two entities.
  struct Offset {
    bool arc;
    Circle circle;
    int sign = 1;
    GPoint s, e;  // a line's offset ends
  };
  auto offsetOf = [&](CEntity* e, Offset& o) {
    o.arc = e->IsArc();
    if (o.arc) {
      o.circle = CircleOf(e);
      o.sign = ArcSegmentSign(e);
      o.circle.r -= o.sign * h;
      return o.circle.r > 1e-6;
    }
    const LineEnds l = EndsOf(e);
    OffsetSegment(l.a.x, l.a.y, l.b.x, l.b.y, h, o.s.x, o.s.y, o.e.x, o.e.y);
    return true;
  };
  Offset of, og;
  if (!offsetOf(f, of) || !offsetOf(g, og)) return 1;
  GPoint x[2];
  int n;
  if (!of.arc && og.arc)
    n = IntersectLineCircleEx(of.s, of.e, og.circle.c, og.circle.r, x);
  else if (of.arc && !og.arc)
    n = IntersectLineCircleEx(og.s, og.e, of.circle.c, of.circle.r, x);
  else if (of.arc && og.arc)
    n = IntersectCircles(of.circle.c, of.circle.r, og.circle.c, og.circle.r, x);
  else
    n = 0;
  if (n < 2) return 1;
  // For each arc: A the crossing nearer its offset start, B the other.
  struct Ends {
    GPoint a, b;
  };
  auto arcEnds = [&](const Offset& o) {
    GPoint p1 = Polar(o.circle.c, o.circle.r, o.circle.start), p2 = Polar(o.circle.c, o.circle.r, o.circle.end);
    if (o.sign == -1) std::swap(p1, p2);
    return Ends{SelectNearerPoint(p1, x[0], x[1]), SelectOtherPoint(p1, x[0], x[1])};
  };
  auto piece = [&](const Offset& o, const Offset& other) -> CEntity* {
    if (o.arc) {
      const Ends ab = arcEnds(o);
      double a1 = GetLineAngle(o.circle.c.x, o.circle.c.y, ab.a.x, ab.a.y);
      double a2 = GetLineAngle(o.circle.c.x, o.circle.c.y, ab.b.x, ab.b.y);
      if (o.sign == -1) SwapDoubles(a1, a2);
      MakeAngleRangeAscending(a1, a2);
      return MakeArc(view, o.circle.c, o.circle.r, a1, a2, preview);
    }
    const Ends ab = arcEnds(other);
    return MakeLine(view, ab.a, ab.b, preview);
  };
  CEntity* pf = piece(of, og);
  CEntity* pg = piece(og, of);
  if (pf) results_.AddTail(pf);
  if (pg) results_.AddTail(pg);
  return 1;
}

void CContourCmd::BuildOffsetContour(CDraftView* view, int side, int preview) {
  CEntityList& list = regions_[0];
  if (list.IsEmpty()) return;
  const double h = side == 1 ? -distance_ : distance_;
  std::vector<CEntity*> e;
  for (CEntity* entity : list) e.push_back(entity);
  const size_t n = e.size();
  layer_ = static_cast<BYTE>(view->GetCurrentLayer());
  contourGroup_ = e[0]->GetEntityGroup();
  auto append = [&](CEntity* piece, CEntity* merged, int drop) {
    if (merged) {
      results_.AddTail(merged);
      delete piece;
    } else if (drop) {
      delete piece;
    } else {
      results_.AddTail(piece);
    }
  };
  for (size_t i = 0; i + 1 < n; ++i) {
    CEntity* previous = i == 0 ? (chainMode_ == 0 ? e[n - 1] : nullptr) : e[i - 1];
    CEntity* piece = OffsetEntity(view, previous, e[i], e[i + 1], h, preview);
    if (!piece) continue;
    int drop = 0;
    CEntity* merged = MergeWithLast(piece, 0, drop);
    append(piece, merged, drop);
  }
  CEntity* previous = n >= 2 ? e[n - 2] : nullptr;
  CEntity* piece = OffsetEntity(view, previous, e[n - 1], chainMode_ == 0 ? e[0] : nullptr, h, preview);
  if (!piece) return;
  int drop = 0;
  CEntity* merged = chainMode_ == 0 ? MergeWithEnds(piece, drop) : MergeWithLast(piece, 0, drop);
  append(piece, merged, drop);
}

void CContourCmd::OffsetSegment(double x1, double y1, double x2, double y2, double d, double& ox1, double& oy1,
                                double& ox2, double& oy2) {
  const double a = DegreeToRadian(GetLineAngle(x1, y1, x2, y2));
  const double dx = -d * std::sin(a), dy = d * std::cos(a);
  ox1 = x1 + dx;
  oy1 = y1 + dy;
  ox2 = x2 + dx;
  oy2 = y2 + dy;
}

GPoint CContourCmd::LineArcReference(bool previous, int arcSign, const GPoint& s0, const GPoint& e0) {
  // The line piece's end that meets the arc: its start for a previous arc
  // walked forwards, its end for a next one (the other way round for an arc
  // walked backwards).
  if (previous) return arcSign == 1 ? s0 : e0;
  return arcSign == 1 ? e0 : s0;
}

GPoint CContourCmd::ArcLineReference(bool previous, int pieceSign, const GPoint& lineStart, const GPoint& lineEnd) {
  if (previous) return pieceSign == 1 ? lineEnd : lineStart;
  return pieceSign == 1 ? lineStart : lineEnd;
}

CEntity* CContourCmd::OffsetEntity(CDraftView* view, CEntity* p, CEntity* e, CEntity* nx, double h, int preview) {
  if (!e) return nullptr;
  for (;;) {
    // Admission.
    if (chainMode_ == 0) {
      if (!p || !nx || (p && p->IsSameAs(nx, 0))) return nullptr;
    } else {
      if (!p && !nx) return nullptr;
      if (p && nx && p->IsSameAs(nx, 0)) return nullptr;
    }
    // Passing over a neighbour: the one beyond takes its place, unless that
    // is the one passed over or the piece's own entity (then it is missing).
    auto passPrevious = [&]() {
      CEntity* beyond = PrevBoundaryEntity(p);
      p = beyond == p || beyond == e ? nullptr : beyond;
    };
    auto passNext = [&]() {
      CEntity* beyond = NextBoundaryEntity(nx);
      nx = beyond == nx || beyond == e ? nullptr : beyond;
    };
    if (e->IsLine()) {
      const LineEnds l = EndsOf(e);
      GPoint s0, e0;
      OffsetSegment(l.a.x, l.a.y, l.b.x, l.b.y, h, s0.x, s0.y, e0.x, e0.y);
      GPoint s = s0, t = e0;
      if (p && p->IsLine()) {
        const LineEnds pl = EndsOf(p);
        GPoint ps, pe;
        OffsetSegment(pl.a.x, pl.a.y, pl.b.x, pl.b.y, h, ps.x, ps.y, pe.x, pe.y);
        if (!IsLinesParallel(ps, pe, s0, e0)) IntersectLinesEx(0, ps, pe, s0, e0, s, 1);
      } else if (p && p->IsArc()) {
        const int sign = ArcSegmentSign(p);
        const Circle c = CircleOf(p);
        const double r = c.r - sign * h;
        GPoint x[2];
        const int k = r > 0 ? IntersectLineCircleEx(s0, e0, c.c, r, x) : 0;
        if (k == 0) {
          passPrevious();
          continue;
        }
        s = k == 2 ? SelectNearerPoint(LineArcReference(true, sign, s0, e0), x[0], x[1]) : x[0];
      }
      if (nx && nx->IsLine()) {
        const LineEnds nl = EndsOf(nx);
        GPoint ns, ne;
        OffsetSegment(nl.a.x, nl.a.y, nl.b.x, nl.b.y, h, ns.x, ns.y, ne.x, ne.y);
        IntersectLinesEx(0, s0, e0, ns, ne, t, 1);
      } else if (nx && nx->IsArc()) {
        const int sign = ArcSegmentSign(nx);
        const Circle c = CircleOf(nx);
        const double r = c.r - sign * h;
        GPoint x[2];
        const int k = r > 0 ? IntersectLineCircleEx(s0, e0, c.c, r, x) : 0;
        if (k == 0) {
          passNext();
          continue;
        }
        t = k == 2 ? SelectNearerPoint(LineArcReference(false, sign, s0, e0), x[0], x[1]) : x[0];
      }
      const double direction = GetLineAngle(l.a.x, l.a.y, l.b.x, l.b.y);
      if (IsSamePoint(s, t) || std::fabs(AngleDifference(GetLineAngle(s.x, s.y, t.x, t.y), direction)) > 1e-6)
        return nullptr;
      return MakeLine(view, s, t, preview);
    }
    if (!e->IsArc()) return nullptr;
    const int sign = ArcSegmentSign(e);
    const Circle c = CircleOf(e);
    const double r = c.r - sign * h;
    if (r <= 1e-6) return nullptr;
    GPoint s = Polar(c.c, r, c.start), t = Polar(c.c, r, c.end);
    if (sign == -1) std::swap(s, t);
    double a1 = c.start, a2 = c.end;
    if (sign == -1) SwapDoubles(a1, a2);
    bool failed = false;
    bool restart = false;
    // One neighbour's end of the arc: `at` is S (previous) or T (next).
    auto meet = [&](CEntity* q, bool previous, GPoint& at, double& angle) {
      if (!q) return;
      if (q->IsLine()) {
        const LineEnds ql = EndsOf(q);
        GPoint qs, qe;
        OffsetSegment(ql.a.x, ql.a.y, ql.b.x, ql.b.y, h, qs.x, qs.y, qe.x, qe.y);
        GPoint x[2];
        const int k = IntersectLineCircleEx(qs, qe, c.c, r, x);
        GPoint found = at;
        if (k == 2)
          found = SelectNearerPoint(ArcLineReference(previous, sign, qs, qe), x[0], x[1]);
        else if (k == 1)
          found = x[0];
        else
          failed = true;
        angle = GetLineAngle(c.c.x, c.c.y, found.x, found.y);
        at = found;
      } else if (q->IsArc()) {
        const int qsign = ArcSegmentSign(q);
        const Circle qc = CircleOf(q);
        const double qr = qc.r - qsign * h;
        GPoint x[2];
        const int k = qr > 0 ? IntersectCircles(c.c, r, qc.c, qr, x) : 0;
        if (k == 0) {
          if (previous)
            passPrevious();
          else
            passNext();
          restart = true;
          return;
        }
        const GPoint found = k == 2 ? SelectNearerPoint(at, x[0], x[1]) : x[0];
        angle = GetLineAngle(c.c.x, c.c.y, found.x, found.y);
        at = found;
      }
    };
    meet(p, true, s, a1);
    if (restart) continue;
    meet(nx, false, t, a2);
    if (restart) continue;
    if (failed) return nullptr;
    if (sign == -1) SwapDoubles(a1, a2);
    MakeAngleRangeAscending(a1, a2);
    return MakeArc(view, c.c, r, a1, a2, preview);
  }
}

CEntity* CContourCmd::PrevBoundaryEntity(CEntity* entity) {
  CEntityList& list = regions_[0];
  POSITION pos = list.Find(entity);
  if (!pos) return nullptr;
  list.GetPrev(pos);
  if (pos) return list.GetAt(pos);
  if (chainMode_ == 0) return list.GetTail();
  if (chainMode_ == 1) return nullptr;
  return entity;
}

CEntity* CContourCmd::NextBoundaryEntity(CEntity* entity) {
  CEntityList& list = regions_[0];
  POSITION pos = list.Find(entity);
  if (!pos) return nullptr;
  list.GetNext(pos);
  if (pos) return list.GetAt(pos);
  if (chainMode_ == 0) return list.GetHead();
  if (chainMode_ == 1) return nullptr;
  return entity;
}

CEntity* CContourCmd::MergeWithLast(CEntity* piece, int end, int& drop) {
  drop = 0;
  if (results_.IsEmpty() || !piece) return nullptr;
  CEntity* r = end == 0 ? results_.GetTail() : results_.GetHead();
  if (!r || !r->IsLine() || !piece->IsLine()) return nullptr;
  const LineEnds rl = EndsOf(r), nl = EndsOf(piece);
  const double a = AngleDifference(GetLineAngle(rl.a.x, rl.a.y, rl.b.x, rl.b.y),
                                   GetLineAngle(nl.a.x, nl.a.y, nl.b.x, nl.b.y));
  // The pieces meet at a corner: the end of the one walked first is the
  // start of the other.
  const bool corner = end == 0 ? IsSamePoint(rl.b, nl.a) : IsSamePoint(nl.b, rl.a);
  if (std::fabs(a) > 1e-6 && corner) return nullptr;
  const BYTE layer = r->GetEntityLayer();
  if (std::fabs(a) <= 1e-6) {
    end == 0 ? results_.RemoveTail() : results_.RemoveHead();
    delete r;
    return end == 0 ? ConstructLineEntity(layer, contourGroup_, rl.a.x, rl.a.y, nl.b.x, nl.b.y, 1)
                    : ConstructLineEntity(layer, contourGroup_, nl.a.x, nl.a.y, rl.b.x, rl.b.y, 1);
  }
  GPoint x;
  if (IntersectLines(rl.a, rl.b, nl.a, nl.b, x)) {
    CEntity* cut = end == 0 ? ConstructLineEntity(layer, contourGroup_, rl.a.x, rl.a.y, x.x, x.y, 1)
                            : ConstructLineEntity(layer, contourGroup_, x.x, x.y, rl.b.x, rl.b.y, 1);
    if (end == 0) {
      results_.RemoveTail();
      results_.AddTail(cut);
    } else {
      results_.RemoveHead();
      results_.AddHead(cut);
    }
    delete r;
    return end == 0 ? ConstructLineEntity(layer, contourGroup_, x.x, x.y, nl.b.x, nl.b.y, 1)
                    : ConstructLineEntity(layer, contourGroup_, nl.a.x, nl.a.y, x.x, x.y, 1);
  }
  end == 0 ? results_.RemoveTail() : results_.RemoveHead();
  delete r;
  drop = 1;  // the caller deletes the new piece
  return nullptr;
}

CEntity* CContourCmd::MergeWithEnds(CEntity* piece, int& drop) {
  CEntity* merged = MergeWithLast(piece, 0, drop);
  if (!merged) {
    if (drop) return nullptr;
    return MergeWithLast(piece, 1, drop);
  }
  int drop2 = 0;
  CEntity* again = MergeWithLast(merged, 1, drop2);
  if (again) {
    delete merged;
    return again;
  }
  if (drop2) {
    delete merged;
    drop = 1;
    return nullptr;
  }
  return merged;
}

void CContourCmd::GetEndPoints(CEntity* entity, double& x1, double& y1, double& x2, double& y2) {
  x1 = y1 = x2 = y2 = 0;
  if (!entity) return;
  if (entity->IsLine()) {
    const LineEnds l = EndsOf(entity);
    x1 = l.a.x;
    y1 = l.a.y;
    x2 = l.b.x;
    y2 = l.b.y;
  } else if (entity->IsArc()) {
    const Circle c = CircleOf(entity);
    const GPoint s = Polar(c.c, c.r, c.start), e = Polar(c.c, c.r, c.end);
    x1 = s.x;
    y1 = s.y;
    x2 = e.x;
    y2 = e.y;
  }
}

int CContourCmd::BuildBoundaryPolygon() {
  arcSigns_.clear();
  return CMeasureAreaCmd::BuildBoundaryPolygon();
}

int CContourCmd::ArcSegmentSign(CEntity* piece) {
  if (!piece) return 1;
  if (chainMode_ == 0) {
    // Each preview and each click asks again for every arc and its
    // neighbours; the answer stands while the polygon does.
    const auto known = arcSigns_.find(piece);
    if (known != arcSigns_.end()) return known->second;
    const Circle c = CircleOf(piece);
    double a = c.start, b = c.end;
    MakeAngleRangeAscending(a, b, true);
    // The quarter point; an arc of 180 degrees or more is split in four for
    // the polygon, whose vertex its quarter point is (the winding there says
    // nothing), so its eighth point is taken instead.
    const GPoint q = Polar(c.c, c.r, a + (b - a) / (b - a < 180.0 ? 4 : 8));
    const size_t n = std::min(vertexX_.size(), vertexY_.size());
    double w = 0.0;
    for (size_t k = 0; k < n; ++k) {
      const size_t j = (k + 1) % n;
      w += SignedSweep(q.x, q.y, vertexX_[k], vertexY_[k], q.x, q.y, vertexX_[j], vertexY_[j]);
    }
    const int sign = std::fabs(std::fabs(w) - 360.0) <= 5.0 ? -1 : 1;
    arcSigns_[piece] = sign;
    return sign;
  }
  double sx, sy, ex, ey;
  GetEndPoints(piece, sx, sy, ex, ey);
  const GPoint start{sx, sy};
  CEntity* previous = PrevBoundaryEntity(piece);
  if (previous == piece) previous = nullptr;
  if (previous && (previous->IsLine() || previous->IsArc())) {
    double x1, y1, x2, y2;
    GetEndPoints(previous, x1, y1, x2, y2);
    if (previous->IsLine()) return IsSamePoint(GPoint{x2, y2}, start) ? 1 : -1;
    return IsSamePoint(GPoint{x1, y1}, start) || IsSamePoint(GPoint{x2, y2}, start) ? 1 : -1;
  }
  CEntity* next = NextBoundaryEntity(piece);
  if (next == piece) next = nullptr;
  if (!next) return 1;
  double x1, y1, x2, y2;
  GetEndPoints(next, x1, y1, x2, y2);
  if (next->IsLine()) return IsSamePoint(GPoint{x1, y1}, start) ? -1 : 1;
  if (next->IsArc()) return IsSamePoint(GPoint{x1, y1}, start) || IsSamePoint(GPoint{x2, y2}, start) ? -1 : 1;
  return 1;
}

// ---- Preview.

void CContourCmd::DrawFootLine(CDraftView* view) {
  CEntity* f = regions_[0].GetHead();
  const GPoint cur{cursor_.x, cursor_.y};
  if (f->IsLine()) {
    const LineEnds l = EndsOf(f);
    GPoint foot;
    if (!ProjectPointToLine(0, l.a, l.b, cur, foot)) return;
    view->DrawLinePreview(cur.x, cur.y, foot.x, foot.y);
    if (double_) {
      const GPoint m = MirrorPointAboutLine(cur, l.a, l.b);
      view->DrawLinePreview(foot.x, foot.y, m.x, m.y);
    }
    if (!IsPointInSegmentRange(l.a, l.b, foot)) {
      const GPoint end = SelectEndPoint(foot, l.a, l.b, 1);
      view->DrawLinePreview(foot.x, foot.y, end.x, end.y);
    }
    return;
  }
  if (!f->IsArc() && !f->IsCircle()) return;
  const Circle c = CircleOf(f);
  if (IsSamePoint(cur, c.c)) return;
  GPoint x[2];
  IntersectLineCircleEx(cur, c.c, c.c, c.r, x);
  const GPoint foot = SelectEndPoint(cur, x[0], x[1], 1);
  view->DrawLinePreview(cur.x, cur.y, foot.x, foot.y);
  if (double_) {
    GPoint m = cur;
    RotatePoint(m, foot, 180.0);
    view->DrawLinePreview(foot.x, foot.y, m.x, m.y);
  }
  if (f->IsArc() && !IsPointWithinArc(foot, c.c, c.start, c.end)) view->DrawCirclePreview(c.c.x, c.c.y, c.r);
}

int CContourCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (points_.size() == 1 && found_ && !typed_ && !regions_[0].IsEmpty()) {
    DrawContourPreview(view);
    return 0;
  }
  return CCmdBase::DrawPreview(view);
}

void CContourCmd::DrawContourPreview(CDraftView* view) {
  {
    double_ = tabCount_ % 2;
    UpdateDistance(view, {cursor_.x, cursor_.y});
    BuildSide(view, 0, 1);
    if (double_) BuildSide(view, 1, 1);
    const double scale = regions_[0].GetHead()->GetEntityScale();
    const double shown = std::fabs(distance_ / scale * (double_ ? 2 : 1));
    readout1_ = CString("d=") + FormatNumberText(shown, GetNumberFormat(view->GetUnitSettings().length));
    readout2_.Empty();
    view->DrawTextPreview(readout1_, cursor_.x, cursor_.y, 0.0);
    view->DrawTextPreview(readout2_, cursor_.x, cursor_.y, 90.0);
    DrawFootLine(view);
  }
}

// ---- Right button and end.

void CContourCmd::ClearContour(CDraftView* view) {
  arcSigns_.clear();
  while (!arcPieces_.IsEmpty()) delete arcPieces_.RemoveHead();
  // The boundary entities are still registered and selected: deleting one
  // takes it out of the view by itself.
  while (!regions_[0].IsEmpty()) {
    CEntity* e = regions_[0].RemoveHead();
    if (view) view->DrawEntityTemp(e, 1, 1);
    delete e;
  }
  if (view) view->ClearSelection();
  ClearMarks(seconds_[0]);
  seconds_[0].RemoveAll();
  points_.clear();
  step_ = 0;
  DeleteResults();
  typed_ = 0;
  found_ = 0;
}

int CContourCmd::OnRButton(CDraftView* view) {
  const bool nothingTaken = points_.empty() && !found_;
  ClearContour(view);
  if (nothingTaken) return CCmdBase::OnRButton(view);
  promptOverride_ = kFindPrompt;
  return 0;
}

int CContourCmd::End(CDraftView* view) {
  ClearContour(view);
  return CMeasureAreaCmd::End(view);
}

// ---- Chaining picked entities.

void CContourCmd::ClearMarks(CEntityList& list) {
  for (CEntity* e : list)
    if (e) e->SetChainMark(0);
}

namespace {
// A copy of a picked line on the stored layer and group, from `a` to `b`.
CEntity* LineCopy(const CEntity* line, CDrawingGroup* group, const GPoint& a, const GPoint& b) {
  return ConstructLineEntity(line->GetEntityLayer(), group, a.x, a.y, b.x, b.y, 1);
}
}  // namespace

void CContourCmd::BuildChainFromPicks(CEntityList& source, CEntityList& chain, CEntity* start) {
  if (!start) return;
  if (!contourGroup_) contourGroup_ = start->GetEntityGroup();
  start->SetChainMark(1);
  layer_ = start->GetEntityLayer();
  CEntity* copy;
  if (start->IsLine()) {
    LineEnds l = EndsOf(start);
    // Left to right, or bottom to top for an upright line.
    const bool swap = std::fabs(l.a.x - l.b.x) <= 1e-6 ? l.a.y > l.b.y : l.a.x > l.b.x;
    if (swap) std::swap(l.a, l.b);
    copy = LineCopy(start, contourGroup_, l.a, l.b);
  } else {
    copy = start->Clone(1);
    if (start->IsArc()) {
      double sx, sy, ex, ey;
      GetEndPoints(start, sx, sy, ex, ey);
      sideSign_ = sx > ex + 1e-6 || (std::fabs(sx - ex) <= 1e-6 && sy > ey) ? 1 : -1;
    }
  }
  if (!copy) return;
  chain.AddTail(copy);
  if (source.GetCount() == 1 || start->IsCircle()) return;
  // The picks filed by their end points for the searches below, and
  // forgotten when the chain is complete.
  struct Forget {
    std::unique_ptr<CChainEndIndex>& index;
    ~Forget() { index.reset(); }
  } forget{endIndex_};
  endIndex_ = std::make_unique<CChainEndIndex>(
      source, [this](CEntity* e, double& x1, double& y1, double& x2, double& y2) { GetEndPoints(e, x1, y1, x2, y2); });
  const bool arcStart = start->IsArc() && sideSign_ == 1;
  for (int code = arcStart ? 21 : 1;;) {
    CEntity* found = FindConnected(code, chain.GetHead(), source);
    if (!found) break;
    chain.AddHead(found);
    code = found->IsLine() ? 1 : 10;
  }
  for (int code = arcStart ? 11 : 2;;) {
    CEntity* found = FindConnected(code, chain.GetTail(), source);
    if (!found) break;
    chain.AddTail(found);
    code = found->IsLine() ? 2 : 20;
  }
}

CEntity* CContourCmd::FindConnected(int code, CEntity* entity, CEntityList& source) {
  // Only a line's or an arc's ends lead on (GetEndPoints gives zeros for
  // every other kind).
  if (!entity || !(entity->IsLine() || entity->IsArc())) return nullptr;
  double x1, y1, x2, y2;
  GetEndPoints(entity, x1, y1, x2, y2);
  const bool first = code == 1 || code == 10 || code == 11 || code == 20;
  const int passes = (code == 10 || code == 20) && entity->IsArc() ? 2 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const bool useFirst = pass == 0 ? first : !first;
    const GPoint ref = useFirst ? GPoint{x1, y1} : GPoint{x2, y2};
    CEntity* e = nullptr;
    if (endIndex_ && endIndex_->GetSource() == &source) {
      e = endIndex_->FindFirstAt(ref);
    } else {
      for (CEntity* candidate : source) {
        if (!candidate || candidate->GetChainMark() || !(candidate->IsLine() || candidate->IsArc())) continue;
        double a1, b1, a2, b2;
        GetEndPoints(candidate, a1, b1, a2, b2);
        if (IsSamePoint(GPoint{a1, b1}, ref) || IsSamePoint(GPoint{a2, b2}, ref)) {
          e = candidate;
          break;
        }
      }
    }
    if (e) {
      double a1, b1, a2, b2;
      GetEndPoints(e, a1, b1, a2, b2);
      const GPoint p{a1, b1}, q{a2, b2};
      e->SetChainMark(1);
      if (e->IsArc()) return e->Clone(1);
      layer_ = e->GetEntityLayer();
      // Codes 1, 10 and 21 continue the chain backwards: the copy ends on
      // the reference; the others start there.
      const bool endsOnRef = code == 1 || code == 10 || code == 21;
      const GPoint other = IsSamePoint(p, ref) ? q : p;
      return endsOnRef ? LineCopy(e, contourGroup_, other, ref) : LineCopy(e, contourGroup_, ref, other);
    }
  }
  return nullptr;
}

void CContourCmd::PickTargets(CDraftView* view) {
  if (!view || points_.empty()) return;
  CEntityList picked;
  const DWORD mask = static_cast<DWORD>(-8);
  if (points_.size() == 1 && pointCount_ == 1) {
    if (!view->PickEntitiesAtPoint(points_[0].x, points_[0].y, picked, 0, 1, 0, 0, mask, -1)) {
      pointCount_ = 2;  // the next click closes a window
      return;
    }
  } else {
    const PointRec a = points_.front(), b = points_.back();
    pointCount_ = 1;
    view->PickEntitiesInWindow(a.x, a.y, b.x, b.y, picked, 0, 1, 0, 0, mask, -1);
  }
  CEntityList& chosen = seconds_[0];
  for (CEntity* e : picked) {
    if (chosen.Contains(e)) continue;
    chosen.AddTail(e);
    const CDrawingGroup* group = e->GetEntityGroup();
    if (group && group->IsGroupPickedWhole())
      for (CEntity* other : *view->GetEntityList())
        if (other->GetEntityGroup() == group && !chosen.Contains(other)) chosen.AddTail(other);
  }
  view->SelectEntities(chosen, 1, 1, 1, 0);
  points_.clear();
  step_ = 0;
}

void CContourCmd::DrawPickBox(CDraftView* view) {
  if (!view || found_ || points_.size() != 1 || pointCount_ != 2) return;
  const PointRec& corner = points_[0];
  view->DrawLinePreview(corner.x, corner.y, cursor_.x, corner.y);
  view->DrawLinePreview(cursor_.x, corner.y, cursor_.x, cursor_.y);
  view->DrawLinePreview(cursor_.x, cursor_.y, corner.x, cursor_.y);
  view->DrawLinePreview(corner.x, cursor_.y, corner.x, corner.y);
  const CNumberFormat format = GetNumberFormat(view->GetUnitSettings().length);
  statusText_ = CString("宽: ") + FormatNumberText(cursor_.x - corner.x, format) + "    高: " +
                FormatNumberText(cursor_.y - corner.y, format);
}
