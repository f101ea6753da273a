// The cell edit: a click on a cell of a drawn table opens the cell dialog
// and changes the cell's text, alignment and (on drawn lines) direction. On
// a table entity the cell under the click is replaced in the table; on a
// table drawn as lines the cell is the closed rectangle (or circle) round
// the click and its text the text entity inside it, replaced by a new text
// placed in the cell.
#pragma once

#include "draft/tables/TableCellCmd.h"

class CTableCell;
class CTableEntity;

class CEditCellCmd : public CTableCellCmd {
 public:
  CEditCellCmd(int id, CDraftView* view);

  void Execute(CDraftView* view) override;

  // A table cell's alignment (0 fill, 1 left, 2 centre, 3 right) as the
  // cell dialog's code (9, 1, 4, 7) and back (any other code centres).
  static int CellAlignmentCode(int alignment);
  static int CellAlignmentOf(int code);

 private:
  // TRUE when a table entity was under the click (edited or not).
  BOOL EditTableEntityCell(CDraftView* view, double x, double y);
  void EditDrawnCell(CDraftView* view, double x, double y);
};
