// The templates of the table dialogs: the column definition (293), the
// column relation (626) and the table fonts (147).
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddTableDialogTemplates(platform::ResourceSet& r);
}
