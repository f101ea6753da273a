// The templates of the cell edit and signing: the cell dialog (329) and the
// sign pad (883).
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddCellDialogTemplates(platform::ResourceSet& r);
}
