// Pick and edit: each click picks an entity (a member of a two-point entity,
// of a compound curve or of a compound kept whole stands for its owner) and opens its own editor;
// an edited replacement takes its place as one undo step. A requirement
// text block starts the technical-requirements command on top of this one
// instead (id 61551), which stays below it. The right button ends it.
#pragma once

#include "draft/framework/CmdBase.h"

class CPickEditCmd : public CCmdBase {
 public:
  explicit CPickEditCmd(int id);

  int Begin(CDraftView* view) override;
  int MarksPoints() override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // 1 after a click that picked an entity.
  int IsPicked() const { return picked_; }

 private:
  int picked_ = 0;
};
