#include "draft/tables/EditCellCmd.h"

#include <cmath>
#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/CellText.h"
#include "draft/host/DraftView.h"
#include "draft/host/LayerTable.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableCellEdit.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/TextPlacement.h"
#include "draft/host/UndoRecord.h"
#include "draft/tables/CellTextDlg.h"

CEditCellCmd::CEditCellCmd(int id, CDraftView* view) : CTableCellCmd(id, view) {
  promptOverride_ = "选择待修改的单元表格";
}

int CEditCellCmd::CellAlignmentCode(int alignment) {
  switch (alignment) {
    case 0: return kTextAlignFill;
    case 1: return 1;
    case 3: return 7;
    default: return 4;
  }
}

int CEditCellCmd::CellAlignmentOf(int code) {
  switch (code) {
    case kTextAlignFill: return 0;
    case 1: return 1;
    case 7: return 3;
    default: return 2;
  }
}

void CEditCellCmd::Execute(CDraftView* view) {
  if (!view) return;
  const double x = cursor_.x, y = cursor_.y;
  if (EditTableEntityCell(view, x, y)) return;
  EditDrawnCell(view, x, y);
}

BOOL CEditCellCmd::EditTableEntityCell(CDraftView* view, double x, double y) {
  CEntityList picked;
  view->PickEntitiesAtPoint(x, y, picked, 0, 1, 0, 0, 0x412000, 0);
  CTableEntity* table = nullptr;
  for (CEntity* e : picked) {
    if (e->IsTable()) {
      table = static_cast<CTableEntity*>(e);
      break;
    }
  }
  if (!table) return FALSE;
  CTableCell* cell = nullptr;
  int count = 0;
  if (!GetTableCells(table, &cell, &count, x, y) || !cell || count == 0) return TRUE;
  const CStringA oldText = ConvertStoredToCellText(cell->GetText());
  const int oldCode = CellAlignmentCode(cell->GetAlignment());
  CStringA text;
  int code = 0;
  {
    CModalDialogScope scope(view);
    CCellTextDlg dlg(oldText, oldCode, 1, kTextAngleNotGiven, nullptr);
    if (dlg.DoModal() != IDOK) return TRUE;
    dlg.ToCodes();
    text = dlg.m_text;
    code = dlg.m_alignment;
  }
  if (text == oldText && code == oldCode) return TRUE;
  CTableCell* made = ConstructCellText(cell);
  made->SetText(ConvertCellTextToStored(text));
  if (code != CCellTextDlg::kKeepAlignment) made->SetAlignment(CellAlignmentOf(code));
  ReplaceTableCell(view, table, count, cell, made);
  return TRUE;
}

void CEditCellCmd::EditDrawnCell(CDraftView* view, double x, double y) {
  Cell cell;
  if (!FindCell(view, x, y, cell)) return;
  CStringA oldString;
  int layer = GetLineKindLayer(2);
  CTextAttrib attr = ConstructTextAttrib(view->GetTextFont());
  CTextEntity* old = nullptr;
  {
    CEntityList parts;
    for (CEntity* e : *view->GetEntityList()) e->ExplodeInto(1, parts, 0, 0, 0);
    for (CEntity* e : parts) {
      if (e->IsText() && e->IsInRectangle(cell.x0, cell.y0, cell.x1, cell.y1, 0)) {
        old = static_cast<CTextEntity*>(e);
        break;
      }
    }
  }
  double oldAngle = 0.0;
  if (old) {
    oldString = old->GetText();
    layer = old->GetEntityLayer();
    CopyTextAttrib(attr, old->GetTextAttrib());
    oldAngle = old->GetTextAttrib().GetAngle();
  }
  CStringA text;
  int code = 0;
  double angle = 0.0;
  {
    CModalDialogScope scope(view);
    CCellTextDlg dlg(oldString, old && !oldString.IsEmpty() ? 100 : 4, 0, oldAngle, nullptr);
    if (dlg.DoModal() != IDOK) {
      ReleaseBoundary(view);
      return;
    }
    dlg.ToCodes();
    text = dlg.m_text;
    code = dlg.m_alignment;
    angle = dlg.m_angle;
  }
  if (text == oldString && code == CCellTextDlg::kKeepAlignment && (!old || std::fabs(angle - oldAngle) < 1e-6)) {
    ReleaseBoundary(view);
    return;
  }
  if (code == CCellTextDlg::kKeepAlignment) code = old ? old->GetPlacementCode() : 4;
  CTextEntity* made = ConstructTextEntityEx(layer, group_, attr, cell.x0, cell.y0, cell.x1, cell.y1, cell.cx,
                                            cell.cy, code, text, angle);
  CUndoRecord* record = nullptr;
  if (old) {
    made->SetEntityOwner(old->GetEntityOwner());
    record = ConstructUndoReplaceEntity(old, made);
    view->RemoveEntity(old);
    view->AddEntityToView(made, nullptr, old);
  } else {
    record = ConstructUndoAddEntity(made);
    view->AddEntityToView(made);
  }
  view->PushUndoRecord(record);
  ReleaseBoundary(view);
}
