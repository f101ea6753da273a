// Picks a rectangle for the view: two clicks store it as the view's clip
// rectangle (corners in order), then the target window, when there is one,
// is told by a posted WM_USER+10. Typed coordinates are off. The command
// ends after the second click.
#pragma once

#include "draft/construct/RectCmd.h"

class CWnd;

class CViewClipRectCmd : public CRectCmd {
 public:
  CViewClipRectCmd(CWnd* target, int id);

  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int OnOtherChar(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int IsDoneAfterClick() override;
  void Execute(CDraftView* view) override;

  CWnd* GetTarget() const { return target_; }

 protected:
  // The picker that posts `message` in place of WM_USER+10.
  CViewClipRectCmd(CWnd* target, int id, UINT message);

 private:
  CWnd* target_;
  UINT message_;
};
