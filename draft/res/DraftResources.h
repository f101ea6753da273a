// ScrivelDraft's resources: the dialog templates of its commands.
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
platform::ResourceSet BuildResources();
}
