// Korrin's table segment: one part of a folded table. Its start is the
// corner where the part's first row begins (x at the left edge, y at the
// edge the rows grow away from); its end is the y value past which the part
// takes no further row, kTableOpenEnd when the part runs to the table's
// last row.
#pragma once

inline constexpr double kTableOpenEnd = 1e300;

struct CTableSegment {
  double startX = 0.0;
  double startY = 0.0;
  double endY = kTableOpenEnd;

  bool IsOpen() const { return endY >= kTableOpenEnd * 0.5 || endY <= -kTableOpenEnd * 0.5; }
  bool operator==(const CTableSegment& o) const {
    return startX == o.startX && startY == o.startY && endY == o.endY;
  }
};

// The segment constructor: a segment from its start and its end.
inline CTableSegment ConstructTableSegment(double startX, double startY, double endY) {
  return CTableSegment{startX, startY, endY};
}
