// The axial undercut: the user picks the end line (a shoulder or end face)
// and four outline lines crossing it, two on each side; a groove of the
// diameter and width kept in "TuiDaoCao" (CAxialUndercutDlg, shown at every
// start) is cut next to the end line into the side whose two lines lie
// closer together (the smaller diameter; edge 1's side on a tie). The first
// click on an end line also takes, as edges, the lines of its layer and
// group that cross it, so a shoulder with its four outlines is grooved at
// once. Each groove is one undo step.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CUndercutCmd : public CCmdBase {
 public:
  explicit CUndercutCmd(int id);

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- Added operations, in slot order.
  // Whether an entity may be the end line or an edge: a line.
  virtual BOOL AcceptsEdge(CEntity* entity);
  // Cuts the groove for the chosen end line and edges; FALSE (nothing
  // changed) when the edges do not pair up across the end line, a crossing
  // is missing, or the groove diameter equals the small diameter.
  virtual BOOL BuildGroove(CDraftView* view, BOOL firstPick);
  // Puts the two points in order: by x, then by y.
  virtual void SortPointPair(double& x1, double& y1, double& x2, double& y2);
  // The side of the end line on which the edge lies: +1 or -1; 0 for a
  // parallel edge.
  virtual int SideOfLine(CEntity* endLine, CEntity* edge);
  virtual void SwapPoints(GPoint& p, GPoint& q);
  // Forgets the end line, the edges and the cut lines.
  virtual void ClearEdges();
  // Drops the prompt at `index`; the later ones move down.
  virtual void RemovePrompt(int index);

  CEntity* GetEndLine() const { return endLine_; }
  CEntity* GetEdge(int i) const { return edges_[i]; }

 private:
  // Puts a line into the first free edge slot; FALSE when none is free.
  bool TakeEdge(CDraftView* view, CEntity* line, const GPoint& foot);
  bool IsChosen(const CEntity* line) const;
  // The lines of the end line's layer and group crossing it, into the free
  // slots.
  void FindCrossingEdges(CDraftView* view);
  // Asks whether to enter new sizes when the groove diameter equals the
  // small diameter; FALSE to give up.
  bool AskNewSizes(CDraftView* view, double scale, double small, double& width, double& diameter);

  // Members, in order.
  CEntity* endLine_ = nullptr;
  CEntity* edges_[4] = {};
  CEntity* cut1_ = nullptr;
  CEntity* cut2_ = nullptr;
  double width_ = 5.0;
  double diameter_ = 20.0;
  GPoint endFoot_;
  GPoint feet_[4];
  int promptCount_ = 5;
};
