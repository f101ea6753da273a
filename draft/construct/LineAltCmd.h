// The stepping line command: a line command of construction kind 1 whose
// arrow keys step the segment being drawn. Left and Right make it one
// length step shorter or longer (in whole steps, through zero into the
// opposite direction); Up and Down turn it to the next or previous standard
// angle (0, 30, 45, 60, 90, ... 330), wrapping round.
#pragma once

#include "draft/construct/LineCmd.h"

class CLineAltCmd : public CLineCmd {
 public:
  explicit CLineAltCmd(int id);

  void OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) override;
};
