// The join-form dialog of the line-copy command (template 223, "连线形式")
// and the pictures of its two buttons: bitmap 225 (form 1, the wider band
// closes each step with a whole cap) and bitmap 213 (form 2, step lines
// on each side of the picked line).
#pragma once

#include "platform/core/ResourceSet.h"

namespace draftres {
void AddLinkFormResources(platform::ResourceSet& r);
}
