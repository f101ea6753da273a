// Replaces two or more selected entities by one compound block entity that
// owns copies of them, in one undo step; the command ends after one block.
#pragma once

#include "draft/framework/SelectCmdBase.h"

class CMakeBlockCmd : public CSelectCmdBase {
 public:
  CMakeBlockCmd(int id, CDraftView* view, int selectAnew, int deselectMode);

  // Makes the block (nothing for fewer than two entities); false: the
  // command ends.
  int ProcessSelection(CDraftView* view) override;
};
