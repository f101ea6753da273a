// Velmish's point record and snap options, shared by the view's snapping
// services and the commands that pass them.
#pragma once

#include "platform/core/WinTypes.h"

// One entered or located point. word0/word1 are 0 for a point located on
// the screen; a snap onto an entity sets both to the entity's handle and
// both flags to 4. flagA/flagB are 1 for a located point.
struct PointRec {
  DWORD word0 = 0;
  DWORD word1 = 0;
  double x = 0.0;
  double y = 0.0;
  BYTE flagA = 0;
  BYTE flagB = 0;
};

// The snap flags a snapped point carries.
inline constexpr BYTE kPointLocated = 1;
inline constexpr BYTE kPointSnapped = 4;

// Six words passed by value to every snap call. word0: 1 line commands,
// 2 circle commands, else 0. word1: when non-zero, the snap kinds to try
// (SnapKind bits) in place of the view's snap modes. The rest are carried.
struct SnapOptions {
  DWORD word[6] = {0, 0, 0, 0, 0, 0};
};

// Snap kinds, as bits of the view's snap modes and the value left in a
// command's snap state word (0: the last location did not snap).
enum SnapKind : DWORD {
  kSnapEnd = 0x1,
  kSnapMid = 0x2,
  kSnapCentre = 0x4,
  kSnapIntersection = 0x8,
  kSnapAll = 0xF,
};
