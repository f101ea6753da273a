// Clips the drawing with a rectangle given by two corners: TAB switches
// between cutting the inside away and keeping only the inside (the state is
// remembered for the next clip). When anything was clipped the user may
// have the rectangle's four sides drawn too, in the same undo step. The
// command stays for further clips until the right button.
#pragma once

#include "draft/construct/RectCmd.h"
#include "draft/edit/ClipState.h"

class CClipRectCmd : public CRectCmd {
 public:
  explicit CClipRectCmd(int id);

  int MarksPoints() override;
  void OnTabKey(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

  int GetClipState() const { return state_.Get(); }

 private:
  void UpdatePrompt();
  CClipState state_;
};
