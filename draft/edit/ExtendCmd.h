// The extend command: the user picks a line, arc, circle, ellipse or
// two-point entity, which is taken out of the drawing and held, and then
// clicks a free point (the moving end goes there) or a boundary entity (the
// moving end goes to where the held entity's carrier meets it). A line
// keeps its direction (the line command's fixed-angle construction); TAB
// makes it symmetric as in the line command and turns an arc or ellipse the
// other way (the complementary sweep). A circle changes its radius (R or D
// types it); an arc always moves one of its ends, wherever it is picked. The held entity comes back unchanged on the right button, on
// End, when the boundary gives no point, when it has no rebuild rule (a
// two-point entity that is not a line) and when the command is deleted
// while it holds one (a stack that deletes without End); a rebuild is one undo step, which
// also takes a boundary the result swallows (a collinear overlapping line,
// an arc of the same circle).
#pragma once

#include "draft/construct/LineCmd.h"

class CExtendCmd : public CLineCmd {
 public:
  CExtendCmd(int id, CDraftView* view);
  ~CExtendCmd() override;

  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- Added operations, in slot order. Each builder draws the preview
  // from the cursor (preview 1) or makes the result (preview 0).
  virtual void BuildArc(CDraftView* view, int preview);
  virtual void BuildEllipse(CDraftView* view, int preview);
  virtual void BuildLine(CDraftView* view, int preview);
  // Where the held entity meets the boundary entity, nearest the point
  // given in (x, y), written back; 0 when there is no such point.
  virtual int IntersectBoundary(CDraftView* view, double& x, double& y);

  // Marks the point that stays: an arc's centre, a straight entity's end
  // away from the pick.
  void MarkFixedPoint(CDraftView* view, CEntity* entity);

  CEntity* GetHeldEntity() const { return held_; }
  int GetRadiusMode() const { return radiusMode_; }
  int GetMergeFlag() const { return merge_; }

 protected:
  // Puts the held entity back unchanged and forgets it.
  void PutBackHeld(CDraftView* view);
  // The target of a rebuild: the cursor (preview, or end mode 1) or the
  // boundary crossing; false when the boundary gives none.
  bool Target(CDraftView* view, int preview, double& x, double& y);
  // Replaces the held entity (and a swallowed boundary) by `made` in one
  // undo step.
  void Replace(CDraftView* view, CEntity* made);

  // Members added to the line command, in order.
  CEntity* held_ = nullptr;
  CEntity* boundary_ = nullptr;
  int merge_ = 0;
  double pickX_ = 0.0;
  double pickY_ = 0.0;
  int radiusMode_ = 0;
  int endMode_ = 2;
  double typedRadius_ = 0.0;
  int typedRadiusFlag_ = 0;
  // The view the held entity was taken out of.
  CDraftView* heldView_ = nullptr;
};
