// The bird's-eye window's icon, its tracker cursor and its zoom text.
#pragma once

namespace platform {
class ResourceSet;
}

void AddBirdEyeResources(platform::ResourceSet& resources);
