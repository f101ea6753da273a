// Moves every entity of a layer to another: a click picks an entity (a
// member of a compound stands for its own layer), the layer dialog offers
// its layer, and every drawing entity on that layer is replaced by a copy
// on the chosen one, in one undo step. The same layer chosen changes
// nothing; entities that cannot be copied stay.
#pragma once

#include "draft/framework/CmdBase.h"

class CChangeLayerCmd : public CCmdBase {
 public:
  explicit CChangeLayerCmd(int id);

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

 private:
  CEntity* picked_ = nullptr;  // not owned
  BYTE oldLayer_ = 0;
  BYTE newLayer_ = 0;
};
