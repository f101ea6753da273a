// The length-measuring command: the user picks entities (a click on one, or
// a window from a click on nothing) and the right button shows the sum of
// their lengths in Korrin's result list, then picking starts over; a right
// button with nothing picked ends the command. A member of a compound that
// is measured whole (a compound curve) stands for its compound, which counts
// once however many of its members were picked.
#pragma once

#include "draft/framework/CmdBase.h"

class CMeasureLengthCmd : public CCmdBase {
 public:
  CMeasureLengthCmd(int id, CDraftView* view);

  // A selection made before the command is reported at once.
  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  // The pick window while its first corner is held; nothing otherwise.
  int DrawPreview(CDraftView* view) override;
  int End(CDraftView* view) override;
  // With a selection: the report, and 0 (the command goes on); else 1. The
  // points and the selection are cleared either way.
  int OnRButton(CDraftView* view) override;

  // ---- Its own operations, in slot order.
  // One point: the entities under it, or (nothing there) the point stays as
  // a window's first corner; two points: the entities of the window. What
  // is found joins the selection.
  virtual void PickForLength(CDraftView* view);
  // The rubber window from the first corner to the cursor (dotted when
  // drawn from right to left); the root's preview at any other step.
  virtual void DrawPickWindow(CDraftView* view);
  // The sum of the selection's lengths in the result list.
  virtual void ReportLength(CDraftView* view);

  double GetTotal() const { return total_; }

 private:
  // Resets the picking: no points, step 0, one point before Execute.
  void StartOver();

  double total_ = 0.0;
};
