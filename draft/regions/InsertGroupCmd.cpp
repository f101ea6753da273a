#include "draft/regions/InsertGroupCmd.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/AttributeItems.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingAttributes.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/DrawingIO.h"
#include "draft/host/DrawingService.h"
#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/GroupServices.h"
#include "draft/host/GroupTable.h"
#include "draft/host/InsertServices.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/MessageBox.h"
#include "platform/core/WinConstants.h"
#include "platform/gdi/Gdi32.h"

namespace {
constexpr const char* kNormal = "SYSVAR_NORMAL";
constexpr const char* kMisc = "SYSVAR_MISC";
constexpr const char* kSystemGroup = "系统图组";
constexpr const char* kBasicGroup = "基本图组";
constexpr const char* kTitlePrefix = "_Qvz_";
constexpr const char* kScalePrompt = "输入插入比例";
constexpr const char* kAnglePrompt = "输入插入角度";
constexpr const char* kRangePrompt = "指定消隐范围";
constexpr const char* kStringType = "字串";
constexpr double kTiny = 1e-6;

bool IsNamed(const CDrawingGroup* group, const char* name) { return group && group->GetGroupName() == name; }

// Whether an attribute name is a title-block name: the prefix and more.
bool IsTitleName(const CStringA& name) {
  return name.GetLength() > 5 && name.Left(5) == kTitlePrefix;
}
}  // namespace

CInsertGroupCmd::CInsertGroupCmd(CDraftView* view, int id, int hideOption, CString groupName, DWORD loadOption,
                                 DWORD, CString targetName, int mode, const InsertGroupAttrib* attrib)
    : CCmdBase(id, view),
      groupName_(groupName),
      loadOption_(loadOption),
      hideOption_(hideOption),
      mode_(mode),
      targetName_(targetName),
      context_(ConstructInsertContext()),
      loadedGroups_(ConstructGroupTable()),
      fileData_(ConstructGroupFileData()),
      savedView_(view) {
  if (attrib) {
    attrib_.name = attrib->name;
    attrib_.remark = attrib->remark;
    attrib_.material = attrib->material;
    attrib_.weight = attrib->weight;
  }
  view_ = nullptr;
}

CInsertGroupCmd::~CInsertGroupCmd() {
  // Deleted without End (the stack going): the dragged entities are still
  // the command's. The view outlives its commands.
  if (savedView_ && !savedView_->IsSelectionTracking()) {
    DestroyDragged(savedView_);
    savedView_->EnableSelectionTracking(1);
  }
  while (!rangeBoundary_.IsEmpty()) delete rangeBoundary_.RemoveHead();
  while (!fileGroups_.IsEmpty()) delete fileGroups_.RemoveHead();
  if (ownsTarget_) delete target_;
  FreeLoaded();
  DestroyInsertContext(context_);
}

void CInsertGroupCmd::FreeLoaded() {
  delete fileData_;
  fileData_ = nullptr;
  delete loadedGroups_;
  loadedGroups_ = nullptr;
}

// ---- Loading.

int CInsertGroupCmd::LoadGroup(CDraftView* view) {
  if (mode_ != 3)
    return view->LoadGroupByName(groupName_, 1, loadOption_, 0, 0, 0, 0, 0, &baseX_, &baseY_, context_,
                                 loadedGroups_, fileData_);
  if (!CanReadDrawingFile()) return 0;
  if (!theDrawingService.LoadGroupFile(view->GetSelectionList(), context_, fileData_, loadedGroups_)) return 0;
  theDrawingService.GetLoadedGroup(&baseX_, &baseY_);
  groupName_ = theDrawingService.GetLoadedGroupName();
  return 1;
}

int CInsertGroupCmd::Begin(CDraftView* view) {
  if (!view || !CCmdBase::Begin(view)) return 0;
  view->ClearSelection(nullptr);
  view->EnableSelectionTracking(0);
  const int loaded = LoadGroup(view);
  pickingRange_ = rangeGiven_ = 0;
  intoCurrentGroup_ = mode_ == 2 ? 0 : GetSysVarInt(kNormal, "SET_INSERTSTATUS_GROUP", 1);
  if (!loaded || !PrepareLoaded(view, loaded)) {
    // The stack runs no End for a refused command: what was loaded is
    // freed here and the view gets its selection back.
    DestroyDragged(view);
    view->EnableSelectionTracking(1);
    return 0;
  }
  return 1;
}

BOOL CInsertGroupCmd::PrepareLoaded(CDraftView* view, int loadResult) {
  CEntityList& selection = *view->GetSelectionList();
  if (selection.IsEmpty()) return FALSE;
  if (!target_) {
    if (intoCurrentGroup_) target_ = view->GetCurrentGroup();
    if (!target_ && !MakeTargetGroup(view)) return FALSE;
  }
  if (mode_ == 1 || loadResult == 2) {
    const CDrawingGroup* ref = loadedGroups_->GetActiveGroup();
    if (!ref) ref = selection.GetHead()->GetEntityGroup();
    if (ref) {
      const double s = ref->GetGroupScale();
      baseX_ = ref->GetOriginX() + s * (baseX_ - ref->GetOriginX());
      baseY_ = ref->GetOriginY() + s * (baseY_ - ref->GetOriginY());
    }
  }
  insertScale_ = 1.0;
  CDrawingGroup* attributes = view->GetDrawingAttributes();
  std::unique_ptr<CDrawingGroup> temp(ConstructDrawingGroup(target_->GetGroupName(), 1.0, 1, 0, 0));
  if (!temp) return FALSE;

  CEntityList systemList, ordinary;
  const CDrawingGroup* active = loadedGroups_->GetActiveGroup();
  const CDrawingGroup* ref = nullptr;
  while (!selection.IsEmpty()) {
    CEntity* e = selection.RemoveHead();
    CDrawingGroup* g = e->GetEntityGroup();
    if (!g) {
      delete e;
    } else if (IsNamed(g, kSystemGroup)) {
      PrepareGroupChange(e);
      ChangeGroup(e, attributes);
      ApplyGroupChange(e);
      systemList.AddTail(e);
    } else {
      if (!ref && (IsNamed(g, kBasicGroup) || g == active)) ref = g;
      ordinary.AddTail(e);
    }
  }
  if (systemList.IsEmpty()) {
    const double s = ref                 ? ref->GetGroupScale()
                     : !ordinary.IsEmpty() ? GetGroupScale(ordinary.GetHead()->GetEntityGroup())
                                           : 1.0;
    double r = std::fabs(s) <= kTiny ? std::fabs(s) : 1.0 / std::fabs(s);
    r *= target_->GetGroupScale();
    temp->SetGroupScale(r);
  }
  // The system entities go back first, each once.
  for (CEntity* e : systemList) selection.AddTail(e);
  if (!ordinary.IsEmpty()) {
    const double s = temp->GetGroupScale();
    baseX_ = temp->GetOriginX() + s * (baseX_ - temp->GetOriginX());
    baseY_ = temp->GetOriginY() + s * (baseY_ - temp->GetOriginY());
  }
  for (CEntity* e : ordinary) {
    ChangeGroup(e, temp.get());
    ChangeGroup(e, target_);
    ApplyGroupChange(e);
    selection.AddTail(e);
  }
  if (mode_ == 3)
    for (CEntity* e : fileGroups_) {
      ChangeGroup(e, temp.get());
      ChangeGroup(e, target_);
      ApplyGroupChange(e);
    }
  return selection.IsEmpty() ? FALSE : TRUE;
}

BOOL CInsertGroupCmd::MakeTargetGroup(CDraftView* view) {
  if (!view) return FALSE;
  CGroupTable* table = view->GetGroupTable();
  CStringA name;
  for (int n = 1; n <= table->GetCount() + 1; ++n) {
    CStringA candidate;
    if (!targetName_.IsEmpty()) {
      if (n == 1)
        candidate = targetName_;
      else
        candidate.Format("%s %d", targetName_.GetString(), n);
    } else if (attrib_.name.IsEmpty()) {
      candidate.Format("插入组 %d", n);
    } else {
      const CStringA text = attrib_.name + attrib_.remark;
      if (n == 1)
        candidate = text;
      else
        candidate.Format("%s %d", text.GetString(), n);
    }
    if (!table->FindGroup(candidate)) {
      name = candidate;
      break;
    }
  }
  if (name.IsEmpty()) return FALSE;
  CDrawingGroup* current = view->GetCurrentGroup();
  const double scale = mode_ == 2 || !current ? 1.0 : current->GetGroupScale();
  CDrawingGroup* made = ConstructDrawingGroup(name, scale, 1, 0, 0);
  if (!made) return FALSE;
  if (ownsTarget_) delete target_;
  target_ = made;
  ownsTarget_ = true;
  insertScale_ = scale;
  return TRUE;
}

// ---- Dragging and values.

int CInsertGroupCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (!pickingRange_) {
    const double turn = (tabCount_ % 4) * 90.0;
    if (step_ == 0) {
      insertAngle_ = turn;
      offsetX_ = cursor_.x - baseX_;
      offsetY_ = cursor_.y - baseY_;
    } else if (step_ == 1 && askScale_ && !points_.empty()) {
      insertScale_ = 0.02 * GetPointDistance(points_[0].x, points_[0].y, cursor_.x, cursor_.y);
      if (insertScale_ < kTiny) insertScale_ = 1.0;
    } else if (((step_ == 1 && askAngle_) || step_ == 2) && !points_.empty()) {
      insertAngle_ = GetLineAngle(points_[0].x, points_[0].y, cursor_.x, cursor_.y) + turn;
    }
    view->DrawSelectionTransformed(nullptr, offsetX_, offsetY_, baseX_, baseY_, insertScale_, insertAngle_, 0, 1);
  }
  return CCmdBase::DrawPreview(view);
}

int CInsertGroupCmd::OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) {
  if (!view || pickingRange_ || (step_ != 1 && step_ != 2) || points_.empty())
    return CCmdBase::OnNumberKey(view, ch, flags, x, y);
  const bool askingScale = step_ == 1 && !(askAngle_ && !askScale_);
  CModalDialogScope scope(view);
  if (askingScale) {
    CNumberInputDlg dlg(nullptr, kScalePrompt, "比例", insertScale_, ch);
    if (dlg.DoModal() != IDOK || dlg.GetValue() < kTiny) return 0;
    insertScale_ = dlg.GetValue();
  } else {
    CNumberInputDlg dlg(nullptr, kAnglePrompt, "角度", insertAngle_, ch);
    if (dlg.DoModal() != IDOK) return 0;
    insertAngle_ = ConvertInputAngle(dlg.GetValue(), 0) + (tabCount_ % 4) * 90.0;
  }
  x = points_[0].x;
  y = points_[0].y;
  return 1;
}

// ---- Clicks.

void CInsertGroupCmd::Execute(CDraftView* view) {
  if (!view) return;
  const int ignoreCentre = GetSysVarInt(kMisc, "SET_MISC_HIDE_IGNOCENTERLINE", 1);
  const int ignoreThin = GetSysVarInt(kMisc, "SET_MISC_HIDE_IGNOTHINLINE", 0);
  if (pickingRange_) {
    if (insertScale_ >= kTiny)
      view->FindClosedBoundary(*view->GetEntityList(), rangeBoundary_, rangeRegions_, cursor_.x, cursor_.y,
                               ignoreCentre, ignoreThin, 0, 1);
    GdiFlush();
    view->RegisterInsertedEntities(rangeBoundary_);
    view->SelectEntities(rangeBoundary_, 1, 1, 1, 1);
    return;
  }
  if (!placing_) {
    if (step_ == 1) {
      // The base point fixes where the group goes.
      offsetX_ = points_[0].x - baseX_;
      offsetY_ = points_[0].y - baseY_;
      askAngle_ = GetSysVarInt(kNormal, "SET_INSERTSTATUS_ANGLE", 0);
      askScale_ = GetSysVarInt(kNormal, "SET_INSERTSTATUS_SCALE", 0);
      if ((askAngle_ || askScale_) && mode_ != 2) {
        promptOverride_ = askScale_ ? kScalePrompt : kAnglePrompt;
        return;
      }
    } else if (step_ == 2 && askAngle_ && askScale_) {
      promptOverride_ = kAnglePrompt;
      return;
    }
    placing_ = true;
  }
  Place(view);
}

void CInsertGroupCmd::Place(CDraftView* view) {
  if (insertScale_ < kTiny) {
    placing_ = false;
    points_.clear();
    step_ = 0;
    return;
  }
  continuous_ = mode_ == 2 ? 0 : GetSysVarInt(kNormal, "SET_INSERTSTATUS_CON", 0);
  if (!intoCurrentGroup_) AddAttributes(view);
  if (mode_ == 3 && intoCurrentGroup_) CopyTitleAttributes(view);

  int hide = hideOption_ ? GetSysVarInt(kNormal, "SET_INSERTSTATUS_HIDE", 1) : 0;
  if (view->GetEntityList()->IsEmpty()) hide = 0;
  if (hide && !rangeGiven_) {
    if (AfxMessageBox("消隐？", MB_YESNO | MB_ICONQUESTION) == IDYES)
      view_ = savedView_;
    else
      hide = 0;
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  CEntityList oldList, newList;
  if (hide && !rangeGiven_) {
    if (GetSysVarInt(kMisc, "SET_MISC_NORMALHIDE", 1) == 0) {
      // The user clicks the regions; the right button places the group.
      pickingRange_ = 1;
      promptOverride_ = kRangePrompt;
      pointInput_ = 0;
      Resume();
      ReleaseHideRange(nullptr);
      return;
    }
    HideAutomatically(view, record.get(), oldList, newList);
  }

  // The target group joins the drawing before the copies are made in it.
  HandOverTarget(view);
  const int ignoreCentre = GetSysVarInt(kMisc, "SET_MISC_HIDE_IGNOCENTERLINE", 1);
  const int ignoreThin = GetSysVarInt(kMisc, "SET_MISC_HIDE_IGNOTHINLINE", 0);
  const int layerWord = mode_ == 2 ? 1 : GetSysVarInt(kNormal, "SET_INSERTSTATUS_LAY", 1);
  CEntityList placed;
  auto offer = [&](CEntity* copy) {
    if (!copy) return;
    if (mode_ == 2 || ApplyInsertLayer(layerWord, context_, view->GetLayerTable(), view->GetCurrentLayer(), copy))
      placed.AddTail(copy);
    else
      delete copy;
  };
  for (CEntity* dragged : *view->GetSelectionList()) {
    CEntity* copy = dragged->Transform(offsetX_, offsetY_, baseX_, baseY_, insertScale_, insertAngle_, 1);
    if (!rangeGiven_ || !copy) {
      offer(copy);
      continue;
    }
    std::unique_ptr<CEntity> whole(copy);
    CEntityList one, cut, pieces, kept;
    one.AddTail(copy);
    view->HideByRegion(one, rangeBoundary_, ignoreCentre, ignoreThin, view->GetLayerTable(), nullptr, 0, cut,
                       pieces, kept);
    for (CEntity* p : pieces) offer(p);
    for (CEntity* k : kept) offer(k);
  }

  view->RemoveEntities(oldList);
  // The hidden parts are in the record already (HideByRegion filled it):
  // what is placed joins them.
  if (mode_ == 2) {
    record->AddNewList(placed);
    newList.AddTail(placed);
    view->AddEntities(newList);
  } else {
    std::unique_ptr<CBlockEntity> block(ConstructBlockEntity(view->GetCurrentLayer(), target_));
    for (CEntity* e : placed) {
      if (IsNamed(e->GetEntityGroup(), kSystemGroup)) {
        view->AddEntityToView(e, record.get(), nullptr, 1);
      } else if (!block->AddMember(e)) {
        delete e;
      }
    }
    record->AddNew(block.get());
    newList.AddTail(block.release());
    view->AddEntities(newList);
  }
  view->PushUndoRecord(record.release());

  const bool done = AfterPlacement(view);
  if (done) {
    DestroyDragged(view);
    done_ = 1;
  }
  points_.clear();
  step_ = 0;
  pickingRange_ = 0;
  pointInput_ = 1;
  placing_ = false;
  promptOverride_.Empty();
}

bool CInsertGroupCmd::AfterPlacement(CDraftView*) { return mode_ == 2 || !continuous_; }

void CInsertGroupCmd::HideAutomatically(CDraftView* view, CUndoRecord* record, CEntityList& oldList,
                                        CEntityList& newList) {
  const int ignoreCentre = GetSysVarInt(kMisc, "SET_MISC_HIDE_IGNOCENTERLINE", 1);
  const int ignoreThin = GetSysVarInt(kMisc, "SET_MISC_HIDE_IGNOTHINLINE", 0);
  if (mode_ == 3) return;  // a drawing file's group searches no region
  // The group where it goes: transformed copies of the dragged entities
  // (the dragged ones stay as they are, so that placing again and again
  // does not wear them down).
  CEntityList placedShape;
  struct Guard {
    CEntityList& list;
    ~Guard() {
      while (!list.IsEmpty()) delete list.RemoveHead();
    }
  } guard{placedShape};
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  bool any = false;
  for (CEntity* e : *view->GetSelectionList()) {
    CEntity* copy = e->Transform(offsetX_, offsetY_, baseX_, baseY_, insertScale_, insertAngle_, 1);
    if (!copy) continue;
    placedShape.AddTail(copy);
    double a = 0, b = 0, c = 0, d = 0;
    if (!copy->GetExtents(a, b, c, d)) continue;
    if (!any) {
      xmin = a, ymin = b, xmax = c, ymax = d;
      any = true;
    } else {
      xmin = std::min(xmin, a), ymin = std::min(ymin, b), xmax = std::max(xmax, c), ymax = std::max(ymax, d);
    }
  }
  if (!any) return;
  ReleaseHideRange(nullptr);
  rangeRegions_.RemoveAll();
  if (view->FindClosedBoundary(placedShape, rangeBoundary_, rangeRegions_, xmin - 5,
                               ymin + 0.26462587194224807 * (ymax - ymin), ignoreCentre, ignoreThin, context_, 1)) {
    CEntityList kept;
    view->HideByRegion(*view->GetEntityList(), rangeBoundary_, ignoreCentre, ignoreThin, view->GetLayerTable(),
                       record, 1, oldList, newList, kept);
  }
  // The region's sides lie on the copies, which go now.
  rangeRegions_.RemoveAll();
}

void CInsertGroupCmd::AddAttributes(CDraftView* view) {
  if (mode_ == 1) {
    CStringA weight;
    weight.Format("%lf", attrib_.weight);
    AddGroupAttribute(target_, "名称", kStringType, attrib_.name);
    AddGroupAttribute(target_, "备注", kStringType, attrib_.remark);
    AddGroupAttribute(target_, "重量", kStringType, weight);
    AddGroupAttribute(target_, "材料", kStringType, attrib_.material);
    return;
  }
  if (mode_ == 2) {
    for (const CAttributeItem& item : view->GetDrawingAttributeList()->Items())
      AddGroupAttribute(target_, item.name, item.type, item.value);
    return;
  }
  if (fileData_->GetCount() == 0) {
    std::vector<CDrawingGroup*> order;
    for (CDrawingGroup* g : loadedGroups_->GetGroupList())
      if (!IsNamed(g, kBasicGroup) && !IsNamed(g, kSystemGroup)) order.push_back(g);
    if (CDrawingGroup* g = loadedGroups_->FindGroup(kBasicGroup)) order.push_back(g);
    if (CDrawingGroup* g = loadedGroups_->FindGroup(kSystemGroup)) order.push_back(g);
    for (CDrawingGroup* g : order)
      for (const CAttributeItem& item : g->GetItemList()->Items())
        AddAttributeItem(fileData_, item.name, item.type, item.value, 0, item.shown);
  }
  for (const CAttributeItem& item : fileData_->Items()) AddGroupAttribute(target_, item.name, item.type, item.value);
  ClearAttributes(fileData_);
}

void CInsertGroupCmd::CopyTitleAttributes(CDraftView* view) {
  for (const CAttributeItem& item : fileData_->Items())
    if (IsTitleName(item.name)) SetDrawingAttribute(view, item.name, item.type, item.value, item.shown);
  for (CDrawingGroup* g : loadedGroups_->GetGroupList()) {
    if (!IsNamed(g, kSystemGroup)) continue;
    for (const CAttributeItem& item : GetGroupItemList(g)->Items())
      if (item.name.Left(5) == kTitlePrefix)
        AddAttributeItem(GetGroupItemList(view->GetDrawingAttributes()), item.name, item.type, item.value, 1,
                         item.shown);
  }
}

void CInsertGroupCmd::HandOverTarget(CDraftView* view) {
  if (!ownsTarget_ || !target_) return;
  CGroupTable* table = view->GetGroupTable();
  CDrawingGroup* added = AddGroup(table, target_->GetGroupName(), target_->GetGroupScale(), target_->GetFlagA(),
                                  target_->IsGroupPickedWhole(), target_->GetFlagC(), nullptr);
  if (!added) return;
  added->SetOrigin(target_->GetOriginX(), target_->GetOriginY());
  for (const CAttributeItem& item : target_->GetItemList()->Items())
    AddAttributeItem(added->GetItemList(), item.name, item.type, item.value, 1, item.shown);
  for (CEntity* e : *view->GetSelectionList())
    if (e->GetEntityGroup() == target_) AssignGroup(e, added);
  for (CEntity* e : fileGroups_)
    if (e->GetEntityGroup() == target_) AssignGroup(e, added);
  delete target_;
  target_ = added;
  ownsTarget_ = false;
}

// ---- Ending.

void CInsertGroupCmd::DestroyDragged(CDraftView* view) {
  // Only the command's own list: with tracking on the list is the view's.
  if (!view || view->IsSelectionTracking()) return;
  CEntityList& dragged = *view->GetSelectionList();
  while (!dragged.IsEmpty()) delete dragged.RemoveHead();
}

void CInsertGroupCmd::ReleaseHideRange(CDraftView* view) {
  if (view && rangeGiven_) view->DrawEntitiesTemp(rangeBoundary_, 1, 1);
  while (!rangeBoundary_.IsEmpty()) delete rangeBoundary_.RemoveHead();
  if (view) view->ClearRegisteredEntities();
  rangeGiven_ = 0;
}

int CInsertGroupCmd::OnRButton(CDraftView* view) {
  if (pickingRange_) {
    pickingRange_ = 0;
    rangeGiven_ = 1;
    Execute(view);
  }
  DestroyDragged(view);
  ReleaseHideRange(view);
  points_.clear();
  step_ = 0;
  if (view) view->EnableSelectionTracking(1);
  pickingRange_ = rangeGiven_ = 0;
  promptOverride_.Empty();
  pointInput_ = 1;
  return CCmdBase::OnRButton(view);
}

int CInsertGroupCmd::End(CDraftView* view) {
  if (view) {
    view->ResetViewDrag(0);
    DestroyDragged(view);
    view->EnableSelectionTracking(1);
  }
  pickingRange_ = rangeGiven_ = 0;
  ReleaseHideRange(view);
  return CCmdBase::End(view);
}
