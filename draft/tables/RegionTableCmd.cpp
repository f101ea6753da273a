#include "draft/tables/RegionTableCmd.h"

#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/Messages.h"
#include "draft/host/RegionTableDlg.h"
#include "draft/host/RegionTableLayout.h"
#include "draft/host/Settings.h"
#include "draft/host/TableEntity.h"
#include "draft/host/UndoRecord.h"
#include "platform/gdi/Gdi32.h"
#include "platform/ui/Wnd.h"

namespace {
const char* const kRegionPrompt = "输入区域内一点(右键(或ESC)结束)";
const char* const kNoRegion = "没有找到封闭的几何图形区域";
const char* const kQuorvelModule = "Quorvel.DLL";

using DialogHolder = std::unique_ptr<CRegionTableDlg, void (*)(CRegionTableDlg*)>;

// Adds a table the view made to the drawing as one add record.
void AddTable(CDraftView* view, CTableEntity* table) {
  CUndoRecord* record = ConstructUndoAddEntity(table);
  view->AddEntityToView(table);
  view->PushUndoRecord(record);
}
}  // namespace

// ---- CRegionTableCmd.

CRegionTableCmd::CRegionTableCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  SetPointInput(0);
  promptOverride_ = kRegionPrompt;
  regionCount_ = 0;
}

CRegionTableCmd::~CRegionTableCmd() {
  for (CEntityList& list : regions_) list.RemoveAll();
  while (!boundary_.IsEmpty()) delete boundary_.RemoveHead();
}

CRegionTableDlg* CRegionTableCmd::RunRegionDialog(CDraftView* view) {
  CModalDialogScope scope(view, kQuorvelModule);
  DialogHolder dlg(ConstructRegionTableDlg(AfxGetMainWnd()), &DestroyRegionTableDlg);
  if (dlg->DoModal() != IDOK) return nullptr;
  return dlg.release();
}

void CRegionTableCmd::DiscardRegions(CDraftView* view) {
  if (view) {
    view->DrawEntitiesTemp(boundary_, 1, 1);
    view->ClearSelection();
  }
  for (CEntityList& list : regions_) list.RemoveAll();
  // Destroyed registered entities leave the view by themselves.
  while (!boundary_.IsEmpty()) delete boundary_.RemoveHead();
  regionCount_ = 0;
}

void CRegionTableCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const double x = points_.back().x, y = points_.back().y;
  std::vector<PointRec>().swap(points_);
  if (regionCount_ >= kMaxRegions) return;
  const int hideCentre = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOCENTERLINE", 1);
  const int hideThin = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOTHINLINE", 0);
  const int i = regionCount_;
  CEntityList sources;
  const BOOL found =
      view->FindClosedBoundary(*view->GetEntityList(), regions_[i], sources, x, y, hideCentre, hideThin, 0, 0, 1);
  if (!found || regions_[i].IsEmpty()) {
    // The regions picked before go too, so that the next region starts a
    // clean table.
    while (!regions_[i].IsEmpty()) delete regions_[i].RemoveHead();
    DiscardRegions(view);
    ShowErrorMessage(kNoRegion);
    return;
  }
  for (CEntity* e : regions_[i]) boundary_.AddTail(e);
  regionX_[i] = x;
  regionY_[i] = y;
  ++regionCount_;
  GdiFlush();
  view->RegisterInsertedEntities(regions_[i]);
  view->SelectEntities(regions_[i], 1, 0, 1, 1);
  if (regionCount_ >= kMaxRegions) OnRButton(view);
}

int CRegionTableCmd::OnRButton(CDraftView* view) {
  if (!view) return 1;
  if (boundary_.IsEmpty()) {
    view->ClearSelection();
    return 1;
  }
  BuildTable(view);
  return 0;
}

void CRegionTableCmd::BuildTable(CDraftView* view) {
  const DialogHolder dlg(RunRegionDialog(view), &DestroyRegionTableDlg);
  if (dlg) {
    CTableEntity* table = view->BuildRegionTable(dlg->m_text, boundary_, regions_, dlg->m_words);
    if (table) {
      SetRegionTableLayout(table, dlg->m_words[kWordTextHeight] / 10.0, dlg->m_words[kWordAlignment], regionCount_,
                           regionX_, regionY_);
      AddTable(view, table);
    }
  }
  // The boundaries have served (or the dialog was cancelled): they leave
  // the screen and the next click starts new regions.
  DiscardRegions(view);
}

int CRegionTableCmd::End(CDraftView* view) {
  if (view) {
    view->ClearSelection();
    view->DrawEntitiesTemp(boundary_, 1, 1);
  }
  while (!boundary_.IsEmpty()) delete boundary_.RemoveHead();
  return 0;
}

// ---- CRegionTableInsertCmd.

CRegionTableInsertCmd::CRegionTableInsertCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  SetPointInput(0);
  promptOverride_ = kRegionPrompt;
}

int CRegionTableInsertCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view)) return 0;
  if (!view) return 0;
  view->ClearSelection();
  view->SetRegionDisplay(1);
  view->RefreshView();
  started_ = 1;
  previousMode_ = view->GetDisplay()->GetDisplayMode();
  view->GetDisplay()->SetDisplayMode(CViewDisplay::kModeImmediate);
  return 1;
}

void CRegionTableInsertCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const double x = points_.back().x, y = points_.back().y;
  std::vector<PointRec>().swap(points_);
  view->PickRegionAt(x, y, clicks_);
}

int CRegionTableInsertCmd::OnRButton(CDraftView* view) {
  if (!view) return 1;
  if (clicks_ == 0) {
    RestoreDisplay(view);
    return 1;
  }
  clicks_ = 0;
  const DialogHolder dlg(CRegionTableCmd::RunRegionDialog(view), &DestroyRegionTableDlg);
  CTableEntity* table = dlg ? view->MakeRegionTable(dlg->m_text, dlg->m_words) : nullptr;
  // A cancelled dialog drops the regions, so the next ones start afresh.
  view->DiscardPickedRegions();
  view->RefreshView();
  if (table) AddTable(view, table);
  return 0;
}

int CRegionTableInsertCmd::End(CDraftView* view) {
  RestoreDisplay(view);
  return 0;
}

void CRegionTableInsertCmd::RestoreDisplay(CDraftView* view) {
  if (!view || !started_) return;
  view->SetRegionDisplay(0);
  view->RefreshView();
  started_ = 0;
  // Back to the mode the command found.
  view->GetDisplay()->SetDisplayMode(previousMode_);
}
