// Moves the selected entities into the current drawing group (those
// already in a group of that name stay as they are), in one undo step.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CChangeGroupCmd : public CSelectCmdBase {
 public:
  CChangeGroupCmd(int id, CDraftView* view, int selectAnew, int deselectMode);

  int ProcessSelection(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;
  int OnProcessRButton(CDraftView* view) override;

  // Added after the selection base's operations: drops the selection and
  // ends the command.
  virtual int Abort(CDraftView* view);
};
