#include "platform/core/ResourceModule.h"

#include <algorithm>
#include <mutex>

#include "platform/core/ExtensionModule.h"
#include "platform/core/FrameworkResources.h"
#include "platform/core/Module.h"

namespace platform {
namespace {

struct ResourceState {
  std::mutex mutex;
  bool set = false;
  HINSTANCE current = nullptr;
};

ResourceState& State() {
  static ResourceState* state = new ResourceState;
  return *state;
}

template <typename Contains>
HINSTANCE Search(Contains contains, std::shared_ptr<const ResourceSet>* resources) {
  for (HINSTANCE module : ResourceSearchOrder()) {
    std::shared_ptr<const ResourceSet> set = ModuleResources(module);
    if (set && contains(*set)) {
      if (resources) *resources = std::move(set);
      return module;
    }
  }
  return nullptr;
}

HINSTANCE FindWin32(ULONG_PTR name, ULONG_PTR type) {
  HINSTANCE found = nullptr;
  if (name <= 0xFFFF && type <= 0xFFFF)
    found = Search([&](const ResourceSet& set) { return set.ContainsWin32(type, name); }, nullptr);
  return found ? found : AfxGetResourceHandle();
}

}  // namespace

std::vector<HINSTANCE> ResourceSearchOrder() {
  std::vector<HINSTANCE> order;
  auto add = [&order](HINSTANCE h) {
    if (h && std::find(order.begin(), order.end(), h) == order.end()) order.push_back(h);
  };
  add(AfxGetResourceHandle());
  for (CDynLinkLibrary* record : DynLinkLibraries()) add(record->m_hResource);
  add(AfxGetInstanceHandle());
  add(FrameworkResourceModule());
  return order;
}

FoundResources FindResources(ResourceType type, UINT id) {
  FoundResources found;
  found.module = Search([&](const ResourceSet& set) { return set.Contains(type, id); }, &found.resources);
  return found;
}

}  // namespace platform

HINSTANCE AfxGetInstanceHandle() { return platform::ApplicationModule(); }

HINSTANCE AfxGetResourceHandle() {
  platform::ResourceState& s = platform::State();
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.set) return s.current;
  }
  return AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE module) {
  platform::ResourceState& s = platform::State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.current = module;
  s.set = true;
}

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type) {
  return platform::FindWin32(reinterpret_cast<ULONG_PTR>(name), reinterpret_cast<ULONG_PTR>(type));
}

HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type) {
  return platform::FindWin32(reinterpret_cast<ULONG_PTR>(name), reinterpret_cast<ULONG_PTR>(type));
}
