// The modify-end command: the user picks a line, circle or arc, which is
// taken out of the drawing and held, and then clicks where it is to reach.
// A line's end nearer the pick moves to the click, in any direction; an arc
// or circle gets the click's distance from its centre as its radius (R or D
// types the radius or diameter instead), an arc keeping its angles. The
// rebuild is one undo step. The held entity comes back unchanged on the
// right button, on End, when it has no rebuild rule (a two-point entity that
// is not a line), when the result would be degenerate (a line of no length,
// a radius of zero) and when the command is deleted while it holds one.
#pragma once

#include "draft/construct/LineCmd.h"

class CModifyEndCmd : public CLineCmd {
 public:
  CModifyEndCmd(int id, CDraftView* view);
  ~CModifyEndCmd() override;

  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- Added operations, in slot order. Each builder draws the preview
  // from the cursor (preview 1) or makes the result (preview 0).
  // No ellipse is ever held; a held entity the builders do not rebuild
  // comes back unchanged.
  virtual void BuildEllipse(CDraftView* view, int preview);
  virtual void BuildArc(CDraftView* view, int preview);
  virtual void BuildLine(CDraftView* view, int preview);

  // Marks the point that stays: an arc's centre, a line's end away from the
  // pick (when the command marks points).
  void MarkFixedPoint(CDraftView* view);

  CEntity* GetHeldEntity() const { return held_; }
  int GetRadiusMode() const { return radiusMode_; }

 protected:
  // Puts the held entity back unchanged and forgets it.
  void PutBackHeld(CDraftView* view);
  // Back to the first prompt with nothing held.
  void StartOver(CDraftView* view);
  // Replaces the held entity by `made` (in its place, with its owner) in
  // one undo step.
  void Replace(CDraftView* view, CEntity* made);

  // Members added to the line command, in order.
  CEntity* held_ = nullptr;
  double pickX_ = 0.0;
  double pickY_ = 0.0;
  int radiusMode_ = 0;
  double typedRadius_ = 0.0;
  int typedRadiusFlag_ = 0;
  // The view the held entity was taken out of.
  CDraftView* heldView_ = nullptr;
};
