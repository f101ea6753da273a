#include "draft/tables/EditTendonTableCmd.h"

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/TableEntity.h"
#include "draft/tables/DetailTableDlg.h"
#include "draft/tables/ProcessTableDlg.h"
#include "draft/tables/TableDataDlg.h"
#include "platform/core/Exceptions.h"

CEditTendonTableCmd::CEditTendonTableCmd(CFieldArray* fields, int id) : CCmdBase(id, nullptr), fields_(fields) {
  promptOverride_ = "选择需要修改的表或钢束图";
}

int CEditTendonTableCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  group_ = view ? view->GetCurrentGroup() : nullptr;
  SetPickMode(1);
  return 1;
}

void CEditTendonTableCmd::Execute(CDraftView* view) {
  if (!view) return;
  CEntityList picked;
  view->PickEntitiesAtPoint(cursor_.x, cursor_.y, picked, 0, 1, 0, 0, 0x12000, 0);
  CEntity* found = nullptr;
  for (CEntity* e : picked) {
    if (e->IsTable() || e->IsTendonGraph()) {
      found = e;
      break;
    }
  }
  if (!found) return;
  if (found->IsTendonGraph() || found->GetTableKind() == 3)
    throw CNotSupportedException(CStringW(u"Tendon coordinate tables and graphs: the tendon graph command is not built."));
  auto* table = static_cast<CTableEntity*>(found);
  CModalDialogScope scope(view);
  switch (table->GetTableKind()) {
    case 0:
    case 1: {
      CDetailTableDlg dlg(CDetailTableDlg::IDD, view, table, 2, nullptr);
      if (fields_) dlg.SetFieldArray(fields_);
      dlg.DoModal();
      break;
    }
    case 2: {
      CTableDataDlg dlg(CTableDataDlg::IDD, view, table, 2, nullptr);
      dlg.DoModal();
      break;
    }
    case 5: {
      CProcessTableDlg dlg(view, table, 2, nullptr);
      if (fields_) dlg.SetFieldArray(fields_);
      dlg.DoModal();
      break;
    }
    default: break;
  }
}

int CEditTendonTableCmd::OnRButton(CDraftView* view) {
  SetPickMode(0);
  CCmdBase::OnRButton(view);
  return 1;
}

int CEditTendonTableCmd::End(CDraftView* view) {
  SetPickMode(0);
  SetDone(1);
  return CCmdBase::End(view);
}
