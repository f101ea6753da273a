// CTableEntity: the layout (rows into segments, lines and cell texts),
// placing column by column, and the segment search.
#include <algorithm>
#include <cmath>
#include <utility>

#include "draft/host/FontManager.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/TableEntity.h"

namespace {
constexpr double kEps = 1e-6;

bool IsNoLimit(double y) { return !(std::fabs(y) < 1e299); }

// Whether a row whose far edge is at `far` passes the limit `end` when rows
// grow in direction `dir`.
bool Passes(double far, double end, double dir) { return dir < 0 ? far < end - kEps : far > end + kEps; }

// The margin between a cell's side and its text.
double TextMargin(double cellWidth, double textHeight) { return std::min(cellWidth * 0.1, textHeight * 0.25); }

bool IsBlank(const CStringA& s) {
  for (int i = 0; i < s.GetLength(); ++i)
    if (s[i] != ' ') return false;
  return true;
}
}  // namespace

void CTableEntity::LayOutRow(int rowIndex, int segment, double x, double y) {
  const CTableRow& row = *rows_[static_cast<size_t>(rowIndex)];
  const double dir = GetDirectionFactor();
  const double h = row.GetHeight();
  const double w = row.GetWidth();
  placed_.push_back({rowIndex, segment, x, y, w, h});
  const double low = dir < 0 ? y - h : y;
  double cx = x;
  for (int c = 0; c < row.GetCellCount(); ++c) {
    const CTableCell& cell = *row.GetCell(c);
    const double cw = cell.GetWidth();
    if (gridShown_ && c > 0) lines_.push_back({{cx, y}, {cx, y + dir * h}});
    if (!IsBlank(cell.GetText())) {
      CTextAttrib attr = cell.GetTextAttrib();
      attr.SetAngle(0.0);
      const double th = attr.GetHeight();
      double tw = GetFontManager()->GetTextWidth(cell.GetText(), attr);
      const double margin = TextMargin(cw, th);
      double tx = cx + (cw - tw) / 2;  // centre
      switch (cell.GetAlignment()) {
        case 0:  // the text stretched or squeezed to fill the cell
          if (tw > kEps && cw - 2 * margin > kEps) {
            attr.SetWidthFactor(attr.GetWidthFactor() * (cw - 2 * margin) / tw);
            tw = cw - 2 * margin;
          }
          tx = cx + margin;
          break;
        case 1:
          tx = cx + margin;
          break;
        case 3:
          tx = cx + cw - margin - tw;
          break;
        default:
          break;
      }
      texts_.push_back({{tx, low + (h - th) / 2}, cell.GetText(), std::move(attr)});
    }
    cx += cw;
  }
}

void CTableEntity::Recalc() {
  placed_.clear();
  lines_.clear();
  texts_.clear();
  const double dir = GetDirectionFactor();
  std::vector<CTableSegment> segs = segments_;
  if (segs.empty()) segs.push_back(ConstructTableSegment(0.0, 0.0, kTableOpenEnd));
  const bool repeat = repeatHeader_ && headerShown_ && !rows_.empty() && rows_[0]->IsHeader();

  // Room for the whole layout at once: a row's texts are at most its cells,
  // its lines at most one between each two cells and four of the outline;
  // a repeated header comes at most once a segment. Growing these one
  // element at a time would copy every text and attribute laid out so far
  // on each step, and a large table would touch its layout's memory twice.
  size_t rowCount = 0, cellCount = 0;
  for (const auto& row : rows_) {
    ++rowCount;
    cellCount += static_cast<size_t>(row->GetCellCount());
  }
  if (repeat) {
    rowCount += segs.size();
    cellCount += segs.size() * static_cast<size_t>(rows_[0]->GetCellCount());
  }
  placed_.reserve(rowCount);
  texts_.reserve(cellCount);
  lines_.reserve(cellCount + 4 * rowCount);

  size_t si = 0;
  double y = segs[0].startY;
  for (int r = 0; r < GetRowCount(); ++r) {
    const CTableRow& row = *rows_[static_cast<size_t>(r)];
    if (row.IsHeader() && !headerShown_) continue;
    const double h = row.GetHeight();
    bool moved = false;
    while (si + 1 < segs.size() && Passes(y + dir * h, segs[si].endY, dir)) {
      ++si;
      y = segs[si].startY;
      moved = true;
    }
    if (moved && repeat && r != 0) {
      LayOutRow(0, static_cast<int>(si), segs[si].startX, y);
      y += dir * rows_[0]->GetHeight();
    }
    LayOutRow(r, static_cast<int>(si), segs[si].startX, y);
    y += dir * h;
  }

  // Each segment's outline: the top edge of its first row, the far edge of
  // its last row, the left side, and each row's right side; with the grid,
  // the edges between its rows.
  for (size_t i = 0; i < placed_.size(); ++i) {
    const PlacedRow& p = placed_[i];
    const bool first = i == 0 || placed_[i - 1].segment != p.segment;
    const bool last = i + 1 == placed_.size() || placed_[i + 1].segment != p.segment;
    const double far = p.y + dir * p.height;
    if (first) {
      lines_.push_back({{p.x, p.y}, {p.x + p.width, p.y}});
    } else if (gridShown_) {
      const double w = std::max(p.width, placed_[i - 1].width);
      lines_.push_back({{p.x, p.y}, {p.x + w, p.y}});
    } else if (std::fabs(p.width - placed_[i - 1].width) > kEps) {
      // a step in the outline where the rows' widths differ
      lines_.push_back({{p.x + std::min(p.width, placed_[i - 1].width), p.y},
                        {p.x + std::max(p.width, placed_[i - 1].width), p.y}});
    }
    if (last) lines_.push_back({{p.x, far}, {p.x + p.width, far}});
    lines_.push_back({{p.x, p.y}, {p.x, far}});
    lines_.push_back({{p.x + p.width, p.y}, {p.x + p.width, far}});
  }
}

void CTableEntity::GetSize(double& width, double& height) const {
  width = height = 0.0;
  for (const auto& r : rows_) {
    width = std::max(width, r->GetWidth());
    if (!r->IsHeader() || headerShown_) height += r->GetHeight();
  }
}

BOOL CTableEntity::Place(double x, double y, int* rowsRemaining, double wrapY) {
  const int counted = GetCountedRowCount();
  int remaining = std::clamp(*rowsRemaining, 0, counted);
  if (remaining == counted) segments_.clear();
  const double dir = GetDirectionFactor();
  CTableSegment seg = ConstructTableSegment(x, y, kTableOpenEnd);

  // Skip the counted rows placed already, with the rows that come with them.
  int skip = counted - remaining;
  int r = 0;
  for (; r < GetRowCount() && skip > 0; ++r)
    if (rows_[static_cast<size_t>(r)]->GetCounted()) --skip;

  double at = y;
  bool any = false;
  if (!segments_.empty() && repeatHeader_ && headerShown_ && !rows_.empty() && rows_[0]->IsHeader())
    at += dir * rows_[0]->GetHeight();
  for (; r < GetRowCount(); ++r) {
    const CTableRow& row = *rows_[static_cast<size_t>(r)];
    if (row.IsHeader() && !headerShown_) {
      if (row.GetCounted()) --remaining;
      continue;
    }
    const double far = at + dir * row.GetHeight();
    if (any && !IsNoLimit(wrapY) && Passes(far, wrapY, dir)) break;
    at = far;
    any = true;
    if (row.GetCounted()) --remaining;
  }
  const bool done = r >= GetRowCount();
  if (!done) seg.endY = at;
  segments_.push_back(seg);
  rowsToPlace_ = done ? 0 : remaining;
  *rowsRemaining = rowsToPlace_;
  Recalc();
  return done ? TRUE : FALSE;
}

int CTableEntity::FindSegment(double x, double y) const {
  const GPoint p{x, y};
  const double dir = GetDirectionFactor();
  for (const PlacedRow& r : placed_) {
    const double y0 = std::min(r.y, r.y + dir * r.height), y1 = std::max(r.y, r.y + dir * r.height);
    if (p.x >= r.x - kEps && p.x <= r.x + r.width + kEps && p.y >= y0 - kEps && p.y <= y1 + kEps) {
      // the segment's number among the real segments (none without one)
      return r.segment < GetSegmentCount() ? r.segment : -1;
    }
  }
  return -1;
}
