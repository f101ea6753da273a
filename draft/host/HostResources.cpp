#include "draft/host/HostResources.h"

#include <mutex>

#include "platform/core/Module.h"
#include "platform/core/ResourceSet.h"

bool EnsureHostDialogTemplate(const char16_t* moduleName, UINT id, platform::DialogTemplate (*build)()) {
  static std::mutex m;
  std::lock_guard<std::mutex> lock(m);
  HINSTANCE module = platform::FindModule(moduleName);
  if (!module) return false;
  std::shared_ptr<const platform::ResourceSet> current = platform::ModuleResources(module);
  if (current && current->FindDialog(id)) return true;
  platform::ResourceSet updated = current ? *current : platform::ResourceSet();
  updated.Add(build());
  return platform::SetModuleResources(module, std::move(updated));
}
