// Turns the selected entities about a base point. After the base point the
// user gives a base line (the right button takes a horizontal one) and then
// the pointer, whose angle from the base line, in [0, 360) and rounded to
// whole angle steps, is the rotation; a typed angle is taken as typed.
// "保留原图？" decides whether the sources stay. One undo record per turn.
#pragma once

#include <functional>

#include "draft/framework/SelectCmdBase.h"
#include "draft/host/Geometry2D.h"

class CRotateCmd : public CSelectCmdBase {
 public:
  explicit CRotateCmd(int id);

  // Step 2: the pointer moves by whole angle steps about the base point.
  void OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) override;
  int ProcessSelection(CDraftView* view) override;
  int DrawProcessPreview(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;
  int OnProcessRButton(CDraftView* view) override;
  int OnProcessNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;

 protected:
  // The rotation in degrees for the pointer q: its angle from the base
  // line in [0, 360), rounded to whole angle steps unless `exact`.
  double RotationAngle(CDraftView* view, const GPoint& q, bool exact) const;
  // The angle of the base line, from point 0 to point 1.
  double BaseLineAngle() const;
  // Replaces the selection by `transform`'s copies (ReplaceSelectionByCopies),
  // drops the points and pushes the one undo record.
  void TransformSelection(CDraftView* view, bool keep, const std::function<CEntity*(CEntity*)>& transform);
  // Frees the points, clears the selection, goes back to selecting and
  // lets the root's right button end the command.
  int EndProcessing(CDraftView* view);

  BYTE typedAngle_ = 0;
};
