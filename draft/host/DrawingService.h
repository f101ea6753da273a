// Korrin's drawing service (theDrawingService): hidden-line copies of the
// selection. A pass runs like this:
// 1. SetHideRange gives the base point of the pass; hiding needs one.
// 2. HideEntities starts hiding over the view's selection (the entities
//    selected then; the Brissom IO flag goes to 1). From then on the view's
//    FindClosedBoundary works for the pass: it finds the region round the
//    point as usual (among the entities it is given, which are those of the
//    drawing in front of the selection) and, in place of the region's
//    sides, gives copies of the selected entities with what lies inside the
//    region cut away. The first
//    search fills the empty copies list; each later one cuts the copies
//    already in the list further (pieces in place of the copies it cuts,
//    which it deletes), so a list holds the selection as hidden by every
//    region clicked so far.
// 3. EndHide hands the copies to the view's drawing (one undo record) and
//    empties the list; the pass is over. EndHide with an empty list only
//    ends the pass.
// A view that is destroyed during a pass ends it.
#pragma once

#include <unordered_map>

#include "draft/host/Geometry2D.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CAttributeItemList;
class CDraftView;
class CDrawingGroup;
struct CInsertContext;
class CEntityList;
class CGroupTable;
class CLayerTable;

class CDrawingService {
 public:
  void SetHideRange(double x, double y);
  bool HasHideRange() const { return hasBase_; }
  GPoint GetHideBase() const { return base_; }
  // Starts a pass over the selection of `store` (the view holding the
  // drawing). The layer table is the one whose records say which layers
  // hold centre and thin lines (the view's when null); the attribute list
  // and the group table are the call's form. FALSE, nothing started, for a
  // null view, an empty selection or no base point.
  BOOL HideEntities(CDraftView* store, CLayerTable* layers, CAttributeItemList* attributes, CGroupTable* groups);
  bool IsHiding(const CDraftView* view) const { return view && view == view_; }
  // The entities the pass hides over that are still in the drawing, in
  // drawing order (entity list, then selection list).
  void GetHiddenEntities(CDraftView* view, CEntityList& out) const;
  CLayerTable* GetHideLayers() const { return layers_; }
  void EndHide(CEntityList& copies);
  // Ends a pass over the view without touching it (the view is going).
  void ForgetView(const CDraftView* view);

  // ---- Drawing files for insertion. The host names the drawing file to
  // insert from (its file dialog's choice); LoadGroupFile reads it whole:
  // its groups are copied into `groups` and its entities go to the tail of
  // `selection` (GroupLoading.h), `fileData` gets the items of every group
  // of the file in table order (the first of a name kept), and the context
  // notes the file. 0, nothing changed, when no file is named or it cannot
  // be read; 1 otherwise. GetLoadedGroup gives the loaded file's base point
  // (0, 0 without one) and the copy of its active group (null when none);
  // GetLoadedGroupName that group's name (empty when none).
  void SetGroupFile(const char* path) { groupFile_ = path ? path : ""; }
  const CStringA& GetGroupFile() const { return groupFile_; }
  int LoadGroupFile(CEntityList* selection, CInsertContext* context, CAttributeItemList* fileData,
                    CGroupTable* groups);
  CDrawingGroup* GetLoadedGroup(double* baseX, double* baseY) const;
  CStringA GetLoadedGroupName() const;

 private:
  void Reset();

  bool hasBase_ = false;
  GPoint base_;
  CDraftView* view_ = nullptr;
  CLayerTable* layers_ = nullptr;
  // The entities hidden over, by address, with their handles: an address
  // is trusted only while the entity found there has the same handle.
  std::unordered_map<const void*, DWORD> hidden_;
  CStringA groupFile_;
  GPoint loadedBase_;
  CDrawingGroup* loadedGroup_ = nullptr;  // in the loading command's table
  CStringA loadedName_;
};

extern CDrawingService theDrawingService;
