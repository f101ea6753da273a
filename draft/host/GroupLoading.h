// Moving what a drawing file holds into an insertion: the groups of a
// scratch drawing copied into a group table, its entities handed over.
#pragma once

class CEntityList;
class CGroupTable;
class CScratchDrawing;

// Copies every group of `file` into `groups` (scale, flags, origin, items;
// a name the table knows keeps that group, gaining the items it lacks),
// makes the copy of the file's active group the table's active group, and
// moves the file's entities, in order and each into the copy of its group,
// to the tail of `out` (they are the receiver's now). The number moved.
int MoveLoadedDrawing(CScratchDrawing& file, CEntityList& out, CGroupTable& groups);
