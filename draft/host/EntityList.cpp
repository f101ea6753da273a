#include "draft/host/EntityList.h"

#include <utility>

struct CEntityList::Node {
  CEntity* entity;
  Node* prev;
  Node* next;
};

CEntityList::CEntityList(const CEntityList& other) { AddTail(other); }

CEntityList& CEntityList::operator=(const CEntityList& other) {
  if (this != &other) {
    RemoveAll();
    AddTail(other);
  }
  return *this;
}

CEntityList::CEntityList(CEntityList&& other) noexcept
    : head_(std::exchange(other.head_, nullptr)),
      tail_(std::exchange(other.tail_, nullptr)),
      count_(std::exchange(other.count_, 0)),
      index_(std::move(other.index_)) {
  ++other.changes_;
}

CEntityList& CEntityList::operator=(CEntityList&& other) noexcept {
  if (this != &other) {
    RemoveAll();
    head_ = std::exchange(other.head_, nullptr);
    tail_ = std::exchange(other.tail_, nullptr);
    count_ = std::exchange(other.count_, 0);
    index_ = std::move(other.index_);
    ++other.changes_;
  }
  return *this;
}

CEntityList::~CEntityList() { RemoveAll(); }

// ---- The index.

void CEntityList::BuildIndex() const {
  index_ = std::make_unique<Index>();
  index_->reserve(static_cast<size_t>(count_));
  for (Node* n = N(head_); n; n = n->next) {
    Slot& slot = (*index_)[n->entity];
    slot.node = ++slot.count == 1 ? n : nullptr;
  }
}

void CEntityList::Indexed(Node* n) {
  ++changes_;
  if (!index_) return;
  Slot& slot = (*index_)[n->entity];
  slot.node = ++slot.count == 1 ? n : nullptr;
}

void CEntityList::Unindexed(Node* n) {
  ++changes_;
  if (!index_) return;
  auto it = index_->find(n->entity);
  if (it == index_->end()) return;
  if (--it->second.count == 0)
    index_->erase(it);
  else
    it->second.node = nullptr;  // one of several went; the next look-up walks
}

CEntityList::Node* CEntityList::Walk(const CEntity* e, Node* from) const {
  for (Node* n = from; n; n = n->next)
    if (n->entity == e) return n;
  return nullptr;
}

CEntity* CEntityList::GetHead() const { return head_ ? N(head_)->entity : nullptr; }
CEntity* CEntityList::GetTail() const { return tail_ ? N(tail_)->entity : nullptr; }

CEntity* CEntityList::RemoveHead() {
  if (!head_) return nullptr;
  CEntity* e = N(head_)->entity;
  RemoveAt(head_);
  return e;
}

CEntity* CEntityList::RemoveTail() {
  if (!tail_) return nullptr;
  CEntity* e = N(tail_)->entity;
  RemoveAt(tail_);
  return e;
}

POSITION CEntityList::AddHead(CEntity* e) {
  return head_ ? InsertBefore(head_, e) : InsertAfter(nullptr, e);
}

POSITION CEntityList::AddTail(CEntity* e) { return InsertAfter(tail_, e); }

void CEntityList::AddTail(const CEntityList& other) {
  if (&other == this) {
    CEntityList copy(other);
    AddTail(copy);
    return;
  }
  for (CEntity* e : other) AddTail(e);
}

void CEntityList::RemoveAll() {
  Node* n = N(head_);
  while (n) {
    Node* next = n->next;
    delete n;
    n = next;
  }
  head_ = tail_ = nullptr;
  count_ = 0;
  index_.reset();
  ++changes_;
}

CEntity* CEntityList::GetNext(POSITION& pos) const {
  Node* n = N(pos);
  pos = n->next;
  return n->entity;
}

CEntity* CEntityList::GetPrev(POSITION& pos) const {
  Node* n = N(pos);
  pos = n->prev;
  return n->entity;
}

CEntity* CEntityList::GetAt(POSITION pos) const { return N(pos)->entity; }
void CEntityList::SetAt(POSITION pos, CEntity* e) {
  Unindexed(N(pos));
  N(pos)->entity = e;
  Indexed(N(pos));
}

void CEntityList::RemoveAt(POSITION pos) {
  Node* n = N(pos);
  Unindexed(n);
  if (n->prev) n->prev->next = n->next; else head_ = n->next;
  if (n->next) n->next->prev = n->prev; else tail_ = n->prev;
  delete n;
  --count_;
}

POSITION CEntityList::InsertBefore(POSITION pos, CEntity* e) {
  if (!pos) return AddHead(e);
  Node* at = N(pos);
  Node* n = new Node{e, at->prev, at};
  if (at->prev) at->prev->next = n; else head_ = n;
  at->prev = n;
  ++count_;
  Indexed(n);
  return n;
}

POSITION CEntityList::InsertAfter(POSITION pos, CEntity* e) {
  if (!pos && head_) return InsertBefore(head_, e);  // no position: at the head
  Node* at = N(pos);
  Node* n = new Node{e, at, at ? at->next : nullptr};
  if (!at) {  // empty list
    head_ = tail_ = n;
  } else {
    if (at->next) at->next->prev = n; else tail_ = n;
    at->next = n;
  }
  ++count_;
  Indexed(n);
  return n;
}

POSITION CEntityList::Find(const CEntity* e, POSITION after) const {
  if (!index_ && count_ > kIndexFrom) BuildIndex();
  if (!index_) return Walk(e, after ? N(after)->next : N(head_));
  auto it = index_->find(e);
  if (it == index_->end()) return nullptr;
  if (after) return Walk(e, N(after)->next);  // where the one after `after` is needs the order
  Slot& slot = it->second;
  if (slot.count > 1) return Walk(e, N(head_));
  if (!slot.node) slot.node = Walk(e, N(head_));
  return slot.node;
}

POSITION CEntityList::FindIndex(int index) const {
  if (index < 0) return nullptr;
  Node* n = N(head_);
  while (n && index-- > 0) n = n->next;
  return n;
}

bool CEntityList::Remove(const CEntity* e) {
  POSITION p = Find(e);
  if (!p) return false;
  RemoveAt(p);
  return true;
}

CEntity* CEntityList::const_iterator::operator*() const { return N(p_)->entity; }

CEntityList::const_iterator& CEntityList::const_iterator::operator++() {
  p_ = N(p_)->next;
  return *this;
}
