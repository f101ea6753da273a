// Puts the selected entities into a drawing group chosen or typed in
// CGroupSelDlg, making the group (scale 1.0, picked whole) when the name is
// new. One undo step per group; the command then selects again.
#pragma once

#include "draft/framework/SelectCmdBase.h"
#include "platform/core/String.h"

class CGroupTable;

class CNewGroupCmd : public CSelectCmdBase {
 public:
  CNewGroupCmd(int id, CDraftView* view, int selectAnew, int deselectMode);

  int ProcessSelection(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;
  int OnProcessRButton(CDraftView* view) override;

  // Added after the selection base's operations: drops the selection and
  // the points and ends the command.
  virtual int Abort(CDraftView* view);

  const CStringA& GetGroupName() const { return name_; }

 private:
  CStringA name_ = "组1";
  CGroupTable* table_ = nullptr;
};
