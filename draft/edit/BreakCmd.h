// The break command: cuts a gap into a line, circle, arc or ellipse. The
// click that picks the entity gives the first break point; the entity is
// taken out of the drawing and held. The second click gives the second
// break point: where a line, circle, arc or ellipse under it meets the held
// entity's carrier (nearest the click), or else the click itself brought
// onto the entity. The stretch between the two points goes: a line or arc
// becomes the pieces before and after it, a circle or whole ellipse one arc
// running counter-clockwise from the larger angle to the smaller (so the
// order of the two points does not matter). Both points are kept on the
// entity: a point beyond an end counts as that end, and a piece that would
// be empty is not made (a gap over the whole line or arc leaves nothing of
// it). The split is one undo step.
//
// The held entity comes back unchanged on the right button, on End, when
// the boundary gives no point, when the second point gives none on an
// ellipse (the click at its centre), when it has no split rule (a two-point
// entity that is not a line) or nothing to cut (a line of no length) and
// when the command is deleted while holding it. Members of compound curves
// are neither broken nor taken as boundaries, and members of compounds kept
// whole (a dimension) are not broken: such a member stands for its owner.
#pragma once

#include <memory>
#include <vector>

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CBreakCmd : public CCmdBase {
 public:
  CBreakCmd(int id, CDraftView* view);
  ~CBreakCmd() override;

  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- Added operations, in slot order. Each builder draws the gap's
  // preview from the cursor (preview 1) or makes the pieces (preview 0).
  virtual void BuildArc(CDraftView* view, int preview);
  virtual void BuildEllipse(CDraftView* view, int preview);
  virtual void BuildCircle(CDraftView* view, int preview);
  virtual void BuildLine(CDraftView* view, int preview);
  // Where the held entity's carrier meets the boundary entity, nearest the
  // point given in (x, y), written back; 0 when there is no such point.
  virtual int IntersectBoundary(CDraftView* view, double& x, double& y);

  // Marks the point that stays put while the gap follows the cursor, when
  // the command marks points: an arc's or ellipse's centre, a line's end
  // away from the pick.
  void MarkFixedPoint(CDraftView* view, CEntity* entity);

  CEntity* GetHeldEntity() const { return held_; }

 protected:
  // Puts the held entity back unchanged and forgets it.
  void PutBackHeld(CDraftView* view);
  // The builder of the held entity's kind; none for a two-point entity
  // that is not a line.
  void BuildHeld(CDraftView* view, int preview);
  // The second break point before it is brought onto the entity: the
  // cursor (preview, or mode 1) or the boundary crossing. When the boundary
  // gives none the command takes the right button's path (the entity goes
  // back) and the result is false.
  bool SecondPoint(CDraftView* view, int preview, GPoint& point);
  // Replaces the held entity by the pieces (given its layer, group and
  // owner) in one undo step; with none the held entity only leaves the
  // drawing. The first piece takes the held entity's place.
  void ReplaceHeld(CDraftView* view, std::vector<std::unique_ptr<CEntity>> pieces);

  // Members added to the root, in order.
  CEntity* held_ = nullptr;
  CEntity* boundary_ = nullptr;
  double pickX_ = 0.0;
  double pickY_ = 0.0;
  int secondMode_ = 1;  // 1 a free point, 2 a boundary
  // The view the held entity was taken out of.
  CDraftView* heldView_ = nullptr;
};
