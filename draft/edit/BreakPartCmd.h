// Breaking into parts: each click picks a line, arc or circle, and the
// piece of it between its neighbouring crossings with the other entities
// at the pick is cut away (mode 0), kept alone (mode 1) or moved to the
// current layer (mode 2) by the view's part operations. Each break is one
// undo step; a break that yields nothing changes nothing. The command stays
// for the next pick; the right button ends it.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/EntityList.h"

class CEntity;

class CBreakPartCmd : public CCmdBase {
 public:
  // The mode is 2 with the change-layer flag, else 1 with the keep flag,
  // else 0. The prompt names the cut, else the keep, else the layer change.
  CBreakPartCmd(int id, int cut, int keep, int changeLayer);

  int Begin(CDraftView* view) override;
  int MarksPoints() override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  // Fills `add` and `remove` with the entity's pieces by `mode` (an entity
  // already on the current layer gives false in mode 2); true when either
  // list got an entity.
  virtual BOOL BreakEntityPart(CDraftView* view, CEntity* entity, CEntityList& add, CEntityList& remove, double x,
                               double y, int mode);

  int GetMode() const;

 private:
  int cut_;
  int keep_;
  int changeLayer_;
};
