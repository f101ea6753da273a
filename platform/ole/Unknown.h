// The reference counting that OLE objects share. An object starts with one
// reference, held by whoever made it; AddRef adds one and Release drops one,
// freeing the object with the last. Objects are freed only through Release.
#pragma once

#include "platform/core/WinTypes.h"

class IUnknown {
 public:
  // The new count of references.
  virtual ULONG AddRef() = 0;
  // The remaining count; 0 means the object is gone.
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;
