// The cursors of the creation tools: 28078, the block placer's; 28114, the
// pencil of freehand polylines; 28135, the monitor tool's.
#pragma once

#include "platform/core/ResourceSet.h"

void AddCreationToolCursors(platform::ResourceSet& resources);
