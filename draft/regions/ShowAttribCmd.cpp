#include "draft/regions/ShowAttribCmd.h"

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/regions/AttribInfoDlg.h"

CShowAttribCmd::CShowAttribCmd(int id) : CCmdBase(id, nullptr) {
  promptOverride_ = "选择需要显示属性的组元(Tab键直接显示图纸属性)";
}

int CShowAttribCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  pickMode_ = 1;
  return 1;
}

void CShowAttribCmd::ShowDialog(CDraftView* view, CDrawingGroup* group) {
  CModalDialogScope scope(view);
  CAttribInfoDlg dlg(group, view, nullptr);
  dlg.DoModal();
}

void CShowAttribCmd::Execute(CDraftView* view) {
  if (!view) return;
  const PointRec at = cursor_;
  points_.clear();
  CEntityList picked;
  view->PickEntitiesAtPoint(at.x, at.y, picked, 1, 1, 0, 0, 0x2000, -1);
  for (CEntity* e : picked) {
    if (CDrawingGroup* group = e->GetEntityGroup()) {
      ShowDialog(view, group);
      return;
    }
  }
}

int CShowAttribCmd::OnChar(CPoint, UINT ch, UINT, UINT, CDraftView* view) {
  if (ch != 9) return 0;
  pickMode_ = 0;
  pointInput_ = 0;
  if (!pickMode_ && view) ShowDialog(view, nullptr);
  pickMode_ = 1;
  return 0;
}

int CShowAttribCmd::End(CDraftView* view) {
  step_ = 0;
  pickMode_ = 0;
  return CCmdBase::End(view);
}

int CShowAttribCmd::OnRButton(CDraftView* view) {
  step_ = 0;
  pickMode_ = 0;
  return CCmdBase::OnRButton(view);
}
