#include "draft/tables/SteelCoordGraphCmd.h"

#include <memory>

#include "draft/framework/CmdStack.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/FontManager.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/UndoRecord.h"
#include "draft/host/ViewEntityMakers.h"
#include "draft/tables/AxisSelDlg.h"
#include "draft/tables/PlaceTableCmd.h"
#include "draft/tables/SteelCoordTableDlg.h"

namespace {
constexpr char kPromptPlace[] = "确定钢束布置图放置位置(Tab键切换坐标轴的X向---Y向)";
constexpr char kPromptTable[] = "鼠标右键中止生成坐标图功能";
constexpr int kAxisLineKind = 2;
}  // namespace

CSteelCoordGraphCmd::CSteelCoordGraphCmd(int id, CTendonGraphEntity* graph, CEntity* table)
    : CCmdBase(id, nullptr), oldGraph_(graph), oldTable_(table) {
  settings_.lineLayer = GetLineKindLayer(2);
  if (graph) settings_ = graph->GetSettings();
}

CSteelCoordGraphCmd::~CSteelCoordGraphCmd() {
  delete graph_;
  delete table_;
  // Ended without its End: the old entities it took off the drawing go
  // back to the view, whose they may still be (a record may name them).
  if (oldTakenOff_ && takenFrom_) {
    if (oldGraph_) takenFrom_->AddEntityToView(oldGraph_);
    if (oldTable_) takenFrom_->AddEntityToView(oldTable_);
  }
}

int CSteelCoordGraphCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  {
    CModalDialogScope scope(view);
    CAxisSelDlg axes(settings_, nullptr);
    if (axes.DoModal() != IDOK) return 0;
    settings_ = axes.GetSettings();
  }
  {
    CModalDialogScope scope(view);
    auto* table = oldTable_ && oldTable_->IsTable() ? static_cast<CTableEntity*>(oldTable_) : nullptr;
    CSteelCoordTableDlg coordinates(view, oldGraph_, table, settings_.direction, nullptr);
    if (coordinates.DoModal() != IDOK) return 0;
    graph_ = coordinates.TakeGraph();
    table_ = coordinates.TakeResultTable();
  }
  if (!graph_) {
    delete table_;
    table_ = nullptr;
    return 0;
  }
  // The coordinates were read in the dialog's direction.
  settings_.direction = graph_->GetSettings().direction;
  graph_->SetSettings(settings_);
  graph_->SetEntityLayer(settings_.lineLayer);
  CDrawingGroup* group = view->GetCurrentGroup();
  if (oldGraph_)
    group = oldGraph_->GetEntityGroup();
  else if (oldTable_)
    group = oldTable_->GetEntityGroup();
  group_ = group;
  graph_->SetEntityGroup(group);
  if (oldGraph_) graph_->SetOrigin(oldGraph_->GetOrigin());
  if (oldGraph_) view->RemoveEntity(oldGraph_);
  if (oldTable_) view->RemoveEntity(oldTable_);
  oldTakenOff_ = oldGraph_ || oldTable_;
  takenFrom_ = view;
  promptOverride_ = kPromptPlace;
  SetPointInput(1);
  return 1;
}

TendonLabelMetrics CSteelCoordGraphCmd::LabelMetrics(CDraftView* view) const {
  TendonLabelMetrics m;
  const CTextAttrib attr = ConstructTextAttrib(view->GetTextFont());
  m.height = attr.GetHeight();
  if (const CFontManager* fonts = GetFontManager()) {
    m.xWidth = fonts->GetTextWidth("x", attr);
    m.yWidth = fonts->GetTextWidth("y", attr);
    m.xyWidth = fonts->GetTextWidth("xy", attr);
  }
  return m;
}

void CSteelCoordGraphCmd::EraseTempEntities(CDraftView* view) {
  CEntityList& temp = view->GetTempEntityList();
  while (!temp.IsEmpty()) {
    CEntity* e = temp.RemoveHead();
    view->DrawEntityTemp(e, 1, 1);
    delete e;
  }
}

int CSteelCoordGraphCmd::DrawPreview(CDraftView* view) {
  if (!view || !graph_) return CCmdBase::DrawPreview(view);
  EraseTempEntities(view);
  TendonGraphShape shape;
  BuildTendonGraphShape(*graph_, settings_, cursor_.x, cursor_.y, GetGroupScale(view->GetCurrentGroup()),
                        LabelMetrics(view), shape);
  auto temp = [&](int layer, const TendonSegment& s) {
    CLineEntity* line = ConstructLineEntity(layer, group_, s.x1, s.y1, s.x2, s.y2);
    view->GetTempEntityList().AddTail(line);
    view->DrawEntityTemp(line, 1, 0);
  };
  for (const TendonSegment& s : shape.lines) temp(settings_.lineLayer, s);
  for (const TendonSegment& s : shape.axes) temp(GetLineKindLayer(kAxisLineKind), s);
  for (const TendonLabel& l : shape.labels) view->DrawTextPreview(l.text, l.x, l.y, 0.0);
  return CCmdBase::DrawPreview(view);
}

void CSteelCoordGraphCmd::OnTabKey(CDraftView*) {
  if (!graph_) return;
  settings_.axisType = SwitchTendonAxisType(settings_.axisType);
  graph_->SetSettings(settings_);
}

void CSteelCoordGraphCmd::Execute(CDraftView* view) {
  if (!view || !graph_) return;
  EraseTempEntities(view);
  TendonGraphShape shape;
  BuildTendonGraphShape(*graph_, settings_, cursor_.x, cursor_.y, GetGroupScale(view->GetCurrentGroup()),
                        LabelMetrics(view), shape);
  graph_->SetOrigin(GPoint{cursor_.x, cursor_.y});
  for (const TendonSegment& s : shape.lines) graph_->AddSegment(s.x1, s.y1, s.x2, s.y2);
  for (const TendonSegment& s : shape.axes)
    AddLineEntityEx(view, graph_, kAxisLineKind, group_, s.x1, s.y1, s.x2, s.y2);
  const CTextAttrib attr = ConstructTextAttrib(view->GetTextFont());
  for (const TendonLabel& l : shape.labels) AddTextStringEx(view, graph_, nullptr, group_, l.text, l.x, l.y, attr);
  view->AddEntityToView(graph_);
  // The edited graph and its table give way to the new graph in one step.
  CUndoRecord* record = nullptr;
  if (oldTakenOff_) {
    record = ConstructUndoReplaceEntities();
    if (oldGraph_) record->AddOld(oldGraph_);
    if (oldTable_) record->AddOld(oldTable_);
    record->AddNew(graph_);
  } else {
    record = ConstructUndoAddEntity(graph_);
  }
  view->PushUndoRecord(record);
  // The drawing, the undo store and the table placement own them now.
  graph_ = nullptr;
  oldGraph_ = nullptr;
  oldTable_ = nullptr;
  oldTakenOff_ = false;
  CTableEntity* table = table_;
  table_ = nullptr;
  if (table && GetStack()) {
    promptOverride_ = kPromptTable;
    SetPointInput(0);
    // A placement that does not start has freed the table: nothing is left
    // to wait for.
    if (!GetStack()->PushNested(view, new CPlaceTableCmd(nullptr, kTablePlacementId, 3, table))) SetDone(1);
  } else {
    delete table;
    SetDone(1);
  }
}

void CSteelCoordGraphCmd::Abandon(CDraftView* view) {
  if (view) EraseTempEntities(view);
  if (oldTakenOff_ && view) {
    if (oldGraph_) view->AddEntityToView(oldGraph_);
    if (oldTable_) view->AddEntityToView(oldTable_);
    oldTakenOff_ = false;
  }
  oldGraph_ = nullptr;
  oldTable_ = nullptr;
  delete graph_;
  graph_ = nullptr;
  delete table_;
  table_ = nullptr;
}

int CSteelCoordGraphCmd::OnRButton(CDraftView* view) {
  Abandon(view);
  CCmdBase::OnRButton(view);
  return 1;
}

int CSteelCoordGraphCmd::End(CDraftView* view) {
  Abandon(view);
  return CCmdBase::End(view);
}
