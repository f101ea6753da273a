// The view commands that take two points: zoom to the window they span, and
// pan the view so that the first point comes to where the second is. They
// run at level 5 like the zoom commands (ZoomInCmd.h), draw their rubber
// window or line from the first point to the cursor, and start over after
// each window or pan until the right button ends them.
#pragma once

#include "draft/framework/CmdBase.h"

class CZoomWindowCmd : public CCmdBase {
 public:
  // The view first, then the command id.
  CZoomWindowCmd(CDraftView* view, int id);

  int IsViewCommand() override { return 1; }
  int MarksPoints() override { return 0; }
  // The rubber window from the first point to the cursor; nothing else.
  int DrawPreview(CDraftView* view) override;
  // The display in mode 2, then the window zoom; the points freed.
  void Execute(CDraftView* view) override;
};

class CPanCmd : public CZoomWindowCmd {
 public:
  CPanCmd(CDraftView* view, int id);

  // The rubber line from the first point to the cursor; nothing else.
  int DrawPreview(CDraftView* view) override;
  // The pan from the first point to the second; the points freed.
  void Execute(CDraftView* view) override;
};
