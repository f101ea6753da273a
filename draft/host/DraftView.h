// Velmish's drafting view: the drawing on which commands work, its
// selection, undo store, cursor location and snapping, picking, previews,
// units and view state.
//
// Drawing content and selection (the contract every command relies on):
// - The drawing's entities are those in the entity list and those in the
//   selection list. Selecting moves an entity from the entity list to the
//   tail of the selection list; deselecting (ClearSelection,
//   DeselectEntities) puts it back into the entity list in drawing order.
//   So an empty entity list means everything is selected, and a command may
//   move entities between the two lists by hand, as the view does.
// - SelectEntity/SelectEntities accept an entity from the entity list or
//   from no list at all (one that a command took off the selection list by
//   hand) and leave an already selected one where it is.
// - RemoveEntity/RemoveEntities take an entity out of the drawing from
//   whichever list holds it, the second list included, and ignore one that
//   is already out. Nothing is freed.
// - The second list is the registered-entity list: entities a command made
//   and still owns (boundary loops, pending copies), which the view shows
//   but which are not part of the drawing (see RegisterInsertedEntities).
//   "Emptying the selection without destroying" is ClearSelection: the
//   drawing's entities go back to the entity list.
// - Members of compound entities: an entity whose owner is a block is in
//   the drawing while its block lists it and the block is in the drawing.
//   RemoveEntity of a member takes it out of its block (it keeps naming the
//   block as its owner), and the add operation puts an entity that names a
//   block as its owner into that block: in the place of the replaced member
//   when one is given, else in the place it had, else last. Undo and redo
//   restore membership the same way.
//
// Ownership: the view owns every entity in its entity and selection lists
// and every entity named by a pushed undo record. RemoveEntity hands an
// entity back to the caller only when no pushed record names it; the caller
// then adds it again, names it in a record it pushes, or discards it
// (DiscardEntity, which frees it now or leaves it to the records that name
// it). An entity that a pushed record names stays the view's: the caller
// must not delete it, and as the caller cannot tell the two cases apart it
// never deletes a removed entity itself. Entities that drop out of every
// record while out of the drawing (the redo history is cut, or the oldest
// undo step is dropped) are freed, except one a caller took out and still
// holds: that one stays until the caller adds it again, names it in a
// record or discards it (the view frees it at its end otherwise).
#pragma once

#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/DrawingSettings.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LayerTable.h"
#include "draft/host/NumberFormat.h"
#include "draft/host/PointRec.h"
#include "draft/host/TextAttrib.h"
#include "draft/host/TextPainter.h"
#include "draft/host/ViewDisplay.h"
#include "draft/host/ViewProgress.h"
#include "platform/core/Geometry.h"
#include "platform/core/String.h"

class CDC;
class CEntity;
class CTableEntity;
class CUndoRecord;
class CClipRegion;
class CAttributeItemList;
struct CInsertContext;

// The unit settings record.
struct UnitSettings {
  NumberFormatPair length{0, 3};
  NumberFormatPair angle{0, 2};
  int showCoordinates = 1;  // readouts beside the cursor
  int pickSize = 8;         // pick aperture in pixels
};

// The selection filter: a group name that restricts picking and a
// dimension-only flag.
struct SelectionFilter {
  CStringA groupName;
  int dimensionOnly = 0;
};

// What the view drew for a command: rubber previews, temporary entities,
// the cross-hair and marks. Every call is recorded in order.
enum class ViewDrawKind {
  kLine, kCircle, kArc, kEllipse, kText, kTextStyled, kEntityTemp, kEntityErase,
  kCrossHair, kCrossHairHidden, kCrossHairErased, kMark, kHighlight, kSelectionTransformed,
  kPolyline, kPointMark,
};

struct ViewDrawOp {
  ViewDrawKind kind;
  std::vector<double> values;
  CStringA text;
  int flag = 0;
  const CEntity* entity = nullptr;
  std::optional<CTextAttrib> attrib;  // the attributes of a styled text preview
};

// Entity-kind bits of the pick masks. A mask with 0x2000 (ordinary
// entities) or 0x400000 (every entity) set picks every kind; 0x400000 also
// offers the members of compound entities (nested ones included) in place
// of the compounds, as option o4 does. Other masks pick compounds whole; a
// mask of 0 restricts no kind.
enum PickMaskBits : DWORD {
  kPickPoint = 0x1,
  kPickText = 0x2,
  kPickLine = 0x4,
  kPickCircle = 0x8,
  kPickArc = 0x10,
  kPickEllipse = 0x20,
  kPickBlock = 0x40,
  kPickTwoPoint = 0x80,
  kPickOrdinary = 0x2000,
  kPickTable = 0x10000,
  kPickEverything = 0x400000,
};

// Sent to the view's notification window for a deleted registered object.
inline constexpr UINT kDeletedObjectMessage = 1910;

class CDraftView {
 public:
  CDraftView();
  ~CDraftView();
  CDraftView(const CDraftView&) = delete;
  CDraftView& operator=(const CDraftView&) = delete;

  // ---- Content.
  CEntityList* GetEntityList() { return &entities_; }
  // The selection list; while selection tracking is off, the command's list
  // (see EnableSelectionTracking).
  CEntityList* GetSelectionList() { return tracking_ ? &selection_ : &detached_; }
  CEntityList* GetSecondList() { return &second_; }
  // Whether an entity is in the drawing (entity or selection list, or a
  // member of a block that is); registered entities never are.
  bool IsInDrawing(const CEntity* e) const;

  // ---- Registered entities: entities a command made and still owns. The
  // view shows them and may hold them in its selection list (SelectEntities
  // highlights them there), but never owns them, and picking, snapping, the
  // boundary search, the drawing file and undo pass them over.
  // ClearSelection and DeselectEntities drop them from the selection instead
  // of moving them into the entity list. A registered entity that is
  // destroyed leaves the view by itself, so a command may delete its
  // entities before it empties the list. Entities of the drawing are not
  // registered.
  void RegisterInsertedEntities(const CEntityList& list);
  // Forgets one (the selection included); FALSE when it was not registered.
  BOOL UnregisterEntity(CEntity* entity);
  // Forgets every registered entity and drops them from the selection.
  void ClearRegisteredEntities();
  bool IsRegistered(const CEntity* e) const { return registered_.count(e) != 0; }
  // Whether its owner block lists it. A member may be held in the selection
  // list (to show it highlighted) while its block holds it; ClearSelection
  // and DeselectEntities then only drop it from the selection.
  static bool HeldByBlock(const CEntity* e);
  // Held in the selection list without being a selected entity of the
  // drawing of its own: a registered entity or a block's member.
  bool IsKeptApart(const CEntity* e) const { return IsRegistered(e) || HeldByBlock(e); }
  // Puts an entity into the drawing (the view owns it). With a record the
  // add is recorded, together with `replaced` as the entity it replaces
  // (which the caller has already taken out). FALSE for null.
  BOOL AddEntityToView(CEntity* entity, CUndoRecord* record = nullptr, CEntity* replaced = nullptr, int redraw = 1);
  void AddEntities(const CEntityList& list);
  // Out of the drawing, not freed; TRUE when it was in.
  BOOL RemoveEntity(CEntity* entity, int redraw = 1, int flag = 0);
  void RemoveEntities(const CEntityList& list);
  // Gives up an entity the caller took out (or one it made and never
  // added): out of the drawing if it is still in, and freed unless a pushed
  // record names it, in which case the records keep it.
  void DiscardEntity(CEntity* entity);

  int GetCurrentLayer() const { return currentLayer_; }
  void SetCurrentLayer(int layer);
  // The group table's active group (null when none).
  CDrawingGroup* GetCurrentGroup() const { return groups_.GetActiveGroup(); }
  CGroupTable* GetGroupTable() { return &groups_; }
  CLayerTable* GetLayerTable() { return &layers_; }
  // The layer record of the entity's layer (null for null).
  const CLayerRecord* GetEntityLayerInfo(const CEntity* entity) const;

  // ---- The drawing's attribute group and items, text font and system
  // values (DrawingSettings.h).
  CDrawingGroup* GetDrawingAttributes() { return drawing_.GetAttributeGroup(); }
  CAttributeItemList* GetDrawingAttributeList() { return drawing_.GetAttributeList(); }
  // Whether the drawing has changes to save besides its entities' (set by
  // editors of the drawing's attributes).
  void SetDrawingModified(int modified) { drawingModified_ = modified != 0; }
  bool IsDrawingModified() const { return drawingModified_; }
  CTextFontRecord* GetTextFont() { return drawing_.GetTextFont(); }
  double GetSystemReal(int code) const { return drawing_.GetSystemReal(code); }
  void SetSystemReal(int code, double value) { drawing_.SetSystemReal(code, value); }
  // The drawing's parts-list table: the first entity, in drawing order,
  // whose table kind is 1; null when none.
  CEntity* GetPartsListTable() const;

  // ---- Selection (see the contract above).
  void SelectEntity(CEntity* entity, int highlight = 1, int a = 1, int b = 1, void* extra = nullptr);
  void SelectEntities(const CEntityList& list, int highlight = 1, int a = 1, int b = 1, int c = 0);
  void DeselectEntities(const CEntityList& list);
  // null: everything back to the entity list; an entity: that one only.
  void ClearSelection(CEntity* entity = nullptr);
  int GetSelectionCount() const { return tracking_ ? selection_.GetCount() : detached_.GetCount(); }
  // Selection tracking, on by default. Off, the selection list (as
  // GetSelectionList and ClearSelection see it) belongs to the command that
  // turned it off: its entities (a group's dragged copies) are not part of
  // the drawing and not the view's, and ClearSelection empties it without
  // freeing them. Turning it off needs an empty selection (FALSE, nothing
  // changed, otherwise); turning it on again empties the command's list
  // (its entities stay the command's) and gives the view its own back.
  BOOL EnableSelectionTracking(int on);
  int IsSelectionTracking() const { return tracking_ ? 1 : 0; }
  SelectionFilter& SelectionFilterGroupName() { return filter_; }

  // Picking. The options: o1 1 lets selected entities be picked too; o2 1
  // puts the nearest first (else drawing order); o3 1 (deselect mode) picks
  // among the selected entities only; o4 1 (or mask bit 0x400000) picks the
  // members of compound entities themselves (else the compound). filter -1: no filter; any
  // other value applies the selection filter. TRUE when something was found
  // (appended to `out`).
  BOOL PickEntitiesAtPoint(double x, double y, CEntityList& out, int o1, int o2, int o3, int o4, DWORD mask,
                           int filter);
  // A window: with the first corner left of the second, entities wholly
  // inside; otherwise (a crossing box) entities inside or crossing it.
  BOOL PickEntitiesInWindow(double x1, double y1, double x2, double y2, CEntityList& out, int o1, int o2, int o3,
                            int o4, DWORD mask, int filter);

  // ---- Undo store.
  void PushUndoRecord(CUndoRecord* record);
  BOOL Undo();
  BOOL Redo();
  int GetUndoCount() const { return static_cast<int>(undo_.size()); }
  int GetRedoCount() const { return static_cast<int>(redo_.size()); }
  // The newest undo record (null when none), for looking at what a command recorded.
  const CUndoRecord* GetLastUndoRecord() const { return undo_.empty() ? nullptr : undo_.back().get(); }
  // The oldest step is dropped beyond this many (default 200).
  void SetUndoLimit(int limit);
  void BeginViewUpdate() { ++updateDepth_; }
  void EndViewUpdate() { if (updateDepth_ > 0) --updateDepth_; }

  // ---- Coordinates. Device y grows downwards, drawing y upwards; a
  // drawing point (x, y) is at device ((x - panX)·zoom, height - (y - panY)·zoom).
  // dir 1: device -> drawing into x, y; dir 0: moves the screen cursor onto
  // the drawing point (x, y) (and leaves x, y alone).
  void ClientToDrawing(double& x, double& y, CPoint dp, int dir);
  CPoint DrawingToClient(double x, double y) const;
  // The same mapping unrounded, for painting.
  DeviceMapping GetDeviceMapping() const;
  void SetClientSize(int width, int height);
  CSize GetClientSize() const { return {clientWidth_, clientHeight_}; }
  double GetZoom() const { return zoom_; }
  // Pixels per drawing unit (ignored unless positive and finite).
  void SetZoom(double zoom);
  void SetPan(double x, double y);
  // The screen cursor, where ClientToDrawing(.., 0) last put it.
  CPoint GetCursorPos() const { return cursorPos_; }
  // Zoom by 2 about a drawing point, which stays where it is on the screen;
  // show a window (its centre in the middle of the view, the whole window
  // shown); move the view so that the drawing point (x1, y1)
  // comes to where (x2, y2) is. Each repaints the view through its display;
  // a value that is not finite, or a window without extent, changes nothing.
  void ZoomInAt(double x, double y);
  void ZoomOutAt(double x, double y);
  void ZoomWindow(double x1, double y1, double x2, double y2);
  void PanView(double x1, double y1, double x2, double y2, int = 0, int = 0);
  // Repaints the drawing through the device context: the background, then
  // the entities, the selected ones highlighted; held while the display is
  // in mode 1 (see CViewDisplay).
  void RefreshView(int = 0, int = 0);
  // The repaints done so far.
  int GetRefreshCount() const { return refreshCount_; }
  // The view's display object.
  CViewDisplay* GetDisplay() { return &display_; }
  // The coordinate origin of the readouts and the coordinate dialog.
  double GetOriginX() const { return originX_; }
  double GetOriginY() const { return originY_; }
  void SetOrigin(double x, double y) { originX_ = x; originY_ = y; }
  // The mark state: what MarkPoint does besides marking. In state 1 the
  // marked point becomes the coordinate origin; 0 (the default) and other
  // states only mark.
  int GetMarkState() const { return markState_; }
  void SetMarkState(int state) { markState_ = state; }
  // The pick aperture in drawing units (half the pick size).
  double GetPickAperture() const;
  // Puts the screen cursor on the drawing point (x, y), as
  // ClientToDrawing(.., 0) does, and remembers the point as the last one a
  // command placed the cursor on; each call counts.
  void MoveCursorTo(double x, double y);
  GPoint GetPlacedCursor() const { return placedCursor_; }
  int GetCursorPlacementCount() const { return cursorPlacements_; }

  // ---- Three-view division: whether the drawing is divided into three
  // views and their common origin. The command stack sets it from the
  // three-view origin command (a level-6 command; see CCmdStack).
  int IsThreeViewDivided() const { return threeViewDivided_; }
  double GetThreeViewOriginX() const { return threeViewOrigin_.x; }
  double GetThreeViewOriginY() const { return threeViewOrigin_.y; }
  // Fixes the origin and marks the drawing divided.
  void SetThreeViewOrigin(double x, double y) {
    threeViewOrigin_ = {x, y};
    threeViewDivided_ = 1;
  }
  void ClearThreeViewDivision() { threeViewDivided_ = 0; }

  // ---- Cross-hair, marks and previews (each drawn and recorded).
  // The device context they are drawn through (not owned; null: none).
  void SetDC(CDC* dc);
  void ShowCrossHair(int show);
  void EraseCrossHair();
  void DrawCrossHair(double x, double y, int flag);
  // Marks a point (in mark state 1 it also becomes the coordinate origin).
  void MarkPoint(double x, double y);
  void DrawLinePreview(double x1, double y1, double x2, double y2, int pen = 0);
  void DrawCirclePreview(double cx, double cy, double r);
  void DrawArcPreview(double cx, double cy, double r, double start, double end, int flag = 0);
  void DrawEllipsePreview(double cx, double cy, double a, double b, double rotation, double start = 0.0,
                          double end = 360.0);
  // A rubber polyline through count points (xs[i], ys[i]), logged with the
  // values x0, y0, x1, y1, ...; closed 1 joins the last point to the first.
  // Fewer than two points draw nothing. The fourth word is the call's form.
  void DrawPolylinePreview(const double* xs, const double* ys, int count, int = 1, int closed = 0);
  // A point mark in the colour given (a COLORREF), drawn with the xor
  // operation so that marking the point again in the same colour takes the
  // mark off; logged with the values x, y and the colour as its flag.
  void DrawPointMark(double x, double y, COLORREF colour = RGB(255, 255, 0));
  void DrawTextPreview(const char* text, double x, double y, double angle);
  void DrawTextPreviewStyled(const char* text, double x, double y, int flag, const CTextAttrib& attr);
  // mode 1: temporary drawing; erase 1 takes it off again.
  void DrawEntityTemp(const CEntity* entity, int mode, int erase);
  void DrawEntitiesTemp(const CEntityList& list, int mode, int erase);
  // The temporary-entity list: entities a command made only to show them
  // (drawn with DrawEntityTemp), never part of the drawing. The command
  // erases and deletes them when it is done with them; the view deletes
  // what is still listed when it is destroyed.
  CEntityList& GetTempEntityList() { return temp_; }
  // Rubber drawing of the entities of `list` (the selection when null) as a
  // transform would leave them: scaled by `scale` and turned by `angle`
  // degrees about (baseX, baseY), then moved by (dx, dy). Nothing is made or
  // changed. Logged as one operation with the values {dx, dy, baseX, baseY,
  // scale, angle} and the number of entities drawn as its flag. Nonzero when
  // something was drawn. The last two words are the call's form; callers
  // pass 0 and 1.
  int DrawSelectionTransformed(const CEntityList* list, double dx, double dy, double baseX, double baseY,
                               double scale, double angle, int mode = 0, int rubber = 1);
  // Forgets the last rubber drawing of DrawSelectionTransformed; with
  // redraw 1 it is drawn once more first, which takes it off the screen.
  void ResetViewDrag(int redraw);
  const std::vector<ViewDrawOp>& GetDrawLog() const { return drawLog_; }
  void ClearDrawLog() { drawLog_.clear(); }
  bool IsCrossHairShown() const { return crossHairShown_; }

  // ---- Snapping. The options record by value, the snap state by address.
  // Each returns 1 when the cursor snapped (cursor moved onto the point,
  // flags 4 and 4, both words the entity's handle; *state = the snap kind),
  // else 0 (cursor unchanged, *state = 0). The out words (the constraint
  // event words) are set to 0.
  int SnapCursorPoint(SnapOptions options, UINT flags, const std::vector<PointRec>& points, PointRec& cursor,
                      int arg, DWORD& outX, DWORD& outY, int hint, DWORD* state);
  // The key snaps look over the whole drawing for the nearest point of one
  // kind: End end points, Home mid points, Page Down centres, Page Up
  // intersections.
  int SnapOnEndKey(SnapOptions options, UINT flags, const std::vector<PointRec>& points, PointRec& cursor, int arg,
                   DWORD& outX, DWORD& outY, int hint, DWORD* state);
  int SnapOnHomeKey(SnapOptions options, UINT flags, const std::vector<PointRec>& points, PointRec& cursor, int arg,
                    DWORD& outX, DWORD& outY, int hint, DWORD* state);
  int SnapOnPageDownKey(SnapOptions options, UINT flags, const std::vector<PointRec>& points, PointRec& cursor,
                        int arg, DWORD& outX, DWORD& outY, int hint, DWORD* state);
  int SnapOnPageUpKey(SnapOptions options, UINT flags, const std::vector<PointRec>& points, PointRec& cursor,
                      int arg, DWORD& outX, DWORD& outY, int hint, DWORD* state);
  // Moves the cursor by (dx, dy) length steps (times the current group's
  // scale) and the screen cursor with it; flags 1 and 1, words 0, *state 0.
  void NudgeCursor(SnapOptions options, int dx, int dy, const std::vector<PointRec>& points, CPoint dp,
                   PointRec& cursor, DWORD& outX, DWORD& outY, int hint, DWORD* state);
  // The view's snap modes (SnapKind bits; all four by default).
  DWORD GetSnapModes() const { return snapModes_; }
  void SetSnapModes(DWORD modes) { snapModes_ = modes; }
  // Rounds d to whole length steps g = step × group scale:
  // d = trunc((d + g/2) / g)·g; TRUE when it changed d.
  BOOL SnapLength(double& d, const CDrawingGroup* group) const;

  // ---- Closed boundary: the tightest closed loop of the lines, arcs and
  // circles of `source` (members of compounds included, registered entities
  // not) round (x, y), as new entities (the caller owns them) appended to
  // `boundary` in boundary order, each side ending where the next begins: a
  // lone circle is itself, two nested circles that nothing else touches give
  // both (see BoundarySearch.h). The entities the sides lie on are appended
  // to `second` (once each). Entities on a centre-line layer are left out
  // when hideCentre is set, thin lines when hideThin is set. TRUE when found;
  // FALSE leaves `boundary` as it was. The last three words are the call's
  // form and change nothing.
  BOOL FindClosedBoundary(const CEntityList& source, CEntityList& boundary, CEntityList& second, double x, double y,
                          int hideCentre, int hideThin = 0, int = 0, int = 0, int = 1);
  // While the drawing service hides over this view (DrawingService.h), the
  // search works for its pass: the region is found among `source` as
  // above, but `boundary` gets copies of the entities hidden over with the
  // region's inside cut away (or, when it holds such copies already, they
  // are cut further).

  // ---- Hidden lines (ViewHide.cpp): what the closed region `boundary` (one
  // or more loops as FindClosedBoundary gives them) hides of the entities of
  // `source`: every part inside the region is cut away. Parts on its sides
  // (the region's own edges) stay, and so do whole entities on a
  // centre-line layer (ignoreCentre) or a thin-line layer (ignoreThin) of
  // `layers` (the view's table when null); registered entities are passed
  // over in mode 1. Mode 1 works on entities of the drawing: each one cut or hidden
  // whole goes to `replaced`, its pieces (new entities, the caller's) to
  // `made`, and `record`, when given, gets both lists as (old, new); the
  // drawing itself is left as it is. Mode 0 cuts entities that are not the
  // drawing's (a copy being placed): `replaced` gets those cut or hidden
  // whole, `made` their pieces and `kept` a clone of each one left whole
  // (all new entities, the caller's). TRUE when anything was cut or hidden.
  // The outline form, for an insertion (the context given): (x, y) lies
  // outside the figure of `source`, and the boundary is the face of the
  // figure just beyond the first side met from it towards +x (its outline at
  // that height when nothing inside crosses there). FALSE when nothing lies
  // that way or no face is found.
  BOOL FindClosedBoundary(const CEntityList& source, CEntityList& boundary, CEntityList& second, double x, double y,
                          int hideCentre, int hideThin, CInsertContext* context, int);

  // ---- Group insertion (ViewGroupLoad.cpp). Loads the named group N into
  // the selection list: the block file N.gdf in the folder of the setting
  // "User Path"/"Block Path" (N itself when it ends in ".gdf"; a path when
  // the folder is empty), read whole (DrawingFileReader.h). Its groups are
  // copied into `groups` (flags, origin, items and the active group; a name
  // the table knows keeps that group), its entities go to the tail of the
  // selection list in the copies of their groups, and (baseX, baseY) gets
  // the file's base point (0, 0 when it has none). 1 when loaded; 0, nothing
  // changed, when the file cannot be read or the name is empty. `fileData`
  // is left as it is (a block file has no group-file data); the words are
  // the call's form.
  int LoadGroupByName(const char* name, int, DWORD option, int, int, int, int, int, double* baseX, double* baseY,
                      CInsertContext* context, CGroupTable* groups, CAttributeItemList* fileData);

  BOOL HideByRegion(const CEntityList& source, const CEntityList& boundary, int ignoreCentre, int ignoreThin,
                    CLayerTable* layers, CUndoRecord* record, int mode, CEntityList& replaced, CEntityList& made,
                    CEntityList& kept);

  // ---- Tables in regions (ViewRegionTable.cpp); `words` are the ten
  // layout words of Quorvel's table-in-region dialog (RegionTableDlg.h).
  // The table-in-region builder: a table whose cells are the regions of
  // `regions` (up to ten lists, each a picked region's boundary entities;
  // the first empty list ends them) in order, each cell the bounding box of
  // its region as a segment of its own, filled with the texts of `text`
  // separated by ';' in the same order. `boundary` (every boundary entity)
  // must hold each region's entities. Null (nothing made) when no region is
  // given or a word is out of its range.
  CTableEntity* BuildRegionTable(const char* text, const CEntityList& boundary, const CEntityList* regions,
                                 const int* words);
  // The region display: while it is on, the view collects regions picked by
  // PickRegionAt (their boundaries registered and shown highlighted);
  // turning it off discards them.
  int GetRegionDisplay() const { return regionDisplay_; }
  void SetRegionDisplay(int on);
  // The region round (x, y) collected (at most ten; the display must be on):
  // TRUE and `clicks` raised when one was found.
  BOOL PickRegionAt(double x, double y, int& clicks);
  int GetPickedRegionCount() const { return static_cast<int>(pickedRegions_.size()); }
  // Deletes the regions collected so far (they leave the screen).
  void DiscardPickedRegions();
  // The table-in-region object: a table over the collected regions, laid
  // out, which the caller adds; the collected regions are discarded. Null
  // when none is collected or the words are unusable.
  CTableEntity* MakeRegionTable(const char* text, const int* words);

  // ---- Outline fill (ViewOutlineFill.cpp): a block of hatch lines (the
  // fill entity, which the caller adds) filling one closed outline made by
  // GetBoundaryList for one of `texts`: lines at the hatch angle, spacing
  // and offset of `words` (and at right angles to them with the cross-hatch
  // word), cut to the outline and to the outlines of `texts` directly
  // inside it (its holes) by an even-odd scan. A hole of a character (an
  // outline inside an odd number of the texts' outlines) gets a fill with
  // no lines. On the words' layer (-1 the current one). Null for an outline
  // of fewer than three lines, words out of their ranges, or more than
  // 100,000 hatch lines. `text` (the dialog's text) and the last word are
  // the call's form.
  CEntity* BuildOutlineFill(const char* text, const CEntityList& outline, const int* words, const CEntityList& texts,
                            int = 0);

  // ---- Chamfer: the corner between two lines `first` and `second` cut by
  // a straight chamfer (ViewChamfer.cpp). X is the crossing of the two
  // lines; each edge keeps the side of X where its pick point lies (a pick
  // on X keeps the longer side). The chamfer runs from X moved by `len1`
  // along the first edge's kept side to X moved by `len2` along the
  // second's: its first end lies on the first edge. Trim type 1 cuts both
  // edges at the chamfer's ends, 2 the first, 3 the second, 0 and 4
  // neither; 5 makes no chamfer and brings both edges to X. The edges a
  // type cuts (1, 2 and 5 the first; 1, 3 and 5 the second) are out of the
  // drawing already (the caller took them out): each gets its replacement,
  // from its kept end, added with `record`, or goes into the record alone
  // when nothing of it is left. The chamfer line (layer, group) is added
  // with the record too. Returns the chamfer line, or for type 5 the first
  // edge's new piece; null (nothing added, the record untouched) for
  // parallel lines, an edge that is not a line, or (types 0 to 4) a length
  // that is not positive or longer than its kept side. `onePick` is the
  // call's form.
  CEntity* MakeChamfer(int trimType, CEntity* first, CEntity* second, double p1x, double p1y, double p2x, double p2y,
                       double len1, double len2, BOOL onePick, int layer, CDrawingGroup* group, CUndoRecord* record);

  // ---- Fillet: the arc of radius `radius` tangent to `first` and `second`
  // (lines, circles or arcs) whose centre lies on the side of each edge
  // where the other edge's pick point lies (for a circle or arc: inside or
  // outside it; a pick on the edge's own carrier, as a click where the edges
  // meet gives, says nothing, and the other edge's middle is taken in its
  // place), the candidate nearest the pick points when several do
  // (ViewFillet.cpp). Mode 1 cuts both edges at the tangent points, 2 the
  // first, 3 the second, 0 and 4 neither; a line keeps its side of the
  // corner where its pick lies, an arc the part where its pick lies (or
  // grows to the tangent point); circles are never cut. The edges a mode
  // cuts are out of the drawing already (the caller took them out): each
  // gets its replacement, added with `record`, or goes into the record alone
  // when nothing of it is left. The arc (layer, group) is added with the
  // record too and returned. Radius 0 with mode 1 makes a sharp corner: both
  // edges are brought to the crossing nearest the picks, and the first
  // edge's new piece is returned. Null (nothing added, the record
  // untouched) when there is no centre (or crossing), an edge is of another
  // kind, or the radius is negative (0 outside mode 1). `onePick` is the
  // call's form.
  CEntity* MakeFillet(int mode, CEntity* first, CEntity* second, double p1x, double p1y, double p2x, double p2y,
                      double radius, BOOL onePick, int layer, CDrawingGroup* group, CUndoRecord* record);

  // ---- Connecting arcs (ViewArcServices.cpp).
  // The centre of an arc of radius `radius` tangent to `connected` (a line,
  // circle or arc) whose centre lies on `centreEntity` (a line, circle or
  // arc, taken whole: a line infinite, an arc as its circle). The centre
  // lies at `radius` from the connected entity: beside a line on either
  // side; outside a circle for tangency 1, inside it (or round it, for a
  // radius larger than the circle's) for tangency 0. Of the candidates the
  // one nearest (p2x, p2y), the pick on the centre entity, is taken; flip 1
  // takes the second nearest when there is one. Gives the centre, the
  // direction (degrees) from it to the tangent point and the tangent point.
  // FALSE (outputs unchanged) when there is no candidate, a radius is not
  // positive, or the centre would be the connected circle's own centre.
  // (p1x, p1y), the pick on the connected entity, is the call's form.
  BOOL SolveArcCentreOnEntity(const CEntity* connected, const CEntity* centreEntity, double p1x, double p1y,
                              double p2x, double p2y, double radius, int tangency, int flip, double& cx, double& cy,
                              double& tangentAngle, double& tx, double& ty) const;
  // A new temporary copy of the line or arc `entity` cut at the point
  // (tx, ty) on its carrier, keeping what runs from there in the direction
  // `angle` (degrees): a line from the point to its end on that side, an
  // arc from the point on to its end in its turning sense along `angle`
  // (growing up to the point when the point lies beyond the arc on that
  // end's side). A point beyond the entity on the other side leaves a whole
  // copy. Null when nothing is left (the point on the kept end) or the
  // entity is of another kind. The caller deletes it.
  CEntity* DeriveLineEntity(const CEntity* entity, double angle, double tx, double ty) const;
  CEntity* DeriveArcEntity(const CEntity* entity, double angle, double tx, double ty) const;
  // The line or arc `entity`, out of the drawing already, replaced by its
  // piece as the Derive operations give it, added with `record` (the
  // entity alone goes into the record when nothing of it is left). FALSE
  // for another kind.
  BOOL TrimLineAtPoint(CEntity* entity, double angle, double tx, double ty, CUndoRecord* record);
  BOOL TrimArcAtPoint(CEntity* entity, double angle, double tx, double ty, CUndoRecord* record);
  // ---- Clipping (ViewClip.cpp, the core in ClipRegion.h): the entities of
  // the drawing (registered ones left out) cut at a circle or at the
  // rectangle between two corners. State 1 keeps what lies inside, 0 cuts
  // the inside away. The drawing is left unchanged: the pieces kept are
  // appended to `made` as new entities (the caller's) and the entities cut
  // or dropped to `replaced`. With `copies` set (the circle form only)
  // `replaced` stays empty and `made` gets copies of everything kept,
  // whole entities as well. Nonzero when anything was made or replaced.
  int ClipByCircle(CEntityList& made, CEntityList& replaced, int state, double cx, double cy, double r,
                   int copies = 0);
  int ClipByRectangle(CEntityList& made, CEntityList& replaced, int state, double x0, double y0, double x1,
                      double y1);
  // The view's clip rectangle: x minimum, y minimum, x maximum, y maximum
  // (all 0 until set). Set stores the corners in order whatever way given.
  void SetClipRect(double x0, double y0, double x1, double y1);
  const double* GetClipRect() const { return clipRect_; }

  // ---- Progress display (ViewProgress.h): a new record for a pass (the
  // caller's); the display begun with the number of items, stepped once an
  // item, ended. GetProgress gives what it shows.
  std::unique_ptr<CProgressInfo> ConstructProgressInfo() const;
  void BeginProgress(CProgressInfo* info, int count);
  void StepProgress(CProgressInfo* info, int index, int count, const char* message);
  void EndProgress(CProgressInfo* info);
  const ViewProgressState& GetProgress() const { return progress_; }

  // The points where the carrier of `entity` (option 0: a line extended
  // both ways, an arc as its whole circle, an ellipse whole; option 1: the
  // entity as it is) meets the members of `compound` (nested members
  // included), each once, at most `maxCount`, into xs and ys; the number
  // found (ViewCurveServices.cpp).
  int IntersectWithCompound(const CEntity* entity, const CEntity* compound, double* xs, double* ys, int maxCount,
                            int option);

  // ---- Part operations (ViewPartOps.cpp): the entity is cut at its
  // crossings with the other entities of the drawing (texts left out), and
  // the piece between the crossings on either side of the pick point (x, y)
  // is taken by `mode`: 0 removed (the other pieces stay), 1 kept alone (the
  // other pieces go), 2 moved to the current layer (the other pieces stay
  // on the entity's layer). What joins the drawing is appended to `add`,
  // what leaves it to `remove` (the entity itself); nothing when the mode
  // changes nothing (mode 1 on an entity without crossings). A circle needs
  // two crossings to have a piece; with fewer the piece is the whole
  // circle, as it is the whole line or arc without crossings inside it.
  // TRUE when either list got an entity.
  BOOL BreakLinePart(double x, double y, CEntity* entity, int mode, CEntityList& add, CEntityList& remove);
  BOOL BreakArcPart(double x, double y, CEntity* entity, int mode, CEntityList& add, CEntityList& remove);
  BOOL BreakCirclePart(double x, double y, CEntity* entity, int mode, CEntityList& add, CEntityList& remove);
  // A two-point entity's pieces are copies of it between their points. A
  // member (line or arc) of a compound curve is cut as a line or arc is,
  // against the other entities and the curve's other members; the curve
  // leaves the drawing and its other members stay as entities of their own
  // (but in mode 1, which keeps the piece alone).
  BOOL BreakCompoundPart(double x, double y, CEntity* entity, int mode, CEntityList& add, CEntityList& remove);
  BOOL BreakCompoundMemberPart(double x, double y, CEntity* entity, int mode, CEntityList& add,
                               CEntityList& remove);

  // ---- Units and state.
  UnitSettings& GetUnitSettings() { return units_; }
  double GetLengthStep() const { return lengthStep_; }
  double GetAngleStep() const { return angleStep_; }
  void SetLengthStep(double step) { lengthStep_ = step; }
  void SetAngleStep(double step) { angleStep_ = step; }
  int& PolarDisplayFlag() { return polarDisplay_; }
  // Nonzero (the default): a change of a group's base point repaints the
  // whole view (RefreshView) rather than only clearing the selection.
  int& GroupRedrawFlag() { return groupRedraw_; }
  int& ModalDialogFlag() { return modalDialog_; }
  // The two event words (0 and 1), cleared before each event.
  DWORD& EventWord(int i) { return eventWords_[i & 1]; }
  int& AxonometricMode() { return axonometric_; }

  // The notification window (null by default): a host that keeps objects
  // of its own in the drawing (tables) is told of each such object deleted,
  // with kDeletedObjectMessage (wParam 0, lParam the entity). The window
  // takes the entity: it was handed out of the drawing with no undo record.
  HWND GetNotifyWindow() const { return notifyWindow_; }
  void SetNotifyWindow(HWND window) { notifyWindow_ = window; }

  // The view's window (null until the host gives it one).
  HWND GetSafeHwnd() const { return hwnd_; }
  void SetHwnd(HWND hwnd) { hwnd_ = hwnd; }

  // Cursor state, as the command stack updates it.
  struct CursorState {
    int arg = 0, pointInput = 1, pickMode = 0, viewCommand = 0;
  };
  void ShowStateCursor(int show) { stateCursorShown_ = show != 0; }
  void EraseStateCursor() { stateCursorShown_ = false; }
  void SetCursorState(int arg, int pointInput, int pickMode, int viewCommand);
  // 1 for a point-input cursor, 2 for a pick cursor, 3 for a view command's.
  int UpdateCursor();
  const CursorState& GetCursorState() const { return cursorState_; }

 private:
  int ClipByRegion(const CClipRegion& region, CEntityList& made, CEntityList& replaced, int state, int copies);
  // FindClosedBoundary outside and during a hidden-line pass of the
  // drawing service.
  BOOL FindPlainBoundary(const CEntityList& source, CEntityList& boundary, CEntityList& second, double x, double y,
                         int hideCentre, int hideThin);
  BOOL FindHiddenCopies(const CEntityList& source, CEntityList& copies, CEntityList& second, double x, double y,
                        int hideCentre, int hideThin);
  void Record(ViewDrawKind kind, std::vector<double> values, const char* text = nullptr, int flag = 0,
              const CEntity* e = nullptr);
  void Record(ViewDrawOp op);
  void Paint(const ViewDrawOp& op);
  void PaintPolyline(const std::vector<GPoint>& points, int penStyle, COLORREF colour, bool xorMode);
  void PaintPieces(const CEntity* e, COLORREF colour, bool xorMode);
  void PaintCrossHairAt(CPoint at);
  // The cross of a point mark, six pixels wide.
  void PaintMark(CPoint at, COLORREF colour, bool xorMode);
  // A readout beside the cursor, inverting the screen (painting it again
  // takes it off).
  void PaintReadout(CPoint at, const CStringA& text, double angle);
  // Sets the zoom, keeping the drawing point (x, y) where it shows; false
  // (nothing changed) for a point that is not finite.
  bool ZoomAbout(double x, double y, double zoom);
  // Each entity's place in drawing order, handed out when first needed.
  unsigned long long OrderKey(const CEntity* e);
  // Into the entity list before the first entity that comes after it in
  // drawing order (entities without a place passed over), else last.
  void InsertInOrder(CEntity* e);
  // The same for several, in one walk of the list; the result is that of
  // inserting them one by one in the order given.
  void InsertAllInOrder(const std::vector<CEntity*>& entities);
  // Whether every entity of the entity list has a place and they stand in
  // drawing order, as the view keeps them; looked at again only after a
  // change the view did not make.
  bool EntitiesInOrder();
  void NoteEntitiesInOrder(bool inOrder);
  // Every e out of the entity list; TRUE when one was there.
  bool RemoveFromEntities(const CEntity* e);
  void TakeOut(CEntity* e);
  // Back into the drawing: into its owner block when it names one, else
  // into the entity list in drawing order.
  void PutBack(CEntity* e, const CEntity* replaced = nullptr);
  // PutBack of each entity of [first, last) that is out of the drawing and
  // not registered.
  template <typename It>
  void PutAllBack(It first, It last);
  void Forget(CEntity* e);
  void Adopt(CEntity* e);
  void ReleaseRecord(CUndoRecord* record);
  // Frees an entity out of the drawing that nothing names any more.
  void FreeEntity(CEntity* e);
  void ClearRedo();
  bool Pickable(const CEntity* e, DWORD mask, int filter) const;
  void Candidates(int o1, int o3, std::vector<CEntity*>& out) const;
  int SnapTo(DWORD kinds, bool whole, int hint, PointRec& cursor, DWORD* state);

  CEntityList entities_;
  CEntityList selection_;
  CEntityList second_;
  CEntityList temp_;
  bool tracking_ = true;
  CEntityList detached_;  // the command's selection while tracking is off
  std::vector<std::unique_ptr<CEntity>> lastDrag_;  // what the last rubber drag drew
  std::unordered_set<const CEntity*> registered_;
  struct RegisteredWatcher : CEntityWatcher {
    explicit RegisteredWatcher(CDraftView* v) : view(v) {}
    void OnEntityDestroyed(CEntity* entity) override { view->Forget(entity); }
    CDraftView* view;
  };
  RegisteredWatcher watcher_{this};
  // Where a member taken out of its block stood in it, by entity handle: a
  // handle names one entity for its life, where an address may be handed
  // out again once the caller frees an entity it took back.
  std::unordered_map<DWORD, int> memberPlace_;
  std::unordered_set<CEntity*> owned_;
  std::unordered_map<const CEntity*, int> recordRefs_;
  // Entities a caller took out while records named them and has neither
  // added again, named in a record nor discarded: the view keeps them even
  // when their records drop.
  std::unordered_set<const CEntity*> heldOut_;
  // Each entity's place in drawing order, by entity handle.
  std::unordered_map<DWORD, unsigned long long> order_;
  unsigned long long nextOrder_ = 1;
  // The entity list's change count when it was last known whether it
  // stands in drawing order, and what was known.
  unsigned long long entitiesChecked_ = ~0ULL;
  bool entitiesInOrder_ = false;
  std::vector<std::unique_ptr<CUndoRecord>> undo_;
  std::vector<std::unique_ptr<CUndoRecord>> redo_;
  int undoLimit_ = 200;
  int updateDepth_ = 0;

  CGroupTable groups_;
  CLayerTable layers_;
  CDrawingSettings drawing_;
  int currentLayer_ = 0;
  SelectionFilter filter_;

  int clientWidth_ = 800;
  int clientHeight_ = 600;
  double zoom_ = 1.0;
  double panX_ = 0.0;
  double panY_ = 0.0;
  CPoint cursorPos_;
  double originX_ = 0.0;
  double originY_ = 0.0;
  int markState_ = 0;
  GPoint placedCursor_;
  int cursorPlacements_ = 0;
  GPoint threeViewOrigin_;
  int threeViewDivided_ = 0;
  int refreshCount_ = 0;
  CViewDisplay display_{this};
  ViewProgressState progress_;

  std::vector<ViewDrawOp> drawLog_;
  CDC* dc_ = nullptr;
  CPoint crossHairAt_;
  bool crossHairPainted_ = false;
  struct PaintedText {
    CPoint at;
    CStringA text;
    double angle;
  };
  std::vector<PaintedText> paintedTexts_;  // the readouts on the screen, taken off with the cross-hair
  bool crossHairShown_ = false;

  DWORD snapModes_ = kSnapAll;
  UnitSettings units_;
  double lengthStep_ = 1.0;
  double angleStep_ = 15.0;
  int polarDisplay_ = 0;
  int groupRedraw_ = 1;
  int modalDialog_ = 0;
  DWORD eventWords_[2] = {0, 0};
  int axonometric_ = 0;
  HWND hwnd_ = nullptr;
  HWND notifyWindow_ = nullptr;
  double clipRect_[4] = {0, 0, 0, 0};
  bool drawingModified_ = false;
  CursorState cursorState_;
  bool stateCursorShown_ = false;
  // The regions collected by PickRegionAt: each boundary (owned, registered)
  // and its point.
  struct PickedRegion {
    CEntityList boundary;
    GPoint at;
  };
  std::vector<std::unique_ptr<PickedRegion>> pickedRegions_;
  int regionDisplay_ = 0;
};
