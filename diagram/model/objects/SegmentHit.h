// Hit tests of straight segments (lines, polygon sides, wire segments) by a
// rectangle, for selection and picking.
#pragma once

#include "platform/core/Geometry.h"

// Whether the rectangle meets the segment as drawn with a pen of the width
// (0: the thinnest pen). The band the pen covers is a four-cornered region
// around the segment, offset across it by half the width, truncated to whole
// units; the segment itself counts as well, so that a pen narrower than one
// unit, whose band holds no unit at all, is still found. A segment of length
// 0 is met when the rectangle holds its point.
bool SegmentMeetsRect(const CPoint& from, const CPoint& to, int penWidth, const CRect& rect);
