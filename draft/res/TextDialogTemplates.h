// The templates of the text dialogs: the dimension-value dialog 181.
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddTextDialogTemplates(platform::ResourceSet& r);
}
