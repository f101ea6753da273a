// The connecting arc: an arc of a given radius tangent to a picked line,
// arc or circle (the connected entity) whose centre either lies on a second
// picked entity or is found from a point the arc passes through (TAB at the
// second pick switches between the two). CMidArcSetDlg gives the radius,
// the tangency and whether the connected entity is cut at the tangent
// point; the next click gives the arc's end. At the end point TAB cycles:
// one press draws the other arc of the same circle, two switch to the other
// solution. Each arc, with the cut of the connected entity, is one undo
// step.
#pragma once

#include "draft/edit/FilletCmd.h"

class CArcCenterOnEntityCmd : public CFilletCmd {
 public:
  explicit CArcCenterOnEntityCmd(int id);

  int Begin(CDraftView* view) override;
  void OnTabKey(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- Added operation, after the chamfer's.
  // Runs CMidArcSetDlg and solves the arc; FALSE when cancelled or without
  // a solution (then the picks are dropped and "操作不成功！" shown).
  virtual BOOL AskArcSettings(CDraftView* view);

  // The centre, tangent angle and tangent point for the current picks,
  // radius, tangency and flip; FALSE when there is none.
  BOOL SolveArc(CDraftView* view);

  GPoint GetCentre() const { return centre_; }
  GPoint GetTangentPoint() const { return tangent_; }
  double GetRadius() const { return radius_; }
  int GetFlip() const { return flip_; }

 private:
  // The arc's start and end angles for the cursor at `end`.
  void ArcAngles(const GPoint& end, double& s, double& e) const;
  // The direction in which the connected entity goes on from the tangent point.
  double TrimAngle(double s, double e) const;
  bool CutsConnected() const;
  // Puts a connected entity taken out for cutting back into the drawing.
  void RestoreConnected(CDraftView* view);
  // Back to step 0 with nothing chosen.
  void Restart(CDraftView* view);
  void ShowStepOnePrompt();

  // Members added to the fillet, in order.
  GPoint centre_;
  double tangentAngle_ = 0.0;
  GPoint tangent_;
  double radius_ = 0.0;
  int tangency_ = 1;
  int flip_ = 0;
  int mode_ = 1;
};
