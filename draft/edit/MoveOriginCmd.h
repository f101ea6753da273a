// The move-origin command (level 4, so that it runs over a drawing command
// and leaves it waiting): each click becomes the view's coordinate origin,
// from which the readouts and the coordinate dialog measure. It marks the
// point in the view's mark state 1 and restores the state after; the right
// button ends it.
#pragma once

#include "draft/framework/CmdBase.h"

class CMoveOriginCmd : public CCmdBase {
 public:
  CMoveOriginCmd(int id, CDraftView* view);

  void Execute(CDraftView* view) override;
};
