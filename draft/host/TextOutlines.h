// Korrin's outlines of a text's characters: the closed contours of the
// glyphs that paint the text (the families and placement of PlaceTextGlyphs,
// the glyph outlines the platform's GetGlyphOutline gives at 1000 pixels an
// em), flattened to line entities at the text's size, place and angle.
#pragma once

#include <vector>

#include "draft/host/EntityList.h"
#include "platform/core/WinTypes.h"

class CEntity;

// Appends one new list per closed outline to `outlines`, each holding the
// outline's lines in order, end to end (the caller owns the lists and their
// entities). The lines are on the text's layer, in drawing coordinates.
// The number of outlines appended: 0 for null, an entity that is not a text,
// a text of blanks or one whose font cannot be found.
int GetBoundaryList(const CEntity* text, std::vector<CEntityList*>& outlines);

// Frees outlines made by GetBoundaryList: every entity, then each list.
void FreeBoundaryLists(std::vector<CEntityList*>& outlines);
