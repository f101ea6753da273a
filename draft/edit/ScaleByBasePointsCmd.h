// Moves the selection from a source base point to a destination base point
// and, with a second pair of base points, turns it so that the source
// direction becomes the destination direction and, when the user agrees,
// scales it by the ratio of the two distances. The space key after the
// first pair applies the plain move and ends the command through the right
// button of the main window's active view (an MDI frame's active child).
#pragma once

#include "draft/edit/BasePointCmd.h"

class CScaleByBasePointsCmd : public CBasePointCmd {
 public:
  explicit CScaleByBasePointsCmd(int id);

  int OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view) override;
  // Shift is not counted.
  void OnShiftKey(CDraftView* view) override;
  int DrawProcessPreview(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;

 private:
  // Applies the move (two points) or the move, turn and scale (four) to the
  // selection as one undo step; then the points go and the selection is
  // cleared.
  void ApplyTransform(CDraftView* view);
  // Posts WM_RBUTTONUP to the active view of the main window's active child
  // frame, when the main window is an MDI frame and has one.
  static void PostRightButtonToActiveView();
};
