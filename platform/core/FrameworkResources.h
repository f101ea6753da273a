// The framework's own resources (its standard cursors and strings), held by a module of
// the platform library. Resource lookup tries it last, after the
// application, so that a host or an extension library may put its own
// resource of the same id in front.
#pragma once

#include "platform/core/WinTypes.h"

namespace platform {

// The framework's magnifying-glass cursor.
constexpr UINT kIdcMagnify = 30978;
// The status bar's idle message, "Ready" (AFX_IDS_IDLEMESSAGE).
constexpr UINT kIdsIdleMessage = 0xE001;

// The module holding the framework's resources, registered on first use.
HINSTANCE FrameworkResourceModule();

}  // namespace platform
