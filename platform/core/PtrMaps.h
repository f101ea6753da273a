// Maps keyed by pointer: CMapPtrToWord and CMapPtrToPtr. They hold the
// pointers only and have no stored form.
#pragma once

#include "platform/core/Map.h"

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
  DECLARE_DYNAMIC(CMapPtrToWord)

 public:
  explicit CMapPtrToWord(INT_PTR blockSize = 10) : CMap(blockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
  DECLARE_DYNAMIC(CMapPtrToPtr)

 public:
  explicit CMapPtrToPtr(INT_PTR blockSize = 10) : CMap(blockSize) {}
};
