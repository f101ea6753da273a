// The modify-dimension command: a click on an equation curve hands the curve
// to a new equation-curve command, which the host pushes when it receives
// kPushCommandMessage (lParam the command) at the active view of the main
// window's active MDI child. While the message is handled this command runs
// at level 1, so that the new command stacks on it instead of replacing it.
// Without such a view nobody takes the new command and it is deleted.
#pragma once

#include "draft/framework/CmdBase.h"
#include "platform/ui/WinUser.h"

class CModifyDimCmd : public CCmdBase {
 public:
  // The message the host's view receives with a command to push.
  static constexpr UINT kPushCommandMessage = WM_USER + 12;

  explicit CModifyDimCmd(int id);

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
};
