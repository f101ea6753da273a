// The templates of the technical-requirements editor and its options.
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddRequirementDialogTemplates(platform::ResourceSet& r);
}
