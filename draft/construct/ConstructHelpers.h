// What the construction commands share: new lines on the view's current
// layer and group, the current group's scale, and readout texts.
#pragma once

#include "platform/core/String.h"

class CDraftView;
class CLineEntity;

namespace construct {

// The current drawing group's scale (1 without a group).
double CurrentScale(CDraftView* view);

// A new line on the view's current layer and in its current group; the
// caller hands it to the view.
CLineEntity* NewLine(CDraftView* view, double x1, double y1, double x2, double y2);

// A length (or any value the readouts show as one) in the drawing's
// length format.
CStringA FormatLength(CDraftView* view, double value);

}  // namespace construct
