// What the layer commands share: the layer chooser run with this library's
// resources, and the move of entities to another layer as copies in one
// replace record.
#pragma once

#include "platform/core/WinTypes.h"

class CDraftView;
class CEntityList;

// Runs CChangeLayerDlg on the view's layer table starting at `layer`; TRUE
// with the chosen layer in `chosen` on OK.
BOOL RunChangeLayerDialog(CDraftView* view, BYTE layer, BYTE& chosen);

// Replaces each entity of `sources` by a copy moved from `oldLayer` (-1:
// any) to `newLayer` (CEntity::ReplaceLayer), all in one replace record.
// An entity that cannot be copied stays where it is. The number of
// entities moved; nothing is recorded when none was.
int MoveToLayerByCopies(CDraftView* view, const CEntityList& sources, int oldLayer, int newLayer);
