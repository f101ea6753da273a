// The tool bars of the bill-of-materials dialog: 138 (file, row and column
// commands) and 139 (the same and the material query), with their button
// images.
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddTableToolBars(platform::ResourceSet& r);
}
