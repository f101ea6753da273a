// COperation: the two 32-bit operation masks that an edit carries, and that
// the edit lock of a diagram compares with its allowed masks. What each bit
// means is up to the host and the object classes.
#pragma once

#include "platform/core/WinTypes.h"

class COperation {
 public:
  COperation(DWORD first, DWORD second) : m_dwFirst(first), m_dwSecond(second) {}
  COperation(const COperation&) = default;
  COperation& operator=(const COperation&) = default;

  DWORD m_dwFirst;
  DWORD m_dwSecond;
};
