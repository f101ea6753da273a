// Korrin's drawing group: a named sub-drawing with an origin, a scale and
// flags. A point p held in the group is shown at origin + scale·(p − origin);
// a point q picked on the screen goes into the group as
// origin + (q − origin)/scale. A scale within 1e-6 of 0 counts as 1.0.
#pragma once

#include "draft/host/AttributeItems.h"
#include "draft/host/Geometry2D.h"
#include "platform/core/String.h"

class CDrawingGroup {
 public:
  CDrawingGroup(const char* name, double scale, double originX = 0.0, double originY = 0.0);

  const CStringA& GetGroupName() const { return name_; }
  // The scale in effect (1.0 for a scale within 1e-6 of 0).
  double GetGroupScale() const;
  void SetGroupScale(double scale) { scale_ = scale; }
  double GetOriginX() const { return originX_; }
  double GetOriginY() const { return originY_; }
  void SetOrigin(double x, double y) { originX_ = x; originY_ = y; }

  BOOL IsGroupPickedWhole() const { return pickedWhole_; }
  void SetGroupPickedWhole(BOOL whole) { pickedWhole_ = whole; }
  // Two flag words the group keeps for the host (0 for a new group); they
  // travel with the group into drawing files and copies.
  int GetFlagA() const { return flagA_; }
  void SetFlagA(int flag) { flagA_ = flag; }
  int GetFlagC() const { return flagC_; }
  void SetFlagC(int flag) { flagC_ = flag; }

  // The group's named text attributes.
  CAttributeItemList* GetItemList() { return &items_; }

  // Group point -> shown (drawing) point, and back.
  GPoint ToShown(GPoint p) const;
  GPoint ToGroup(GPoint q) const;

 private:
  CStringA name_;
  double scale_;
  double originX_;
  double originY_;
  BOOL pickedWhole_ = FALSE;
  int flagA_ = 0;
  int flagC_ = 0;
  CAttributeItemList items_;
};

// The item list of a group (null for null).
CAttributeItemList* GetGroupItemList(CDrawingGroup* group);
// The group's flag words (0 for no group).
int GetGroupFlagA(const CDrawingGroup* group);
int GetGroupFlagC(const CDrawingGroup* group);
// Whether the group is picked whole (FALSE for no group).
BOOL IsGroupPickedWhole(const CDrawingGroup* group);
// The scale of a group, 1.0 for no group or a scale within 1e-6 of 0.
double GetGroupScale(const CDrawingGroup* group);
// A new group, the caller's, with the name, scale, origin, flag and items of
// `group` (belonging to no group table); null for null.
CDrawingGroup* CopyDrawingGroup(const CDrawingGroup* group);
