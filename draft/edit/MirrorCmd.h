// Mirrors the selected entities about an axis: a picked line (an even TAB
// count) or a line through two typed points (an odd count). "保留原图？"
// decides whether the sources stay. An axis whose ends coincide is refused
// and the command waits for a new one; entities that cannot be mirrored stay
// selected. One undo record per mirror.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CMirrorCmd : public CSelectCmdBase {
 public:
  CMirrorCmd(int id, int mask, int filter);

  int ProcessSelection(CDraftView* view) override;
  int DrawProcessPreview(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;
  int OnProcessRButton(CDraftView* view) override;

 private:
  // Mirrors the selection about (x1, y1)-(x2, y2).
  void MirrorSelection(CDraftView* view, double x1, double y1, double x2, double y2);
};
