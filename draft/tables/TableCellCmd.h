// What the cell edit and the signing commands share: the cell search round
// the clicked point through the view's closed-boundary search, and the
// release of the boundary it made. A cell is the square of a lone circle or
// the rectangle of four axis-parallel lines; any other boundary is released
// at once.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/EntityList.h"

class CTableCellCmd : public CCmdBase {
 public:
  ~CTableCellCmd() override;

  // Pick mode and point input off: every left click runs Execute.
  int Begin(CDraftView* view) override;
  // Both release the boundary before the root's own step.
  int OnRButton(CDraftView* view) override;
  int End(CDraftView* view) override;
  // Erases and deletes the boundary entities, then empties the second list
  // and the view's registered entities.
  void ReleaseBoundary(CDraftView* view) override;

  // The cell found by the last search.
  struct Cell {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;  // the cell's box
    double cx = 0.0, cy = 0.0;                      // its centre
  };

  const CEntityList& GetBoundary() const { return boundary_; }

 protected:
  CTableCellCmd(int id, CDraftView* view);

  // Searches the boundary round (x, y): an accepted one is registered with
  // the view and selected, and `cell` set; TRUE then. Without a boundary,
  // or with one of another shape (released), FALSE.
  BOOL FindCell(CDraftView* view, double x, double y, Cell& cell);

  CDraftView* cellView_;
  CEntityList boundary_;
  CEntityList second_;
};
