// The view commands that zoom about a clicked point: zoom in by 2 and zoom
// out by 2, the point staying where it shows. They run at level 5, on top of
// a drawing command that waits below them with its points; each click zooms
// again, and the right button ends the command and resumes the one below.
// They take no snapped points and mark none.
#pragma once

#include "draft/framework/CmdBase.h"

class CZoomInCmd : public CCmdBase {
 public:
  // The view first, then the command id.
  CZoomInCmd(CDraftView* view, int id);

  int IsViewCommand() override { return 1; }
  int MarksPoints() override { return 0; }
  // Frees the points, hides the cross-hair and zooms in about the click.
  void Execute(CDraftView* view) override;

 protected:
  // The points freed (size and capacity 0); the point that was clicked.
  GPoint TakeClick();
};

class CZoomOutCmd : public CZoomInCmd {
 public:
  CZoomOutCmd(CDraftView* view, int id);

  // Frees the points and zooms out about the click.
  void Execute(CDraftView* view) override;
};
