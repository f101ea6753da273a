// The templates of the chamfer settings (143) and the group chooser (371).
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddEditRegionDialogTemplates(platform::ResourceSet& r);
}
