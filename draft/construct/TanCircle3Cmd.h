// Circles through or tangent to three inputs: points entered with the cursor
// or picked lines, circles and arcs (an arc counts as its full circle). TAB
// switches between picking and entering points; inputs of both kinds mix.
// Once the inputs are complete, Pellatrix's solver for their mix (or the
// circle through three points) gives the circles. One solution is added at
// once as one undo step; several are added to the drawing as highlighted
// candidates, the user clicks the ones to keep, and the right button (or
// taking the last candidate) ends the choice: the kept circles become one
// undo step and the others leave the drawing and are destroyed.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/EntityList.h"

class CTanCircle3Cmd : public CCmdBase {
 public:
  explicit CTanCircle3Cmd(int id);
  ~CTanCircle3Cmd() override;

  int MarksPoints() override;
  int Begin(CDraftView* view) override;
  void OnTabKey(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // The solver a mix of inputs goes to (its Pellatrix name, or
  // "GetCircleBy3Points"), and null when no solver covers it: three points
  // set, else the number of points given with nL lines and nC circles.
  static const char* SolverFor(int points, int lines, int circles);

  int IsChoosing() const { return choosing_; }
  int IsPointMode() const { return pointMode_; }

 private:
  struct InputPoint {
    double x = 0.0;
    double y = 0.0;
    int set = 0;
  };

  // The element mode's click: the lines, circles and arcs under the cursor
  // into the empty slots.
  void TakeElements(CDraftView* view, double x, double y);
  // Whether the inputs are complete, by the first case that holds.
  bool InputsComplete() const;
  void Solve(CDraftView* view);
  // The circles found: one is recorded at once, several are offered.
  void AddSolutions(CDraftView* view, const double* cx, const double* cy, const double* r, int n);
  void Choose(CDraftView* view, double x, double y);
  // Keeps the chosen circles under one undo record and destroys the rest.
  void EndChoice(CDraftView* view);
  void ClearInputs();
  void SetModePrompt();

  CEntity* elements_[3] = {nullptr, nullptr, nullptr};
  int pointMode_ = 0;
  InputPoint inputs_[3];
  int choosing_ = 0;
  CEntityList kept_;
};
