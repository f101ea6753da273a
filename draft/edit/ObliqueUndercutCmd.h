// The oblique undercut: the user picks two lines that meet in a corner, and
// a slot of the width and depth kept in "XieTuiDaoCao" (CObliqueUndercutDlg,
// shown at every start) is cut into the corner along its bisector: both
// lines are cut back to where the slot begins, and the slot's three sides
// are drawn. It picks as the chamfer does (one click on a crossing of two
// lines of the current group takes both). Each slot is one undo step.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CObliqueUndercutCmd : public CCmdBase {
 public:
  explicit CObliqueUndercutCmd(int id);

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- Added operations, in slot order.
  // A line.
  virtual BOOL AcceptsEdge(CEntity* entity);
  // Cuts the slot into the corner of the two edges (both out of the
  // drawing); FALSE (nothing added) when the lines do not meet or meet at 0
  // or 180 degrees.
  virtual BOOL BuildGroove(CDraftView* view, BOOL onePick);

  CEntity* GetFirstEdge() const { return first_; }
  CEntity* GetSecondEdge() const { return second_; }

 private:
  void ForgetEdges(CDraftView* view);

  // Members, in order.
  CEntity* first_ = nullptr;
  CEntity* second_ = nullptr;
  int onePickFlag_ = 1;
  double depth_ = 3.0;
  double width_ = 4.0;
  GPoint pick1_;
  GPoint pick2_;
};
