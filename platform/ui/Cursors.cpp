// Cursor resources of modules. A cursor loaded twice is the same handle, as
// LoadCursor shares the cursors of a module.
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/WindowSystem.h"

namespace platform {
namespace {

struct ModuleCursor {
  HINSTANCE module;
  UINT id;
};

HCURSOR CursorHandle(HINSTANCE module, UINT id) {
  static std::mutex mutex;
  static std::map<std::pair<HINSTANCE, UINT>, std::unique_ptr<ModuleCursor>> cursors;
  std::lock_guard lock(mutex);
  auto& slot = cursors[{module, id}];
  if (!slot) slot = std::make_unique<ModuleCursor>(ModuleCursor{module, id});
  return reinterpret_cast<HCURSOR>(slot.get());
}

// Icons have handles of their own, shared per module and number as well.
HICON IconHandle(HINSTANCE module, UINT id) {
  static std::mutex mutex;
  static std::map<std::pair<HINSTANCE, UINT>, std::unique_ptr<ModuleCursor>> icons;
  std::lock_guard lock(mutex);
  auto& slot = icons[{module, id}];
  if (!slot) slot = std::make_unique<ModuleCursor>(ModuleCursor{module, id});
  return reinterpret_cast<HICON>(slot.get());
}

}  // namespace

HCURSOR LoadModuleCursor(HINSTANCE module, LPCWSTR name) {
  // Cursors are declared by number; a name that is a text is no resource.
  if (!IS_INTRESOURCE(name)) return nullptr;
  UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
  if (module) {
    auto resources = ModuleResources(module);
    return (resources && resources->FindCursor(id)) ? CursorHandle(module, id) : nullptr;
  }
  FoundResources found = FindResources(ResourceType::Cursor, id);
  return found ? CursorHandle(found.module, id) : nullptr;
}

HICON LoadModuleIcon(HINSTANCE module, LPCWSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
  auto resources = module ? ModuleResources(module) : nullptr;
  return (resources && resources->FindIcon(id)) ? IconHandle(module, id) : nullptr;
}

}  // namespace platform
