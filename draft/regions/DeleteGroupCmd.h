// Deletes the selected entities in one undo step; picking one member of a
// group that is picked whole selects all of it.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CDeleteGroupCmd : public CSelectCmdBase {
 public:
  CDeleteGroupCmd(int id, CDraftView* view, int selectAnew, int deselectMode);

  int ProcessSelection(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;
  int OnProcessRButton(CDraftView* view) override;

  // Added after the selection base's operations: drops the selection and
  // ends the command.
  virtual int Abort(CDraftView* view);
};
