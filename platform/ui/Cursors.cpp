#include "platform/ui/WindowSystem.h"

namespace platform {

// Cursor resources of modules are not registered yet: no module has one.
HCURSOR LoadModuleCursor(HINSTANCE, LPCWSTR) { return nullptr; }

}  // namespace platform
