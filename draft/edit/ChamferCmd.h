// The chamfer: the user picks two lines and the corner between them is cut
// by a straight chamfer whose legs come from "ChemferSetting" ("Var1" and
// "Len2", written by CChamferSetDlg, which Begin shows while
// "DisplayAlways" is set). The trim type, fixed at construction, says which
// edges are cut: 0 and 4 neither, 1 both, 2 the first, 3 the second, 5 both
// brought to their crossing without a chamfer. One click on a crossing of
// two lines of the current group takes both edges, except for types 2 and
// 3. The drafting view's MakeChamfer builds the corner; every corner is one
// undo step. Trim type 2 also draws a line from the chamfer to the nearest
// centre line perpendicular to the second edge.
//
// The class is the base of the commands that treat a corner otherwise: they
// replace AcceptsEdge and BuildCorner and keep the picking.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CChamferCmd : public CCmdBase {
 public:
  CChamferCmd(int id, int trimType);

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- Added operations, in slot order.
  // Whether an entity may be an edge: a line.
  virtual BOOL AcceptsEdge(CEntity* entity);
  // Builds the corner between the two edges (the edges the trim type cuts
  // are out of the drawing); FALSE when it cannot be made.
  virtual BOOL BuildCorner(CDraftView* view, BOOL onePick);

  CEntity* GetFirstEdge() const { return first_; }
  CEntity* GetSecondEdge() const { return second_; }
  int GetTrimType() const { return trimType_; }

 protected:
  // Trim type 2: the line from the chamfer's first end towards the nearest
  // perpendicular centre line (see BuildCorner).
  void AddCentreLineLink(CDraftView* view, CEntity* chamfer, const GPoint& f2, const GPoint& s1, const GPoint& s2,
                         CUndoRecord* record);
  // Forgets both edges and resets the picking.
  void ForgetEdges(CDraftView* view);

  // Members added to the base, in order.
  CEntity* first_ = nullptr;
  CEntity* second_ = nullptr;
  int onePickFlag_;
  double firstLength_ = 0.0;
  double secondLength_ = 0.0;
  GPoint pick1_;
  GPoint pick2_;
  int trimType_;
};
