// Places copies of the selected entities round a centre: the settings
// dialog first (count, direction, angle step, ask for each copy, turn the
// copies), then the centre and, unless the copies turn, a base point whose
// copies are moved along the circle through it. All copies of one click go
// into one undo record; Escape stops between copies, keeping what was made.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CRoundArrayCmd : public CSelectCmdBase {
 public:
  explicit CRoundArrayCmd(int id);

  // Runs the settings dialog; Cancel clears the selection and ends.
  int ProcessSelection(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;

  int GetCount() const { return count_; }
  double GetAngleStep() const { return angleStep_; }

 private:
  int count_ = 6;
  int order_ = 0;
  double angleStep_ = 60.0;
  int askAlways_ = 0;
  int rotateObjects_ = 1;
};
