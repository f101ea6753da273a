// The registry of the modules of the process, by name ("Scrivel.DLL",
// "Korrin.DLL", ...), each with its resources. A module's HINSTANCE (HMODULE)
// stays the same for as long as the module is registered, whether it was
// found with GetModuleHandle or loaded with LoadLibrary (DynamicLibrary.h).
//
// Names compare without regard to case; a name without an extension means
// "<name>.dll", a path is reduced to its last component, so "KORRIN",
// "korrin.dll" and "C:\\Host\\Korrin.DLL" all find "Korrin.DLL".
//
// A library registers itself when it is loaded, with a static object (its
// address tells which file is the module's) in the one source file that also
// holds its load-time initialisation:
//
//   static const platform::ModuleRegistration g_module(u"Scrivel.DLL", BuildResources());
//
// and the registration ends when the library is unloaded. The application
// (the executable) is a module too: AfxGetInstanceHandle() or
// GetModuleHandle(nullptr); a host gives it resources with SetModuleResources.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/core/ResourceSet.h"
#include "platform/core/WinTypes.h"

namespace platform {

// Registers a module of that name with its resources; the shared object that
// holds `addressInside` is the module's file (for GetModuleFileName,
// GetProcAddress and LoadLibrary), the application's when no loaded file
// holds it (an address on the stack or the heap). Returns the module's handle.
HINSTANCE RegisterModule(std::u16string_view name, ResourceSet resources, const void* addressInside);
// Ends a registration; false when `module` is not a registered module.
bool UnregisterModule(HINSTANCE module);

class ModuleRegistration {
 public:
  // The name as u"Scrivel.DLL", or "Scrivel.DLL" (GBK) in the multibyte build.
  ModuleRegistration(ResourceText name, ResourceSet resources)
      : module_(RegisterModule(name.str(), std::move(resources), this)) {}
  ~ModuleRegistration() { UnregisterModule(module_); }
  ModuleRegistration(const ModuleRegistration&) = delete;
  ModuleRegistration& operator=(const ModuleRegistration&) = delete;

  HINSTANCE Handle() const { return module_; }

 private:
  HINSTANCE module_;
};

// The application's module (the running executable).
HINSTANCE ApplicationModule();

bool IsModule(HINSTANCE module);
// The module's name ("Scrivel.DLL"); empty for an unknown handle.
std::u16string ModuleName(HINSTANCE module);
// The module's file; empty for an unknown handle.
std::filesystem::path ModuleFile(HINSTANCE module);
// The module's resources, kept alive for the caller even if the module goes
// away meanwhile; null for an unknown handle.
std::shared_ptr<const ResourceSet> ModuleResources(HINSTANCE module);
// Replaces the module's resources; false for an unknown handle.
bool SetModuleResources(HINSTANCE module, ResourceSet resources);

// The first registered module whose name matches, or null.
HINSTANCE FindModule(std::u16string_view name);

// The registry's side of LoadLibrary and FreeLibrary (DynamicLibrary.cpp).
namespace loader {

// A module found by name gets one more load reference; null when none has
// that name.
HINSTANCE AddReferenceByName(std::u16string_view name);

// Records a library that dlopen loaded: the module registered from that
// shared object (the one named `requestedName` when it registered several),
// or else a new module of that name. It gets one more load reference and
// keeps one dlopen handle; `*surplusHandle` receives a handle the caller must
// close (a second dlopen of a library already held), else null.
HINSTANCE AttachLoaded(void* dlHandle, std::u16string_view requestedName, void** surplusHandle);

enum class Release { NotAModule, StillLoaded, Unloaded };
// Drops one load reference; when the last goes, `*dlHandle` receives the
// handle the caller must close (outside any lock: the library's static
// destructors end its registrations).
Release DropReference(HINSTANCE module, void** dlHandle);

// The shared object the module lives in (its link map), or null.
const void* LinkMap(HINSTANCE module);

// A dlopen handle through which to look up the module's symbols, opened for
// the caller (who closes it), or null.
void* OpenSymbolHandle(HINSTANCE module);

}  // namespace loader
}  // namespace platform

HMODULE GetModuleHandleA(LPCSTR moduleName);
HMODULE GetModuleHandleW(LPCWSTR moduleName);
// Copies the module's file path (the application's for a null module) into
// `buffer`, truncated to size - 1 characters and terminated; returns the
// number of characters copied, or `size` when the path was truncated, or 0
// for an unknown module.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

#if defined(UNICODE) || defined(_UNICODE)
#define GetModuleHandle GetModuleHandleW
#define GetModuleFileName GetModuleFileNameW
#else
#define GetModuleHandle GetModuleHandleA
#define GetModuleFileName GetModuleFileNameA
#endif
