#include "diagram/model/undo/URList.h"

IMPLEMENT_DYNCREATE(CURList, CObList)

CURList::CURList(LPCWSTR name) : CObList(10), m_name(name ? name : u"") {}

CURList::~CURList() {
  while (!IsEmpty()) delete RemoveHead();
}

CUndoRedo* CURList::GetHead() const { return static_cast<CUndoRedo*>(CObList::GetHead()); }
CUndoRedo* CURList::RemoveHead() { return static_cast<CUndoRedo*>(CObList::RemoveHead()); }
CUndoRedo* CURList::GetTail() const { return static_cast<CUndoRedo*>(CObList::GetTail()); }
CUndoRedo* CURList::RemoveTail() { return static_cast<CUndoRedo*>(CObList::RemoveTail()); }
CUndoRedo* CURList::GetNext(POSITION& position) const { return static_cast<CUndoRedo*>(CObList::GetNext(position)); }

LPCWSTR CURList::GetCmdName() {
  if (m_name.IsEmpty() && !IsEmpty()) {
    const CUndoRedo* head = GetHead();
    if (!head) return u"NOP";
    m_name = CStringW(head->GetRuntimeClass()->m_lpszClassName);
  }
  return m_name.GetString();
}
