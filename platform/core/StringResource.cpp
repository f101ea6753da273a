#include "platform/core/String.h"

#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"

namespace platform {

// The string of that id in the first module along the resource chain that
// has it (not empty, as in a string table).
bool LoadStringResource(UINT id, std::u16string& out) {
  FoundResources found = FindResources(ResourceType::String, id);
  if (!found) return false;
  out = *found.resources->FindString(id);
  return true;
}

}  // namespace platform
