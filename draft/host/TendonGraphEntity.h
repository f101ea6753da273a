// Korrin's tendon graph: a compound entity that draws tendons from a
// coordinate table. It keeps the data it was built from: its curves (each a
// pair of equally long arrays of doubles, stations and offsets in the order
// its direction gives), the direction, the axis flag, the table's column
// names and widths, the largest value of each array over every curve, the
// origin, and its settings (axis type, line layer, distribution, closed
// flag). Its shape is what was built into it: the segments added through
// AddSegment (line members on the graph's layer) and the axis lines and
// labels added as line and text members. Editing keeps it whole.
#pragma once

#include <vector>

#include "draft/host/BlockEntity.h"
#include "platform/core/String.h"

struct TendonCurve {
  std::vector<double> first;
  std::vector<double> second;
  int GetPointCount() const { return static_cast<int>(first.size() < second.size() ? first.size() : second.size()); }
};

// The settings a tendon graph is drawn with.
struct TendonGraphSettings {
  int axisType = 1;      // 0..7: the axis signs, 4..7 the coordinates exchanged
  int lineLayer = 0;     // the layer of the tendon lines
  int direction = 0;     // 0 stations along x, 1 along y
  int distribution = 2;  // 0 mirrored about the horizontal axis, 1 about the vertical, 2 none
  int closed = 0;        // each curve closed from its last point to its first
};

class CTendonGraphEntity : public CBlockEntity {
 public:
  CTendonGraphEntity(int layer, CDrawingGroup* group);

  BOOL IsTendonGraph() const override { return TRUE; }
  BOOL IsKeptWhole() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;

  // ---- Data.
  std::vector<TendonCurve>& GetCurves() { return curves_; }
  const std::vector<TendonCurve>& GetCurves() const { return curves_; }
  int GetAxisFlag() const { return axisFlag_; }
  void SetAxisFlag(int flag) { axisFlag_ = flag; }
  std::vector<CStringA>& GetColumnNames() { return names_; }
  const std::vector<CStringA>& GetColumnNames() const { return names_; }
  std::vector<double>& GetColumnWidths() { return widths_; }
  const std::vector<double>& GetColumnWidths() const { return widths_; }
  double GetMax1() const { return max1_; }
  double GetMax2() const { return max2_; }
  void SetMaxima(double max1, double max2) {
    max1_ = max1;
    max2_ = max2;
  }
  // The origin in drawing coordinates.
  GPoint GetOrigin() const { return Shown(origin_); }
  void SetOrigin(GPoint p) { origin_ = InGroup(p); }
  const TendonGraphSettings& GetSettings() const { return settings_; }
  void SetSettings(const TendonGraphSettings& s) { settings_ = s; }

  // Appends a segment (drawing coordinates) as a line member on the graph's
  // layer.
  BOOL AddSegment(double x1, double y1, double x2, double y2) { return AddCurveSegment(x1, y1, x2, y2, 1); }

 protected:
  CTendonGraphEntity(const CTendonGraphEntity& other) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  std::vector<TendonCurve> curves_;
  int axisFlag_ = 1;
  std::vector<CStringA> names_;
  std::vector<double> widths_;
  double max1_ = 0.0;
  double max2_ = 0.0;
  GPoint origin_;  // group coordinates
  TendonGraphSettings settings_;
};

// A new tendon graph with no data (the caller owns it).
CTendonGraphEntity* ConstructTendonGraphEntity(int layer, CDrawingGroup* group, const char* name);
