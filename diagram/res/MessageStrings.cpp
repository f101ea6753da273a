// The default texts of the library's messages and questions (in the texts,
// "%1" and "%2" are the arguments that the message box puts in).
#include "diagram/res/MessageStrings.h"

#include "platform/core/ResourceSet.h"

void AddMessageStrings(platform::ResourceSet& r) {
  r.Strings({
      {IDS_ABOUT_ALREADY_OPEN_EDIT, u"About info is already opened for edit!"},
      {IDS_ABOUT_ALREADY_OPEN_READONLY, u"About info is already opened readonly!"},
      {IDS_ABOUT_CHANGES_IGNORED, u"About info changes ignored!"},
      {IDS_ARCS_ROUTED_COUNT, u"%1 arcs were routed successfully.\n%2 arcs were not processed."},
      {IDS_BAD_BIRDEYE_MAX_WIDTH,
       u"Bad MaxWidthPercentOfScreen profile value, must be between 20 and 100 inclusive"},
      {IDS_BAD_BIRDEYE_MAX_HEIGHT,
       u"Bad MaxHeightPercentOfScreen profile value, must be between 20 and 100 inclusive"},
      {IDS_ROUTER_MEMORY_HINT,
       u"Decreasing canvas size or increasing minumum distance between arcs will reduce memory requirements."},
      {IDS_BAD_ARC_FLAGS_ORTHOGONAL,
       u"Bad ArcFlags4OrthogonalLines profile value, must be one of %1 for Shift, Control, both, or neither "
       u"recevtively."},
      {IDS_BAD_AUTOROUTE_MODE,
       u"Bad DefaultArcAutoRouteMode profile value, must be 0=disabled, 1=new arcs only, or 2=dynamic"},
      {IDS_BAD_AUTOROUTE_METHOD, u"Bad DefaultArcAutoRouteMethod profile value"},
      {IDS_BAD_ROUTE_WHAT,
       u"Bad RouteWhat profile value, must be 0=all arcs, 1=only..., 2=all but...\n\nDefaulting to 0=all arcs"},
      {IDS_BAD_MANUAL_ROUTE_METHOD, u"Bad ManualRouteMethod profile value"},
      {IDS_BAD_LAST_AUTOROUTE_METHOD, u"Bad LastValidAutoRouteMethod profile value"},
      {IDS_BAD_LAST_AUTOROUTE_MODE,
       u"Bad LastValidAutoRouteMode profile value, must be 1=new arcs only, or 2=dynamic"},
      {IDS_BAD_ROUTE_TOP_MARGIN, u"Bad RouteTopMargin profile value must not be negative.\n\nDefaulting to 21."},
      {IDS_BAD_ROUTE_BOTTOM_MARGIN,
       u"Bad RouteBottomMargin profile value must not be negative.\n\nDefaulting to 15."},
      {IDS_BAD_ROUTE_LEFT_MARGIN, u"Bad RouteLeftMargin profile value must not be negative.\n\nDefaulting to 15."},
      {IDS_BAD_ROUTE_RIGHT_MARGIN,
       u"Bad RouteRightMargin profile value must not be negative.\n\nDefaulting to 15."},
      {IDS_BAD_ROUTE_MIN_DISTANCE,
       u"Bad RouteMinDistance profile value, must be between 2 and 20.\n\nDefaulting to 10."},
      {IDS_OBJECT_CREATE_FAILED,
       u"Failed to create object.  Make sure the object is entered in the system registry."},
      {IDS_COMMAND_FAILED, u"The command could not be carried out."},
      {IDS_ROUTER_INIT_NO_MEMORY, u"Could NOT initialize Arc Router.  Not enough memory."},
      {IDS_ROUTING_NO_MEMORY, u"Not enough memory to complete Arc routing."},
      {IDS_CANNOT_EDIT_TEXT, u"Cannot edit text properties"},
      {IDS_GROUP_MEMBER_COUNT, u"Group consists of %1 direct members and %2 sub-members."},
      {IDS_NO_ABOUT_INFO, u"No About info available!"},
      {IDS_ABOUT_CREATE_FAILED, u"Failed to create About info!"},
      {IDS_POINT_DELETE_REFUSED,
       u"You can NOT delete a point from a polygon, polyline, or arc with less than 3 points."},
      {IDS_BAD_SELECTION_PROXIMITY, u"Bad SelectionProximity profile value, must be >= 0 and <= 10."},
      {IDS_BAD_MAX_UNDO_LEVELS, u"Bad MaxUndoLevels profile value, must be > 0"},
      {IDS_OPENED_READONLY, u"Document was opened Read-Only!"},
      {IDS_ADD_BLOCK_FAILED, u"Could not add block!"},

      {IDS_CONFIRM_CANCEL_ROUTING, u"Are you sure you want to Cancel?"},
      {IDS_CONFIRM_DELETE_ABOUT, u"Are you sure you want to delete the About info?"},
      {IDS_CONFIRM_VIRTUAL_MEMORY,
       u"This operation requires more than %1 megabytes of additional virtual memory, which may cause excessive "
       u"swapping.  Continue?"},
      {IDS_CONFIRM_FREE_UNDO_MEMORY,
       u"There is insufficient memory to record Undo Information for the requested action!\n\nWould you like to "
       u"Attempt freeing memory used by existing Undo/Redo information?\n\nCAUTION: Selecting YES may cause all "
       u"Undo/Redo memory to be deleted!"},
      {IDS_CONFIRM_CONTINUE_WITHOUT_UNDO,
       u"Unable to free enough memory to record Undo information into!\n\nWould you like to continue without being "
       u"able to Undo this action?"},
      {IDS_CONFIRM_FORCE_ONTO_CANVAS,
       u"Diagram objects are beyond edge of canvas!\nShould objects be moved to force them onto canvas?"},
      {IDS_CONFIRM_CANNOT_UNDO, u"This operation CANNOT be undone!\nAre you sure you want to continue?"},
  });
}
