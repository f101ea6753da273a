// The line command: straight lines from two points, one undo record each.
// TAB makes the segment symmetric about one of its points (the TAB counter
// mod 3: 0 plain, 1 centred on its first point, 2 centred on its second);
// with the chain flag each segment starts where the last one ended and C
// closes the chain. Construction kind 0 draws freely; kinds 1 and 2 are
// constrained (1 keeps the direction and types a length and an angle, 2
// runs at a fixed angle) and show the length and angle beside the cursor.
// It is the base of most construction commands.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CLineCmd : public CCmdBase {
 public:
  CLineCmd(int id, CDraftView* view);

  // Digits and signs after the first point: the length dialog (kinds 1
  // and 2) or the coordinate dialog (kind 0), relative to the first point
  // while it is the only one and to the view's coordinate origin after it.
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  // C closes a chain of at least three points (see OnCloseKey).
  int OnOtherChar(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

  // The segment from the start (sx, sy) to the cursor record: the end under
  // the command's constraint, then the symmetry of the TAB mode (which may
  // move the start). `angle` gets the constrained direction (kinds 1, 2).
  virtual void ComputeSegmentEnds(CDraftView* view, double& sx, double& sy, const PointRec& cursor, double& ex,
                                  double& ey, double& angle, int option);

  // 0: each segment stands alone; non-zero: segments chain.
  int GetChainFlag() const { return chain_; }
  void SetChainFlag(int chain) { chain_ = chain; }
  int GetConstructionKind() const { return kind_; }

 protected:
  // 0 plain; 1 the first point is the midpoint; 2 the second point is.
  int SymmetryMode() const { return tabCount_ % 3; }
  // ComputeSegmentEnds without the symmetry: where the cursor puts the end.
  void ConstrainSegmentEnd(CDraftView* view, double sx, double sy, const PointRec& cursor, double& ex, double& ey,
                           double& angle, int option);
  // C or c with three points or more: closes the chain (kinds 1 and 2 first
  // meet the first segment's direction), each line its own undo record; the
  // points are freed. Returns 0: no point is taken.
  int OnCloseKey(CDraftView* view, UINT ch);
  // Brings the length of a stepped (snapped but not onto an entity) segment
  // to whole length steps.
  void RoundSegmentLength(CDraftView* view, const GPoint& s, GPoint& e);
  // A line s-e on the current layer and group, added with its own undo
  // record; nothing for coincident points.
  void AddRecordedLine(CDraftView* view, const GPoint& s, const GPoint& e);

  // Members added to the base, in order.
  int chain_ = 0;
  int reserved_ = 0;
  int kind_ = 0;             // 0 free; 1 and 2 constrained
  double fixedAngle_ = 0.0;  // degrees, used by kind 2
};
