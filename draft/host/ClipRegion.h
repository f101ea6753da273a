// The clipping core: a closed region (a circle or an axis-parallel
// rectangle) and the cutting of one entity at its border. Lines, arcs,
// circles and ellipses are cut where they cross the border; each piece is
// kept or dropped by whether its middle lies inside the region. A block is
// clipped member by member (nested blocks too) into a new block. A compound
// kept whole, a compound curve and any other entity are kept or dropped
// whole by the middle of their extents; registered objects (tables the host
// keeps a record of) are left alone. A point on the border counts as
// outside.
#pragma once

#include <vector>

#include "draft/host/EllipseGeometry.h"
#include "draft/host/Geometry2D.h"

class CEntity;

class CClipRegion {
 public:
  virtual ~CClipRegion() = default;
  // Whether p lies inside the region, off its border.
  virtual bool Contains(const GPoint& p) const = 0;
  // The border's points on the infinite line a-b, on the circle (c, r) and
  // on the whole ellipse g, appended to out.
  virtual void CrossLine(const GPoint& a, const GPoint& b, std::vector<GPoint>& out) const = 0;
  virtual void CrossCircle(const GPoint& c, double r, std::vector<GPoint>& out) const = 0;
  virtual void CrossEllipse(const EllipseGeom& g, std::vector<GPoint>& out) const = 0;
};

class CCircleClipRegion : public CClipRegion {
 public:
  CCircleClipRegion(GPoint centre, double r) : c_(centre), r_(r) {}
  bool Contains(const GPoint& p) const override;
  void CrossLine(const GPoint& a, const GPoint& b, std::vector<GPoint>& out) const override;
  void CrossCircle(const GPoint& c, double r, std::vector<GPoint>& out) const override;
  void CrossEllipse(const EllipseGeom& g, std::vector<GPoint>& out) const override;

 private:
  GPoint c_;
  double r_;
};

// The rectangle between two corners given in any order.
class CRectClipRegion : public CClipRegion {
 public:
  CRectClipRegion(GPoint p0, GPoint p1);
  bool Contains(const GPoint& p) const override;
  void CrossLine(const GPoint& a, const GPoint& b, std::vector<GPoint>& out) const override;
  void CrossCircle(const GPoint& c, double r, std::vector<GPoint>& out) const override;
  void CrossEllipse(const EllipseGeom& g, std::vector<GPoint>& out) const override;

 private:
  // Keeps the points of `found` that lie on side i, appending them to out.
  void KeepOnSide(int i, const GPoint* found, int count, std::vector<GPoint>& out) const;
  GPoint corners_[4];
  double xmin_, ymin_, xmax_, ymax_;
};

enum class ClipOutcome { kUnchanged, kRemoved, kCut };

// Clips `entity` by the region, keeping what lies inside when keepInside,
// outside otherwise. kUnchanged: all of it is kept; kRemoved: none of it;
// kCut: the pieces kept are appended to `pieces` as new entities (the
// caller owns them) on the entity's layer and group.
ClipOutcome ClipEntity(const CEntity& entity, const CClipRegion& region, bool keepInside,
                       std::vector<CEntity*>& pieces);
