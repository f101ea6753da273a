// The arc of a given radius tangent to two picked circles or arcs. Mode 1:
// the arc encloses both (inner tangency); mode 2: it touches both from
// outside; mode 3: the first inner, the second outer. ClassifyCircles
// refines the mode for concentric circles (4 and 41: the arc's radius is
// fixed by the ring between them and a third click, or a typed angle,
// places it on the ring) and for a circle that lies inside the other (11,
// 12, 31, 32). Otherwise the radius is asked for ("GongQieYuan"/"r"). The
// arc is always the shorter one, so TAB has no effect on it.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CEntity;

class CTangentArcCmd : public CCmdBase {
 public:
  CTangentArcCmd(int id, int mode);

  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- New operations, in slot order.
  // Computes the arc; with the preview flag draws it, else makes it with
  // its undo record. 0 when no arc results (a dialog cancelled).
  virtual int BuildArc(CDraftView* view, int preview);
  // Reads both circles and refines the mode (see above).
  virtual void ClassifyCircles(CDraftView* view);
  // Modes 4 and 41: the arc's centre on the ring, in the direction of the
  // cursor or the typed angle. False when that direction is undefined.
  virtual int PlaceCentreOnRing(CDraftView* view);

  int GetMode() const { return mode_; }
  double GetArcRadius() const { return radius_; }

 protected:
  // Offsets d1, d2 of the arc's centre from the two centres for the radius
  // R, per mode (modes 1 and 3 may turn into 13 and 33 here). Records
  // which offsets were negated.
  void CentreOffsets(double R, double& d1, double& d2);
  // Whether the tangent point on circle 1 (or 2) is the one away from the
  // arc's centre.
  bool TakesFarPoint(int circle) const;
  void Reset(CDraftView* view);

  // Members, in declaration order.
  int mode_;
  int ctorMode_;
  double radius_ = 50.0;
  CEntity* first_ = nullptr;   // not owned
  CEntity* second_ = nullptr;  // not owned
  GPoint centre_;
  int typedAngle_ = 0;
  GPoint c1_, c2_;
  double r1_ = 0.0, r2_ = 0.0;
  double groupScale_ = 1.0;
  GPoint reference_;  // the point a typed angle gives
  bool negated_[2] = {false, false};
};
