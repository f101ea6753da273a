#include "platform/core/ObArray.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)

void CObArray::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
    for (CObject* object : m_data) ar << object;
  } else {
    DWORD_PTR count = ar.ReadCount();
    if (count > static_cast<DWORD_PTR>(INT32_MAX)) AfxThrowMemoryException();
    SetSize(static_cast<INT_PTR>(count));
    for (CObject*& object : m_data) ar >> object;
  }
}
