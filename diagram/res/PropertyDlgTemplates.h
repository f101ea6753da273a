// The templates of the shape and block description pages and of the grid, line-weight, zoom,
// canvas-size and block dialogs.
#pragma once

namespace platform {
class ResourceSet;
}

void AddPropertyDlgTemplates(platform::ResourceSet& resources);
