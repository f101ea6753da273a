#include "diagram/res/DiagramResources.h"

#include "diagram/res/ArcToolCursors.h"
#include "diagram/res/DocumentStrings.h"
#include "diagram/res/DrawViewMenu.h"
#include "diagram/res/MessageStrings.h"
#include "diagram/res/ProgressDlgTemplate.h"
#include "diagram/res/TextDlgTemplate.h"

platform::ResourceSet BuildDiagramResources() {
  platform::ResourceSet resources;
  AddMessageStrings(resources);
  AddDocumentStrings(resources);
  AddTextDlgTemplate(resources);
  AddProgressDlgTemplate(resources);
  AddDrawViewMenu(resources);
  AddArcToolCursors(resources);
  return resources;
}
