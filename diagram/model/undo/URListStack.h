// CURListStack: an undo or a redo stack of recorded commands, the newest at
// the head. It owns the lists it holds.
#pragma once

#include "platform/core/ObList.h"

class CURList;

class CURListStack : public CObList {
  DECLARE_DYNCREATE(CURListStack)

 public:
  CURListStack() : CObList(10) {}
  CURListStack(const CURListStack&) = delete;
  CURListStack& operator=(const CURListStack&) = delete;
  ~CURListStack() override;

  void Push(CURList* list);
  // The newest list, taken off the stack; null when empty.
  CURList* Pop();
  CURList* Peek() const;
  // Takes the oldest list off the stack (the caller deletes it).
  CURList* RemoveOldest();
  CURList* RemoveTail();
  int GetNumUnPoppedPushes() const { return m_nPushes; }
  // Deletes every list, oldest first.
  void RemoveAndDeleteAll();

 private:
  int m_nPushes = 0;
};
