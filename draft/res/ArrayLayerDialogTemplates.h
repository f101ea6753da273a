// The templates of the rectangular array's settings and of the layer
// chooser of the layer commands.
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddArrayLayerDialogTemplates(platform::ResourceSet& r);
}
