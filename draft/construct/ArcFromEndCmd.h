// The arc that continues a picked line or arc from its nearer end: the
// first click picks the entity (the click point tells which end), the next
// click gives the arc's other end. R or D fixes the radius; the arc then
// ends where the ray from its centre through the cursor meets it. TAB
// takes the complementary arc.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/Geometry2D.h"

class CEntity;

class CArcFromEndCmd : public CCmdBase {
 public:
  explicit CArcFromEndCmd(int id);

  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  CEntity* GetPickedEntity() const { return picked_; }

 private:
  struct Arc {
    GPoint centre;
    double r = 0.0;
    double start = 0.0;
    double end = 0.0;
  };
  // The arc from the picked entity's end nearer point 0 towards `cursor`.
  bool ComputeArc(CDraftView* view, const GPoint& cursor, Arc& arc);

  CEntity* picked_ = nullptr;  // not owned
  int fixedRadiusFlag_ = 0;
  double fixedRadius_ = 0.0;
};
