#include "draft/tables/ProcessTableCmd.h"

#include "draft/framework/ModalDialogScope.h"
#include "draft/tables/ProcessTableDlg.h"

CProcessTableCmd::CProcessTableCmd(CFieldArray* fields, int id) : CPlaceTableCmd(fields, id, 1) {}

int CProcessTableCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  {
    CModalDialogScope scope(view);
    CProcessTableDlg dlg(view, nullptr, 1, nullptr);
    if (GetFieldArray()) dlg.SetFieldArray(GetFieldArray());
    if (dlg.DoModal() != IDOK) return 0;
    TakeTable(dlg.TakeResultTable());
  }
  return ArmPlacement(view);
}
