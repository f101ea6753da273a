// The templates of the routing option pages (28010 "Automatic", 28011
// "General / Page", 28012 "Manual") and of the routing-failure dialog (28069).
#pragma once

namespace platform {
class ResourceSet;
}

void AddRoutingDlgTemplates(platform::ResourceSet& resources);
