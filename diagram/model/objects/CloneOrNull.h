// The copy every drawing object's Clone makes: the object's own copy
// constructor, or null when memory runs out (the caller reports a failed
// copy; nothing is half made).
#pragma once

#include <new>

#include "platform/core/Exceptions.h"

class CDrawObj;

template <typename T>
CDrawObj* CloneOrNull(const T& source) {
  try {
    return new T(source);
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (CMemoryException&) {
    return nullptr;
  }
}
