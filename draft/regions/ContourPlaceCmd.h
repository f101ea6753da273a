// Places copies of a contour. The user picks one entity; the lines and arcs
// chained to it end to end leave the entity list for the view's selection
// while the command holds them, and are shown as copies. In chain mode 0 a base point follows, and
// each further click places a copy moved from the base point to the click
// and turned by 90 degrees for each TAB, as one block (the initial state)
// or, after an odd number of left Shift presses, as loose entities; one
// undo step a copy. The right button puts the picked entities back and
// returns to picking; a second one ends the command. In chain mode 1 a left
// click turns the picked contour itself into one block (one undo step).
#pragma once

#include "draft/regions/ContourCmd.h"

class CContourPlaceCmd : public CContourCmd {
 public:
  CContourPlaceCmd(int id, CDraftView* view, int chainMode);

  void PickTargets(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- Added operations, in slot order.
  // The copy of the contour at the cursor: drawn (preview) or added.
  virtual void PlaceContour(CDraftView* view, int preview);
  // The picked contour replaced by one block of its copies.
  virtual void MakeChainBlock(CDraftView* view);

  const CEntityList& GetHeldEntities() const { return seconds_[0]; }

 private:
  // The picked entities back into the drawing (once each, through the
  // view), the copies dropped, back to picking.
  void ReleaseContour(CDraftView* view);
};
