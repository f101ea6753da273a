// Progress bars: a range, a position and a step. StepIt moves by the step
// and starts over from the lower end when it passes the upper one; each
// position change gives back the previous position.
#pragma once

#include "platform/ui/Wnd.h"

class CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetRange(short lower, short upper);
  void SetRange32(int lower, int upper);
  void GetRange(int& lower, int& upper) const;
  int GetPos() const;
  int SetPos(int pos);
  int OffsetPos(int delta);
  int SetStep(int step);
  int StepIt();
};
