// Deletes the entities of a layer: a click picks an entity (a member of a
// compound counts with its own layer) and every drawing entity on its layer
// goes, in one undo step, without a question. A block on the layer (its
// own, or a member's) stays and loses those of its members, nested ones
// too, that lie on the layer; tables and compounds kept whole stay with all
// their members.
#pragma once

#include "draft/framework/CmdBase.h"

class CDeleteLayerCmd : public CCmdBase {
 public:
  explicit CDeleteLayerCmd(int id);

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

 private:
  // Forgets the pick (deleting it when the pick made it for the command).
  void ForgetPick();

  CEntity* picked_ = nullptr;
  BYTE layer_ = 0;
  int pickedFlag_ = 0;
};
