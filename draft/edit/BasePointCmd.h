// A selection command that goes to work on the selection at once and then
// takes base points from the user: move and copy, and scale and align by
// base points. While it takes its points the right button drops them and
// the selection and ends the command.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CBasePointCmd : public CSelectCmdBase {
 public:
  using CSelectCmdBase::CSelectCmdBase;

  // Processing starts at once on the selection.
  int ProcessSelection(CDraftView* view) override;
  // Frees the points, clears the view's selection, then the root's right
  // button, which with no point taken ends the command.
  int OnProcessRButton(CDraftView* view) override;
};
