// Breaks the compound entities of the selection into their parts by the
// explode type kept in "Explode"/"Explode Type" (default 80). When the
// selection holds entities that offer explode options, Nobrack's explode
// dialog lets the user change the type first (Cancel keeps the stored one;
// the explosion runs either way). One undo record; the command ends after
// one explosion.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CExplodeCmd : public CSelectCmdBase {
 public:
  CExplodeCmd(int id, CDraftView* view, int selectAnew, int deselectMode);

  int ProcessSelection(CDraftView* view) override;
};
