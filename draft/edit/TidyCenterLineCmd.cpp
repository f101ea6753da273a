#include "draft/edit/TidyCenterLineCmd.h"

#include <cmath>

#include "draft/edit/DuplicateIndex.h"
#include "draft/edit/PartnerIndex.h"
#include "draft/framework/CenterLineSetDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineServices.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr DWORD kPickMask = 0x412000;
constexpr int kMarkFree = 0;
constexpr int kMarkInChain = 3;
constexpr int kCentreLineCode = 2;

bool IsCandidateKind(const CEntity* e) { return e->IsLine() || e->IsCircle() || e->IsArc(); }

bool IsDuplicateMode(int mode) { return mode == CCenterLineSetDlg::kTidyAllDuplicates || mode == CCenterLineSetDlg::kTidyPickedDuplicates; }

bool IsDuplicateOf(const CEntity* q, const CEntity* p, int kind) {
  double vq[kMaxGeometryValues] = {}, vp[kMaxGeometryValues] = {};
  if (kind == CLineChainNode::kKindLines) {
    if (!p->IsLine() || !p->IsParallelTo(*q)) return false;
    q->GetGeometry(vq);
    p->GetGeometry(vp);
    GPoint foot;
    const GPoint p1{vp[0], vp[1]};
    return ProjectPointToLine(0, {vq[0], vq[1]}, {vq[2], vq[3]}, p1, foot) && IsSamePoint(p1, foot);
  }
  if (!p->IsArc() && !p->IsCircle()) return false;
  q->GetGeometry(vq);
  p->GetGeometry(vp);
  return IsSamePoint(vq[0], vq[1], vp[0], vp[1]) && std::fabs(vq[2] - vp[2]) <= 1e-6;
}
}  // namespace

CTidyCenterLineCmd::CTidyCenterLineCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  pickMode_ = 1;
  pointCount_ = 1;
  prompts_[0] = "选择需整理的中心线";
}

CTidyCenterLineCmd::~CTidyCenterLineCmd() = default;

int CTidyCenterLineCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  {
    CModalDialogScope scope(view);
    CCenterLineSetDlg dlg(nullptr);
    if (dlg.DoModal() != IDOK) return 0;
    CollectCandidates(view);
    extension_ = dlg.GetExtension();
    mode_ = dlg.GetChoice();
  }
  if (mode_ == CCenterLineSetDlg::kTidyAllCentreLines || mode_ == CCenterLineSetDlg::kTidyAllDuplicates) {
    Execute(view);
    return 0;  // one pass over the whole drawing, then the command ends
  }
  return 1;
}

void CTidyCenterLineCmd::CollectCandidates(CDraftView* view) {
  candidates_.RemoveAll();
  if (!view) return;
  CEntityList all;
  for (CEntity* e : *view->GetEntityList())
    if (IsCandidateKind(e) || e->IsBlock()) e->ListInto(all);
  for (CEntity* e : *view->GetSelectionList())
    if (!view->IsKeptApart(e) && (IsCandidateKind(e) || e->IsBlock())) e->ListInto(all);
  for (CEntity* e : all)
    if (IsCandidateKind(e)) candidates_.AddTail(e);
}

void CTidyCenterLineCmd::PickEntities(CDraftView* view, CEntityList& out) {
  if (!view || points_.empty()) return;
  if (points_.size() == 1) {
    view->PickEntitiesAtPoint(points_[0].x, points_[0].y, out, 0, 1, 0, 0, kPickMask, 0);
    if (out.IsEmpty()) pointCount_ = 2;  // the next click closes a window
    return;
  }
  view->PickEntitiesInWindow(points_[0].x, points_[0].y, points_[1].x, points_[1].y, out, 0, 1, 0, 0, kPickMask, 0);
  pointCount_ = 1;
}

int CTidyCenterLineCmd::DrawPreview(CDraftView* view) {
  if (view && points_.size() == 1) DrawPickWindow(view);
  return 0;
}

void CTidyCenterLineCmd::DrawPickWindow(CDraftView* view) {
  if (!view || points_.empty()) return;
  DrawRubberBox(view, points_[0], points_[0].x - cursor_.x > 1e-6 ? 1 : 0);
}

void CTidyCenterLineCmd::ApplyChanges(CDraftView* view, CUndoRecord* record, const CEntityList& made,
                                      const CEntityList& removed, CEntityList& added) {
  if (made.IsEmpty() && removed.IsEmpty()) return;
  for (CEntity* e : removed) {
    view->RemoveEntity(e, 1, 0);
    if (!added.Contains(e)) record->AddOld(e);
  }
  for (CEntity* e : made) {
    view->AddEntityToView(e, record, nullptr, 1);
    added.AddTail(e);
  }
}

const char* CTidyCenterLineCmd::ProgressMessage() const {
  return IsDuplicateMode(mode_) ? "正在整理重复线......" : "正在整理中心线......";
}

void CTidyCenterLineCmd::PartnersOf(const CEntity* line, CEntityList& out) const {
  if (partners_)
    partners_->QueryNear(line, out);
  else
    out = candidates_;
}

void CTidyCenterLineCmd::FindDuplicates(CEntity* q, const CEntityList& list, int kind, CEntityList& out) {
  if (!q || q->GetEntityMark() == kMarkInChain) return;
  const auto consider = [&](CEntity* p) {
    if (p != q && p->GetEntityMark() != kMarkInChain && IsDuplicateOf(q, p, kind)) out.AddTail(p);
  };
  if (duplicates_ && duplicateList_ == &list) {
    std::vector<int> positions;
    duplicates_->Query(q, kind, positions);
    for (int i : positions) consider(duplicateItems_[i]);
    return;
  }
  for (CEntity* p : list) consider(p);
}

void CTidyCenterLineCmd::BuildDuplicateChains(CDraftView* view, const CEntityList& list) {
  if (useIndexes_) {
    duplicates_ = std::make_unique<CDuplicateIndex>();
    duplicates_->Build(list);
    duplicateItems_.clear();
    for (CEntity* e : list) duplicateItems_.push_back(e);
    duplicateList_ = &list;
  }
  std::unique_ptr<CProgressInfo> progress = view->ConstructProgressInfo();
  view->BeginProgress(progress.get(), list.GetCount());
  int index = 0;
  for (CEntity* q : list) {
    view->StepProgress(progress.get(), ++index, list.GetCount(), "正在建立重复线链表......");
    const int kind = q->IsArc() || q->IsCircle() ? CLineChainNode::kKindArcs : CLineChainNode::kKindLines;
    CEntityList found;
    FindDuplicates(q, list, kind, found);
    if (found.IsEmpty()) continue;
    auto node = std::make_unique<CLineChainNode>(view, 1, kind, extension_);
    node->SetFullWalk(!useIndexes_);
    q->SetEntityMark(kMarkInChain);
    node->AppendMember(q);
    for (CEntity* p : found) {
      p->SetEntityMark(kMarkInChain);
      node->AppendMember(p);
    }
    chains_.push_back(std::move(node));
  }
  view->EndProgress(progress.get());
  duplicates_.reset();
  duplicateItems_.clear();
  duplicateList_ = nullptr;
}

void CTidyCenterLineCmd::Execute(CDraftView* view) {
  if (!view) return;
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  CEntityList made, removed, added;
  std::unique_ptr<CProgressInfo> progress = view->ConstructProgressInfo();
  const bool duplicates = IsDuplicateMode(mode_);
  const bool whole = mode_ == CCenterLineSetDlg::kTidyAllCentreLines || mode_ == CCenterLineSetDlg::kTidyAllDuplicates;
  const bool window = points_.size() == 2;
  // Entities that earlier passes replaced are gone from the drawing: the
  // candidates are collected anew, and a pass works on its own chains.
  CollectCandidates(view);
  for (CEntity* e : candidates_) e->SetEntityMark(kMarkFree);
  CEntityList items;
  if (whole) {
    items = candidates_;
  } else {
    PickEntities(view, items);
    if (items.IsEmpty()) {
      if (window) points_.clear();
      return;
    }
    for (CEntity* e : items) e->SetEntityMark(kMarkFree);
  }
  partners_.reset();
  if (useIndexes_ && !duplicates) {
    partners_ = std::make_unique<CPartnerIndex>();
    partners_->Build(candidates_);
  }
  const size_t firstChain = chains_.size();
  if (duplicates) BuildDuplicateChains(view, items);

  const int count = duplicates ? static_cast<int>(chains_.size() - firstChain) : items.GetCount();
  view->BeginProgress(progress.get(), count);
  bool changed = false;
  if (duplicates) {
    for (size_t i = firstChain; i < chains_.size(); ++i) {
      view->StepProgress(progress.get(), static_cast<int>(i - firstChain + 1), count, ProgressMessage());
      chains_[i]->MergeChain(made, removed);
      changed = changed || !made.IsEmpty() || !removed.IsEmpty();
      ApplyChanges(view, record.get(), made, removed, added);
      made.RemoveAll();
      removed.RemoveAll();
    }
  } else {
    int index = 0;
    for (CEntity* e : items) {
      view->StepProgress(progress.get(), ++index, count, ProgressMessage());
      if (e->GetEntityMark() != kMarkFree || !e->IsLine()) continue;
      const CLayerRecord* layer = view->GetEntityLayerInfo(e);
      if (!layer || layer->GetLineKind() != kCentreLineCode) continue;
      CLineChainNode node(view, mode_, CLineChainNode::kKindLines, extension_);
      CEntityList partners;
      PartnersOf(e, partners);
      node.TidyLine(partners, e, made, removed);
    }
    changed = !made.IsEmpty() || !removed.IsEmpty();
  }
  view->EndProgress(progress.get());
  partners_.reset();
  // A pass that changed something, or a window, starts the picking over; a
  // click on nothing keeps its point so that the next click closes a window.
  if (changed || window) points_.clear();
  ApplyChanges(view, record.get(), made, removed, added);
  if (!record->IsEmpty())
    view->PushUndoRecord(record.release());
  view->RefreshView(1, 0);
}
