// The centre-line command: a pair of crossing centre lines, horizontal and
// vertical, through a centre and reaching as far as an extension point on
// both sides; one undo record for the pair.
#pragma once

#include "draft/framework/CmdBase.h"

class CCenterLineCmd : public CCmdBase {
 public:
  explicit CCenterLineCmd(int id);

  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
};
