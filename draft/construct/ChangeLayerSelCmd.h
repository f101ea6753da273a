// Moves the selected entities to a layer chosen in the layer dialog (the
// current layer offered first), all in one undo step; then the next
// selection. Cancel in the dialog ends the command.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CChangeLayerSelCmd : public CSelectCmdBase {
 public:
  explicit CChangeLayerSelCmd(int id);

  int OnRButton(CDraftView* view) override;
  int ProcessSelection(CDraftView* view) override;

  BYTE GetTargetLayer() const { return target_; }

 private:
  BYTE target_ = 1;
};
