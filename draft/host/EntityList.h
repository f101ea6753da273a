// Korrin's list of entity pointers, with the framework's pointer-list
// interface (positions, head and tail operations). It never owns the
// entities: who owns them is said where a list is handed over.
#pragma once

#include "platform/core/WinTypes.h"

class CEntity;

class CEntityList {
 public:
  CEntityList() = default;
  CEntityList(const CEntityList& other);
  CEntityList& operator=(const CEntityList& other);
  CEntityList(CEntityList&& other) noexcept;
  CEntityList& operator=(CEntityList&& other) noexcept;
  ~CEntityList() { RemoveAll(); }

  int GetCount() const { return count_; }
  int GetSize() const { return count_; }
  BOOL IsEmpty() const { return count_ == 0; }

  // Head and tail; the entity getters and removers need a non-empty list
  // (they return null on an empty one).
  CEntity* GetHead() const;
  CEntity* GetTail() const;
  CEntity* RemoveHead();
  CEntity* RemoveTail();
  POSITION AddHead(CEntity* e);
  POSITION AddTail(CEntity* e);
  void AddTail(const CEntityList& other);
  void RemoveAll();

  // Iteration: GetNext returns the entity at pos and moves pos on (null at
  // the end).
  POSITION GetHeadPosition() const { return head_; }
  POSITION GetTailPosition() const { return tail_; }
  CEntity* GetNext(POSITION& pos) const;
  CEntity* GetPrev(POSITION& pos) const;
  CEntity* GetAt(POSITION pos) const;
  void SetAt(POSITION pos, CEntity* e);
  void RemoveAt(POSITION pos);
  POSITION InsertBefore(POSITION pos, CEntity* e);
  POSITION InsertAfter(POSITION pos, CEntity* e);
  // The first position holding e after `after` (from the head when null).
  POSITION Find(const CEntity* e, POSITION after = nullptr) const;
  POSITION FindIndex(int index) const;

  // Convenience: whether e is in the list; removes the first e (true when found).
  bool Contains(const CEntity* e) const { return Find(e) != nullptr; }
  bool Remove(const CEntity* e);

  // Range-for over the entities.
  class const_iterator {
   public:
    explicit const_iterator(POSITION p) : p_(p) {}
    CEntity* operator*() const;
    const_iterator& operator++();
    bool operator!=(const const_iterator& o) const { return p_ != o.p_; }

   private:
    POSITION p_;
  };
  const_iterator begin() const { return const_iterator(head_); }
  const_iterator end() const { return const_iterator(nullptr); }

 private:
  struct Node;
  static Node* N(POSITION p) { return static_cast<Node*>(p); }

  POSITION head_ = nullptr;
  POSITION tail_ = nullptr;
  int count_ = 0;
};
