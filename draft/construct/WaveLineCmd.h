// The wave line: a smooth open curve that makes one full wave between every
// two clicked points. The peak height is asked when the command starts;
// TAB mirrors the waves that follow.
#pragma once

#include "draft/construct/SplineCmd.h"

class CWaveLineCmd : public CSplineCmd {
 public:
  explicit CWaveLineCmd(int id);

  // The peak height dialog; Cancel does not start the command.
  int Begin(CDraftView* view) override;
};
