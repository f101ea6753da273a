// Clips the drawing with a circle drawn by centre and a point on it: TAB
// switches between cutting the inside away and keeping only the inside (the
// state is remembered for the next clip). When anything was clipped the
// user may have the circle drawn too; the clip and the circle are one undo
// step. The command stays for further clips until the right button.
#pragma once

#include "draft/construct/CircleCenterCmd.h"
#include "draft/edit/ClipState.h"

class CClipCircleCmd : public CCircleCenterCmd {
 public:
  explicit CClipCircleCmd(int id);

  int MarksPoints() override;
  void OnTabKey(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

  int GetClipState() const { return state_.Get(); }

 private:
  void UpdatePrompt();
  CClipState state_;
};
