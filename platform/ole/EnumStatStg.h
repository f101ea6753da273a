// The elements of a storage, listed one STATSTG at a time
// (IStorage::EnumElements). The list is taken when the enumerator is made.
#pragma once

#include "platform/ole/StorageTypes.h"
#include "platform/ole/Unknown.h"

class IEnumSTATSTG : public IUnknown {
 public:
  // Fills up to `celt` records; S_OK when all were filled, S_FALSE when the
  // list ended first. `pceltFetched` may be null only when `celt` is 1. Each
  // name is the caller's to free with CoTaskMemFree.
  virtual HRESULT Next(ULONG celt, STATSTG* rgelt, ULONG* pceltFetched) = 0;
  // S_FALSE when the list ended before `celt` elements were skipped.
  virtual HRESULT Skip(ULONG celt) = 0;
  virtual HRESULT Reset() = 0;
  // A second enumerator of the same list at the same place.
  virtual HRESULT Clone(IEnumSTATSTG** ppenum) = 0;
};
typedef IEnumSTATSTG* LPENUMSTATSTG;
