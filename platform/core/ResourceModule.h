// The framework's resource state: the application's instance handle, the
// current resource module, and the lookup of a resource along the chain:
// the current resource module first, then the module of each extension
// library record (ExtensionModule.h), newest first, then the application,
// then the framework's own resources (FrameworkResources.h).
#pragma once

#include <memory>
#include <vector>

#include "platform/core/ResourceSet.h"
#include "platform/core/WinConstants.h"

// The application's module (the running executable).
HINSTANCE AfxGetInstanceHandle();
// The module in which resources are looked up first; the application's until
// set.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// The module that holds the resource (RT_DIALOG, RT_STRING with the block
// number, RT_GROUP_CURSOR, ...), searched along the chain; the current
// resource module when none does, as the framework answers.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type);

namespace platform {

// The modules in lookup order, each once.
std::vector<HINSTANCE> ResourceSearchOrder();

// A resource found along the chain: the module that holds it and that
// module's resources, kept alive for the caller.
struct FoundResources {
  HINSTANCE module = nullptr;
  std::shared_ptr<const ResourceSet> resources;
  explicit operator bool() const { return module != nullptr; }
};

// Null (false) when no module on the chain holds it.
FoundResources FindResources(ResourceType type, UINT id);

}  // namespace platform
