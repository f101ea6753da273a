// The library's load step: this module registered as "Scrivel.DLL" with its
// resources, its extension module initialised with its own instance handle
// (which sets its runtime classes aside), and one extension-library record
// that joins it to the host's chain of resource and class modules. At
// unload the module is terminated and the registration ends. This is the
// library's only static object; it plays the part of the library's entry
// point.
#include "draft/res/DraftResources.h"
#include "platform/core/ExtensionModule.h"
#include "platform/core/Module.h"

namespace {

class CDraftModule {
 public:
  CDraftModule() : registration_(u"Scrivel.DLL", draftres::BuildResources()) {
    loaded_ = AfxInitExtensionModule(extension_, registration_.Handle());
    if (loaded_) new CDynLinkLibrary(extension_);  // the chain owns the record
  }
  ~CDraftModule() {
    if (loaded_) AfxTermExtensionModule(extension_);
  }
  CDraftModule(const CDraftModule&) = delete;
  CDraftModule& operator=(const CDraftModule&) = delete;

 private:
  platform::ModuleRegistration registration_;
  AFX_EXTENSION_MODULE extension_{};
  BOOL loaded_ = FALSE;
};

const CDraftModule g_draftModule;

}  // namespace
