// The templates of the selection commands' dialogs: the selection filter
// and the list of the drawing's group names.
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddSelectionDialogTemplates(platform::ResourceSet& r);
}
