#include "draft/edit/BasePointCmd.h"

#include "draft/host/DraftView.h"

int CBasePointCmd::ProcessSelection(CDraftView*) { return 1; }

int CBasePointCmd::OnProcessRButton(CDraftView* view) {
  ClearPoints();
  if (view) view->ClearSelection(nullptr);
  return CCmdBase::OnRButton(view);
}
