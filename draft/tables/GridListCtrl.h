// A report list drawn as a ruled grid with one current cell: the rows are
// owner-drawn at a fixed height that the control gives itself, each cell's
// text in black, a red "..." where a text is wider than its column, the
// current cell inverted in yellow, and grey grid lines.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/ui/ListCtrl.h"

class CGridListCtrl : public CListCtrl {
  DECLARE_DYNAMIC(CGridListCtrl)

 public:
  CGridListCtrl() = default;

  // Draws one row (only for a full redraw of the item).
  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  // The row height the control measures its rows with.
  void MeasureItem(LPMEASUREITEMSTRUCT mis);

  // Stores `pixels` + 2 as the row height and has the control measure its
  // rows again.
  void SetRowHeight(int pixels);
  int GetRowHeight() const { return rowHeight_; }

  void GetCurrentCell(int& row, int& column) const {
    row = currentRow_;
    column = currentColumn_;
  }
  int GetCurrentRow() const { return currentRow_; }
  int GetCurrentColumn() const { return currentColumn_; }
  // -1 for a row: a redraw that must not show the current cell.
  void SetCurrentCell(int row, int column) {
    currentRow_ = row;
    currentColumn_ = column;
  }
  // Whether the current cell names a row and column that exist.
  bool HasCurrentCell() const;
  int GetGridColumnCount() const { return columnCount_; }

  void SetGridLines(int vertical, int horizontal) {
    verticalLines_ = vertical;
    horizontalLines_ = horizontal;
  }
  int HasVerticalLines() const { return verticalLines_; }
  int HasHorizontalLines() const { return horizontalLines_; }

  // The cell's rectangle in client coordinates: the row's bounds, from the
  // left edge of the column to its right edge. FALSE for a row that does
  // not exist.
  BOOL GetCellRect(int row, int column, CRect& rect) const;
  // Invalidates the cell (without erasing) and updates the window; nothing
  // for negative indexes.
  void InvalidateCell(int row, int column);
  // Redraws one row.
  void RedrawRow(int row);

  using CListCtrl::HitTest;
  // The cell under a screen point (the cursor when `screenPoint` is null):
  // the first visible row whose bounds hold the point's y and the first
  // column whose span holds its x, edges included; -1 for each not hit.
  void HitTest(int& row, int& column, const POINT* screenPoint) const;

  // The cell's text as GBK.
  CStringA GetCellText(int row, int column) const;

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  int currentRow_ = 0;
  int currentColumn_ = 0;
  int columnCount_ = 0;
  int verticalLines_ = 0;
  int horizontalLines_ = 1;
  int rowHeight_ = 20;
};
