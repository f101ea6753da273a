#include "draft/tables/SignCellCmd.h"

#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineSetEntity.h"
#include "draft/host/UndoRecord.h"
#include "draft/tables/SignPadDlg.h"

CSignCellCmd::CSignCellCmd(int id, CDraftView* view) : CTableCellCmd(id, view) {
  promptOverride_ = "选择需要签名的方格";
}

void CSignCellCmd::Execute(CDraftView* view) {
  Cell cell;
  if (!view || !FindCell(view, cursor_.x, cursor_.y, cell)) return;
  const double w = cell.x1 - cell.x0, h = cell.y1 - cell.y0;
  const double bx = cell.x0 + 0.025 * w, by = cell.y0 + 0.025 * h;
  {
    CModalDialogScope scope(view);
    CSignPadDlg dlg(nullptr);
    if (dlg.DoModal() == IDOK) {
      double s = 1.0;
      dlg.FitScale(0.95 * w, 0.95 * h, &s);
      std::unique_ptr<CLineSetEntity> set(ConstructLineSetEntity(view->GetCurrentLayer(), view->GetCurrentGroup()));
      for (const CSignPadWnd::Stroke& stroke : dlg.GetStrokes()) {
        auto at = [&](const CPoint& p) { return GPoint{bx + s * p.x, by + s * p.y}; };
        if (stroke.size() == 1) {
          const GPoint p = at(stroke.front());
          set->AddSegment(p.x, p.y, p.x, p.y);
        }
        for (size_t i = 1; i < stroke.size(); ++i) {
          const GPoint a = at(stroke[i - 1]), b = at(stroke[i]);
          set->AddSegment(a.x, a.y, b.x, b.y);
        }
      }
      CUndoRecord* record = ConstructUndoAddEntities();
      view->AddEntityToView(set.release(), record);
      view->PushUndoRecord(record);
      dlg.GetStrokes().clear();
    }
  }
  ReleaseBoundary(view);
}
