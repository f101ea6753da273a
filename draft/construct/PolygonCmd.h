// The regular polygon about a centre, one block of n lines. With an even
// TAB count a vertex lies on the cursor (the polygon is inscribed in the
// circle through it); with an odd count the cursor distance is the radius
// of the inscribed circle and an edge's midpoint faces the cursor. The side
// count comes from the settings ("PolyGonSetting"/"BianShu"), which the side
// count dialog shown at the start sets. A typed radius fixes the size; the
// next click then fixes the direction.
#pragma once

#include <vector>

#include "draft/construct/CircleCenterCmd.h"

class CPolygonCmd : public CCircleCenterCmd {
 public:
  explicit CPolygonCmd(int id);

  // The side count dialog (unless switched off); anything but OK refuses
  // to start.
  int Begin(CDraftView* view) override;
  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

  // The n + 1 vertices (the last closes the figure) for the centre c, the
  // pointer p, the radius r and the TAB count, for n sides.
  static std::vector<GPoint> Vertices(const GPoint& c, const GPoint& p, double r, int tabCount, int sides);

  static constexpr const char* kSection = "PolyGonSetting";
  static constexpr const char* kShowKey = "DisplayAlways";
  static constexpr const char* kSidesKey = "BianShu";
  // The side counts the side count dialog accepts.
  static constexpr int kMinSides = 3;
  static constexpr int kMaxSides = 100;

 private:
  // The stored side count, brought into kMinSides .. kMaxSides: a profile
  // edited by hand may hold any number.
  static int ReadSides();
  // The radius the vertices are computed from: typed, or the pointer's distance.
  double RadiusFor(const GPoint& c, const GPoint& p) const;

  int sides_ = 6;
  double typedRadius_ = 0.0;
  int typedRadiusFlag_ = 0;
};
