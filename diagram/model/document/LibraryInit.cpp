// The library's start: the module and its resources, the extension-module
// record the host's framework needs, the clipboard format of diagrams, and
// _InitScrivel, through which the host links the library into its chain of
// resource and class modules.
#include <stdexcept>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/res/DiagramResources.h"
#include "platform/core/ExtensionModule.h"
#include "platform/core/Module.h"
#include "platform/ui/ClipboardFormats.h"

namespace {

AFX_EXTENSION_MODULE g_extensionModule = {FALSE, nullptr, nullptr};

// Runs when the library is loaded and when it is unloaded.
class LibraryLifetime {
 public:
  LibraryLifetime() : m_registration(u"Scrivel.DLL", BuildDiagramResources()) {
    if (!AfxInitExtensionModule(g_extensionModule, m_registration.Handle())) throw std::runtime_error("ScrivelDiagram: extension module");
    CDiagram::m_cfDraw = static_cast<WORD>(::RegisterClipboardFormatW(u"Zelk Draw Lib"));
  }
  ~LibraryLifetime() { AfxTermExtensionModule(g_extensionModule); }
  LibraryLifetime(const LibraryLifetime&) = delete;
  LibraryLifetime& operator=(const LibraryLifetime&) = delete;

 private:
  platform::ModuleRegistration m_registration;
};

const LibraryLifetime g_library;

}  // namespace

// Adds one record that links the library into the host's chain of resource
// and class modules; the records go when the library unloads.
extern "C" void _InitScrivel() { new CDynLinkLibrary(g_extensionModule); }
