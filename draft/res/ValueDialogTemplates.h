// The templates of the value dialogs that commands share: number, length,
// radius, drawing tidy, integer and layer.
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddValueDialogTemplates(platform::ResourceSet& r);
}
