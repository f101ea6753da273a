// Turns picked arcs into full circles on the same layer, in the same group
// and the same owner block, one replace record per pick. A selection made
// before the command is converted at once and the command ends; otherwise
// a click picks (a click on nothing starts a window) until the right
// button.
#pragma once

#include "draft/framework/CmdBase.h"

class CEntityList;

class CChangeArcCmd : public CCmdBase {
 public:
  CChangeArcCmd(int id, CDraftView* view);

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  // The right button always ends the command.
  int OnRButton(CDraftView* view) override;

 private:
  // Replaces the arcs of `picked` by their circles, in one undo record, and
  // clears the selection. Nothing is recorded when no arc is among them.
  void ConvertArcs(CDraftView* view, const CEntityList& picked);
  // Adds each circle of `circles` in the place of the arc at the same
  // position of `arcs` (already out of the drawing).
  static void AddInArcsPlaces(CDraftView* view, const CEntityList& arcs, const CEntityList& circles);

  int pickMask_ = -261;
  int pickFilter_ = -1;
};
