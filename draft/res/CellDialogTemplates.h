// The templates of the cell edit and signing (the cell dialog 329, the sign
// pad 883) and of the process tables (the process-table dialog 783, the
// add-rows dialog 781).
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddCellDialogTemplates(platform::ResourceSet& r);
}
