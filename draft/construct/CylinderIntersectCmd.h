// The intersection line of two bodies of revolution, each a cylinder or a
// cone, in a view where both axes lie in the drawing plane. The user picks
// the centre line and one outline of the first body, then those of the
// second; the line is built from them by auxiliary planes and added as one
// entity with one undo step, and the command starts again.
#pragma once

#include <vector>

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CCylinderIntersectCmd : public CCmdBase {
 public:
  explicit CCylinderIntersectCmd(int id);
  ~CCylinderIntersectCmd() override;

  int Begin(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  // Takes the line at the point just given into the next slot, once per
  // step; a point that finds no line is dropped again.
  virtual void PickLine(CDraftView* view);

  // Builds the line from the four stored lines and adds it (nothing when
  // the bodies give no line: two cones, parallel axes, a cone not at right
  // angles to the cylinder, or a failed construction). TRUE when added.
  BOOL BuildIntersection(CDraftView* view);
  // A second point of the line through `point` parallel to a-b.
  static GPoint ParallelThrough(const GPoint& point, const GPoint& a, const GPoint& b);
  // Whether `point` lies on the segment a-b.
  static bool IsPointOnSegment(const GPoint& a, const GPoint& b, const GPoint& point);

  int GetLinesTaken() const { return taken_; }

 private:
  struct Seg {
    GPoint a, b;
  };
  Seg Stored(int line) const;
  void ExchangeBodies();
  bool BuildTwoCylinders(std::vector<GPoint>& points) const;
  // Fills `points` and tells which entity carries them: 1 a compound
  // curve with the middle segment left out, 0 a chain.
  bool BuildCylinderAndCone(std::vector<GPoint>& points, int& curve) const;

  double xs_[8] = {};
  double ys_[8] = {};
  int lastStep_ = -1;
  int taken_ = 0;
};
