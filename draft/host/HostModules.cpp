// The host's libraries as modules of the process, registered by their file
// names so that a command's resource switch finds them with GetModuleHandle.
// They are registered while this stand-in is loaded; their dialog templates
// join their resource sets as the dialogs that use them are built.
#include "platform/core/Module.h"
#include "platform/core/ResourceSet.h"

namespace {
const platform::ModuleRegistration g_korrin(u"Korrin.DLL", platform::ResourceSet());
const platform::ModuleRegistration g_velmish(u"Velmish.DLL", platform::ResourceSet());
const platform::ModuleRegistration g_tressil(u"Tressil.DLL", platform::ResourceSet());
const platform::ModuleRegistration g_nobrack(u"Nobrack.DLL", platform::ResourceSet());
const platform::ModuleRegistration g_quorvel(u"Quorvel.DLL", platform::ResourceSet());
const platform::ModuleRegistration g_halcyte(u"Halcyte.DLL", platform::ResourceSet());
const platform::ModuleRegistration g_brissom(u"Brissom.DLL", platform::ResourceSet());
const platform::ModuleRegistration g_pellatrix(u"Pellatrix.DLL", platform::ResourceSet());
}  // namespace
