#include "draft/tables/PlaceTableCmd.h"

#include <cmath>
#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TableEntity.h"
#include "draft/host/UndoRecord.h"
#include "draft/tables/DetailTableDlg.h"
#include "draft/tables/TableDataDlg.h"
#include "platform/core/Exceptions.h"

namespace {
constexpr double kNoLimit = 1e300;
constexpr double kLevel = 1e-6;  // end points this close count as one level
constexpr DWORD kDockPickMask = 0x402200;

const char* const kPromptStart = "选择停靠图元确定表格起点";
const char* const kPromptStartY = "选择停靠图元确定表格起点的 Y 坐标值";
const char* const kPromptStartX = "选择停靠图元确定表格起点的 X 坐标值";
const char* const kPromptWrap = "确定表格转折高度(右健不限制高度)";
const char* const kPromptNext = "选择停靠图元确定确定表格下一起点的 Y 坐标值";

// The end points of a picked line; false for any other entity.
bool LineEnds(const CEntity* e, double& x1, double& y1, double& x2, double& y2) {
  if (!e || !e->IsLine()) return false;
  double v[kMaxGeometryValues] = {};
  if (e->GetGeometry(v) < 4) return false;
  x1 = v[0];
  y1 = v[1];
  x2 = v[2];
  y2 = v[3];
  return true;
}

// The size of the table's first row (0, 0 with no rows).
void FirstRowSize(const CTableEntity* table, double& a, double& b) {
  a = b = 0.0;
  if (table->GetRowCount() > 0) GetRowPosition(table, table->GetRow(0), a, b);
}
}  // namespace

CPlaceTableCmd::CPlaceTableCmd(CFieldArray* fields, int id, int mode, CTableEntity* table, CEntityList* oldEntities,
                               CEntityList* newEntities)
    : CCmdBase(id, nullptr), fields_(fields), table_(table), mode_(mode) {
  if (oldEntities) {
    oldEntities_.AddTail(*oldEntities);
    oldEntities->RemoveAll();
  }
  if (newEntities) {
    newEntities_.AddTail(*newEntities);
    newEntities->RemoveAll();
  }
}

CPlaceTableCmd::~CPlaceTableCmd() {
  delete table_;
  oldEntities_.RemoveAll();
  newEntities_.RemoveAll();
}

// ---- Begin.

int CPlaceTableCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  if (mode_ == 1) {
    CModalDialogScope scope(view);
    CDetailTableDlg dlg(CDetailTableDlg::IDD, view, nullptr, 1, nullptr);
    if (fields_) dlg.SetFieldArray(fields_);
    if (dlg.DoModal() != IDOK) return 0;
    delete table_;
    table_ = dlg.TakeResultTable();
  }
  if (mode_ == 2) {
    CModalDialogScope scope(view);
    CTableDataDlg dlg(CTableDataDlg::IDD, view, nullptr, 1, nullptr);
    if (dlg.DoModal() != IDOK) return 0;
    delete table_;
    table_ = dlg.TakeResultTable();
  }
  return ArmPlacement(view);
}

void CPlaceTableCmd::TakeTable(CTableEntity* table) {
  if (table == table_) return;
  delete table_;
  table_ = table;
}

int CPlaceTableCmd::ArmPlacement(CDraftView* view) {
  if (!table_ || !view) return 0;
  previousTable_ = view->GetPartsListTable();
  rowsRemaining_ = table_->GetRowsToPlace();
  startX_ = startY_ = wrapY_ = 0.0;
  xDocked_ = yDocked_ = wrapSet_ = phase_ = 0;
  done_ = 0;
  step_ = 0;
  promptOverride_ = kPromptStart;
  firstRowOfColumn_ = 0;
  group_ = view->GetDrawingAttributes();
  // The table is laid out in the placement group's coordinates from the
  // first column on, so it joins that group before anything is placed.
  if (group_ && table_->GetEntityGroup() != group_) table_->SetEntityGroup(group_);
  return 1;
}

// ---- Helpers.

double CPlaceTableCmd::TableWidth() const {
  double w = 0.0, h = 0.0;
  GetTableSize(table_, w, h);
  return w;
}

double CPlaceTableCmd::ToGroupX(double x) const {
  const double ox = group_ ? group_->GetOriginX() : 0.0;
  return ox + (x - ox) / GetGroupScale(group_);
}

double CPlaceTableCmd::ToGroupY(double y) const {
  if (std::fabs(y) >= kNoLimit) return y;
  const double oy = group_ ? group_->GetOriginY() : 0.0;
  return oy + (y - oy) / GetGroupScale(group_);
}

void CPlaceTableCmd::AddTempLine(CDraftView* view, double x1, double y1, double x2, double y2) {
  CLineEntity* line = ConstructLineEntity(GetLineKindLayer(1), group_, x1, y1, x2, y2);
  view->GetTempEntityList().AddTail(line);
  view->DrawEntityTemp(line, 1, 0);
}

void CPlaceTableCmd::EraseTempEntities(CDraftView* view) {
  CEntityList& temp = view->GetTempEntityList();
  while (!temp.IsEmpty()) {
    CEntity* e = temp.RemoveHead();
    view->DrawEntityTemp(e, 1, 1);
    delete e;
  }
}

// ---- Clicks.

void CPlaceTableCmd::DockAtCursor(CDraftView* view) {
  const bool tabOdd = (tabCount_ & 1) != 0;
  CEntityList picked;
  view->PickEntitiesAtPoint(cursor_.x, cursor_.y, picked, 0, 1, 0, 0, kDockPickMask, 0);
  if (!picked.IsEmpty()) {
    for (CEntity* e : picked) {
      double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
      if (!LineEnds(e, x1, y1, x2, y2)) continue;
      if (!xDocked_ && std::fabs(x1 - x2) <= kLevel) {
        startX_ = x1;
        if (tabOdd) startX_ -= TableWidth();
        promptOverride_ = kPromptStartY;
        xDocked_ = 1;
      }
      // An odd TAB flips the table horizontally only: start y stays at the line.
      if (!yDocked_ && std::fabs(y1 - y2) <= kLevel) {
        startY_ = y1;
        promptOverride_ = kPromptStartX;
        yDocked_ = 1;
      }
      if (xDocked_ && yDocked_) {
        phase_ = 1;
        promptOverride_ = kPromptWrap;
        break;
      }
    }
  } else {
    if (!xDocked_) {
      startX_ = cursor_.x;
      if (tabOdd) startX_ -= TableWidth();
    }
    if (!yDocked_) startY_ = cursor_.y;
    xDocked_ = yDocked_ = 1;
    phase_ = 1;
    promptOverride_ = kPromptWrap;
  }
  if (step_ >= 3) {
    const int kind = table_->GetTableKind();
    if (kind == 0 || kind == 1 || mode_ == 2) {
      startX_ = cursor_.x;
      startY_ = cursor_.y;
      if ((kind == 0 || kind == 1) && tabOdd) startX_ -= TableWidth();
    }
  }
}

void CPlaceTableCmd::Execute(CDraftView* view) {
  if (!table_ || !view) return;
  if (phase_ == 0) {
    if (xDocked_ && yDocked_) {
      phase_ = 1;
      promptOverride_ = kPromptWrap;
    } else {
      DockAtCursor(view);
    }
    pointCount_ = step_ + 1;
    return;
  }

  if (wrapSet_) {
    phase_ = 0;
  } else {
    CEntityList picked;
    view->PickEntitiesAtPoint(cursor_.x, cursor_.y, picked, 0, 1, 0, 0, kDockPickMask, 0);
    for (CEntity* e : picked) {
      double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
      if (!LineEnds(e, x1, y1, x2, y2) || std::fabs(y1 - y2) > kLevel) continue;
      wrapY_ = y1;
      wrapSet_ = 1;
      phase_ = 0;
    }
  }
  if (!wrapSet_) {
    wrapY_ = cursor_.y;
    const bool down = table_->GetDirection() == 0;
    if ((down && cursor_.y > startY_) || (!down && cursor_.y < startY_)) wrapY_ = kNoLimit;
    wrapSet_ = 1;
    phase_ = 0;
  }
  promptOverride_ = kPromptNext;
  // The rows still to place are the table's own count (all of them before
  // the first column).
  rowsRemaining_ = table_->GetRowsToPlace();
  if (PlaceTable(table_, ToGroupX(startX_), ToGroupY(startY_), &rowsRemaining_, ToGroupY(wrapY_))) {
    done_ = 1;
    AddTableToDrawing(view);
    pointCount_ = 1;
    step_ = 0;
    points_.clear();
    return;
  }
  OutlinePlacedColumn(view);
  wrapSet_ = 0;
  yDocked_ = 0;
  pointCount_ = step_ + 1;
  firstRowOfColumn_ = table_->GetCountedRowCount() - rowsRemaining_;
}

// ---- Outlines.

void CPlaceTableCmd::OutlinePlacedColumn(CDraftView* view) {
  const double dir = table_->GetDirection() == 0 ? -1.0 : 1.0;
  const double s = GetGroupScale(group_);
  const int n = table_->GetCountedRowCount();
  double a0 = 0, b0 = 0;
  FirstRowSize(table_, a0, b0);
  // The host repeats the header at the top of every column after the first.
  bool headerPending = table_->GetRepeatHeader() != 0 && firstRowOfColumn_ > 0;
  const int placedEnd = n - rowsRemaining_;
  double y = startY_, a = 0, b = 0;
  int i = -1;
  for (int r = 0; r < table_->GetRowCount(); ++r) {
    const CTableRow* row = table_->GetRow(r);
    if (!row->GetCounted()) continue;
    ++i;
    if (i < firstRowOfColumn_) continue;
    if (i > placedEnd) break;
    if (headerPending) {
      a = a0;
      b = b0;
      headerPending = false;
      --r;
      --i;
    } else {
      GetRowPosition(table_, row, a, b);
    }
    AddTempLine(view, startX_, y, startX_ + a * s, y);
    y += dir * b * s;
  }
  y -= dir * b * s;
  AddTempLine(view, startX_, startY_, startX_, y);
  AddTempLine(view, startX_ + a * s, y, startX_ + a * s, startY_);
}

int CPlaceTableCmd::DrawPreview(CDraftView* view) {
  if (!view || !table_) return 0;
  const double s = GetGroupScale(group_);
  const bool atWrap = xDocked_ && yDocked_ && !wrapSet_;
  double x = startX_, y = startY_;
  if (!atWrap) {
    x = cursor_.x;
    if (tabCount_ & 1) x -= TableWidth();
    y = cursor_.y;
  }
  const double y0 = y;
  const double dir = table_->GetDirection() == 0 ? -1.0 : 1.0;
  const int n = table_->GetCountedRowCount();
  const int remaining = table_->GetRowsToPlace();
  double a0 = 0, b0 = 0;
  FirstRowSize(table_, a0, b0);
  bool headerPending = table_->GetRepeatHeader() != 0 && remaining < n;
  double a = a0, b = 0;
  int i = -1;
  for (int r = 0; r < table_->GetRowCount(); ++r) {
    const CTableRow* row = table_->GetRow(r);
    if (!row->GetCounted()) continue;
    ++i;
    if (i < n - remaining) continue;
    if (headerPending) {
      a = a0;
      b = b0;
      headerPending = false;
      --r;
      --i;
    } else {
      GetRowPosition(table_, row, a, b);
    }
    view->DrawLinePreview(x, y, x + a * s, y, 0);
    y += dir * b * s;
  }
  view->DrawLinePreview(x, y, x + a * s, y, 0);
  if (atWrap) view->DrawLinePreview(x - 10, cursor_.y, x + a * s + 10, cursor_.y, 0);
  view->DrawLinePreview(x, y0, x, y, 0);
  view->DrawLinePreview(x + a * s, y, x + a * s, y0, 0);
  return CCmdBase::DrawPreview(view);
}

// ---- Into the drawing.

void CPlaceTableCmd::AddTableToDrawing(CDraftView* view) {
  if (!view) return;
  EraseTempEntities(view);
  if (!group_ || !table_) return;
  table_->SetEntityLayer(GetLineKindLayer(2));
  SetTableLineLayer(table_, GetLineKindLayer(1));
  table_->SetEntityGroup(group_);
  view->AddEntityToView(table_);
  newEntities_.AddTail(table_);
  // A drawing holds one parts list: a placed one takes the previous one's
  // place in the same step. Any other table leaves the parts list alone.
  if (previousTable_ && table_->GetTableKind() == 1 && previousTable_ != table_) {
    view->RemoveEntity(previousTable_);
    oldEntities_.AddTail(previousTable_);
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  record->SetLists(oldEntities_, newEntities_);
  view->PushUndoRecord(record.release());
  oldEntities_.RemoveAll();
  newEntities_.RemoveAll();
  table_ = nullptr;
  previousTable_ = nullptr;
}

int CPlaceTableCmd::Finish(CDraftView* view, bool ending) {
  if (view && table_ && xDocked_ && yDocked_ && !wrapSet_) {
    // The wrap height is being asked for: the rest goes into one column.
    int remaining = table_->GetRowsToPlace();
    PlaceTable(table_, ToGroupX(startX_), ToGroupY(startY_), &remaining, kNoLimit);
    done_ = 1;
    AddTableToDrawing(view);
    points_.clear();
    step_ = 0;
  } else if (view && (!oldEntities_.IsEmpty() || !newEntities_.IsEmpty())) {
    // What the caller changed before placement stays one undo step.
    std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
    record->SetLists(oldEntities_, newEntities_);
    view->PushUndoRecord(record.release());
    oldEntities_.RemoveAll();
    newEntities_.RemoveAll();
  }
  // Any right button ends the command: outside the wrap prompt it abandons
  // the placement, whatever points were taken.
  int result = ending ? CCmdBase::End(view) : CCmdBase::OnRButton(view);
  if (!ending) result = 1;
  if (view) EraseTempEntities(view);
  // The previous parts list leaves the drawing only with a placed parts
  // list; the one that is still in the drawing needs nothing back.
  if (view && previousTable_ && !view->IsInDrawing(previousTable_)) {
    const BOOL added = view->AddEntityToView(previousTable_);
    if (ending) result = added;
  }
  previousTable_ = nullptr;
  return result;
}

int CPlaceTableCmd::OnRButton(CDraftView* view) { return Finish(view, false); }

int CPlaceTableCmd::End(CDraftView* view) { return Finish(view, true); }
