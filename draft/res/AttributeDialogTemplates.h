// The template of the attribute dialog (5001).
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddAttributeDialogTemplates(platform::ResourceSet& r);
}
