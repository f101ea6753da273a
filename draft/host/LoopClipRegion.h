// A clip region bounded by closed loops of lines, arcs and circles, as the
// closed-boundary search gives them (several loops may be given at once: a
// point lies inside when it lies inside an odd number of them, so two
// nested circles bound the ring between them and loops apart from each
// other add up). A point on a side, within the tolerance, is outside, so
// that the region's own edges survive a clip that cuts its inside away.
#pragma once

#include <vector>

#include "draft/host/ClipRegion.h"

class CEntityList;

class CLoopClipRegion : public CClipRegion {
 public:
  // The lines, arcs and circles of `loops`; other kinds are passed over.
  explicit CLoopClipRegion(const CEntityList& loops);

  bool IsEmpty() const { return sides_.empty(); }
  bool Contains(const GPoint& p) const override;
  void CrossLine(const GPoint& a, const GPoint& b, std::vector<GPoint>& out) const override;
  void CrossCircle(const GPoint& c, double r, std::vector<GPoint>& out) const override;
  void CrossEllipse(const EllipseGeom& g, std::vector<GPoint>& out) const override;

 private:
  // A side: a segment a-b, or an arc of centre c and radius r from start
  // to end degrees counter-clockwise (a circle runs from 0 to 360).
  struct Side {
    bool arc;
    GPoint a, b, c;
    double r, start, end;
  };
  bool OnSide(const Side& s, const GPoint& p) const;
  void KeepOnSide(const Side& s, const GPoint* found, int count, std::vector<GPoint>& out) const;

  std::vector<Side> sides_;
  // The sides as a closed chain of segments for the inside test: arcs
  // divided into steps of at most two degrees.
  std::vector<std::pair<GPoint, GPoint>> chords_;
};
