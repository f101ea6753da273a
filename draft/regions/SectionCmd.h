// The section command: takes section lines first, then runs the three-view
// stretch on a profile with them, so that the projection lines come from
// the points where the section lines cross the profile. Section lines are
// picked (a line, or a section symbol whose points in order give one
// segment each) or, after Shift, clicked as points (each click from the
// second on gives the segment from the previous one). The right button
// goes on to picking the profile; after the lines are made the command
// picks a new profile with the same section lines; a right button with
// nothing selected goes back to taking section lines, and one there with
// no section line ends the command.
#pragma once

#include "draft/regions/ThreeViewStretchCmd.h"

class CSectionCmd : public CThreeViewStretchCmd {
 public:
  CSectionCmd(CDraftView* view, int id, int mode, int sectionFlag);

  // Section phase 0, then the right button.
  int OnInterrupt(CDraftView* view) override;
  // The stretch command's start; a selection already there is cleared.
  int Begin(CDraftView* view) override;
  // Before the first clicked point: picking ⇄ clicking section points.
  void OnShiftKey(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  int GetSectionPhase() const { return sectionPhase_; }
  int GetSectionInputMode() const { return sectionInput_; }
};
