// The divide command: asks for a division count N (2 to 100, remembered in
// "SystemSetting"/"Point Divide Number") in Halcyte's number dialog when it
// begins, and then places point entities at the N − 1 points that divide a
// picked line or arc into N equal parts, each division one undo step. An
// arc is divided from its start angle towards its end angle as it keeps
// them. A click on a segment of a compound curve divides nothing.
#pragma once

#include "draft/framework/CmdBase.h"

class CDividePointCmd : public CCmdBase {
 public:
  CDividePointCmd(int id, CDraftView* view);

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;

  int GetDivisionCount() const { return count_; }

 private:
  // The division points of `entity` (a line or arc) into `out`.
  void DivisionPoints(const CEntity* entity, std::vector<GPoint>& out) const;

  int count_;
};
