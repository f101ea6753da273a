#include "draft/edit/EnlargedViewCmd.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "draft/edit/EnlargedViewDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/FontManager.h"
#include "draft/host/LayerTable.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/UndoRecord.h"
#include "draft/host/ViewEntityMakers.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr int kAnnotationKind = 16;  // leaders, labels, the compounds
constexpr int kBoundaryKind = 17;    // the circle round the source area
constexpr int kDetailKind = 15;      // the circle round the enlarged copy
}  // namespace

CEnlargedViewCmd::CEnlargedViewCmd(int id) : CCircleCenterCmd(id, 0) {
  prompts_ = {CString("输入局部放大中心"), CString("输入半径点(R: 半径  D: 直径)"), CString("输入代号位置点"),
              CString("输入实体位置点"), CString("输入标注位置点")};
}

CEnlargedViewCmd::~CEnlargedViewCmd() { DeleteCopies(); }

void CEnlargedViewCmd::DeleteCopies() {
  while (!copies_.IsEmpty()) delete copies_.RemoveHead();
  while (!discarded_.IsEmpty()) delete discarded_.RemoveHead();
}

int CEnlargedViewCmd::Begin(CDraftView* view) { return CCmdBase::Begin(view) ? 1 : 0; }

GPoint CEnlargedViewCmd::StepPoint(int index) const {
  if (index < static_cast<int>(points_.size())) return {points_[static_cast<size_t>(index)].x, points_[static_cast<size_t>(index)].y};
  return {cursor_.x, cursor_.y};
}

CStringA CEnlargedViewCmd::GroupName(CDraftView* view) const {
  CStringA name = CStringA("局部放大图 ") + label_;
  for (int n = 2; view->GetGroupTable()->FindGroup(name.GetString()); ++n)
    name.Format("局部放大图 %s - %d", label_.GetString(), n);
  return name;
}

void CEnlargedViewCmd::AddAnnotation(CDraftView* view, CBlockEntity* block, const int* layer, CDrawingGroup* group,
                                     const CTextAttrib& attr, const GPoint& at, bool final) {
  const double h = attr.GetHeight();
  const CFontManager* fonts = GetFontManager();
  const double scaleWidth = fonts->GetTextWidth(scaleText_.GetString(), attr);
  // A text's height is a length of its group, shown times the group's
  // scale: the annotation is shown at the system height in any group.
  CTextAttrib inGroup = attr;
  inGroup.SetHeight(h / GetGroupScale(group));
  auto text = [&](const CStringA& s, double x, double y) {
    if (final)
      AddTextEntityEx(view, block, layer, group, CString(s), x, y, inGroup);
    else
      view->DrawTextPreviewStyled(s.GetString(), x, y, 0, attr);
  };
  if (label_.IsEmpty()) {
    text(scaleText_, at.x, at.y);
    return;
  }
  const double labelWidth = fonts->GetTextWidth(label_.GetString(), attr);
  const double half = std::max(labelWidth, scaleWidth) / 2 + kRuleOverhang * h;
  if (final)
    AddLineEntity(view, block, layer, group, at.x - half, at.y, at.x + half, at.y);
  else
    view->DrawLinePreview(at.x - half, at.y, at.x + half, at.y);
  // Texts stand on their insertion point (lower left).
  text(label_, at.x - labelWidth / 2, at.y + kTextGap * h);
  text(scaleText_, at.x - scaleWidth / 2, at.y - kTextGap * h - h);
}

void CEnlargedViewCmd::Build(CDraftView* view, bool final) {
  const GPoint o{points_[0].x, points_[0].y};
  const double r = GetPointDistance(o.x, o.y, points_[1].x, points_[1].y);
  CDrawingGroup* source = copies_.IsEmpty() ? view->GetCurrentGroup() : copies_.GetHead()->GetEntityGroup();
  const double effective = scale_ * GetGroupScale(source);
  const int annotationLayer = GetLineKindLayer(kAnnotationKind);
  const int boundaryLayer = GetLineKindLayer(kBoundaryKind);
  const int detailLayer = GetLineKindLayer(kDetailKind);
  CTextAttrib attr = ConstructTextAttrib(view->GetTextFont());
  attr.SetHeight(view->GetSystemReal(1));
  attr.SetAlignment(0);
  attrib_ = attr;
  attrib_.SetHeight(attr.GetHeight() / GetGroupScale(source));

  // The source side: circle, leader and label.
  const GPoint label = StepPoint(2);
  const double a = std::atan2(label.y - o.y, label.x - o.x);
  const GPoint e{o.x + r * std::cos(a), o.y + r * std::sin(a)};
  CBlockEntity* sourceBlock = nullptr;
  if (final) {
    sourceBlock = ConstructBlockEntity(annotationLayer, source);
    AddCircleEntity(view, sourceBlock, &boundaryLayer, source, o.x, o.y, r);
    AddLineEntity(view, sourceBlock, &annotationLayer, source, e.x, e.y, label.x, label.y);
    AddFormattedText(view, sourceBlock, &annotationLayer, source, label_.GetString(), label.x, label.y);
  } else {
    view->DrawCirclePreview(o.x, o.y, r);
    view->DrawLinePreview(e.x, e.y, label.x, label.y);
    view->DrawTextPreviewStyled(label_.GetString(), label.x, label.y, 0, attr);
  }
  if (step_ < 3 && !final) return;

  // The enlarged side: the copies scaled about O and moved to T, the circle
  // round them.
  const GPoint t = StepPoint(3);
  CDrawingGroup* detail = nullptr;
  CBlockEntity* detailBlock = nullptr;
  if (final) {
    detail = view->GetGroupTable()->AddGroup(GroupName(view).GetString(), effective, 1, 0.0, 0.0, nullptr);
    detail->SetOrigin(o.x, o.y);
    detailBlock = ConstructBlockEntity(annotationLayer, detail);
    // The copies are transformed in a group without scale or shift, where
    // their group points are drawing points, and then re-expressed in the
    // new group.
    std::unique_ptr<CDrawingGroup> plain(CopyDrawingGroup(detail));
    plain->SetGroupScale(1.0);
    plain->SetOrigin(0.0, 0.0);
    while (!copies_.IsEmpty()) {
      CEntity* copy = copies_.RemoveHead();
      copy->SetEntityGroup(plain.get());
      copy->Transform(t.x - o.x, t.y - o.y, o.x, o.y, scale_, 0.0, 0);
      copy->SetEntityGroup(detail);
      if (!detailBlock->AddMember(copy)) delete copy;
    }
    AddCircleEntity(view, detailBlock, &detailLayer, detail, t.x, t.y, r * scale_);
  } else {
    view->DrawSelectionTransformed(&copies_, t.x - o.x, t.y - o.y, o.x, o.y, scale_, 0, 0, 1);
    view->DrawCirclePreview(t.x, t.y, r * scale_);
  }
  if (step_ < 4 && !final) return;

  AddAnnotation(view, detailBlock, &annotationLayer, detail, attr, StepPoint(4), final);
  if (!final) return;
  view->AddEntityToView(sourceBlock);
  view->AddEntityToView(detailBlock);
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  record->AddNew(sourceBlock);
  record->AddNew(detailBlock);
  view->PushUndoRecord(record.release());
}

int CEnlargedViewCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ < 2 || points_.size() < 2) return CCircleCenterCmd::DrawPreview(view);
  Build(view, false);
  return CCmdBase::DrawPreview(view);
}

void CEnlargedViewCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (step_ == 2) {
    int answer = IDCANCEL;
    {
      CModalDialogScope scope(view);
      CEnlargedViewDlg dlg;
      dlg.m_scale = scale_;
      dlg.m_scaleText = scaleText_;
      dlg.m_label = label_;
      answer = static_cast<int>(dlg.DoModal());
      if (answer == IDOK) {
        scale_ = dlg.m_scale;
        scaleText_ = dlg.m_scaleText;
        label_ = dlg.m_label;
      }
    }
    if (answer != IDOK) {
      points_.clear();
      step_ = 0;
      return;
    }
    DeleteCopies();
    const double r = GetPointDistance(points_[0].x, points_[0].y, points_[1].x, points_[1].y);
    view->ClipByCircle(copies_, discarded_, 1, points_[0].x, points_[0].y, r, 1);
    return;
  }
  if (step_ >= 5) {
    Build(view, true);
    DeleteCopies();
    points_.clear();
    step_ = 0;
  }
}

int CEnlargedViewCmd::End(CDraftView* view) {
  DeleteCopies();
  return CCircleCenterCmd::End(view);
}

int CEnlargedViewCmd::OnRButton(CDraftView* view) {
  DeleteCopies();
  return CCircleCenterCmd::OnRButton(view);
}
