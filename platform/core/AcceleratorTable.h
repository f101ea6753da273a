// An accelerator-table resource: keys and the commands they send. An entry
// is written as a resource script writes it, key first:
//
//   Accelerators(28001, {
//       {'C', 57634, FVIRTKEY | FCONTROL},
//       {VK_DELETE, 57632, FVIRTKEY},
//   })
//
// With FVIRTKEY the key is a virtual-key code, else a character code.
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/core/WinConstants.h"

namespace platform {

struct AcceleratorEntry {
  WORD key = 0;
  WORD command = 0;
  BYTE flags = 0;  // FVIRTKEY, FSHIFT, FCONTROL, FALT, FNOINVERT
  friend bool operator==(const AcceleratorEntry&, const AcceleratorEntry&) = default;
};

struct AcceleratorTable {
  UINT id = 0;
  std::vector<AcceleratorEntry> entries;
};

namespace rc {

inline AcceleratorTable Accelerators(UINT id, std::initializer_list<AcceleratorEntry> entries) {
  return AcceleratorTable{id, std::vector<AcceleratorEntry>(entries)};
}

}  // namespace rc
}  // namespace platform
