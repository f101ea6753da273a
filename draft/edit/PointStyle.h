// The style of new point entities, from the system-variable settings:
// "SYSVAR_NORMAL"/"SET_POINTTYPE" (default 5) and "SET_POINTSIZE" (a real
// kept as text, default "1"; a text that is no number reads as 1). Read at
// every use, so that a change of the settings applies to the next point.
#pragma once

struct PointStyle {
  int type = 5;
  double size = 1.0;
};

PointStyle ReadPointStyle();
