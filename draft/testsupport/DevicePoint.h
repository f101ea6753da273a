// Drawing points as the device (client) points a test's view shows them at.
// The tests' views keep the drawing's origin at their bottom-left corner:
// x grows to the right on both, y grows upward in the drawing and downward
// on the device.
#pragma once

#include <cmath>

#include "platform/core/Geometry.h"

namespace drafttest {

// The device point of the drawing point (x, y) in a view `height` pixels
// high at `pixelsPerUnit` pixels a drawing unit, rounded to the nearest
// pixel. The default is the 800 x 600 view at zoom 1 the command tests use.
inline CPoint DevicePoint(double x, double y, double pixelsPerUnit = 1.0, int height = 600) {
  return CPoint(static_cast<int>(std::lround(x * pixelsPerUnit)),
                static_cast<int>(std::lround(height - y * pixelsPerUnit)));
}

}  // namespace drafttest
