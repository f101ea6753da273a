// Velmish's entity makers: make an entity and put it into a receiving block
// when one is given, else into the drawing (without an undo record). The
// layer comes from the layer pointer when given, else the current layer;
// the group is the one given. Each returns the new entity (the block or
// the view owns it).
#pragma once

#include "draft/host/DraftView.h"
#include "draft/host/TextAttrib.h"

class CEntity;
class CDrawingGroup;

CEntity* AddArcEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double cx, double cy,
                      double r, double start, double end);
CEntity* AddCircleEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double cx,
                         double cy, double r);
CEntity* AddLineEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double x1, double y1,
                       double x2, double y2);
// The line goes to `*line` (which the caller sets to null first). create 0:
// the line is only drawn as a preview and not kept (`*line` stays null);
// create 1: made as AddLineEntity makes it.
BOOL MakeLineEntity(CEntity** line, CDraftView* view, double x1, double y1, double x2, double y2, int create,
                    CDrawingGroup* group);
// A line on the layer of a standard line kind (GetLineKindLayer).
CEntity* AddLineEntityEx(CDraftView* view, CEntity* block, int lineKind, CDrawingGroup* group, double x1, double y1,
                         double x2, double y2);
// A text with a command's attribute byte (kept as the text's style) and
// text attributes.
CEntity* AddFormattedText(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, const char* text,
                          double x, double y, BYTE attributeByte, const CTextAttrib& attr);
// A text given by value with its placement: position, height, angle,
// alignment and style.
CEntity* AddTextString(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, CStringA text,
                       double x, double y, double height, double angle, int alignment, int style);
// A text given by value with full text attributes.
CEntity* AddTextStringEx(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, CStringA text,
                         double x, double y, const CTextAttrib& attr);
