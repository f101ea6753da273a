#include "platform/ole/TaskMemory.h"

#include <cstdlib>

LPVOID CoTaskMemAlloc(size_t bytes) { return std::malloc(bytes ? bytes : 1); }

void CoTaskMemFree(LPVOID block) { std::free(block); }
