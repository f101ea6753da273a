// The fillet: the user picks two lines, circles or arcs and the corner
// between them is rounded by an arc of the radius kept in "FilletSetting"
// (CFilletSetDlg, shown at the start while "DisplayAlways" is set). It
// picks as the chamfer does; the trim type says which edges are cut (1
// both, 2 the first, 3 the second, 0 and 4 neither) and type 5 asks for a
// sharp corner (radius 0, both cut). Two special pairs are joined instead:
// two parallel lines become one line over both (a line beside the first is
// laid onto it and stays; a line on the first's carrier goes), and two arcs
// of one circle become one arc. Every other pair goes to the view's
// MakeFillet. Each corner is one undo step.
#pragma once

#include "draft/edit/ChamferCmd.h"

class CFilletCmd : public CChamferCmd {
 public:
  CFilletCmd(int id, int trimType);

  int Begin(CDraftView* view) override;
  // A line, a circle or an arc.
  BOOL AcceptsEdge(CEntity* entity) override;
  BOOL BuildCorner(CDraftView* view, BOOL onePick) override;

 private:
  // The two special pairs; each pushes its record and forgets the edges.
  void JoinParallelLines(CDraftView* view, CUndoRecord* record);
  void JoinArcs(CDraftView* view, CUndoRecord* record);
  // Pushes the replacement of `oldList` by `newList` and forgets the edges.
  void Replace(CDraftView* view, CUndoRecord* record, const CEntityList& oldList, const CEntityList& newList);
};
