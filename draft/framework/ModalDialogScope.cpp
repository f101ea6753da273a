#include "draft/framework/ModalDialogScope.h"

#include "draft/host/DraftView.h"

CModalDialogScope::CModalDialogScope(CDraftView* view, LPCSTR moduleName) : view_(view) {
  resources_.SwitchToModule(moduleName);
  if (view_) {
    previousFlag_ = view_->ModalDialogFlag();
    view_->ModalDialogFlag() = 1;
  }
}

CModalDialogScope::~CModalDialogScope() {
  // A dialog opened from inside another keeps the flag of the outer one.
  if (view_) view_->ModalDialogFlag() = previousFlag_;
}
