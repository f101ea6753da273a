// The spatial index of a diagram: a quad tree over the canvas that finds the
// objects under a rectangle without scanning the whole object list.
//
// The tree holds references only; the objects belong to the diagram. A leaf
// lists every object whose bounding rectangle overlaps it, so an object may
// sit in several leaves, and every object records the nodes that list it
// (CDrawObj::AddQuadReference), so that it can leave all of them. Objects
// wholly outside the root's rectangle are kept in a list of their own.
//
// A leaf splits into four quarters when it already holds kSplitCount objects
// and another arrives, unless it is narrower or lower than kMinSplitSize, or
// the split would not lower its load (every object it would hand down meets
// one same quarter) while copying many of them into several quarters (at
// least half as many copies as objects). An object that meets all four
// quarters of a split node stays in that node. Without these two rules, a
// few dozen large objects are copied into every leaf down to the smallest
// size: millions of leaves on a large canvas. Objects that merely lie
// together in one quarter are handed down, and that quarter splits them.
//
// Beside its list, a node keeps each object with the rectangle it was filed
// by, in one array, so that a query tests those rectangles before it touches
// an object, and it counts how many of its objects meet each quarter, so
// that deciding whether to split costs the same however many objects share
// the node. A query marks each object it meets with its own number (a
// stamp on the object), so that an object filed in several nodes is tested
// once.
#pragma once

#include <cstdint>
#include <vector>

#include "diagram/model/lists/DrawList.h"
#include "platform/core/Geometry.h"
#include "platform/core/Object.h"

class CDrawObj;

class QuadTreeNode : public CObject {
 public:
  // A leaf splits when it holds this many objects and another one arrives.
  static constexpr int kSplitCount = 60;
  // A node narrower or lower than this never splits.
  static constexpr int kMinSplitSize = 10;

  QuadTreeNode();
  // Keeps the rectangle normalised.
  QuadTreeNode(int left, int top, int right, int bottom);
  // Takes every object out of the node and deletes the children.
  ~QuadTreeNode() override;
  QuadTreeNode(const QuadTreeNode&) = delete;
  QuadTreeNode& operator=(const QuadTreeNode&) = delete;

  // Takes the object out of this node's list and the node out of the
  // object's references.
  virtual void RemoveObjFromNode(CDrawObj* object);

  // Read access for inspection.
  const CRect& GetRect() const { return m_rect; }
  const CDrawList& GetObjects() const { return m_objects; }
  // Quarter 0 upper-left, 1 upper-right, 2 lower-left, 3 lower-right (upper
  // = smaller y); all null in a leaf.
  QuadTreeNode* GetChild(int quarter) const { return m_pChildren[quarter]; }
  BOOL IsLeaf() const { return m_pChildren[0] == nullptr; }

 protected:
  struct Query;

  // Takes the object into this node or its children when its bounding
  // rectangle overlaps the node; returns whether it was taken.
  BOOL AddedObject(CDrawObj* object);
  // The same with the rectangle the object is filed by.
  BOOL AddedObject(CDrawObj* object, const CRect& rect);
  // Adds the matching objects of this node and its children to the query's
  // result; returns whether the node strictly encloses the searched area.
  BOOL AllObjectsInRect(Query& query);
  // Whether the node strictly encloses the rectangle on every side.
  BOOL BoundsRect(const CRect& rect) const;
  // Unlinks every object of the node and deletes the children.
  void Clear();

  // An object of the node and the normalised rectangle it was filed by.
  struct Entry {
    CRect rect;
    CDrawObj* object;
  };

  // What a query reads comes first, so that it shares the node's first
  // cache lines.
  CRect m_rect;
  QuadTreeNode* m_pChildren[4];
  // The objects with their filing rectangles, which a query reads, and
  // their places in m_objects, at the same indexes, in the reverse order of
  // m_objects (oldest first).
  std::vector<Entry> m_entries;
  std::vector<POSITION> m_positions;
  CDrawList m_objects;
  // Of the objects that do not meet all four quarters: how many meet each
  // quarter, and how many there are.
  int m_quarterLoad[4];
  int m_handedDown;

  // An object re-offers itself to the nodes that held it.
  friend class CDrawObj;

 private:
  // The normalised rectangle by which the tree files an object.
  static CRect FilingRect(CDrawObj* object);
  // Lists the object in this node.
  void Take(CDrawObj* object, const CRect& rect);
  // Takes the object out of the list, the array and the quarter counts.
  void Forget(const CDrawObj* object);
  // Adds `step` to the quarter counts for an object filed by `rect`.
  void CountQuarters(const CRect& rect, int step);
  // Whether a leaf that is full should split before taking `incoming`.
  BOOL SplitHelps(const CRect& incoming) const;
  void Split();
  // Files the object in this split node: kept here when it meets all four
  // quarters, else handed to the quarters it meets.
  void FileInChildren(CDrawObj* object, const CRect& rect);
  // The quarters a rectangle meets, one bit per quarter.
  unsigned QuartersMet(const CRect& rect) const;
  CRect Quarter(int quarter) const;
};

class QuadTreeHead : public QuadTreeNode {
 public:
  QuadTreeHead();
  ~QuadTreeHead() override;

  // Clears the tree, takes `area` (normalised) as the root rectangle and
  // adds every object of the list.
  void Initialize(const CRect& area, const CDrawList& objects);
  // Initialize over the rectangle from (-s.cx, -s.cy) to (s.cx, s.cy).
  void SetSize(const CSize& s, const CDrawList& objects);

  // Files the object; an object that is filed already (in this tree or
  // another) is taken out first: an object is in one tree at a time.
  void AddObject(CDrawObj* object);
  void RemoveObject(CDrawObj* object);
  // After a move or a reshape: removes the object and adds it again.
  void UpdateObject(CDrawObj* object);
  // Adds to `out` (once each) the objects that meet the rectangle, or with
  // `bounded` set those that lie wholly inside it, in tree order.
  void GetObjectsInRect(CRect rect, CDrawList& out, int bounded);
  // Back to a single empty leaf.
  void ClearTree();
  // No outside objects, no objects in the root and no children.
  BOOL IsEmpty() const;

  // Also looks in the list of outside objects.
  void RemoveObjFromNode(CDrawObj* object) override;

  const CDrawList& GetOutsideObjects() const { return m_outside; }

 protected:
  CDrawList m_outside;
};
