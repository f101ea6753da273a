// The resources of the ScrivelDiagram module, gathered from the parts of
// diagram/res.
#pragma once

#include "platform/core/ResourceSet.h"

platform::ResourceSet BuildDiagramResources();
