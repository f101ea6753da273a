#include "diagram/res/CommandStrings.h"

#include "platform/core/ResourceSet.h"

void AddCommandStrings(platform::ResourceSet& r) {
  r.Strings({
      {IDS_SHAPE_PROPERTIES, u"Shape Properties"},
      {IDS_BLOCK_PROPERTIES, u"Block Properties"},
      {57007, u"Opens description about the composite block"},
      {57008, u"Open Composite Function Block\nOpen"},
      {57012, u"Add a block\nAdd Block"},
      {57013, u"Choose ellipse drawing tool\nEllipse"},
      {57014, u"Choose line drawing tool\nLine"},
      {57016, u"Choose the polygon drawing tool\nPolygon"},
      {57017, u"Choose the polyline drawing tool\nPoly Line"},
      {57018, u"Choose rectangle drawing tool\nRectangle"},
      {57019, u"Choose rounded rectangle drawing tool\nRounded Rectangle"},
      {57021, u"Choose the text drawing tool\nText"},
      {57022, u"Edit drawing object properties\nProperties"},
      {57027, u"Move Objects that cross page boundaries to next page, expanding canvas as necessary.\n"
              u"Avoid Page Boundary"},
      {57035, u"Nest selected objects\nNest as New Digram"},
      {57039, u"Ungroup a collection of items\nUn Group"},
      {57043, u"Add a point in middle of selected segment\nAdd Vertex"},
      {57044, u"Remove a point from the active object\nRemove Vertex"},
      {57054, u"Show/Hide Bird's Eye view\nBird's Eye View"},
      {57056, u"Change the size of the drawing area.\nCanvas Size..."},
      {57060, u"Show or Hide grid lines\nShow Grid"},
      {57061, u"Restores drawing to last zoom\nZoom Last"},
      {57063, u"Show or Hide page boundaries\nPage Boundaries"},
      {57065, u"Refresh (clear and redraw)\nRefresh"},
      {57067, u"Toggle OLE object indication\nToggle OLE Objects"},
      {57068, u"Zooms in (enlarge)\nZoom In"},
      {57069, u"Zoom Out (reduce)\nZoom Out"},
      {57087, u"Remove Hatch Style\nRemove Hatch"},
      {57090, u"Change Line Weight\nLine Weight"},
      {57093, u"Create New Composite Block\nNew Composite"},
      {57856, u"Insert new embedded object\nInsert Embeded Obj"},
  });
}
