// The string-table texts of the view's commands (the status-bar prompt,
// then after a line break the short name a tool tip shows) and the
// captions of the property sheets.
#pragma once

// Property sheet captions.
#define IDS_SHAPE_PROPERTIES 28036
#define IDS_BLOCK_PROPERTIES 28037

namespace platform {
class ResourceSet;
}

void AddCommandStrings(platform::ResourceSet& resources);
