// CList<TYPE, ARG_TYPE>: the framework's doubly linked list. A POSITION names
// one element and stays valid until that element is removed, whatever else
// is added or removed. GetHead, RemoveHead and their kin on an empty list,
// and a null POSITION, throw CInvalidArgException.
//
// Nodes are allocated in blocks of the block size given at construction (at
// least one node each); a removed node goes to the list's free list and is
// reused by the next add. The blocks are released when the list becomes
// empty, so that a list of N elements costs N/blockSize allocations to build
// and to release, and its nodes lie close together in memory. In builds with
// the address checker, a node on the free list is poisoned: using the
// POSITION of a removed element is reported as it would be for a freed one.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#define SCRIVEL_LIST_POISON 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SCRIVEL_LIST_POISON 1
#endif
#endif
#if defined(SCRIVEL_LIST_POISON)
#include <sanitizer/asan_interface.h>
#endif

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
  explicit CList(INT_PTR blockSize = 10) : m_nBlockSize(blockSize > 0 ? blockSize : 1) {}
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;
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

  POSITION AddHead(ARG_TYPE value) { return Link(NewNode(m_pNodeHead, nullptr, value)); }
  POSITION AddTail(ARG_TYPE value) { return Link(NewNode(nullptr, m_pNodeTail, value)); }
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
      n->~CNode();
      n = next;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
    m_pNodeFree = nullptr;
    for (CBlock* block = m_pBlocks; block;) {
      CBlock* next = block->pNext;
      Unpoison(block, BlockBytes());
      ::operator delete(static_cast<void*>(block));
      block = next;
    }
    m_pBlocks = nullptr;
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
    return Link(NewNode(at, at->pPrev, value));
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE value) {
    if (!position) return AddTail(value);
    CNode* at = Node(position);
    return Link(NewNode(at->pNext, at, value));
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
    FreeNode(node);
  }

  CNode* m_pNodeHead = nullptr;
  CNode* m_pNodeTail = nullptr;
  INT_PTR m_nCount = 0;

 private:
  // A block: this header, then m_nBlockSize node slots. A slot holds either
  // a live CNode or, on the free list, a CFree.
  struct CBlock {
    CBlock* pNext;
  };
  struct CFree {
    CFree* pNext;
  };
  static constexpr size_t kSlot = sizeof(CNode) > sizeof(CFree) ? sizeof(CNode) : sizeof(CFree);
  static constexpr size_t kAlign = alignof(CNode) > alignof(CFree) ? alignof(CNode) : alignof(CFree);
  static constexpr size_t kHeader = (sizeof(CBlock) + kAlign - 1) / kAlign * kAlign;

  size_t BlockBytes() const { return kHeader + static_cast<size_t>(m_nBlockSize) * kSlot; }

  static void Poison(void* p, size_t bytes) {
#if defined(SCRIVEL_LIST_POISON)
    ASAN_POISON_MEMORY_REGION(p, bytes);
#else
    (void)p;
    (void)bytes;
#endif
  }
  static void Unpoison(void* p, size_t bytes) {
#if defined(SCRIVEL_LIST_POISON)
    ASAN_UNPOISON_MEMORY_REGION(p, bytes);
#else
    (void)p;
    (void)bytes;
#endif
  }

  // Puts a new block's slots on the free list, first slot first.
  void GrowFreeList() {
    static_assert(alignof(CNode) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "node alignment beyond operator new's");
    auto* raw = static_cast<unsigned char*>(::operator new(BlockBytes()));
    m_pBlocks = new (raw) CBlock{m_pBlocks};
    unsigned char* slots = raw + kHeader;
    for (INT_PTR i = m_nBlockSize; i-- > 0;) {
      void* slot = slots + static_cast<size_t>(i) * kSlot;
      m_pNodeFree = new (slot) CFree{m_pNodeFree};
      Poison(slot, kSlot);
    }
  }

  // A node holding a copy of `value` between the given neighbours; linked
  // by Link.
  CNode* NewNode(CNode* next, CNode* prev, ARG_TYPE value) {
    if (!m_pNodeFree) GrowFreeList();
    CFree* slot = m_pNodeFree;
    Unpoison(slot, kSlot);
    CFree* rest = slot->pNext;
    slot->~CFree();
    // Built before the slot leaves the free list: a copy that throws
    // leaves the list as it was.
    CNode* node;
    try {
      node = new (static_cast<void*>(slot)) CNode{next, prev, TYPE(value)};
    } catch (...) {
      new (static_cast<void*>(slot)) CFree{rest};
      Poison(slot, kSlot);
      throw;
    }
    m_pNodeFree = rest;
    return node;
  }

  // Destroys a node taken out of the chain; the last one out releases
  // every block.
  void FreeNode(CNode* node) {
    node->~CNode();
    m_pNodeFree = new (static_cast<void*>(node)) CFree{m_pNodeFree};
    Poison(node, kSlot);
    if (m_nCount == 0) RemoveAll();
  }

  INT_PTR m_nBlockSize;
  CBlock* m_pBlocks = nullptr;
  CFree* m_pNodeFree = nullptr;
};
