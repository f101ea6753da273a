// Room made in a framework array before it is filled one Add at a time.
#pragma once

#include <cstddef>

#include "platform/core/Array.h"

// Makes room for `count` more elements at once. The array grows by at most
// 1024 elements a step, so filling it with a hundred thousand elements one
// Add at a time would copy it a hundred times over; giving it its size and
// taking it back keeps the room.
template <class Array>
void MakeRoom(Array& array, size_t count) {
  const INT_PTR size = array.GetSize();
  array.SetSize(size + static_cast<INT_PTR>(count));
  array.SetSize(size);
}
