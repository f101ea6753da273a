// The point command: a point entity at each clicked point, on the current
// layer and group in the settings' point style, each its own undo step,
// until the right button ends the command.
#pragma once

#include "draft/framework/CmdBase.h"

class CPointCmd : public CCmdBase {
 public:
  CPointCmd(int id, CDraftView* view);

  void Execute(CDraftView* view) override;
};
