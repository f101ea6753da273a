// CDraftView: snapping the cursor to end, mid and centre points and to
// intersections of the entities near it.
#include <cmath>
#include <limits>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"

namespace {
struct Candidate {
  GPoint p;
  DWORD kind;
  const CEntity* entity;
};

void PointsOf(const CEntity* e, DWORD kinds, std::vector<Candidate>& out) {
  ShapePieces pieces;
  e->GetPieces(pieces);
  for (const ShapePiece& s : pieces) {
    switch (s.kind) {
      case ShapePiece::kPoint:
        if (kinds & kSnapEnd) out.push_back({s.a, kSnapEnd, e});
        break;
      case ShapePiece::kSegment:
        if (s.approximate) break;
        if (kinds & kSnapEnd) {
          out.push_back({s.a, kSnapEnd, e});
          out.push_back({s.b, kSnapEnd, e});
        }
        if (kinds & kSnapMid) out.push_back({{(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2}, kSnapMid, e});
        break;
      case ShapePiece::kArc:
        if (s.IsFullCircle()) break;
        if (kinds & kSnapEnd) {
          out.push_back({s.ArcStart(), kSnapEnd, e});
          out.push_back({s.ArcEnd(), kSnapEnd, e});
        }
        if (kinds & kSnapMid) out.push_back({s.ArcMid(), kSnapMid, e});
        break;
      case ShapePiece::kCentre:
        if (kinds & kSnapCentre) out.push_back({s.c, kSnapCentre, e});
        break;
    }
  }
}
}  // namespace

int CDraftView::SnapTo(DWORD kinds, bool whole, int hint, PointRec& cursor, DWORD* state) {
  const GPoint at{cursor.x, cursor.y};
  const double aperture = GetPickAperture();
  // The entities near the cursor (or all of them for the key snaps). A
  // centre lies away from its circle, so a circle counts as near when the
  // cursor is near its centre too.
  std::vector<const CEntity*> near;
  auto consider = [&](const CEntity* e) {
    if (whole || e->DistanceTo(at) <= aperture) {
      near.push_back(e);
      return;
    }
    if (kinds & kSnapCentre) {
      std::vector<Candidate> centres;
      PointsOf(e, kSnapCentre, centres);
      for (const Candidate& c : centres)
        if (GetPointDistance(c.p.x, c.p.y, at.x, at.y) <= aperture) {
          near.push_back(e);
          return;
        }
    }
  };
  for (const CEntity* e : entities_) consider(e);
  for (const CEntity* e : selection_)
    if (!IsKeptApart(e)) consider(e);

  std::vector<Candidate> candidates;
  for (const CEntity* e : near) PointsOf(e, kinds, candidates);
  if (kinds & kSnapIntersection) {
    GPoint pts[8];
    for (size_t i = 0; i < near.size(); ++i)
      for (size_t j = i + 1; j < near.size(); ++j) {
        const int n = near[i]->Intersect(*near[j], pts, 8);
        for (int k = 0; k < n; ++k) candidates.push_back({pts[k], kSnapIntersection, near[i]});
      }
  }

  const Candidate* best = nullptr;
  double bestDistance = whole ? std::numeric_limits<double>::infinity() : aperture;
  for (const Candidate& c : candidates) {
    double d = GetPointDistance(c.p.x, c.p.y, at.x, at.y);
    // A circle command's hint prefers a centre over an equally near point.
    if (hint == 1 && c.kind == kSnapCentre) d -= tressil::kGeomTolerance;
    if (d <= bestDistance && (!best || d < bestDistance)) {
      best = &c;
      bestDistance = d;
    }
  }
  if (!best) {
    if (state) *state = 0;
    return 0;
  }
  cursor.x = best->p.x;
  cursor.y = best->p.y;
  cursor.flagA = cursor.flagB = kPointSnapped;
  cursor.word0 = cursor.word1 = best->entity->GetHandle();
  if (state) *state = best->kind;
  return 1;
}

int CDraftView::SnapCursorPoint(SnapOptions options, UINT, const std::vector<PointRec>&, PointRec& cursor, int,
                                DWORD& outX, DWORD& outY, int hint, DWORD* state) {
  outX = outY = 0;
  const DWORD kinds = options.word[1] ? (options.word[1] & kSnapAll) : snapModes_;
  if (!kinds) {
    if (state) *state = 0;
    return 0;
  }
  return SnapTo(kinds, false, hint, cursor, state);
}

int CDraftView::SnapOnEndKey(SnapOptions, UINT, const std::vector<PointRec>&, PointRec& cursor, int, DWORD& outX,
                             DWORD& outY, int hint, DWORD* state) {
  outX = outY = 0;
  return SnapTo(kSnapEnd, true, hint, cursor, state);
}

int CDraftView::SnapOnHomeKey(SnapOptions, UINT, const std::vector<PointRec>&, PointRec& cursor, int, DWORD& outX,
                              DWORD& outY, int hint, DWORD* state) {
  outX = outY = 0;
  return SnapTo(kSnapMid, true, hint, cursor, state);
}

int CDraftView::SnapOnPageDownKey(SnapOptions, UINT, const std::vector<PointRec>&, PointRec& cursor, int,
                                  DWORD& outX, DWORD& outY, int hint, DWORD* state) {
  outX = outY = 0;
  return SnapTo(kSnapCentre, true, hint, cursor, state);
}

int CDraftView::SnapOnPageUpKey(SnapOptions, UINT, const std::vector<PointRec>&, PointRec& cursor, int, DWORD& outX,
                                DWORD& outY, int hint, DWORD* state) {
  outX = outY = 0;
  return SnapTo(kSnapIntersection, true, hint, cursor, state);
}

void CDraftView::NudgeCursor(SnapOptions, int dx, int dy, const std::vector<PointRec>&, CPoint, PointRec& cursor,
                             DWORD& outX, DWORD& outY, int, DWORD* state) {
  const double step = lengthStep_ * GetGroupScale(GetCurrentGroup());
  cursor.x += dx * step;
  cursor.y += dy * step;
  cursor.word0 = cursor.word1 = 0;
  cursor.flagA = cursor.flagB = kPointLocated;
  outX = outY = 0;
  if (state) *state = 0;
  cursorPos_ = DrawingToClient(cursor.x, cursor.y);
}
