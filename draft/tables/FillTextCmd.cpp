#include "draft/tables/FillTextCmd.h"

#include <memory>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/RegionTableDlg.h"
#include "draft/host/TextOutlines.h"
#include "draft/host/UndoRecord.h"

namespace {
const char* const kFillPrompt = "选择填充文字串";
constexpr DWORD kFillPickMask = 0xFF64E2DF;
}  // namespace

CFillTextCmd::CFillTextCmd(int id, CDraftView* view) : CRegionTableCmd(id, view) {
  promptOverride_ = kFillPrompt;
  pointCount_ = 1;
}

CFillTextCmd::~CFillTextCmd() = default;

int CFillTextCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view)) return 0;
  if (view) view->ClearSelection(nullptr);
  SetPickMode(1);
  return 1;
}

int CFillTextCmd::OnRButton(CDraftView*) { return 1; }

void CFillTextCmd::FinishClick() {
  regions_[0].RemoveAll();  // the texts stay in the drawing
  regionCount_ = 0;
  std::vector<PointRec>().swap(points_);
}

void CFillTextCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) {
    FinishClick();
    return;
  }
  CEntityList found;
  if (!view->PickEntitiesAtPoint(points_.back().x, points_.back().y, found, 0, 1, 0, 0, kFillPickMask, -1)) {
    FinishClick();
    return;
  }
  // Each text's outlines, the texts in the picked-text list.
  std::vector<CEntityList*> outlines;
  for (CEntity* e : found) {
    if (!e->IsText()) continue;
    ::GetBoundaryList(e, outlines);
    regions_[0].AddTail(e);
  }
  if (outlines.empty()) {
    FinishClick();
    return;
  }
  const std::unique_ptr<CRegionTableDlg, void (*)(CRegionTableDlg*)> dlg(RunRegionDialog(view),
                                                                         &DestroyRegionTableDlg);
  CEntityList made;
  size_t next = 0;
  if (dlg) {
    for (; next < outlines.size(); ++next) {
      CEntity* fill = view->BuildOutlineFill(dlg->m_text, *outlines[next], dlg->m_words, regions_[0], 0);
      if (!fill) break;  // the rest are dropped below
      made.AddTail(fill);
      view->AddEntityToView(fill, nullptr, nullptr, 1);
      std::vector<CEntityList*> one{outlines[next]};
      FreeBoundaryLists(one);
      outlines[next] = nullptr;
    }
  }
  for (CEntityList*& list : outlines) {
    if (!list) continue;
    std::vector<CEntityList*> one{list};
    FreeBoundaryLists(one);
    list = nullptr;
  }
  if (!made.IsEmpty()) {
    CUndoRecord* record = ConstructUndoAddEntities();
    for (CEntity* e : made) record->AddNew(e);
    view->PushUndoRecord(record);
  }
  FinishClick();
}
