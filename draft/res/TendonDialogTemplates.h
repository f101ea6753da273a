// The templates of the tendon graph: the axis dialog 404 with its eight
// axis pictures (bitmaps 652 to 655 and 659 to 662) and the coordinate
// table dialog 405.
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddTendonDialogTemplates(platform::ResourceSet& r);
}
