// Draws a curve from parametric equations: the equation dialog first, then
// the curve follows the cursor until a click places its origin; TAB cycles
// the axis type (0 to 8: which way x(t) and y(t) run, and whether they are
// exchanged). The curve becomes one CEquationCurveEntity holding its
// segments and, when asked for, its axes and their labels. Created with an
// existing equation curve, the command edits it: the dialog opens with its
// equation, the curve leaves the drawing while the new one is placed, and
// the new one replaces it in one undo step. The right button, End and the
// command's destruction put an edited curve that was not replaced back.
#pragma once

#include <memory>

#include "draft/construct/EquationText.h"
#include "draft/framework/CmdBase.h"
#include "platform/core/StringArray.h"

class CEquationCurveEntity;

class CCurveEquationCmd : public CCmdBase {
 public:
  CCurveEquationCmd(int id, CEquationCurveEntity* edited);
  ~CCurveEquationCmd() override;

  int Begin(CDraftView* view) override;
  int OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  // A curve placed at a typed point is done as one placed by a click.
  int IsDoneAfterKey() override;

  // The curve being placed (null before Begin and after placing).
  const CEquationCurveEntity* GetCurve() const { return curve_.get(); }

 private:
  // Builds the curve at the origin o: into the entity, or as a preview.
  void BuildCurve(CDraftView* view, double ox, double oy, bool preview);
  // Puts an edited curve that was taken out back into the drawing.
  void PutEditedBack(CDraftView* view);

  // Members, in order.
  double xmax_ = 0, ymax_ = 0, xmin_ = 0, ymin_ = 0;
  BYTE layer_;
  CStringArrayA record_;
  CEquationCurveEntity* edited_;
  bool editedOut_ = false;  // taken out of the drawing and not yet replaced
  CDraftView* editView_ = nullptr;
  std::unique_ptr<CEquationCurveEntity> curve_;
  char xBuffer_[kEquationBufferSize] = {};
  char yBuffer_[kEquationBufferSize] = {};
};
