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
      count_(std::exchange(other.count_, 0)) {}

CEntityList& CEntityList::operator=(CEntityList&& other) noexcept {
  if (this != &other) {
    RemoveAll();
    head_ = std::exchange(other.head_, nullptr);
    tail_ = std::exchange(other.tail_, nullptr);
    count_ = std::exchange(other.count_, 0);
  }
  return *this;
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
void CEntityList::SetAt(POSITION pos, CEntity* e) { N(pos)->entity = e; }

void CEntityList::RemoveAt(POSITION pos) {
  Node* n = N(pos);
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
  return n;
}

POSITION CEntityList::Find(const CEntity* e, POSITION after) const {
  for (Node* n = after ? N(after)->next : N(head_); n; n = n->next)
    if (n->entity == e) return n;
  return nullptr;
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
