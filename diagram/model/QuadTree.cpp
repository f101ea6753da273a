#include "diagram/model/QuadTree.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <unordered_set>

#include "diagram/model/DrawObj.h"

// One search: the rectangle that objects are tested against, the part of it
// that the nodes are searched with, and the result with what it holds.
struct QuadTreeNode::Query {
  Query(const CRect& rect, int bounded, CDrawList& out) : test(rect), bounded(bounded), out(out) {
    seen.reserve(128);
    for (POSITION pos = out.GetHeadPosition(); pos;) seen.insert(out.GetNext(pos));
  }

  // Tests an object once and appends it when it passes.
  void Offer(CDrawObj* object) {
    if (!seen.insert(object).second) return;
    if (bounded ? object->BoundedBy(test) : object->Intersects(test)) {
      // `seen` already keeps the result a set, so the list's own search
      // for duplicates is not needed.
      static_cast<CObList&>(out).AddTail(object);
    }
  }

  CRect test;
  CRect search;
  int bounded;
  CDrawList& out;
  // The objects tested so far (and those the result held before), kept in
  // memory on the stack while a query is small.
  std::array<std::byte, 8192> buffer;
  std::pmr::monotonic_buffer_resource arena{buffer.data(), buffer.size()};
  std::pmr::unordered_set<CDrawObj*> seen{&arena};
};

namespace {

int Middle(int a, int b) { return static_cast<int>((static_cast<int64_t>(a) + b) / 2); }

bool Overlap(const CRect& a, const CRect& b) {
  CRect common;
  return common.IntersectRect(&a, &b) != FALSE;
}

}  // namespace

// ---------------------------------------------------------------- QuadTreeNode

QuadTreeNode::QuadTreeNode() : m_rect(0, 0, 0, 0), m_objects(10), m_pChildren{} {}

QuadTreeNode::QuadTreeNode(int left, int top, int right, int bottom)
    : m_rect(left, top, right, bottom), m_objects(10), m_pChildren{} {
  m_rect.NormalizeRect();
}

QuadTreeNode::~QuadTreeNode() { Clear(); }

void QuadTreeNode::Clear() {
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) m_objects.GetNext(pos)->RemoveQuadReference(this);
  m_objects.RemoveAll();
  for (QuadTreeNode*& child : m_pChildren) {
    delete child;
    child = nullptr;
  }
}

void QuadTreeNode::RemoveObjFromNode(CDrawObj* object) {
  m_objects -= object;
  object->RemoveQuadReference(this);
}

CRect QuadTreeNode::FilingRect(CDrawObj* object) {
  CRect rect = object->GetBoundingRectIncludingComponents();
  rect.NormalizeRect();
  return rect;
}

void QuadTreeNode::Take(CDrawObj* object) {
  // An object is offered to a node at most once while it is filed (AddObject
  // first takes out an object that is already filed), so the list's own
  // search for duplicates, a walk over the whole list, is not needed.
  static_cast<CObList&>(m_objects).AddHead(object);
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
  unsigned met = 0;
  for (int i = 0; i < 4; ++i) {
    if (Overlap(rect, Quarter(i))) met |= 1u << i;
  }
  return met;
}

BOOL QuadTreeNode::SplitHelps(const CRect& incoming) const {
  // Objects that meet all four quarters would stay in this node. Splitting
  // lowers the load only when no quarter meets every other object.
  unsigned common = 0xF;
  int handedDown = 0;
  auto consider = [&](const CRect& rect) {
    unsigned met = QuartersMet(rect);
    if (met == 0xF) return;
    ++handedDown;
    common &= met;
  };
  consider(incoming);
  for (POSITION pos = m_objects.GetHeadPosition(); pos && common;) consider(FilingRect(m_objects.GetNext(pos)));
  return handedDown > 0 && common == 0;
}

void QuadTreeNode::Split() {
  for (int i = 0; i < 4; ++i) {
    CRect q = Quarter(i);
    m_pChildren[i] = new QuadTreeNode(q.left, q.top, q.right, q.bottom);
  }
  CDrawList moving(10);
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    object->RemoveQuadReference(this);
    static_cast<CObList&>(moving).AddTail(object);
  }
  m_objects.RemoveAll();
  for (POSITION pos = moving.GetHeadPosition(); pos;) {
    CDrawObj* object = moving.GetNext(pos);
    FileInChildren(object, FilingRect(object));
  }
}

void QuadTreeNode::FileInChildren(CDrawObj* object, const CRect& rect) {
  unsigned met = QuartersMet(rect);
  if (met == 0xF) {
    Take(object);
    return;
  }
  for (int i = 0; i < 4; ++i) {
    if (met & (1u << i)) m_pChildren[i]->AddedObject(object);
  }
}

BOOL QuadTreeNode::AddedObject(CDrawObj* object) {
  CRect rect = FilingRect(object);
  if (!Overlap(rect, m_rect)) return FALSE;
  if (IsLeaf()) {
    if (m_objects.GetCount() < kSplitCount || m_rect.Width() < kMinSplitSize || m_rect.Height() < kMinSplitSize ||
        !SplitHelps(rect)) {
      Take(object);
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
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) query.Offer(m_objects.GetNext(pos));
  if (!IsLeaf()) {
    // Once the search lies wholly inside one quarter, every object that
    // meets it is filed there (or in this node): the rest can be skipped.
    for (QuadTreeNode* child : m_pChildren) {
      if (child->AllObjectsInRect(query)) return TRUE;
    }
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
  static_cast<CObList&>(m_outside).AddHead(object);
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
}
