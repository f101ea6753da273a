// Nobrack's dialog base: a dialog made from a template of the current
// resource chain with a parent window. A derived dialog calls its
// OnInitDialog first. A right-button release on the dialog's own surface
// closes it as Cancel does, so that the right button, which ends input in
// the drawing, also leaves a value dialog without taking anything. Tool
// tips of the dialog's controls and tool-bar buttons come from the string
// table: the string of the command id, its text after the first line break
// ("删除行\n删除行" shows "删除行").
#pragma once

#include "platform/ui/Dialog.h"

class CBaseDialog : public CDialog {
 public:
  CBaseDialog(UINT templateId, CWnd* parent);
  ~CBaseDialog() override;

  BOOL OnInitDialog() override;

 protected:
  afx_msg void OnRButtonUp(UINT flags, CPoint point);
  // TTN_NEEDTEXT: FALSE when the string table has no text for the id.
  afx_msg BOOL OnToolTipText(UINT id, NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()
};
