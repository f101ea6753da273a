// Moves the selected entities, or copies them, from a base point to a target
// point. While the target is chosen, Shift switches between a free
// displacement and one held horizontal or vertical, and each TAB turns the
// result a further 90 degrees about the base point. A repeat copy keeps its
// base point after each copy, so that every further click places more
// copies: as many, at 1, 2, ... times the displacement, as the copy count
// setting says. Each click that moves or copies is one undo record.
#pragma once

#include "draft/edit/BasePointCmd.h"
#include "draft/host/Geometry2D.h"

class CMoveCopyCmd : public CBasePointCmd {
 public:
  // move 1 moves, 0 copies; orthogonal is the first state of the Shift
  // hold; repeat (copies only) keeps the base point. The two further
  // integers are accepted and not used.
  CMoveCopyCmd(int id, int move, int orthogonal, int extra1, int extra2, int repeat);

  void OnShiftKey(CDraftView* view) override;
  int DrawProcessPreview(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;

  int IsMove() const { return move_; }
  int IsOrthogonal() const { return orthogonal_; }
  int IsRepeat() const { return repeat_; }

  // The settings value that gives the copies of a click in repeat mode.
  static constexpr const char* kSettingsSection = "拷贝设定";
  static constexpr const char* kCopyCountKey = "拷贝份数";

 private:
  // The raw target, held horizontal or vertical from the base when the
  // orthogonal flag is set (a tie goes vertical).
  GPoint EffectiveTarget(const PointRec& base, double x, double y) const;
  // 0, 90, 180 or 270 degrees by the TAB presses.
  double TurnAngle() const { return 90.0 * (tabCount_ % 4); }
  static int CopyCount();

  // Members, in declaration order.
  int orthogonal_;
  [[maybe_unused]] int extra1_;
  [[maybe_unused]] int extra2_;
  int repeat_;
  int move_;
};
