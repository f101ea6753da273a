#include "diagram/model/canvas/QuadTree.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "diagram/model/objects/DrawObj.h"

namespace {

// The number of the last query; every query takes the next one.
uint64_t g_lastQueryStamp = 0;

// Both rectangles normalised.
bool Overlap(const CRect& a, const CRect& b) {
  // Rectangles without area meet nothing, as with IntersectRect.
  if (a.right <= a.left || a.bottom <= a.top || b.right <= b.left || b.bottom <= b.top) return false;
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether two normalised rectangles share at least a point. A shape within
// its filing rectangle meets (or lies within) a rectangle only when this
// holds.
bool Touch(const CRect& a, const CRect& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

int Middle(int a, int b) { return static_cast<int>((static_cast<int64_t>(a) + b) / 2); }

}  // namespace

// One search: the rectangle that objects are tested against, the part of it
// that the nodes are searched with, the result, and the query's stamp.
//
// The walk over the nodes only gathers the candidates, the objects whose
// filing rectangles touch the rectangle, in the order met, and asks the
// processor to fetch each into its cache; the candidates are tested after
// the walk, when their memory has arrived. The walk does not depend on the
// tests, so the objects are tested, and the result built, in the order a
// walk that tested as it went would have.
struct QuadTreeNode::Query {
  Query(const CRect& rect, int bounded, CDrawList& out)
      : test(rect), bounded(bounded), out(out), stamp(++g_lastQueryStamp) {
    // What the result holds already is neither tested nor added again.
    for (POSITION pos = out.GetHeadPosition(); pos;) {
      if (CDrawObj* object = out.GetNext(pos)) object->m_nQueryStamp = stamp;
    }
  }
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  // An object of a node that its filing rectangle shows may meet the
  // rectangle.
  void Gather(CDrawObj* object) {
    // The lines of the object that the test reads: the table of its
    // class, the position and the stamp.
    const char* bytes = reinterpret_cast<const char*>(object);
    __builtin_prefetch(bytes);
    __builtin_prefetch(&object->m_position);
    __builtin_prefetch(reinterpret_cast<const char*>(&object->m_nQueryStamp + 1) - 1);
    if (count < kInline) {
      inlineCandidates[count++] = object;
    } else {
      overflow.push_back(object);
    }
  }

  // Tests the gathered objects in order.
  void TestGathered() {
    for (size_t i = 0; i < count; ++i) Offer(inlineCandidates[i]);
    for (CDrawObj* object : overflow) Offer(object);
    count = 0;
    overflow.clear();
  }

  // Tests an object once and appends it when it passes.
  void Offer(CDrawObj* object) {
    if (object->m_nQueryStamp == stamp) return;
    object->m_nQueryStamp = stamp;
    if (!(bounded ? object->BoundedBy(test) : object->Intersects(test))) return;
    // The stamps keep the result a set, unless the test ran a query of its
    // own, which stamped with its own number: from then on the result's
    // own search for duplicates decides.
    if (g_lastQueryStamp == stamp) {
      out.AddTailUnsearched(object);
    } else {
      out.AddTail(object);
    }
  }

  CRect test;
  CRect search;
  int bounded;
  CDrawList& out;
  uint64_t stamp;
  // The candidates gathered by the walk: most queries need no more than
  // the room on the stack.
  static constexpr size_t kInline = 256;
  CDrawObj* inlineCandidates[kInline];
  size_t count = 0;
  std::vector<CDrawObj*> overflow;
};

// ---------------------------------------------------------------- QuadTreeNode

QuadTreeNode::QuadTreeNode()
    : m_rect(0, 0, 0, 0), m_pChildren{}, m_objects(10), m_quarterLoad{}, m_handedDown(0) {}

QuadTreeNode::QuadTreeNode(int left, int top, int right, int bottom)
    : m_rect(left, top, right, bottom), m_pChildren{}, m_objects(10), m_quarterLoad{}, m_handedDown(0) {
  m_rect.NormalizeRect();
}

QuadTreeNode::~QuadTreeNode() { Clear(); }

void QuadTreeNode::Clear() {
  for (const Entry& entry : m_entries) entry.object->RemoveQuadReference(this);
  m_entries.clear();
  m_positions.clear();
  m_objects.RemoveAll();
  std::fill(std::begin(m_quarterLoad), std::end(m_quarterLoad), 0);
  m_handedDown = 0;
  for (QuadTreeNode*& child : m_pChildren) {
    delete child;
    child = nullptr;
  }
}

void QuadTreeNode::RemoveObjFromNode(CDrawObj* object) {
  Forget(object);
  object->RemoveQuadReference(this);
}

void QuadTreeNode::Forget(const CDrawObj* object) {
  // The newest entries are at the back.
  for (size_t i = m_entries.size(); i-- > 0;) {
    if (m_entries[i].object != object) continue;
    m_objects.RemoveAt(m_positions[i]);
    CountQuarters(m_entries[i].rect, -1);
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
    m_positions.erase(m_positions.begin() + static_cast<std::ptrdiff_t>(i));
    return;
  }
}

CRect QuadTreeNode::FilingRect(CDrawObj* object) {
  CRect rect = object->GetBoundingRectIncludingComponents();
  rect.NormalizeRect();
  return rect;
}

void QuadTreeNode::Take(CDrawObj* object, const CRect& rect) {
  // Offered at most once while filed (AddObject first takes out an object
  // that is filed already), the object is not searched for.
  m_entries.push_back({rect, object});
  m_positions.push_back(m_objects.AddHeadUnsearched(object));
  CountQuarters(rect, 1);
  object->AddQuadReference(this);
}

CRect QuadTreeNode::Quarter(int quarter) const {
  int mx = Middle(m_rect.left, m_rect.right);
  int my = Middle(m_rect.top, m_rect.bottom);
  switch (quarter) {
    case 0:
      return CRect(m_rect.left, m_rect.top, mx, my);
    case 1:
      return CRect(mx, m_rect.top, m_rect.right, my);
    case 2:
      return CRect(m_rect.left, my, mx, m_rect.bottom);
    default:
      return CRect(mx, my, m_rect.right, m_rect.bottom);
  }
}

unsigned QuadTreeNode::QuartersMet(const CRect& rect) const {
  // Overlap(rect, Quarter(i)) for the four quarters at once: a quarter is
  // met when both its column and its row share an extent with the
  // rectangle (and the quarter has one).
  if (rect.right <= rect.left || rect.bottom <= rect.top) return 0;
  const int mx = Middle(m_rect.left, m_rect.right);
  const int my = Middle(m_rect.top, m_rect.bottom);
  const bool west = m_rect.left < mx && rect.left < mx && m_rect.left < rect.right;
  const bool east = mx < m_rect.right && rect.left < m_rect.right && mx < rect.right;
  const bool north = m_rect.top < my && rect.top < my && m_rect.top < rect.bottom;
  const bool south = my < m_rect.bottom && rect.top < m_rect.bottom && my < rect.bottom;
  return (west && north ? 1u : 0u) | (east && north ? 2u : 0u) | (west && south ? 4u : 0u) |
         (east && south ? 8u : 0u);
}

void QuadTreeNode::CountQuarters(const CRect& rect, int step) {
  const unsigned met = QuartersMet(rect);
  if (met == 0xF) return;
  m_handedDown += step;
  for (int i = 0; i < 4; ++i) {
    if (met & (1u << i)) m_quarterLoad[i] += step;
  }
}

BOOL QuadTreeNode::SplitHelps(const CRect& incoming) const {
  // Objects that meet all four quarters would stay in this node. A split
  // that leaves one quarter with every other object does not lower the
  // load there; it is refused when it would also copy many objects into
  // several quarters (long objects across a middle line, which every
  // further split would copy again). Objects gathered in one quarter
  // without such copies are handed down, so that the quarter can split
  // them in its turn.
  const unsigned met = QuartersMet(incoming);
  const int extra = met == 0xF ? 0 : 1;
  const int handedDown = m_handedDown + extra;
  if (handedDown == 0) return FALSE;
  bool oneQuarterHoldsAll = false;
  int entries = 0;
  for (int i = 0; i < 4; ++i) {
    const int load = m_quarterLoad[i] + ((extra && (met & (1u << i))) ? 1 : 0);
    if (load == handedDown) oneQuarterHoldsAll = true;
    entries += load;
  }
  if (!oneQuarterHoldsAll) return TRUE;
  const int copies = entries - handedDown;
  return copies * 2 < handedDown ? TRUE : FALSE;
}

void QuadTreeNode::Split() {
  for (int i = 0; i < 4; ++i) {
    CRect q = Quarter(i);
    m_pChildren[i] = new QuadTreeNode(q.left, q.top, q.right, q.bottom);
  }
  std::vector<Entry> moving;
  moving.swap(m_entries);
  m_positions.clear();
  for (const Entry& entry : moving) entry.object->RemoveQuadReference(this);
  m_objects.RemoveAll();
  std::fill(std::begin(m_quarterLoad), std::end(m_quarterLoad), 0);
  m_handedDown = 0;
  // Handed down in the order of the list, newest first.
  for (auto it = moving.rbegin(); it != moving.rend(); ++it) FileInChildren(it->object, it->rect);
}

void QuadTreeNode::FileInChildren(CDrawObj* object, const CRect& rect) {
  unsigned met = QuartersMet(rect);
  if (met == 0xF) {
    Take(object, rect);
    return;
  }
  for (int i = 0; i < 4; ++i) {
    if (met & (1u << i)) m_pChildren[i]->AddedObject(object, rect);
  }
}

BOOL QuadTreeNode::AddedObject(CDrawObj* object) { return AddedObject(object, FilingRect(object)); }

BOOL QuadTreeNode::AddedObject(CDrawObj* object, const CRect& rect) {
  if (!Overlap(rect, m_rect)) return FALSE;
  if (IsLeaf()) {
    if (m_objects.GetCount() < kSplitCount || m_rect.Width() < kMinSplitSize || m_rect.Height() < kMinSplitSize ||
        !SplitHelps(rect)) {
      Take(object, rect);
      return TRUE;
    }
    Split();
  }
  FileInChildren(object, rect);
  return TRUE;
}

BOOL QuadTreeNode::BoundsRect(const CRect& rect) const {
  return m_rect.left < rect.left && m_rect.top < rect.top && rect.right < m_rect.right &&
         rect.bottom < m_rect.bottom;
}

BOOL QuadTreeNode::AllObjectsInRect(Query& query) {
  if (!Overlap(m_rect, query.search)) return FALSE;
  // A child's rectangle is its quarter of this one: a child the search does
  // not reach is passed over without reading it, and those it reaches are
  // fetched while this node's objects are gathered.
  unsigned reached = 0;
  if (!IsLeaf()) {
    for (int i = 0; i < 4; ++i) {
      if (!Overlap(Quarter(i), query.search)) continue;
      reached |= 1u << i;
      __builtin_prefetch(m_pChildren[i]);
    }
  }
  // In the order of the list, newest first.
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
    if (Touch(it->rect, query.test)) query.Gather(it->object);
  }
  // Once the search lies wholly inside one quarter, every object that meets
  // it is filed there (or in this node): the rest can be skipped.
  for (int i = 0; i < 4; ++i) {
    if ((reached & (1u << i)) && m_pChildren[i]->AllObjectsInRect(query)) return TRUE;
  }
  return BoundsRect(query.search);
}

// ---------------------------------------------------------------- QuadTreeHead

QuadTreeHead::QuadTreeHead() : m_outside(10) {}

QuadTreeHead::~QuadTreeHead() { ClearTree(); }

void QuadTreeHead::ClearTree() {
  for (POSITION pos = m_outside.GetHeadPosition(); pos;) m_outside.GetNext(pos)->RemoveQuadReference(this);
  m_outside.RemoveAll();
  Clear();
}

BOOL QuadTreeHead::IsEmpty() const { return m_outside.IsEmpty() && m_objects.IsEmpty() && IsLeaf(); }

void QuadTreeHead::Initialize(const CRect& area, const CDrawList& objects) {
  ClearTree();
  m_rect = area;
  m_rect.NormalizeRect();
  for (POSITION pos = objects.GetHeadPosition(); pos;) AddObject(objects.GetNext(pos));
}

void QuadTreeHead::SetSize(const CSize& s, const CDrawList& objects) {
  Initialize(CRect(-s.cx, -s.cy, s.cx, s.cy), objects);
}

void QuadTreeHead::AddObject(CDrawObj* object) {
  // An object is filed in one tree at a time: one that is filed already
  // (here or elsewhere) is filed afresh, never twice.
  if (object->IsInQuadTree()) RemoveObject(object);
  if (AddedObject(object)) return;
  m_outside.AddHead(object);
  object->AddQuadReference(this);
}

void QuadTreeHead::RemoveObject(CDrawObj* object) {
  if (object->IsInQuadTree()) object->RemoveFromAllQuads();
}

void QuadTreeHead::UpdateObject(CDrawObj* object) {
  RemoveObject(object);
  AddObject(object);
}

void QuadTreeHead::RemoveObjFromNode(CDrawObj* object) {
  m_outside -= object;
  QuadTreeNode::RemoveObjFromNode(object);
}

void QuadTreeHead::GetObjectsInRect(CRect rect, CDrawList& out, int bounded) {
  rect.NormalizeRect();
  Query query(rect, bounded, out);
  for (POSITION pos = m_outside.GetHeadPosition(); pos;) query.Offer(m_outside.GetNext(pos));
  if (m_rect.IsRectEmpty()) return;
  // An object that sticks out of the root is filed in the leaves along the
  // root's edge. A query beyond the edge searches the strip of the root
  // next to it, at least one unit wide, and tests the objects found there
  // against the query itself, so that it still finds such objects.
  CRect& s = query.search;
  s.left = std::clamp(rect.left, m_rect.left, m_rect.right - 1);
  s.right = std::clamp(rect.right, m_rect.left + 1, m_rect.right);
  s.top = std::clamp(rect.top, m_rect.top, m_rect.bottom - 1);
  s.bottom = std::clamp(rect.bottom, m_rect.top + 1, m_rect.bottom);
  AllObjectsInRect(query);
  query.TestGathered();
}
