// Makes a module the current resource module for a scope and puts the
// previous one back on every way out, an exception included. A module that
// is not there (a null handle, a name no module has) leaves the resource
// module as it is, and then nothing is restored either.
//
//   {
//     platform::ScopedResourceModule useOwn("Scrivel.DLL");
//     dialog.DoModal();   // finds its template in Scrivel.DLL first
//   }                     // the previous resource module again
#pragma once

#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"

namespace platform {

class ScopedResourceModule {
 public:
  ScopedResourceModule() = default;
  explicit ScopedResourceModule(HINSTANCE module) { Switch(module); }
  explicit ScopedResourceModule(LPCSTR moduleName) { Switch(moduleName); }
  explicit ScopedResourceModule(LPCWSTR moduleName) { Switch(moduleName); }
  ~ScopedResourceModule() { Restore(); }
  ScopedResourceModule(const ScopedResourceModule&) = delete;
  ScopedResourceModule& operator=(const ScopedResourceModule&) = delete;

  // Restores a switch in effect, then switches to `module` when it is not
  // null. True when the switch is in effect.
  bool Switch(HINSTANCE module) {
    Restore();
    if (!module) return false;
    saved_ = AfxGetResourceHandle();
    AfxSetResourceHandle(module);
    active_ = true;
    return true;
  }
  bool Switch(LPCSTR moduleName) { return Switch(moduleName ? GetModuleHandleA(moduleName) : nullptr); }
  bool Switch(LPCWSTR moduleName) { return Switch(moduleName ? GetModuleHandleW(moduleName) : nullptr); }

  // Puts the saved resource module back when a switch is in effect.
  void Restore() {
    if (!active_) return;
    active_ = false;
    AfxSetResourceHandle(saved_);
  }

  bool IsActive() const { return active_; }
  // The resource module that was current before the switch.
  HINSTANCE Saved() const { return saved_; }

 private:
  HINSTANCE saved_ = nullptr;
  bool active_ = false;
};

}  // namespace platform
