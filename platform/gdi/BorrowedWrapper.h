// Wrappers that the drawing API lends itself for the length of one call.
// The API works on bare handles and makes no wrapper objects; this stand-in
// carries its calls out through the wrapper classes, so each call holds a
// wrapper of its own on the stack instead of asking FromHandle, whose
// temporary wrappers would stay until idle time, one more for every DC a
// paint makes and deletes. All a DC's or an object's state lives with its
// handle, so a lent wrapper acts as any other wrapper of the handle.
#pragma once

#include "platform/gdi/DC.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiObjectData.h"

namespace platform {

// A CDC on `dc` for this scope; null for an unknown handle.
class BorrowedDc {
 public:
  explicit BorrowedDc(HDC dc) {
    if (dc && FindDc(dc)) dc_.m_hDC = dc_.m_hAttribDC = dc;
  }
  ~BorrowedDc() { dc_.m_hDC = dc_.m_hAttribDC = nullptr; }
  BorrowedDc(const BorrowedDc&) = delete;
  BorrowedDc& operator=(const BorrowedDc&) = delete;

  CDC* get() { return dc_.m_hDC ? &dc_ : nullptr; }
  CDC* operator->() { return &dc_; }
  explicit operator bool() const { return dc_.m_hDC != nullptr; }

 private:
  CDC dc_;
};

// A CPen, CBrush, CRgn ... on `object` for this scope; null for an unknown
// handle. The handle stays the caller's.
template <class Wrapper>
class BorrowedObject {
 public:
  explicit BorrowedObject(HGDIOBJ object) {
    if (object && GdiHandleTable::Find(object)) object_.m_hObject = object;
  }
  ~BorrowedObject() { object_.m_hObject = nullptr; }
  BorrowedObject(const BorrowedObject&) = delete;
  BorrowedObject& operator=(const BorrowedObject&) = delete;

  Wrapper* get() { return object_.m_hObject ? &object_ : nullptr; }

 private:
  Wrapper object_;
};

// The wrapper the program holds for `dc`, permanent or temporary, without
// making one; null when there is none.
CDC* ExistingDcWrapper(HDC dc);

// The number of this thread's temporary wrappers, which DeleteTempMap frees.
size_t TemporaryDcCount();
size_t TemporaryGdiObjectCount();

}  // namespace platform
