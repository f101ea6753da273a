// The frames' resources: the standard tool bar (28022) with its bitmap and
// caption, and the document frame's tool bar (28001) with its bitmap.
#pragma once

namespace platform {
class ResourceSet;
}

void AddFrameResources(platform::ResourceSet& resources);
