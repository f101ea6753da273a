// The three-view origin command: the user divides the drawing into three
// views and fixes their common origin. After a first point, a second point
// on the 45-degree mitre side of it (lower right or upper left) is the
// origin; any other second point asks for a third, which is snapped onto
// the mitre through the corner of the first two. A right button after the
// first point takes the first point. The command leaves the cursor on the
// origin (CDraftView::MoveCursorTo); the command stack hands that point to
// the view as the three-view origin. It runs at level 6, apart from the
// drawing commands.
#pragma once

#include "draft/framework/CmdBase.h"

class CThreeViewOriginCmd : public CCmdBase {
 public:
  explicit CThreeViewOriginCmd(int id);

  // Hides the cross-hair, puts the cursor on the cursor point and frees the
  // points.
  void Execute(CDraftView* view) override;
  // With one point: the first point is the origin and the command ends (1).
  int OnRButton(CDraftView* view) override;
  int OnLButton(UINT flags, CPoint dp, CDraftView* view) override;
  // Snaps the cursor onto the mitre and draws the rubber line to it.
  int DrawPreview(CDraftView* view) override;
  // The view's snap, whether or not point input is on.
  int SnapPoint(PointRec& cursor, UINT flags, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) override;

  // Moves `cursor` onto the mitre line x + y = base x + base y: its y
  // changes when the direction from the base is nearer the vertical side
  // of the mitre, else its x.
  static void SnapToMitre(const GPoint& base, GPoint& cursor);
};
