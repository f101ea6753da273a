// The frames' resources: the standard tool bar (28022) and its bitmap, and
// its caption.
#pragma once

namespace platform {
class ResourceSet;
}

void AddFrameResources(platform::ResourceSet& resources);
