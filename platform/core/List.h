// CList<TYPE, ARG_TYPE>: the framework's doubly linked list. A POSITION names
// one element and stays valid until that element is removed, whatever else
// is added or removed. The block-size argument is accepted for the
// framework's signature; nodes are allocated one by one. GetHead, RemoveHead
// and their kin on an empty list, and a null POSITION, throw
// CInvalidArgException.
#pragma once

#include <utility>

#include "platform/core/Exceptions.h"
#include "platform/core/Object.h"
#include "platform/core/SerializeElements.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
 protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

 public:
  explicit CList(INT_PTR blockSize = 10) { (void)blockSize; }
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
  const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
  TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
  const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

  TYPE RemoveHead() {
    CNode* node = NonEmpty(m_pNodeHead);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
  }
  TYPE RemoveTail() {
    CNode* node = NonEmpty(m_pNodeTail);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
  }

  POSITION AddHead(ARG_TYPE value) { return Link(new CNode{m_pNodeHead, nullptr, TYPE(value)}); }
  POSITION AddTail(ARG_TYPE value) { return Link(new CNode{nullptr, m_pNodeTail, TYPE(value)}); }
  // Adds copies of another list's elements, keeping their order.
  void AddHead(const CList* other) {
    if (!other) AfxThrowInvalidArgException();
    CList copy;
    copy.AddTail(other);
    for (CNode* n = copy.m_pNodeTail; n; n = n->pPrev) AddHead(n->data);
  }
  void AddTail(const CList* other) {
    if (!other) AfxThrowInvalidArgException();
    INT_PTR count = other->m_nCount;  // `other` may be this list
    CNode* n = other->m_pNodeHead;
    for (INT_PTR i = 0; i < count; ++i, n = n->pNext) AddTail(n->data);
  }

  void RemoveAll() {
    for (CNode* n = m_pNodeHead; n;) {
      CNode* next = n->pNext;
      delete n;
      n = next;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return m_pNodeHead; }
  POSITION GetTailPosition() const { return m_pNodeTail; }
  // The element at `position`; `position` moves to the next (previous) one,
  // null past the end.
  TYPE& GetNext(POSITION& position) { return Step(position, true)->data; }
  const TYPE& GetNext(POSITION& position) const { return Step(position, true)->data; }
  TYPE& GetPrev(POSITION& position) { return Step(position, false)->data; }
  const TYPE& GetPrev(POSITION& position) const { return Step(position, false)->data; }
  TYPE& GetAt(POSITION position) { return Node(position)->data; }
  const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
  void SetAt(POSITION position, ARG_TYPE value) { Node(position)->data = value; }
  void RemoveAt(POSITION position) { Unlink(Node(position)); }

  // A null position inserts at the head (InsertBefore) or tail (InsertAfter).
  POSITION InsertBefore(POSITION position, ARG_TYPE value) {
    if (!position) return AddHead(value);
    CNode* at = Node(position);
    return Link(new CNode{at, at->pPrev, TYPE(value)});
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE value) {
    if (!position) return AddTail(value);
    CNode* at = Node(position);
    return Link(new CNode{at->pNext, at, TYPE(value)});
  }

  // The first element equal to `value` after `startAfter` (from the head
  // when null), or null.
  POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const {
    CNode* n = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
    for (; n; n = n->pNext)
      if (n->data == value) return n;
    return nullptr;
  }
  // The position of the element at zero-based `index`, or null.
  POSITION FindIndex(INT_PTR index) const {
    if (index < 0 || index >= m_nCount) return nullptr;
    CNode* n = m_pNodeHead;
    while (index-- > 0) n = n->pNext;
    return n;
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
      for (CNode* n = m_pNodeHead; n; n = n->pNext) SerializeElements<TYPE>(ar, &n->data, 1);
    } else {
      for (DWORD_PTR count = ar.ReadCount(); count > 0; --count) {
        TYPE value{};
        SerializeElements<TYPE>(ar, &value, 1);
        AddTail(value);
      }
    }
  }

 protected:
  static CNode* Node(POSITION position) {
    if (!position) AfxThrowInvalidArgException();
    return static_cast<CNode*>(position);
  }
  static CNode* NonEmpty(CNode* node) {
    if (!node) AfxThrowInvalidArgException();
    return node;
  }
  static CNode* Step(POSITION& position, bool forward) {
    CNode* n = Node(position);
    position = forward ? n->pNext : n->pPrev;
    return n;
  }
  // Puts a node whose neighbours are already set into the chain.
  POSITION Link(CNode* node) {
    (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node;
    (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node;
    ++m_nCount;
    return node;
  }
  void Unlink(CNode* node) {
    (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
    (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
    --m_nCount;
    delete node;
  }

  CNode* m_pNodeHead = nullptr;
  CNode* m_pNodeTail = nullptr;
  INT_PTR m_nCount = 0;
};
