// Gives every selected entity that carries text the drawing's current text
// font and the system text height: each is replaced by a copy remade with
// those attributes (a block's texts at any depth), keeping its owner. One
// undo record a selection; entities without text stay as they are.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CChangeFontCmd : public CSelectCmdBase {
 public:
  // `extra` is stored and not used.
  CChangeFontCmd(int id, int extra);

  int ProcessSelection(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;
  int OnProcessRButton(CDraftView* view) override;
  // ---- New operation: drops the points and the selection and ends.
  virtual int Finish(CDraftView* view);

 private:
  [[maybe_unused]] int extra_;
};
