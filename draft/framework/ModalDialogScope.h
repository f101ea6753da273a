// The scope in which a command runs a modal dialog: the module that holds
// the dialog's template is the current resource module, and the view's
// modal-dialog flag is 1. Both are put back when the scope ends, also when
// an exception passes. A command constructs the dialog inside the scope, so
// that the dialog is gone before the resources are restored:
//
//   CModalDialogScope scope(view);  // this library's own templates
//   CLengthInputDlg dlg(...);
//   if (dlg.DoModal() != IDOK) return 0;
#pragma once

#include "draft/framework/ResourceSwitch.h"

class CDraftView;

class CModalDialogScope {
 public:
  // A view may be null (a dialog opened without one).
  explicit CModalDialogScope(CDraftView* view, LPCSTR moduleName = kScrivelModuleName);
  ~CModalDialogScope();
  CModalDialogScope(const CModalDialogScope&) = delete;
  CModalDialogScope& operator=(const CModalDialogScope&) = delete;

 private:
  CResourceSwitch resources_;
  CDraftView* view_;
  int previousFlag_ = 0;
};
