// The arc tool's cursors: 28107, the pen that draws a wire, and 28136, the
// pen over a port that takes the wire.
#pragma once

#include "platform/core/ResourceSet.h"

void AddArcToolCursors(platform::ResourceSet& resources);
