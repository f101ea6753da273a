// The templates of the construction and editing commands' own dialogs:
// the polygon's side count and the circular array's settings, with the
// question icon they show.
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddCommandDialogTemplates(platform::ResourceSet& r);
}
