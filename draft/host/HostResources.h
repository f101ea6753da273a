// Dialog templates of the host's modules join their module's resource set
// when the dialog that uses them is first built, so that a caller's resource
// switch to the module ("Korrin.DLL", ...) finds them.
#pragma once

#include "platform/core/DialogTemplate.h"

// Adds the template that `build` makes to the resources of the registered
// module `moduleName`, unless the module already has a dialog of that id.
// False when no such module is registered.
bool EnsureHostDialogTemplate(const char16_t* moduleName, UINT id, platform::DialogTemplate (*build)());
