#include "draft/host/TableEntity.h"

#include <cmath>

#include "draft/host/TextEntity.h"

CTableEntity::CTableEntity(int layer, CDrawingGroup* group) : CEntity(layer, group), lineLayer_(layer) {}

CTableEntity::CTableEntity(const CTableEntity& other)
    : CEntity(other),
      name_(other.name_),
      kind_(other.kind_),
      direction_(other.direction_),
      headerShown_(other.headerShown_),
      gridShown_(other.gridShown_),
      repeatHeader_(other.repeatHeader_),
      lineLayer_(other.lineLayer_),
      rowsToPlace_(other.rowsToPlace_),
      segments_(other.segments_),
      placed_(other.placed_),
      lines_(other.lines_),
      texts_(other.texts_) {
  rows_.reserve(other.rows_.size());
  for (const auto& r : other.rows_) rows_.push_back(std::make_unique<CTableRow>(*r));
}

CTableEntity::~CTableEntity() = default;

CEntity* CTableEntity::Clone(int) const { return new CTableEntity(*this); }

BOOL CTableEntity::SetTableKind(int kind) {
  kind_ = kind;
  return TRUE;
}

int CTableEntity::GetGeometry(double* v) const {
  const GPoint start = segments_.empty() ? GPoint{0.0, 0.0} : GPoint{segments_[0].startX, segments_[0].startY};
  const GPoint shown = Shown(start);
  double w = 0.0, h = 0.0;
  GetSize(w, h);
  v[0] = shown.x;
  v[1] = shown.y;
  v[2] = ShownLength(w);
  v[3] = ShownLength(h);
  return 4;
}

void CTableEntity::GetPieces(ShapePieces& out) const {
  for (const Line& l : lines_) out.push_back(ShapePiece::Segment(Shown(l.a), Shown(l.b)));
  for (const TextSpot& t : texts_) {
    const GPoint at = Shown(t.at);
    CTextEntity(GetEntityLayer(), GetEntityGroup(), t.text, at.x, at.y, t.attr).GetPieces(out);
  }
}

void CTableEntity::GetShownShape(ShapePieces& out, ShownTexts& texts) const {
  for (const Line& l : lines_) out.push_back(ShapePiece::Segment(Shown(l.a), Shown(l.b)));
  for (const TextSpot& t : texts_) {
    const GPoint at = Shown(t.at);
    texts.push_back(CTextEntity(GetEntityLayer(), GetEntityGroup(), t.text, at.x, at.y, t.attr).GetShownText());
  }
}

BOOL CTableEntity::AddRow(CTableRow* row) {
  if (!row) return FALSE;
  rows_.emplace_back(row);
  return TRUE;
}

void CTableEntity::DeleteRow(int i) {
  if (i < 0 || i >= GetRowCount()) return;
  rows_.erase(rows_.begin() + i);
}

int CTableEntity::GetCountedRowCount() const {
  int n = 0;
  for (const auto& r : rows_)
    if (r->GetCounted()) ++n;
  return n;
}

int CTableEntity::GetRowsToPlace() const {
  const int counted = GetCountedRowCount();
  if (rowsToPlace_ < 0 || rowsToPlace_ > counted) return counted;
  return rowsToPlace_;
}

void CTableEntity::RemoveSegment(int i) {
  if (i < 0 || i >= GetSegmentCount()) return;
  segments_.erase(segments_.begin() + i);
}

void CTableEntity::ScaleLengths(double factor) {
  for (const auto& r : rows_)
    for (int c = 0; c < r->GetCellCount(); ++c) r->GetCell(c)->ScaleLengths(factor);
}

void CTableEntity::ApplyTransform(const EntityTransform& t) {
  if (segments_.empty()) segments_.push_back(ConstructTableSegment(0.0, 0.0, kTableOpenEnd));
  const double factor = t.scale;
  for (CTableSegment& s : segments_) {
    const GPoint start = MapGroupPoint({s.startX, s.startY}, t);
    if (!s.IsOpen()) s.endY = start.y + (s.endY - s.startY) * factor;
    s.startX = start.x;
    s.startY = start.y;
  }
  ScaleLengths(factor);
  Recalc();
}

void CTableEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  const double factor = RebaseLength(1.0, from, to);
  for (CTableSegment& s : segments_) {
    const GPoint start = RebasePoint({s.startX, s.startY}, from, to);
    if (!s.IsOpen()) s.endY = start.y + (s.endY - s.startY) * factor;
    s.startX = start.x;
    s.startY = start.y;
  }
  ScaleLengths(factor);
  Recalc();
}

CTableEntity* ConstructTableEntity(int layer, CDrawingGroup* group) { return new CTableEntity(layer, group); }

void RecalcTable(CTableEntity* table) {
  if (table) table->Recalc();
}

void GetTableSize(const CTableEntity* table, double& width, double& height) {
  width = height = 0.0;
  if (table) table->GetSize(width, height);
}

void GetRowPosition(const CTableEntity*, const CTableRow* row, double& width, double& step) {
  width = row ? row->GetWidth() : 0.0;
  step = row ? row->GetHeight() : 0.0;
}

BOOL PlaceTable(CTableEntity* table, double x, double y, int* rowsRemaining, double wrapY) {
  return table && rowsRemaining ? table->Place(x, y, rowsRemaining, wrapY) : FALSE;
}

void SetTableLineLayer(CTableEntity* table, int layer) {
  if (table) table->SetLineLayer(layer);
}
