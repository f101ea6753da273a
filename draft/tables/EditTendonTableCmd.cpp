#include "draft/tables/EditTendonTableCmd.h"

#include "draft/framework/CmdStack.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TendonGraphEntity.h"
#include "draft/tables/DetailTableDlg.h"
#include "draft/tables/ProcessTableDlg.h"
#include "draft/tables/SteelCoordGraphCmd.h"
#include "draft/tables/TableDataDlg.h"

namespace {
constexpr char kPromptFirst[] = "选择需要修改的表或钢束图";
constexpr char kPromptGraph[] = "选择坐标表对应的钢束图(鼠标右键结束选择)";
constexpr char kPromptTable[] = "选择钢束图对应的表(鼠标右键结束选择)";

// The first picked table or tendon graph at the point.
CEntity* PickTableOrGraph(CDraftView* view, double x, double y) {
  CEntityList picked;
  view->PickEntitiesAtPoint(x, y, picked, 0, 1, 0, 0, 0x12000, 0);
  for (CEntity* e : picked)
    if (e->IsTable() || e->IsTendonGraph()) return e;
  return nullptr;
}
}  // namespace

CEditTendonTableCmd::CEditTendonTableCmd(CFieldArray* fields, int id) : CCmdBase(id, nullptr), fields_(fields) {
  promptOverride_ = kPromptFirst;
}

int CEditTendonTableCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  group_ = view ? view->GetCurrentGroup() : nullptr;
  SetPickMode(1);
  phase_ = 0;
  return 1;
}

void CEditTendonTableCmd::Execute(CDraftView* view) {
  if (!view) return;
  CEntity* found = PickTableOrGraph(view, cursor_.x, cursor_.y);
  if (!found) return;
  if (phase_ == 0) {
    PickFirst(view, found);
    return;
  }
  if (found->IsTendonGraph() && !pickedGraph_)
    pickedGraph_ = found;
  else if (found->IsTable() && !pickedTable_)
    pickedTable_ = found;
  else
    return;  // the same kind again: still waiting for the partner
  view->SelectEntity(found);
  EditPicked(view, kPairedGraphId);
}

void CEditTendonTableCmd::PickFirst(CDraftView* view, CEntity* found) {
  if (found->IsTendonGraph()) {
    pickedGraph_ = found;
    view->SelectEntity(found);
    phase_ = 1;
    promptOverride_ = kPromptTable;
    return;
  }
  auto* table = static_cast<CTableEntity*>(found);
  if (table->GetTableKind() == 3) {
    pickedTable_ = found;
    view->SelectEntity(found);
    phase_ = 1;
    promptOverride_ = kPromptGraph;
    return;
  }
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

void CEditTendonTableCmd::ForgetPicks(CDraftView* view) {
  if (view && (pickedTable_ || pickedGraph_)) view->ClearSelection();
  pickedTable_ = pickedGraph_ = nullptr;
  phase_ = 0;
  promptOverride_ = kPromptFirst;
}

// The selection is cleared before the graph command starts, so that the
// entities it takes off the drawing are no longer selected.
void CEditTendonTableCmd::EditPicked(CDraftView* view, int id) {
  auto* graph = static_cast<CTendonGraphEntity*>(pickedGraph_);
  CEntity* table = pickedTable_;
  ForgetPicks(view);
  if (GetStack()) GetStack()->PushNested(view, new CSteelCoordGraphCmd(id, graph, table));
}

int CEditTendonTableCmd::OnRButton(CDraftView* view) {
  if (phase_ == 1 && (pickedTable_ != nullptr) != (pickedGraph_ != nullptr)) {
    EditPicked(view, kSingleGraphId);
    SetPickMode(1);
    return 0;
  }
  ForgetPicks(view);
  SetPickMode(0);
  CCmdBase::OnRButton(view);
  return 1;
}

int CEditTendonTableCmd::End(CDraftView* view) {
  ForgetPicks(view);
  SetPickMode(0);
  SetDone(1);
  return CCmdBase::End(view);
}
