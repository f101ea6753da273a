#include "draft/edit/LineChainNode.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>
#include <vector>

#include "draft/edit/ChainSpans.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/LayerTable.h"
#include "draft/host/Messages.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr int kMarkFree = 0;
constexpr int kMarkMerged = 1;
constexpr int kCentreLineCode = 2;

GPoint InGroupOf(const CEntity* e, const GPoint& p) {
  const CDrawingGroup* g = e->GetEntityGroup();
  return g ? g->ToGroup(p) : p;
}

// A copy of an arc or circle `source` that is the given piece of its circle
// (centre and radius in drawing units); an arc from a circle, and a circle
// from an arc, are new entities with the source's layer, group and owner.
CEntity* MakeCirclePiece(const CEntity* source, const GPoint& c, double r, const carrier::CircleSpan& span) {
  CEntity* made;
  if (span.circle) {
    made = source->IsCircle() ? source->Clone(1)
                              : ConstructCircleEntity(source->GetEntityLayer(), source->GetEntityGroup(), c.x, c.y, r, 1);
  } else if (source->IsArc()) {
    made = source->Clone(1);
    const GPoint gc = InGroupOf(made, c);
    const double v[5] = {gc.x, gc.y, r / made->GetEntityScale(), span.start, span.end};
    made->SetGeometry(v, 5);
  } else {
    made = ConstructArcEntity(source->GetEntityLayer(), source->GetEntityGroup(), c.x, c.y, r, span.start, span.end, 1);
  }
  made->SetEntityOwner(source->GetEntityOwner());
  return made;
}

struct LineEnds {
  GPoint a, b;
};

LineEnds EndsOf(const CEntity* e) {
  double v[kMaxGeometryValues] = {};
  e->GetGeometry(v);
  return {{v[0], v[1]}, {v[2], v[3]}};
}

// Removal code `removal` applied to the pair: `a` goes for 1 and 3, `b`
// for 2 and 3.
void Remove(int removal, CEntity* a, CEntity* b, CEntityList& removed) {
  if (removal == 1 || removal == 3) removed.AddTail(a);
  if (removal == 2 || removal == 3) removed.AddTail(b);
}
}  // namespace

CEntity* MakeLinePiece(const CEntity* source, const GPoint& from, const GPoint& to) {
  CEntity* made = source->Clone(1);
  const GPoint p = InGroupOf(made, from), q = InGroupOf(made, to);
  const double v[4] = {p.x, p.y, q.x, q.y};
  made->SetGeometry(v, 4);
  made->SetEntityOwner(source->GetEntityOwner());
  return made;
}

CLineChainNode::CLineChainNode(CDraftView* view, int mode, int kind, double extension)
    : kind_(kind), mode_(mode), extension_(extension), view_(view) {}

CLineChainNode::~CLineChainNode() = default;

bool CLineChainNode::LineKindOf(const CEntity* e, int& code) const {
  const CLayerRecord* record = view_ ? view_->GetEntityLayerInfo(e) : nullptr;
  if (!record) return false;
  code = record->GetLineKind();
  return true;
}

int CLineChainNode::TidyLine(const CEntityList& partners, CEntity* a, CEntityList& added, CEntityList& removed) {
  int code = 0;
  if (!a || !a->IsLine() || !LineKindOf(a, code)) return 0;
  const LineEnds ends = EndsOf(a);
  const bool steep = std::fabs(ends.b.y - ends.a.y) >= std::fabs(ends.b.x - ends.a.x);
  const auto axis = [steep](const GPoint& p) { return steep ? p.y : p.x; };
  GPoint low = ends.a, up = ends.b;
  if (axis(low) > axis(up)) std::swap(low, up);
  GPoint r1 = low, r2 = up;
  bool crossed = false;
  for (CEntity* h : partners) {
    if (h == a || h->GetEntityMark() != kMarkFree) continue;
    if (IsDuplicateChain()) {
      if (!h->IsLine() || !h->IsParallelTo(*a)) continue;
      carrier::LineMerge m;
      if (!MergeOverlappingLines(a, h, m)) continue;
      h->SetEntityMark(kMarkMerged);
      Remove(m.removal, a, h, removed);
      for (int i = 0; i < m.count; ++i)
        added.AddTail(MakeLinePiece(m.pieces[i].source == 0 ? a : h, m.pieces[i].from, m.pieces[i].to));
      return 2;
    }
    if (code != kCentreLineCode) continue;
    GPoint at[kMaxArcIntersections];
    const int n = h->Intersect(*a, at, kMaxArcIntersections);
    for (int i = 0; i < n; ++i) {
      // Each crossing beyond the one kept pushes it on: r1 ends at the
      // highest crossing and r2 at the lowest.
      if (axis(at[i]) > axis(r1)) {
        r1 = at[i];
        crossed = true;
      }
      if (axis(at[i]) < axis(r2)) {
        r2 = at[i];
        crossed = true;
      }
    }
  }
  if (IsSamePoint(r1, r2)) return 0;
  if (code == kCentreLineCode) {
    if (crossed && std::fabs(extension_) > 1e-6) {
      const double angle = DegreeToRadian(GetLineAngle(low.x, low.y, up.x, up.y));
      const double dx = extension_ * std::cos(angle), dy = extension_ * std::sin(angle);
      r1 = {r1.x + dx, r1.y + dy};
      r2 = {r2.x - dx, r2.y - dy};
    }
    if (axis(r1) > axis(r2)) std::swap(r1, r2);
  }
  if (IsSamePoint(r1, low) && IsSamePoint(r2, up)) return 0;
  if (!IsSamePoint(r1, r2)) added.AddTail(MakeLinePiece(a, r1, r2));
  removed.AddTail(a);
  return 1;
}

int CLineChainNode::MergeOverlappingLines(CEntity* a, CEntity* b, carrier::LineMerge& out) {
  int codeA = 0, codeB = 0;
  if (!LineKindOf(a, codeA) || !LineKindOf(b, codeB)) return 0;
  const LineEnds ea = EndsOf(a), eb = EndsOf(b);
  out = carrier::MergeCollinearLines(ea.a, ea.b, codeA, eb.a, eb.b, codeB);
  return out.removal != 0 ? 1 : 0;
}

int CLineChainNode::TidyArcs(const CEntityList& partners, CEntity* a, CEntityList& added, CEntityList& removed) {
  if (!a || !(a->IsArc() || a->IsCircle())) return 0;
  for (CEntity* q : partners) {
    if (q == a || q->GetEntityMark() != kMarkFree || !(q->IsArc() || q->IsCircle())) continue;
    carrier::ArcMerge m;
    if (!MergeOverlappingArcs(a, q, m)) continue;
    q->SetEntityMark(kMarkMerged);
    Remove(m.removal, a, q, removed);
    double v[kMaxGeometryValues] = {};
    a->GetGeometry(v);
    for (int i = 0; i < m.count; ++i)
      added.AddTail(MakeCirclePiece(m.pieces[i].source == 0 ? a : q, {v[0], v[1]}, v[2], m.pieces[i].span));
    return 2;
  }
  return 0;
}

int CLineChainNode::MergeOverlappingArcs(CEntity* a, CEntity* b, carrier::ArcMerge& out) {
  double va[kMaxGeometryValues] = {}, vb[kMaxGeometryValues] = {};
  a->GetGeometry(va);
  b->GetGeometry(vb);
  if (!IsSamePoint(va[0], va[1], vb[0], vb[1]) || std::fabs(va[2] - vb[2]) > 1e-6) return 0;
  int codeA = 0, codeB = 0;
  if (!LineKindOf(a, codeA) || !LineKindOf(b, codeB)) return 0;
  const carrier::CircleSpan sa{a->IsCircle() != FALSE, a->IsArc() ? va[3] : 0.0, a->IsArc() ? va[4] : 0.0};
  const carrier::CircleSpan sb{b->IsCircle() != FALSE, b->IsArc() ? vb[3] : 0.0, b->IsArc() ? vb[4] : 0.0};
  out = carrier::MergeArcsOfOneCircle(sa, codeA, sb, codeB);
  return out.removal != 0 ? 1 : 0;
}

void CLineChainNode::MergeChain(CEntityList& added, CEntityList& removed) {
  added.RemoveAll();
  removed.RemoveAll();
  // Members in the order they joined, by number: pieces made by a merge
  // join at the end, so the number is the member's place in the walk.
  std::unordered_map<const CEntity*, long long> joined;
  long long next = 0;
  for (CEntity* m : members_) joined[m] = next++;
  // A member that merged with none of the members up to some number merges
  // with none of them later either (a merge depends on the pair alone), and
  // a line merges only with lines whose stretches meet its own: the walk of
  // a member tests the members filed near it (lines) that joined since it
  // last merged with nothing, in the order a walk of all members meets
  // them, and so finds the same first merge.
  std::unordered_map<const CEntity*, long long> cleanUpTo;
  CChainSpans spans;
  bool filed = !fullWalk_ && kind_ == kKindLines;
  for (CEntity* m : members_)
    if (filed && !spans.Add(m)) filed = false;
  // Each merge takes at least one piece away or leaves pieces that no
  // longer overlap what stays, so the rounds are bounded; the bound only
  // guards against a pair that keeps trading pieces within the tolerances.
  const long long maxRounds = 4LL * members_.GetCount() * members_.GetCount() + 16;
  std::vector<const CEntity*> near;
  for (long long round = 0; round < maxRounds; ++round) {
    for (CEntity* m : members_) m->SetEntityMark(kMarkFree);
    bool merged = false;
    CEntityList members(members_);
    for (CEntity* p : members) {
      int code = 0;
      if (p->GetEntityMark() != kMarkFree || !LineKindOf(p, code)) continue;
      if (!IsDuplicateChain() && code != kCentreLineCode) continue;
      const CEntityList* partners = &members_;
      CEntityList some;
      const auto clean = cleanUpTo.find(p);
      const long long after = !fullWalk_ && clean != cleanUpTo.end() ? clean->second : -1;
      if (filed) {
        near.clear();
        spans.Near(p, near);
        std::vector<std::pair<long long, const CEntity*>> order;
        for (const CEntity* h : near)
          if (joined.at(h) > after) order.emplace_back(joined.at(h), h);
        std::sort(order.begin(), order.end());
        for (const auto& o : order) some.AddTail(const_cast<CEntity*>(o.second));
        partners = &some;
      } else if (after >= 0) {
        for (POSITION pos = members_.GetTailPosition(); pos;) {
          CEntity* h = members_.GetPrev(pos);
          if (joined.at(h) <= after) break;
          some.AddHead(h);
        }
        partners = &some;
      }
      CEntityList made, gone;
      const int result = kind_ == kKindLines ? TidyLine(*partners, p, made, gone) : TidyArcs(*partners, p, made, gone);
      if (result != 2) {
        cleanUpTo[p] = next - 1;
        continue;
      }
      for (CEntity* e : made) {
        added.AddTail(e);
        members_.AddTail(e);
        joined[e] = next++;
        if (filed && !spans.Add(e)) filed = false;
      }
      for (CEntity* e : gone) {
        cleanUpTo.erase(e);
        joined.erase(e);
        spans.Remove(e);
        if (added.Remove(e)) {
          // Made by an earlier merge of this chain: it never reached the
          // drawing.
          members_.Remove(e);
          delete e;
        } else if (members_.Remove(e)) {
          removed.AddTail(e);
        } else {
          ShowMessage("数据链表有有错！", MB_OK);
        }
      }
      merged = true;
      break;
    }
    if (!merged) break;
  }
}
