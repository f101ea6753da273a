// A small extension library for the core tests, loaded by file name: it
// registers its module with a string table, initialises its extension module
// at load and terminates it at unload, holds one runtime class, and exports
// two C functions.
#include "platform/core/ExtensionModule.h"
#include "platform/core/Module.h"

class CPluginShape : public CObject {
  DECLARE_DYNCREATE(CPluginShape)
};
IMPLEMENT_DYNCREATE(CPluginShape, CObject)

namespace {

AFX_EXTENSION_MODULE g_extension = {FALSE, nullptr, nullptr};

const platform::ModuleRegistration g_module(u"TestPlugin.DLL",
                                            platform::ResourceSet().Strings({{61001, u"from the plugin"}}));

// What the library's entry point does at load and unload.
struct EntryPoint {
  EntryPoint() { AfxInitExtensionModule(g_extension, g_module.Handle()); }
  ~EntryPoint() { AfxTermExtensionModule(g_extension); }
} g_entryPoint;

}  // namespace

extern "C" int TestPluginAdd(int a, int b) { return a + b; }

// The library's exported initialisation: one more record in the chain.
extern "C" CDynLinkLibrary* TestPluginInit() { return new CDynLinkLibrary(g_extension); }
