#include "draft/edit/ShaftChamferCmd.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "draft/edit/ChamferSetDlg.h"
#include "draft/edit/LineEnds.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

using edit::EndsOf;
using edit::LineEnds;

namespace {
constexpr DWORD kShaftPickMask = 0xFF9FFEFE;

// The running choice of one side of the end face.
struct SideChoice {
  CEntity* line = nullptr;
  double best;
};
}  // namespace

CShaftChamferCmd::CShaftChamferCmd(int id, int hole) : CCmdBase(id, nullptr), hole_(hole ? 1 : 0) {
  SetPickMode(1);
  if (hole_)
    prompts_ = {CString("选择孔的端面"), CString("选择孔第一根轮廓线"), CString("选择孔第二根轮廓线")};
  else
    prompts_ = {CString("选择轴的端面"), CString("选择轴第一根轮廓线"), CString("选择轴第二根轮廓线")};
}

int CShaftChamferCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  if (GetProfileIntSetting(CChamferSetDlg::kSection, "DisplayAlways", 1)) {
    CModalDialogScope scope(view);
    CChamferSetDlg dlg(nullptr);
    if (dlg.DoModal() != IDOK) return 0;
  }
  view->ClearSelection();
  return 1;
}

void CShaftChamferCmd::ForgetLines() {
  face_ = first_ = second_ = nullptr;
  facePick_ = firstPick_ = secondPick_ = GPoint{};
}

bool CShaftChamferCmd::TakeLine(CDraftView* view, CEntity* line, const GPoint& at) {
  CEntity** slot = nullptr;
  GPoint* pick = nullptr;
  if (!face_) {
    slot = &face_;
    pick = &facePick_;
  } else if (line == face_ || line->IsParallelTo(*face_)) {
    return false;
  } else if (!first_) {
    slot = &first_;
    pick = &firstPick_;
  } else if (line != first_ && !second_) {
    slot = &second_;
    pick = &secondPick_;
  } else {
    return false;
  }
  *slot = line;
  view->SelectEntity(line, 1, 1, 1, nullptr);
  const LineEnds ends = EndsOf(line);
  GPoint foot = at;
  ProjectPointToLine(0, ends.a, ends.b, at, foot);
  *pick = foot;
  return true;
}

void CShaftChamferCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const GPoint at{points_.back().x, points_.back().y};
  const bool beganEmpty = !face_ && !first_ && !second_;
  CEntityList found;
  view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kShaftPickMask, -1);
  bool took = false;
  for (CEntity* e : found)
    if (e->IsLine() && TakeLine(view, e, at)) took = true;
  if (!took) {
    points_.pop_back();
    return;
  }
  if (beganEmpty && !SearchContours(view)) {
    points_.clear();
    return;
  }
  if (face_ && first_ && second_) MakeChamfers(view);
}

bool CShaftChamferCmd::SearchContours(CDraftView* view) {
  const LineEnds face = EndsOf(face_);
  const bool vertical = std::fabs(face.a.x - face.b.x) <= 1e-6;
  const double start = hole_ ? 1e300 : -1e300;
  SideChoice sides[2] = {{nullptr, start}, {nullptr, start}};
  const auto scan = [&](const CEntityList& list, bool firstSide, bool secondSide) {
    for (CEntity* e : list) {
      if (!e->IsLine() || e == face_) continue;
      if (e->GetEntityLayer() != face_->GetEntityLayer() || e->GetEntityGroup() != face_->GetEntityGroup()) continue;
      const LineEnds c = EndsOf(e);
      GPoint x;
      if (!IntersectLinesEx(1, face.a, face.b, c.a, c.b, x, 0)) continue;
      const bool onFirst = vertical ? x.y > facePick_.y : x.x > facePick_.x;
      if (onFirst ? !firstSide : !secondSide) continue;
      SideChoice& side = sides[onFirst ? 0 : 1];
      const double d = MeasurePointDistance(facePick_, x);
      if (hole_ ? d < side.best : d > side.best) side = {e, d};
    }
  };
  scan(*view->GetSecondList(), true, true);
  // The drawing's lines: those of the entity list and the selected ones
  // (a contour line the click took is selected).
  if (!sides[0].line) {
    scan(*view->GetEntityList(), true, false);
    scan(*view->GetSelectionList(), true, false);
  }
  if (!sides[1].line) {
    scan(*view->GetEntityList(), false, true);
    scan(*view->GetSelectionList(), false, true);
  }
  if (!sides[0].line || !sides[1].line) {
    for (CEntity* e : {first_, second_})
      if (e) view->ClearSelection(e);
    first_ = second_ = nullptr;
    return false;
  }
  const auto middle = [](CEntity* line) {
    const LineEnds c = EndsOf(line);
    return GPoint{(c.a.x + c.b.x) / 2, (c.a.y + c.b.y) / 2};
  };
  first_ = sides[0].line;
  firstPick_ = middle(first_);
  second_ = sides[1].line;
  secondPick_ = middle(second_);
  return true;
}

void CShaftChamferCmd::MakeChamfers(CDraftView* view) {
  view->ClearSelection();
  const double len1 = std::atof(GetProfileStringSetting(CChamferSetDlg::kSection, "Var1").GetString());
  const double len2 = std::atof(GetProfileStringSetting(CChamferSetDlg::kSection, "Len2").GetString());
  const int layer = face_->GetEntityLayer();
  CDrawingGroup* group = face_->GetEntityGroup();
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  view->BeginViewUpdate();
  // The chamfer cuts each contour line, which must be out of the drawing
  // for it; MakeChamfer records the line it replaces.
  view->RemoveEntity(first_, 1, 0);
  view->RemoveEntity(second_, 1, 0);
  const LineEnds face = EndsOf(face_);
  GPoint facePoint = facePick_;
  CEntity* contours[2] = {first_, second_};
  const GPoint picks[2] = {firstPick_, secondPick_};
  CEntity* chamfers[2] = {nullptr, nullptr};
  for (int i = 0; i < 2; ++i) {
    if (hole_) {
      // A hole's chamfer lies beyond the contour line on the end face.
      const LineEnds c = EndsOf(contours[i]);
      GPoint x;
      if (IntersectLinesEx(0, face.a, face.b, c.a, c.b, x, 0)) facePoint = {2 * x.x - facePoint.x, 2 * x.y - facePoint.y};
    }
    chamfers[i] = view->MakeChamfer(3, face_, contours[i], facePoint.x, facePoint.y, picks[i].x, picks[i].y, len1,
                                    len2, 0, layer, group, record.get());
  }
  // A contour line whose chamfer failed comes back unchanged; the last one
  // out goes back first, so that members of one block regain their places.
  for (int i = 1; i >= 0; --i)
    if (!chamfers[i]) view->AddEntityToView(contours[i], nullptr, nullptr, 1);
  if (chamfers[0] && chamfers[1]) {
    const LineEnds c1 = EndsOf(chamfers[0]), c2 = EndsOf(chamfers[1]);
    view->AddEntityToView(ConstructLineEntity(layer, group, c1.b.x, c1.b.y, c2.b.x, c2.b.y, 1), record.get(), nullptr,
                          1);
    if (!hole_) {
      view->RemoveEntity(face_, 1, 0);
      CEntity* newFace = ConstructLineEntity(layer, group, c1.a.x, c1.a.y, c2.a.x, c2.a.y, 1);
      newFace->SetEntityOwner(face_->GetEntityOwner());
      view->AddEntityToView(newFace, record.get(), face_, 1);
    }
  }
  if (!record->IsEmpty()) view->PushUndoRecord(record.release());
  view->EndViewUpdate();
  points_.clear();
  ForgetLines();
}

int CShaftChamferCmd::End(CDraftView* view) {
  if (view) view->ClearSelection();
  return CCmdBase::End(view);
}

int CShaftChamferCmd::OnRButton(CDraftView* view) {
  ForgetLines();
  if (view) view->ClearSelection();
  return CCmdBase::OnRButton(view);
}
