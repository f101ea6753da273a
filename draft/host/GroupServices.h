// Korrin's services of drawing groups for the group commands: putting an
// entity into a group, gathering a group's entities, and changing a group's
// base point while its entities stay where they are shown.
#pragma once

class CDraftView;
class CDrawingGroup;
class CEntity;
class CEntityList;

// Puts the entity into the group (null: no group), keeping where it is
// shown; FALSE for a null entity.
int AssignGroup(CEntity* entity, CDrawingGroup* group);

// Appends the drawing's entities (entity and selection lists, in that
// order) whose group is `group`; the number appended.
int CollectGroupMembers(CDraftView* view, const CDrawingGroup* group, CEntityList& list);

// A base point change in two halves: PrepareGroupChange notes where the
// entity is shown under its group as the group is now; after the group's
// origin (or scale) has changed, ApplyGroupChange re-expresses the entity in
// the changed group so that it is shown where it was. An entity that was not
// prepared is left alone; every prepared entity must be applied.
void PrepareGroupChange(CEntity* entity);
void ApplyGroupChange(CEntity* entity);

// Moves the entity into `group` (null: no group). An entity prepared for a
// group change keeps where it is shown (its change is applied at once, so
// ApplyGroupChange afterwards leaves it alone); any other keeps its group
// coordinates, so it shows at the new group's scale and origin (a block
// with its members). FALSE for a null entity.
int ChangeGroup(CEntity* entity, CDrawingGroup* group);
