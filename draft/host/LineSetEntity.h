// Korrin's line set: a compound entity that is a set of straight segments
// (a handwritten signature, for one), each a line member on the set's layer
// and in its group. A segment may have no length (a dot). Editing keeps the
// set whole, and it may have no segment at all.
#pragma once

#include "draft/host/BlockEntity.h"

class CLineSetEntity : public CBlockEntity {
 public:
  CLineSetEntity(int layer, CDrawingGroup* group) : CBlockEntity(layer, group) {}

  BOOL IsKeptWhole() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;

  // Appends the segment (x1, y1)-(x2, y2), drawing coordinates.
  BOOL AddSegment(double x1, double y1, double x2, double y2) { return AddCurveSegment(x1, y1, x2, y2, 1); }
  int GetSegmentCount() const { return GetMemberCount(); }

 protected:
  CLineSetEntity(const CLineSetEntity& other) = default;
};

// A new empty line set (the caller owns it).
CLineSetEntity* ConstructLineSetEntity(int layer, CDrawingGroup* group);
