// The fill-text command: each click takes the texts at the point, the
// closed outlines of their characters (Korrin's GetBoundaryList), and, after
// Quorvel's table-in-region dialog, has the view fill each outline with
// hatch lines (CDraftView::BuildOutlineFill); the fills of one click are one
// undo record. It reuses the region command's members: the first region
// list holds the texts of the current click (not owned), the region counter
// goes back to 0 after each click; its End is the region command's. The
// right button ends it at any step.
#pragma once

#include "draft/tables/RegionTableCmd.h"

class CFillTextCmd : public CRegionTableCmd {
 public:
  CFillTextCmd(int id, CDraftView* view);
  ~CFillTextCmd() override;

  // The root's begin, the selection cleared, pick mode on.
  int Begin(CDraftView* view) override;
  // One click: the texts at the point filled.
  void Execute(CDraftView* view) override;
  // 1: the command ends.
  int OnRButton(CDraftView* view) override;

  // The texts of the click being handled (none between clicks).
  int GetPickedTextCount() const { return regions_[0].GetCount(); }

 private:
  // What every way out of a click leaves: no picked texts, the counter 0,
  // no points.
  void FinishClick();
};
