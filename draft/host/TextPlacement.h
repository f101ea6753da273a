// Korrin's texts placed in a box (table cells, framed notes): a text set in
// a rectangle by an alignment code and an angle, the box of a text, and the
// carrying over of a text's properties to its replacement.
//
// Alignment codes of ConstructTextEntityEx: 1 to 8 give the horizontal place
// by (code − 1) / 3 (0 left, 1 centre, 2 right) and the vertical place by
// (code − 1) % 3 (0 middle, 1 bottom, 2 top); so 1 is left, 4 centred and
// 7 right, each in the middle. 9 fills: the text is centred and its width
// factor set so that it spans the box along its direction less the margins.
// Any other code centres the text in the middle. Left, right, bottom and top
// keep a margin of a quarter of the text height to the box's edge. The angle
// is in degrees; 720 (or any value outside ±360) keeps the attributes' own.
// A text runs along its angle, so at 90 or 270 degrees its length lies along
// the box's height.
#pragma once

#include "draft/host/TextAttrib.h"
#include "platform/core/WinTypes.h"

class CDrawingGroup;
class CEntity;
class CTextEntity;

inline constexpr int kTextAlignFill = 9;
inline constexpr double kTextAngleNotGiven = 720.0;

// A new text of `text` in the box (x0, y0)-(x1, y1) (drawing coordinates,
// either corner first), placed about the centre (cx, cy) by `alignCode` at
// `angle`, with the attributes `attr` (its angle replaced by a given one, its
// width factor by a filling one). The text keeps the box and the code. The
// caller owns it.
CTextEntity* ConstructTextEntityEx(int layer, CDrawingGroup* group, const CTextAttrib& attr, double x0, double y0,
                                   double x1, double y1, double cx, double cy, int alignCode, const char* text,
                                   double angle);

// The box of a text in drawing coordinates, normalised: the box it was
// placed in when it has one, else the bounds of its outline. The four values
// are replaced; FALSE (and the values left as they were) for an entity that
// is not a text.
BOOL GetTextBox(const CEntity* text, double& x0, double& y0, double& x1, double& y1);

// Carries the properties of `from` that its constructor does not give over
// to `to`, both texts: the placement code and box. FALSE when either is not a
// text.
BOOL CopyTextProperties(CEntity* to, const CEntity* from);
