// Nobrack's dialog base: a dialog made from a template of the current
// resource chain with a parent window. A derived dialog calls its
// OnInitDialog first. A right-button release on the dialog's own surface
// closes it as Cancel does, so that the right button, which ends input in
// the drawing, also leaves a value dialog without taking anything.
#pragma once

#include "platform/ui/Dialog.h"

class CBaseDialog : public CDialog {
 public:
  CBaseDialog(UINT templateId, CWnd* parent);
  ~CBaseDialog() override;

  BOOL OnInitDialog() override;

 protected:
  afx_msg void OnRButtonUp(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
