// Korrin's and Velmish's operations on one cell of a drawn table: the cell
// under a point, a new cell made from an old one, and the replacement of a
// cell in a table of the drawing as one undo step.
#pragma once

#include "platform/core/WinTypes.h"

class CDraftView;
class CTableCell;
class CTableEntity;

// The cell of the table's layout whose box holds the drawing point (x, y)
// (borders included; on a border shared by two cells, the first in row and
// column order). *cell is the cell and *count 1; *cell null and *count 0
// when no cell holds the point. FALSE for a null table or no cell.
BOOL GetTableCells(const CTableEntity* table, CTableCell** cell, int* count, double x, double y);

// A new cell with every value of `from` (the caller owns it); null for null.
CTableCell* ConstructCellText(const CTableCell* from);

// Puts `newCell` in place of `oldCell` (one of the first `count` cells
// GetTableCells gave for `table`): a copy of the table with the new cell in
// that place, laid out again, replaces the table in the drawing, and one
// replace record of the pair is pushed on the view. The copy owns the new
// cell; the old table becomes the undo record's. FALSE, with nothing
// changed and the new cell deleted, when the table is not in the view's
// drawing, `count` is not positive, or the old cell is not the table's.
BOOL ReplaceTableCell(CDraftView* view, CTableEntity* table, int count, const CTableCell* oldCell, CTableCell* newCell);
