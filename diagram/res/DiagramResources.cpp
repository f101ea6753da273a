#include "diagram/res/DiagramResources.h"

#include "diagram/res/MessageStrings.h"

platform::ResourceSet BuildDiagramResources() {
  platform::ResourceSet resources;
  AddMessageStrings(resources);
  return resources;
}
