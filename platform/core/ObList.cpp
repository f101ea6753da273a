#include "platform/core/ObList.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)

void CObList::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
    for (CNode* n = m_pNodeHead; n; n = n->pNext) ar << n->data;
  } else {
    for (DWORD_PTR count = ar.ReadCount(); count > 0; --count) {
      CObject* object;
      ar >> object;
      AddTail(object);
    }
  }
}
