// QuadRefs: the quad-tree nodes that file one drawing object, in the order
// they filed it. Most objects lie in one or two nodes: those are held in the
// object itself, so that filing, unfiling and destroying an object allocate
// nothing and touch no memory beyond it; further nodes go to a vector.
#pragma once

#include <cstddef>
#include <vector>

class QuadTreeNode;

class QuadRefs {
 public:
  bool empty() const { return m_count == 0; }
  size_t size() const { return m_count; }
  QuadTreeNode* operator[](size_t i) const { return i < kInline ? m_inline[i] : m_more[i - kInline]; }
  QuadTreeNode* front() const { return (*this)[0]; }

  void push_back(QuadTreeNode* node) {
    if (m_count < kInline)
      m_inline[m_count] = node;
    else
      m_more.push_back(node);
    ++m_count;
  }

  // Takes out the first reference to `node`, keeping the others' order;
  // false when there is none.
  bool erase(const QuadTreeNode* node) {
    size_t i = 0;
    while (i < m_count && (*this)[i] != node) ++i;
    if (i == m_count) return false;
    for (; i + 1 < m_count; ++i) Set(i, (*this)[i + 1]);
    --m_count;
    if (m_count >= kInline) m_more.pop_back();
    return true;
  }

  void clear() {
    m_count = 0;
    m_more.clear();
  }

  std::vector<QuadTreeNode*> ToVector() const {
    std::vector<QuadTreeNode*> nodes;
    nodes.reserve(m_count);
    for (size_t i = 0; i < m_count; ++i) nodes.push_back((*this)[i]);
    return nodes;
  }

 private:
  static constexpr size_t kInline = 2;

  void Set(size_t i, QuadTreeNode* node) { (i < kInline ? m_inline[i] : m_more[i - kInline]) = node; }

  QuadTreeNode* m_inline[kInline] = {};
  std::vector<QuadTreeNode*> m_more;
  size_t m_count = 0;
};
