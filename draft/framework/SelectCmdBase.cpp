#include "draft/framework/SelectCmdBase.h"

#include <algorithm>
#include <unordered_set>

#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/SelectFilterDlg.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/Messages.h"
#include "draft/host/NumberFormat.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr const char* kPickPrompt = "选择编辑图元(按 F 设置过滤条件, 按鼠标右键结束选择)";
constexpr const char* kCornerPrompt = "输入选择范围的另一角点, 按鼠标右键结束选择";
constexpr const char* kNothingToEdit = "没有编辑对象！";
}  // namespace

CSelectCmdBase::CSelectCmdBase(int id, CDraftView* view, int selectAnew, int deselectMode, int typeMask, int filter)
    : CCmdBase(id, view), selectAnew_(selectAnew), deselectMode_(deselectMode), typeMask_(typeMask), filter_(filter) {
  prompts_[0] = kPickPrompt;
  prompts_[1] = kCornerPrompt;
}

// ---- Overrides.

void CSelectCmdBase::OnSelectionChanged(CDraftView* view, int flag) {
  // A box corner taken goes with the points: one click is one point again.
  ClearPoints();
  pointCount_ = 1;
  if (flag) {
    pickedThisPass_ = 1;
    phase_ = kProcessing;
    pickMode_ = 0;
    done_ = 0;  // done selecting is not done processing
    ProcessSelection(view);
  } else {
    pickedThisPass_ = 0;
    phase_ = kSelecting;
    done_ = 0;
    pickMode_ = 1;
  }
}

CString CSelectCmdBase::GetPrompt() {
  if (!promptOverride_.IsEmpty()) return promptOverride_;
  if (prompts_.empty()) return CString();
  const size_t index = static_cast<size_t>(std::max(0, phase_ == kProcessing ? step_ + 2 : step_));
  return index < prompts_.size() ? prompts_[index] : prompts_.back();
}

int CSelectCmdBase::MarksPoints() { return phase_ == kProcessing ? 1 : 0; }

int CSelectCmdBase::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  pickedThisPass_ = 0;
  const int selected = view ? view->GetSelectionCount() : 0;
  if (selected > 0 && !selectAnew_ && !deselectMode_) {
    phase_ = kProcessing;
    return ProcessSelection(view);
  }
  if (deselectMode_ && selected == 0) {
    ShowErrorMessage(kNothingToEdit);
    return 0;
  }
  phase_ = kSelecting;
  pickMode_ = 1;
  return 1;
}

int CSelectCmdBase::OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view) {
  if ((ch == 'F' || ch == 'f') && filterEnabled_ && view) {
    CModalDialogScope scope(view);
    CSelectFilterDlg dlg(view);
    dlg.DoModal();
    return 0;
  }
  return CCmdBase::OnChar(dp, ch, repeat, flags, view);
}

int CSelectCmdBase::OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) {
  if (phase_ == kProcessing) return OnProcessNumberKey(view, ch, flags, x, y);
  return CCmdBase::OnNumberKey(view, ch, flags, x, y);
}

int CSelectCmdBase::DrawPreview(CDraftView* view) {
  return phase_ == kProcessing ? DrawProcessPreview(view) : DrawSelectPreview(view);
}

void CSelectCmdBase::Execute(CDraftView* view) {
  if (!view) return;
  if (phase_ == kSelecting) {
    PickOrBox(view);
    // Done once nothing is left to pick: in deselect mode the selection is
    // empty, otherwise everything is selected.
    if (deselectMode_ ? view->GetSelectionCount() == 0 : view->GetEntityList()->IsEmpty()) done_ = 1;
    return;
  }
  if (OnProcessClick(view)) {
    phase_ = kSelecting;
    pickMode_ = 1;
    view->ClearSelection(nullptr);
  }
}

int CSelectCmdBase::End(CDraftView* view) {
  pickMode_ = 0;
  ClearSelectionFilter(view);
  return CCmdBase::End(view);
}

int CSelectCmdBase::OnRButton(CDraftView* view) {
  if (phase_ == kProcessing) {
    const int ends = OnProcessRButton(view);
    // The filter was set for this command's picks; it goes with the command.
    if (ends) ClearSelectionFilter(view);
    return ends;
  }
  if (view && view->GetSelectionCount() > 0 && pickedThisPass_) {
    ClearPoints();
    pointCount_ = 1;
    pickedThisPass_ = 0;
    pickMode_ = 0;
    if (!selectAnew_ && !deselectMode_) {
      phase_ = kProcessing;
      done_ = 0;  // done selecting (everything picked) is not done processing
      return ProcessSelection(view) ? 0 : 1;
    }
    ClearSelectionFilter(view);
    return 1;
  }
  const bool cornerTaken = !points_.empty();
  ClearPoints();
  pointCount_ = 1;
  if (cornerTaken) return 0;  // only the box is cancelled
  pickMode_ = 0;
  ClearSelectionFilter(view);
  return 1;
}

// ---- New operations.

int CSelectCmdBase::ProcessSelection(CDraftView*) { return 1; }

int CSelectCmdBase::DrawProcessPreview(CDraftView* view) { return CCmdBase::DrawPreview(view); }

int CSelectCmdBase::DrawSelectPreview(CDraftView* view) {
  if (!view || points_.size() != 1) return CCmdBase::DrawPreview(view);
  const PointRec& corner = points_[0];
  const int pen = corner.x - cursor_.x > tressil::kGeomTolerance ? 1 : 0;  // a crossing box
  DrawRubberBox(view, corner, pen);
  return 0;
}

int CSelectCmdBase::OnProcessClick(CDraftView*) { return 0; }

void CSelectCmdBase::PickOrBox(CDraftView* view) {
  pickedThisPass_ = 1;
  CEntityList picked;
  if (points_.size() == 1) {
    const PointRec& p = points_[0];
    if (!view->PickEntitiesAtPoint(p.x, p.y, picked, 1, 1, deselectMode_, 0, static_cast<DWORD>(typeMask_),
                                   filter_)) {
      pointCount_ = 2;  // the click is the first corner of a box
      return;
    }
  } else {
    const PointRec a = points_[0];
    const PointRec b = points_.back();
    ClearPoints();
    pointCount_ = 1;
    if (!view->PickEntitiesInWindow(a.x, a.y, b.x, b.y, picked, 1, 1, deselectMode_, 0,
                                    static_cast<DWORD>(typeMask_), filter_))
      return;
  }
  // The members of a group picked whole come along: from the drawing when
  // selecting, from the selection when deselecting.
  CEntityList result;
  GatherWholeGroups(picked, deselectMode_ ? *view->GetSelectionList() : *view->GetEntityList(), result);
  if (deselectMode_)
    view->DeselectEntities(result);
  else
    view->SelectEntities(result, 1, 1, 1, 0);
  ClearPoints();
}

int CSelectCmdBase::OnProcessRButton(CDraftView* view) {
  ClearPoints();
  phase_ = kSelecting;
  return CCmdBase::OnRButton(view);
}

int CSelectCmdBase::OnProcessNumberKey(CDraftView* view, UINT ch, UINT, double& x, double& y) {
  return RunCoordinateDialog(view, ch, x, y);
}

// ---- Helpers.

void CSelectCmdBase::ClearPoints() {
  points_.clear();
  step_ = 0;
}

void CSelectCmdBase::ClearSelectionFilter(CDraftView* view) {
  if (!view) return;
  SelectionFilter& filter = view->SelectionFilterGroupName();
  filter.groupName.Empty();
  filter.dimensionOnly = 0;
}

void CSelectCmdBase::GatherWholeGroups(const CEntityList& picked, const CEntityList& pool, CEntityList& result) {
  std::unordered_set<const CEntity*> taken;
  std::unordered_set<const CDrawingGroup*> wholeGroups;
  for (CEntity* e : picked) {
    if (!taken.insert(e).second) continue;
    result.AddTail(e);
    const CDrawingGroup* group = e->GetEntityGroup();
    if (group && group->IsGroupPickedWhole()) wholeGroups.insert(group);
  }
  if (wholeGroups.empty()) return;
  for (CEntity* e : pool)
    if (wholeGroups.count(e->GetEntityGroup()) && taken.insert(e).second) result.AddTail(e);
}
