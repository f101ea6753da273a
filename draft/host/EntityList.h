// Korrin's list of entity pointers, with the framework's pointer-list
// interface (positions, head and tail operations). It never owns the
// entities: who owns them is said where a list is handed over.
//
// Looking an entity up (Find, Contains, Remove) walks the list while it is
// short. The first look-up in a longer list files every entity by address,
// and from then on the list keeps that index with every change, so that a
// drawing's lists answer in constant time however large they grow. Lists
// that are never searched never build it.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/core/WinTypes.h"

class CEntity;

class CEntityList {
 public:
  CEntityList() = default;
  CEntityList(const CEntityList& other);
  CEntityList& operator=(const CEntityList& other);
  CEntityList(CEntityList&& other) noexcept;
  CEntityList& operator=(CEntityList&& other) noexcept;
  ~CEntityList();

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
  // Counts every change of the list's contents (an insertion, a removal, a
  // replacement), so that a holder can tell whether others changed it.
  unsigned long long GetChangeCount() const { return changes_; }

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
  // The index: for each entity, how many nodes hold it and, when one does
  // and it is known, that node (null: walk the list to find it).
  struct Slot {
    Node* node = nullptr;
    int count = 0;
  };
  using Index = std::unordered_map<const CEntity*, Slot>;
  // Lists up to this long are walked rather than indexed.
  static constexpr int kIndexFrom = 16;
  void BuildIndex() const;
  void Indexed(Node* n);
  void Unindexed(Node* n);
  Node* Walk(const CEntity* e, Node* from) const;

  POSITION head_ = nullptr;
  POSITION tail_ = nullptr;
  int count_ = 0;
  unsigned long long changes_ = 0;
  mutable std::unique_ptr<Index> index_;
};
