// Makes the drawing group (mode 1) or the layer (any other mode) of a
// picked entity current; stays for the next pick until the right button.
#pragma once

#include "draft/framework/CmdBase.h"

class CSetCurGroupCmd : public CCmdBase {
 public:
  CSetCurGroupCmd(int id, int mode);

  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

 private:
  int mode_;
  CEntity* picked_ = nullptr;
};
