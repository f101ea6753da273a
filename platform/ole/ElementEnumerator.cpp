#include "platform/ole/ElementEnumerator.h"

#include <new>

#include "platform/ole/TaskMemory.h"

namespace platform {

ULONG ElementEnumerator::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT ElementEnumerator::Next(ULONG celt, STATSTG* rgelt, ULONG* pceltFetched) {
  if (pceltFetched) *pceltFetched = 0;
  if (celt > 0 && !rgelt) return STG_E_INVALIDPOINTER;
  if (celt > 1 && !pceltFetched) return STG_E_INVALIDPARAMETER;
  ULONG fetched = 0;
  while (fetched < celt && position_ < elements_->size()) {
    HRESULT hr = FillStatStg((*elements_)[position_], 0, STATFLAG_DEFAULT, rgelt[fetched]);
    if (FAILED(hr)) {
      // All or nothing: the names handed out so far are taken back.
      for (ULONG i = 0; i < fetched; ++i) {
        CoTaskMemFree(rgelt[i].pwcsName);
        rgelt[i].pwcsName = nullptr;
      }
      position_ -= fetched;
      return hr;
    }
    ++fetched;
    ++position_;
  }
  if (pceltFetched) *pceltFetched = fetched;
  return fetched == celt ? S_OK : S_FALSE;
}

HRESULT ElementEnumerator::Skip(ULONG celt) {
  size_t left = elements_->size() - position_;
  if (celt > left) {
    position_ = elements_->size();
    return S_FALSE;
  }
  position_ += celt;
  return S_OK;
}

HRESULT ElementEnumerator::Reset() {
  position_ = 0;
  return S_OK;
}

HRESULT ElementEnumerator::Clone(IEnumSTATSTG** ppenum) {
  if (!ppenum) return STG_E_INVALIDPOINTER;
  *ppenum = nullptr;
  try {
    *ppenum = new ElementEnumerator(elements_, position_);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace platform
