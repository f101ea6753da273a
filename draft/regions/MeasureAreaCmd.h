// The area-measuring command: the user clicks a point inside each region;
// the view's boundary search finds the closed boundary round it, which the
// command turns into a polygon plus circular segments and adds to (or, after
// TAB, subtracts from) a running total. The right button shows the rows in
// Korrin's result list and starts over; a right button with nothing taken
// ends the command. The twentieth region reports at once. Its boundary
// operations (the virtuals it adds) are the boundary engine of the contour
// commands that derive from it.
#pragma once

#include <vector>

#include "draft/framework/CmdBase.h"
#include "draft/host/EntityList.h"
#include "platform/core/StringArray.h"

class CMeasureAreaCmd : public CCmdBase {
 public:
  static constexpr int kMaxRegions = 20;

  CMeasureAreaCmd(int id, CDraftView* view);
  ~CMeasureAreaCmd() override;

  void OnTabKey(CDraftView* view) override;
  // One click: one region (the point is the click, not snapped).
  void Execute(CDraftView* view) override;
  // Erases and deletes every boundary entity and arc piece.
  int End(CDraftView* view) override;
  // Nothing taken: 1 (the command ends); else the report, a reset and 0.
  int OnRButton(CDraftView* view) override;

  // ---- The boundary operations, in slot order.
  // |Σ (x[i]·y[i+1] − y[i]·x[i+1])| / 2, wrapping; 0 for null arrays or
  // fewer than three vertices.
  virtual double PolygonArea(const double* x, const double* y, int count);
  // Chains the current region's boundary into the vertex arrays; 0 when the
  // list is empty or its start cannot be found.
  virtual int BuildBoundaryPolygon();
  // 1 when the arc's start or end lies on the chain end: (x, y) is then its
  // other end and (midX, midY) its middle point.
  virtual int ContinueArc(CEntity* arc, double& x, double& y, double& midX, double& midY);
  // The ends of `first` relative to `second` (both null: the first and last
  // entity of the current region). Mode 1: (x, y) the end touching
  // `second`, (x2, y2) the other; mode 2 the other way round. An arc's
  // middle point goes to (midX, midY). 0 when the list is empty or the two
  // are one entity; 1 otherwise.
  virtual int GetChainEnds(double& x, double& y, double& x2, double& y2, double& midX, double& midY, CEntity* first,
                           CEntity* second, int mode);
  // Start, end and (when asked) middle point of an arc, its angles made
  // ascending.
  virtual void GetArcPoints(CEntity* arc, double& sx, double& sy, double& ex, double& ey, double* midX = nullptr,
                            double* midY = nullptr);
  // The area between an arc piece and its chord.
  virtual double ArcSegmentArea(CEntity* piece);
  // Σ sign·segment over the arc-piece list, deleting each piece.
  virtual double SumArcSegments(CDraftView* view);
  // −1 when the piece bulges into the polygon, +1 when it bulges out.
  virtual int ArcSegmentSign(CEntity* piece);
  // The signed angle at P from P→A to P→B, degrees, in (−180, 180].
  virtual double SignedSweep(double px, double py, double ax, double ay, double qx, double qy, double bx, double by);
  // Cuts an arc into two (sweep below 180) or four temporary arcs; the
  // number made, 0 for anything but an arc. Unused outputs are set null.
  virtual int SplitArc(CEntity* arc, CEntity** p1, CEntity** p2, CEntity** p3, CEntity** p4);
  // 1 when an edge of the polygon (the closing edge included) cuts the
  // piece anywhere but at the edge's own ends.
  virtual int ArcCrossesPolygon(CEntity* piece);
  // PolygonArea over the first min(size of x, size of y) vertices.
  virtual double ArrayPolygonArea(const std::vector<double>& x, const std::vector<double>& y);

  // Reads line x1, y1, x2, y2; circle cx, cy, r; arc cx, cy, r, start, end:
  // in the group's own coordinates (GetGroupGeometry) when `sameGroup` and
  // `flag` are 1, else in drawing coordinates. Null entities are ignored.
  void ReadGeometry(CEntity* entity, int sameGroup, double& v1, double& v2, double& v3, double& v4, double& v5,
                    int flag);

  // For tests and hosts: what the command holds.
  int GetRegionCount() const { return regionCount_; }
  double GetTotal() const { return total_; }
  int GetSignFlag() const { return signFlag_; }
  const CStringArray& GetResultLabels() const { return labels_; }
  const CStringArray& GetResultValues() const { return values_; }

 protected:
  // The region's area (step 3 of the measuring).
  double MeasureRegion(int i);
  // Records region i's row and total, then counts it.
  void RecordRegion(int i, double area);
  // Counts a region; the twentieth reports at once.
  void CountRegion(CDraftView* view);
  void DeletePieces(CDraftView* view);
  void DeleteBoundaries(CDraftView* view);
  void Report(CDraftView* view);
  void Reset(CDraftView* view);

  CEntityList regions_[kMaxRegions];
  CEntityList arcPieces_;
  CEntityList seconds_[kMaxRegions];
  double pointX_[kMaxRegions] = {};
  double pointY_[kMaxRegions] = {};
  int regionCount_ = 0;
  std::vector<double> vertexX_;
  std::vector<double> vertexY_;
  int vertexCount_ = 0;
  double chainX_ = 0.0;
  double chainY_ = 0.0;
  double total_ = 0.0;
  double areas_[kMaxRegions] = {};
  int sameGroup_ = 1;
  int signFlag_ = 1;
  CStringArray labels_;
  CStringArray values_;
  // The region being measured.
  int current_ = 0;
};
