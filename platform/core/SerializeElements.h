// How the collection templates store their elements in an archive: values
// whose bytes are their data (numbers, CPoint, plain records) as raw
// little-endian bytes, as the framework does; other values through their
// archive operators (strings, for one). Pointers have no stored form, so
// serializing a collection of them throws CNotSupportedException (CObList
// and CObArray store their objects with WriteObject instead).
#pragma once

#include <type_traits>

#include "platform/core/Archive.h"

template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* elements, INT_PTR count) {
  if (count <= 0) return;
  if constexpr (std::is_pointer_v<TYPE>) {
    (void)ar;
    (void)elements;
    AfxThrowNotSupportedException();
  } else if constexpr (std::is_trivially_copyable_v<TYPE>) {
    ULONGLONG bytes = static_cast<ULONGLONG>(count) * sizeof(TYPE);
    if (ar.IsStoring()) {
      ar.Write(elements, static_cast<UINT>(bytes));
    } else {
      ar.CheckAvailable(bytes);
      if (ar.Read(elements, static_cast<UINT>(bytes)) != bytes)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
  } else if constexpr (requires(CArchive& a, TYPE& t) {
                         a << t;
                         a >> t;
                       }) {
    for (INT_PTR i = 0; i < count; ++i) {
      if (ar.IsStoring())
        ar << elements[i];
      else
        ar >> elements[i];
    }
  } else {
    (void)ar;
    (void)elements;
    AfxThrowNotSupportedException();
  }
}
