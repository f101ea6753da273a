// Korrin's table entity: a drawn table of rows and cells (see TableRow.h,
// TableCell.h) with a name, a kind code (0 general table, 1 parts list,
// 2 rebar schedule, 3 tendon coordinate table, 5 process table), a growth
// direction (0: the first row at the top, rows following downward; any
// other value: rows following upward), header-shown, grid-lines and
// repeat-header flags, and the segments of a folded table (TableSegment.h).
//
// Layout (RecalcTable): columns are as wide as their cells, rows as high as
// their highest cell, stacked from a segment's start in the growth
// direction. The rows go to the segments in order: a segment takes rows
// until the next row would pass its end y, then the next segment goes on;
// the last segment takes every row left. A table without segments is laid
// out from the origin. Header rows are left out while the header is not
// shown; with the repeat-header flag every segment after the first starts
// with the first row again. The table draws its cell texts (placed in their
// cells by the cell's alignment, centred in the row's height) and its lines:
// each segment's outline always, the lines between rows and cells when the
// grid lines are shown. The line layer (SetTableLineLayer) is kept with
// the table and written in the drawing file; the view paints every piece
// of the table in the style of the table's own layer.
//
// The table is always laid out upright: a transform moves each segment's
// start as it moves a point and scales every length; an end y keeps its
// distance from its segment's start, scaled. All coordinates and lengths of
// the operations below are in the table's group coordinates, the ones of
// CEntity's operations in drawing coordinates.
#pragma once

#include <memory>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/TableRow.h"
#include "draft/host/TableSegment.h"
#include "draft/host/TextAttrib.h"
#include "platform/core/String.h"

class CTableEntity : public CEntity {
 public:
  CTableEntity(int layer, CDrawingGroup* group);
  ~CTableEntity() override;

  BOOL IsTable() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;
  // The start of the first segment (the origin without one), the width and
  // the height (GetTableSize), in drawing coordinates.
  int GetGeometry(double* values) const override;
  EntityKind GetKind() const override { return EntityKind::kTable; }
  // The lines, and each text as a text entity gives its pieces.
  void GetPieces(ShapePieces& out) const override;
  // The lines, and the cell texts as their text entities show them.
  void GetShownShape(ShapePieces& out, ShownTexts& texts) const override;
  int GetTableKind() const override { return kind_; }
  BOOL SetTableKind(int kind) override;

  // ---- Table values.
  const CStringA& GetTableName() const { return name_; }
  void SetTableName(const char* name) { name_ = name ? name : ""; }
  int GetDirection() const { return direction_; }
  void SetDirection(int direction) { direction_ = direction; }
  // -1.0 for direction 0 (rows downward), +1.0 otherwise.
  double GetDirectionFactor() const { return direction_ == 0 ? -1.0 : 1.0; }
  int GetHeaderShown() const { return headerShown_; }
  void SetHeaderShown(int shown) { headerShown_ = shown; }
  int GetGridShown() const { return gridShown_; }
  void SetGridShown(int shown) { gridShown_ = shown; }
  int GetRepeatHeader() const { return repeatHeader_; }
  void SetRepeatHeader(int repeat) { repeatHeader_ = repeat; }
  int GetLineLayer() const { return lineLayer_; }

  // ---- Rows.
  int GetRowCount() const { return static_cast<int>(rows_.size()); }
  CTableRow* GetRow(int i) const { return rows_.at(static_cast<size_t>(i)).get(); }
  // Takes ownership; FALSE for null.
  BOOL AddRow(CTableRow* row);
  // Deletes row i (nothing for an index outside the rows).
  void DeleteRow(int i);
  // The rows whose counted flag is set.
  int GetCountedRowCount() const;
  // The counted rows that PlaceTable has still to place: all of them until
  // placing starts.
  int GetRowsToPlace() const;

  // ---- Segments.
  int GetSegmentCount() const { return static_cast<int>(segments_.size()); }
  CTableSegment& GetSegment(int i) { return segments_.at(static_cast<size_t>(i)); }
  const CTableSegment& GetSegment(int i) const { return segments_.at(static_cast<size_t>(i)); }
  void AddSegment(const CTableSegment& segment) { segments_.push_back(segment); }
  void RemoveSegment(int i);
  void ClearSegments() { segments_.clear(); }
  // The segment whose laid-out part holds the point (its rows' boxes,
  // borders included), or -1.
  int FindSegment(double x, double y) const;

  // ---- Layout.
  void Recalc();
  // Width (the widest row) and height (every shown row's height, as if the
  // table were not folded).
  void GetSize(double& width, double& height) const;
  // Places a column of the table from (x, y): the counted rows not yet
  // placed (`*rowsRemaining` of them; all of them start the table afresh
  // and drop its segments) follow as a new segment until the next row
  // would pass the wrap y (a wrap beyond ±1e299 is no limit; at least one
  // row is taken). TRUE when every row is placed (the segment then stays
  // open); FALSE after a cut (the segment ends at its last row).
  BOOL Place(double x, double y, int* rowsRemaining, double wrapY);
  void SetLineLayer(int layer) { lineLayer_ = ClampLayer(layer); }

  // A laid-out row: where its first cell's corner is (the edge the rows
  // grow away from), its segment, and its size.
  struct PlacedRow {
    int row;
    int segment;
    double x, y, width, height;
  };
  const std::vector<PlacedRow>& GetPlacedRows() const { return placed_; }

 protected:
  CTableEntity(const CTableEntity& other);
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  struct TextSpot {
    GPoint at;
    CStringA text;
    CTextAttrib attr;
  };
  struct Line {
    GPoint a, b;
  };
  void ScaleLengths(double factor);
  void LayOutRow(int row, int segment, double x, double y);

  CStringA name_;
  int kind_ = 0;
  int direction_ = 0;
  int headerShown_ = 1;
  int gridShown_ = 1;
  int repeatHeader_ = 0;
  int lineLayer_ = 0;
  int rowsToPlace_ = -1;  // -1: placing has not started
  std::vector<std::unique_ptr<CTableRow>> rows_;
  std::vector<CTableSegment> segments_;
  // The layout, in group coordinates.
  std::vector<PlacedRow> placed_;
  std::vector<Line> lines_;
  std::vector<TextSpot> texts_;
};

// ---- The table operations as the host's entity library offers them.
CTableEntity* ConstructTableEntity(int layer, CDrawingGroup* group);
void RecalcTable(CTableEntity* table);
void GetTableSize(const CTableEntity* table, double& width, double& height);
// The width and the height (its vertical step) of a row.
void GetRowPosition(const CTableEntity* table, const CTableRow* row, double& width, double& step);
BOOL PlaceTable(CTableEntity* table, double x, double y, int* rowsRemaining, double wrapY);
void SetTableLineLayer(CTableEntity* table, int layer);
