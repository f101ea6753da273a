// Extension libraries: libraries that add their resources and runtime classes
// to the host application's. At load, a library initialises its extension
// module record, which sets its runtime classes aside: they are not found by
// name (CRuntimeClass::FromName, archives) yet. Each CDynLinkLibrary made for
// it then adds a record to the chain that resource lookup walks
// (ResourceModule.h) and makes the classes found; the library makes one when
// the host asks it to (an exported initialisation function). At unload,
// terminating the module deletes the records still made for it.
//
//   static AFX_EXTENSION_MODULE extensionDLL;
//   static const platform::ModuleRegistration g_module(u"Scrivel.DLL", BuildResources());
//   // load: AfxInitExtensionModule(extensionDLL, g_module.Handle());
//   // host's call: new CDynLinkLibrary(extensionDLL);
//   // unload: AfxTermExtensionModule(extensionDLL);
//
// Records are made with new, as the framework requires: termination deletes
// them.
#pragma once

#include <vector>

#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
};

// Initialises the record for `module` (a registered module) and sets aside
// the runtime classes of the shared object that holds `state`. False for an
// unknown module. A second call for an initialised record does nothing.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
// Deletes the chain records made for the module and ends the record: the
// library is about to unload. `all` is accepted for the framework's
// signature; there is no per-thread state to tell apart.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

class CDynLinkLibrary : public CObject {
  DECLARE_DYNAMIC(CDynLinkLibrary)

 public:
  // Adds a record for an initialised extension module to the front of the
  // chain.
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
  // A record for a module that is not an extension module (a resource-only
  // library, say).
  CDynLinkLibrary(HINSTANCE module, HINSTANCE resource);
  ~CDynLinkLibrary() override;

  HMODULE m_hModule;
  HMODULE m_hResource;
};

namespace platform {

// The records of the chain, newest first.
std::vector<CDynLinkLibrary*> DynLinkLibraries();

}  // namespace platform
