#include "draft/tables/FoldTableCmd.h"

#include <cmath>

#include "draft/host/DrawingGroup.h"
#include "draft/host/TableEntity.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr DWORD kTablePickMask = 0x402200;
constexpr double kOverhang = 10.0;  // the fold lines of the preview reach past the table
const char* const kPromptPick = "选择表格同时确定转折位置，利用鼠标点取表格中对应的需转折的单元格";
const char* const kPromptPlace = "确定转折后的表格在图形中的定位点";

// The vertical step of row i (0 without it).
double RowStep(const CTableEntity* table, int i) {
  if (i >= table->GetRowCount()) return 0.0;
  double width = 0.0, step = 0.0;
  GetRowPosition(table, table->GetRow(i), width, step);
  return step;
}
}  // namespace

CFoldTableCmd::CFoldTableCmd(int id) : CCmdBase(id, nullptr) {
  prompts_[0] = kPromptPick;
  prompts_[1] = kPromptPlace;
}

CFoldTableCmd::~CFoldTableCmd() { delete copy_; }

void CFoldTableCmd::Restart() {
  delete copy_;
  copy_ = nullptr;
  table_ = nullptr;
  std::vector<PointRec>().swap(points_);
  step_ = 0;
  pointCount_ = 1;
  promptOverride_ = kPromptPick;
}

GPoint CFoldTableCmd::ToTable(double x, double y) const {
  const CDrawingGroup* g = table_ ? table_->GetEntityGroup() : nullptr;
  return g ? g->ToGroup({x, y}) : GPoint{x, y};
}

void CFoldTableCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  if (!copy_) PickTable(view);
  else Fold(view);
}

void CFoldTableCmd::PickTable(CDraftView* view) {
  const PointRec p = points_.back();
  CEntityList picked;
  view->PickEntitiesAtPoint(p.x, p.y, picked, 0, 1, 0, 0, kTablePickMask, 0);
  CTableEntity* table = nullptr;
  for (CEntity* e : picked) {
    if (e->IsTable()) {
      table = dynamic_cast<CTableEntity*>(e);
      if (table) break;
    }
  }
  picked.RemoveAll();
  CTableEntity* copy = table ? dynamic_cast<CTableEntity*>(table->Clone(1)) : nullptr;
  if (!copy) {
    Restart();
    return;
  }
  table_ = table;
  copy_ = copy;
  first_ = ToTable(p.x, p.y);
  SetPointInput(1);
  pointCount_ = step_ + 1;
  promptOverride_ = kPromptPlace;
}

void CFoldTableCmd::Fold(CDraftView* view) {
  const PointRec p = points_.back();
  second_ = ToTable(p.x, p.y);
  double width = 0.0, height = 0.0;
  GetTableSize(copy_, width, height);
  const int found = copy_->FindSegment(first_.x, first_.y);
  if (found < 0) {
    Restart();
    return;
  }
  const bool oddTab = (tabCount_ & 1) != 0;
  const double foldY = first_.y;
  CTableSegment& seg = copy_->GetSegment(found);
  bool addSegment = true;
  if (copy_->GetSegmentCount() == 1) {
    if (first_.x < seg.startX) {
      Restart();
      return;
    }
    seg.endY = foldY;
    double x = 0.0;
    if (copy_->GetTableKind() == 1) x = oddTab ? second_.x - width : second_.x;
    segment_ = ConstructTableSegment(x, second_.y, kTableOpenEnd);
  } else if (found + 1 < copy_->GetSegmentCount()) {
    const double oldEnd = seg.endY;
    seg.endY = foldY;
    CTableSegment& next = copy_->GetSegment(found + 1);
    if (!next.IsOpen()) next.endY += oldEnd - foldY;
    addSegment = false;
  } else {
    seg.endY = foldY;
    segment_ = ConstructTableSegment(oddTab ? second_.x - width : second_.x, second_.y, kTableOpenEnd);
  }
  if (addSegment) copy_->AddSegment(segment_);

  // A segment that the fold leaves without a row goes.
  const bool withoutHeader = !copy_->GetHeaderShown() || (copy_->GetTableKind() == 1 && found != 0);
  const double h = withoutHeader ? RowStep(copy_, 1) : RowStep(copy_, 0) + RowStep(copy_, 1);
  const CTableSegment& folded = copy_->GetSegment(found);
  const int direction = copy_->GetDirection();
  if ((direction == 0 && foldY > folded.startY - h) || (direction == 1 && foldY < folded.startY + h))
    copy_->RemoveSegment(found);

  RecalcTable(copy_);
  view->RemoveEntity(table_);
  view->AddEntityToView(copy_);
  view->PushUndoRecord(ConstructUndoReplaceEntity(table_, copy_));
  // The folded copy is the drawing's now.
  copy_ = nullptr;
  Restart();
}

int CFoldTableCmd::OnRButton(CDraftView* view) {
  Restart();
  return CCmdBase::OnRButton(view);
}

int CFoldTableCmd::End(CDraftView* view) {
  Restart();
  return CCmdBase::End(view);
}

int CFoldTableCmd::DrawPreview(CDraftView* view) {
  if (!view || !copy_) return CCmdBase::DrawPreview(view);
  const int found = copy_->FindSegment(first_.x, first_.y);
  const auto& placed = copy_->GetPlacedRows();
  const double dir = copy_->GetDirectionFactor();
  // The rows that move: the picked row and every row after it.
  size_t from = placed.size();
  for (size_t i = 0; i < placed.size(); ++i) {
    const auto& r = placed[i];
    const double lo = std::fmin(r.y, r.y + dir * r.height), hi = std::fmax(r.y, r.y + dir * r.height);
    if (r.segment == found && first_.y >= lo && first_.y <= hi) {
      from = i;
      break;
    }
  }
  if (from == placed.size()) return CCmdBase::DrawPreview(view);
  const double s = GetGroupScale(copy_->GetEntityGroup());
  double width = 0.0, height = 0.0;
  GetTableSize(copy_, width, height);
  const double w = width * s;
  const double x = (tabCount_ & 1) ? cursor_.x - w : cursor_.x;
  double y = cursor_.y;
  for (size_t i = from; i < placed.size(); ++i) {
    view->DrawLinePreview(x, y, x + w, y);
    y += dir * placed[i].height * s;
  }
  view->DrawLinePreview(x, y, x + w, y);
  view->DrawLinePreview(x, cursor_.y, x, y);
  view->DrawLinePreview(x + w, cursor_.y, x + w, y);
  const CDrawingGroup* g = copy_->GetEntityGroup();
  const GPoint fold = g ? g->ToShown({placed[from].x, first_.y}) : GPoint{placed[from].x, first_.y};
  view->DrawLinePreview(fold.x - kOverhang, fold.y, fold.x + w + kOverhang, fold.y);
  view->DrawLinePreview(x - kOverhang, cursor_.y, x + w + kOverhang, cursor_.y);
  return CCmdBase::DrawPreview(view);
}
