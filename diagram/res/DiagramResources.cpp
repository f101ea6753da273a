#include "diagram/res/DiagramResources.h"

#include "diagram/res/ArcToolCursors.h"
#include "diagram/res/CreationToolCursors.h"
#include "diagram/res/BirdEyeResources.h"
#include "diagram/res/CommandStrings.h"
#include "diagram/res/DocumentStrings.h"
#include "diagram/res/FrameResources.h"
#include "diagram/res/DrawViewMenu.h"
#include "diagram/res/MessageStrings.h"
#include "diagram/res/PropertyDlgTemplates.h"
#include "diagram/res/ProgressDlgTemplate.h"
#include "diagram/res/RoutingDlgTemplates.h"
#include "diagram/res/TextDlgTemplate.h"

platform::ResourceSet BuildDiagramResources() {
  platform::ResourceSet resources;
  AddMessageStrings(resources);
  AddDocumentStrings(resources);
  AddCommandStrings(resources);
  AddTextDlgTemplate(resources);
  AddPropertyDlgTemplates(resources);
  AddBirdEyeResources(resources);
  AddFrameResources(resources);
  AddProgressDlgTemplate(resources);
  AddRoutingDlgTemplates(resources);
  AddDrawViewMenu(resources);
  AddArcToolCursors(resources);
  AddCreationToolCursors(resources);
  return resources;
}
