// IDrawListFilter: a test that a drawing-object list uses to keep or copy
// the objects that pass it.
#pragma once

#include "platform/core/WinTypes.h"

class CDrawObj;

class IDrawListFilter {
 public:
  IDrawListFilter() = default;
  // Copying a filter copies nothing: filters hold only their test.
  IDrawListFilter(const IDrawListFilter&) {}
  IDrawListFilter& operator=(const IDrawListFilter&) { return *this; }
  virtual ~IDrawListFilter() = default;

  virtual BOOL Passes(CDrawObj* object) = 0;
};
