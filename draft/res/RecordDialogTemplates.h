// The template of the record-information dialog (2316).
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddRecordDialogTemplates(platform::ResourceSet& r);
}
