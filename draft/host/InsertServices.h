// The host services of group insertion: the insertion context (Tressil),
// the loaded-group stores a command keeps, the group made to receive the
// inserted entities, moving an entity into another group, the group's
// attributes, the layer an inserted entity takes, and a point carried by an
// insertion's transform.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CAttributeItemList;
class CDrawingGroup;
class CEntity;
class CGroupTable;
class CLayerTable;

// What one insertion has read: the file its entities came from and how
// many it loaded. The loads fill it; nothing else reads it but the host.
struct CInsertContext {
  CStringA source;
  int loaded = 0;
};
CInsertContext* ConstructInsertContext();
void DestroyInsertContext(CInsertContext* context);

// A new empty group table and a new empty attribute-item list (the
// group-file data), both the caller's (delete them).
CGroupTable* ConstructGroupTable();
CAttributeItemList* ConstructGroupFileData();

// A new group of no table, the caller's: the name, the scale, flag word A,
// the picked-whole flag and flag word C. Null for an empty name.
CDrawingGroup* ConstructDrawingGroup(const char* name, double scale, int flagA, int pickedWhole, int flagC);

// Adds (or replaces) the item `name` of the group's item list, shown.
// FALSE for a null group or an empty name.
BOOL AddGroupAttribute(CDrawingGroup* group, const char* name, const char* type, const char* value);

// The layer an inserted entity takes. word 1 keeps the entity's own layer;
// any other word puts the entity (a block with its members) on the
// current layer. FALSE (nothing changed) for a null entity or, with word
// 1, a layer the table has no record of. The context is the call's form.
BOOL ApplyInsertLayer(int word, CInsertContext* context, CLayerTable* layers, int currentLayer, CEntity* entity);

// Where the point (x, y) goes under an insertion's transform: scaled by
// `scale` and turned by `angle` degrees about (baseX, baseY), then moved by
// (dx, dy).
void TransformPoint(double& x, double& y, double dx, double dy, double baseX, double baseY, double scale,
                    double angle);
