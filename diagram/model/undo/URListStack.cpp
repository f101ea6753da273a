#include "diagram/model/undo/URListStack.h"

#include "diagram/model/undo/URList.h"

IMPLEMENT_DYNCREATE(CURListStack, CObList)

CURListStack::~CURListStack() { RemoveAndDeleteAll(); }

void CURListStack::Push(CURList* list) {
  ++m_nPushes;
  // The list is one element; AddHead(CObList*) would add its records.
  CObList::AddHead(static_cast<CObject*>(list));
}

CURList* CURListStack::Pop() {
  if (IsEmpty()) return nullptr;
  --m_nPushes;
  return static_cast<CURList*>(RemoveHead());
}

CURList* CURListStack::Peek() const { return IsEmpty() ? nullptr : static_cast<CURList*>(GetHead()); }

CURList* CURListStack::RemoveOldest() { return RemoveTail(); }

CURList* CURListStack::RemoveTail() { return IsEmpty() ? nullptr : static_cast<CURList*>(CObList::RemoveTail()); }

void CURListStack::RemoveAndDeleteAll() {
  while (!IsEmpty()) delete RemoveTail();
  m_nPushes = 0;
}
