#include "draft/tables/TecReqCmd.h"

#include <algorithm>
#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/FontManager.h"
#include "draft/host/LayerTable.h"
#include "draft/host/TextBlockEntity.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/UndoRecord.h"
#include "draft/tables/TecReqDlg.h"
#include "draft/tables/TecReqOptionDlg.h"
#include "platform/ui/Wnd.h"

namespace {
// The line kind whose layer takes the block.
constexpr int kBlockLineKind = 12;
constexpr double kFar = 1e300;

// Widens the box by a text placed at (x, y).
void WidenBox(const char* text, double x, double y, const CTextAttrib& attr, double box[4]) {
  const double width = GetFontManager()->GetTextWidth(text, attr);
  box[0] = std::min(box[0], x);
  box[1] = std::min(box[1], y);
  box[2] = std::max(box[2], x + width);
  box[3] = std::max(box[3], y + attr.GetHeight());
}
}  // namespace

CTecReqCmd::CTecReqCmd(int id) : CCmdBase(id, nullptr) {
  prompts_ = {CString("确定技术要求位置点")};
  pointCount_ = 1;
}

CTecReqCmd::~CTecReqCmd() {
  // Out of the drawing and never put back (the stack dropped without End):
  // it goes back to the view, whose it may still be (a record may name it).
  RestoreExisting(takenFrom_);
}

int CTecReqCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  CEntity* existing = nullptr;
  for (CEntity* e : *view->GetEntityList())
    if (e->IsRequirementText()) {
      existing = e;
      break;
    }
  group_ = view->GetDrawingAttributes();
  {
    CModalDialogScope scope(view);
    CTecReqDlg dlg(existing, AfxGetMainWnd());
    if (dlg.DoModal() != IDOK) return 0;
    dlg.GetResult(title_, items_);
  }
  if (existing && view->RemoveEntity(existing)) {
    existing_ = existing;
    takenFrom_ = view;
  }
  return 1;
}

void CTecReqCmd::MakeAttributes(CDraftView* view, CTextAttrib& title, CTextAttrib& item, bool scaled) const {
  title = ConstructTextAttrib(view->GetTextFont());
  item = title;
  const double s = scaled ? GetGroupScale(group_) : 1.0;
  title.SetHeight(GetTecTitleHeight() * s);
  item.SetHeight(GetTecTextHeight() * s);
}

int CTecReqCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 0) {
    CTextAttrib titleAttr, itemAttr;
    MakeAttributes(view, titleAttr, itemAttr, true);
    CStringA text;
    for (INT_PTR i = 0; i < items_.GetSize(); ++i) text.AppendFormat("%d.%s", static_cast<int>(i + 1), items_[i].GetString());
    if (!items_.IsEmpty()) {
      const double x = cursor_.x;
      const double y1 = cursor_.y - titleAttr.GetHeight();
      const double y2 = y1 - itemAttr.GetHeight();
      double box[4] = {kFar, kFar, -kFar, -kFar};
      WidenBox(title_, x, y1, titleAttr, box);
      WidenBox(text, x, y2, itemAttr, box);
      const double xs[4] = {box[0], box[2], box[2], box[0]};
      const double ys[4] = {box[1], box[1], box[3], box[3]};
      view->DrawPolylinePreview(xs, ys, 4, 1, 1);
      view->DrawTextPreviewStyled(title_, x, y1, 0, titleAttr);
      view->DrawTextPreviewStyled(text, x, y2, 0, itemAttr);
    }
  }
  return CCmdBase::DrawPreview(view);
}

void CTecReqCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  CTextAttrib titleAttr, itemAttr;
  MakeAttributes(view, titleAttr, itemAttr, false);
  const PointRec& p = points_.front();
  CTextBlockEntity* block =
      ConstructTextBlockEntity(GetLineKindLayer(kBlockLineKind), group_, p.x, p.y, title_, items_, titleAttr, itemAttr,
                               GetTecTitleHeight(), GetTecTextHeight(), GetTecLineSpacing());
  UpdateTextBlock(block);
  // The earlier block and the new one form one step.
  CUndoRecord* record = existing_ ? ConstructUndoReplaceEntity(existing_, block) : ConstructUndoAddEntity(block);
  existing_ = nullptr;
  view->AddEntityToView(block);
  view->PushUndoRecord(record);
  done_ = 1;
  doneOutside_ = 1;
  step_ = 0;
  points_.clear();
}

void CTecReqCmd::RestoreExisting(CDraftView* view) {
  if (!existing_ || !view) return;
  view->AddEntityToView(existing_);
  existing_ = nullptr;
}

int CTecReqCmd::OnRButton(CDraftView* view) {
  if (step_ == 0) RestoreExisting(view);
  return CCmdBase::OnRButton(view);
}

int CTecReqCmd::End(CDraftView* view) {
  RestoreExisting(view);
  return CCmdBase::End(view);
}
