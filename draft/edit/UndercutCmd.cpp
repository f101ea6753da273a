#include "draft/edit/UndercutCmd.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>

#include "draft/edit/GrooveSupport.h"
#include "draft/edit/LineEnds.h"
#include "draft/edit/UndercutSizeDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/Messages.h"
#include "draft/host/Settings.h"
#include "draft/host/TangentGeometry.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

using edit::EndsOf;
using edit::LineEnds;

namespace {
constexpr DWORD kLineMask = static_cast<DWORD>(-258);

GPoint Middle(const GPoint& p, const GPoint& q) { return {(p.x + q.x) / 2, (p.y + q.y) / 2}; }
double Distance(const GPoint& p, const GPoint& q) { return GetPointDistance(p.x, p.y, q.x, q.y); }
}  // namespace

CUndercutCmd::CUndercutCmd(int id) : CCmdBase(id, nullptr) {
  pickMode_ = 1;
  prompts_ = {"选择端线", "选择第一条边", "选择第二条边", "选择第三条边", "选择第四条边"};
  ClearEdges();
}

int CUndercutCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  view->ClearSelection();
  CAxialUndercutDlg dlg(nullptr);
  return RunGrooveSizeDialog(view, dlg, CAxialUndercutDlg::kSection, "20", "2", diameter_, width_);
}

BOOL CUndercutCmd::AcceptsEdge(CEntity* entity) { return entity && entity->IsLine(); }

bool CUndercutCmd::IsChosen(const CEntity* line) const {
  if (line == endLine_) return true;
  for (const CEntity* e : edges_)
    if (e == line) return true;
  return false;
}

bool CUndercutCmd::TakeEdge(CDraftView* view, CEntity* line, const GPoint& foot) {
  for (int i = 0; i < 4; ++i)
    if (!edges_[i]) {
      edges_[i] = line;
      feet_[i] = foot;
      view->SelectEntity(line, 1, 1, 1);
      return true;
    }
  return false;
}

void CUndercutCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const BOOL firstPick = endLine_ == nullptr;
  const GPoint at{points_.back().x, points_.back().y};
  CEntityList found;
  view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kLineMask, -1);
  bool chosen = false;
  for (CEntity* e : found) {
    if (!AcceptsEdge(e)) continue;
    const LineEnds l = EndsOf(e);
    GPoint foot = at;
    ProjectPointToLine(0, l.a, l.b, at, foot);
    if (!endLine_) {
      endLine_ = e;
      endFoot_ = foot;
      view->SelectEntity(e, 1, 1, 1);
      chosen = true;
    } else if (!IsChosen(e) && !e->IsParallelTo(*endLine_)) {
      if (!TakeEdge(view, e, foot)) break;
      // An edge taken with the end line in one click drops its prompt too,
      // as the search's edges do, so the prompt names the next missing edge.
      if (firstPick) RemovePrompt(1);
      chosen = true;
    }
  }
  if (!chosen) {
    points_.pop_back();
    return;
  }
  if (firstPick) FindCrossingEdges(view);
  if (edges_[3]) {
    view->ClearSelection();
    if (!BuildGroove(view, firstPick)) ClearEdges();
  }
  if (!endLine_) points_.clear();
}

void CUndercutCmd::FindCrossingEdges(CDraftView* view) {
  const LineEnds end = EndsOf(endLine_);
  CEntityList lines;
  for (CEntity* e : *view->GetEntityList()) lines.AddTail(e);
  for (CEntity* e : lines) {
    if (edges_[3]) break;
    // A line chosen at this click already holds its slot.
    if (!e->IsLine() || IsChosen(e) || e->GetEntityLayer() != endLine_->GetEntityLayer() ||
        e->GetEntityGroup() != endLine_->GetEntityGroup())
      continue;
    const LineEnds l = EndsOf(e);
    GPoint x;
    if (!IntersectLinesEx(1, end.a, end.b, l.a, l.b, x)) continue;
    TakeEdge(view, e, Middle(l.a, l.b));
    RemovePrompt(1);
  }
}

void CUndercutCmd::SortPointPair(double& x1, double& y1, double& x2, double& y2) {
  if (x1 > x2 || (x1 == x2 && y1 > y2)) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
}

int CUndercutCmd::SideOfLine(CEntity* endLine, CEntity* edge) {
  if (endLine->IsParallelTo(*edge)) return 0;
  LineEnds end = EndsOf(endLine), e = EndsOf(edge);
  SortPointPair(end.a.x, end.a.y, end.b.x, end.b.y);
  SortPointPair(e.a.x, e.a.y, e.b.x, e.b.y);
  const double tol = tressil::kGeomTolerance;
  if (std::fabs(end.a.x - end.b.x) > tol && std::fabs(end.a.y - end.b.y) > tol) {
    // A slanted end line: the edge's first end against where the two meet
    // (their carriers, when the segments do not reach each other).
    GPoint x;
    if (!IntersectLinesEx(2, end.a, end.b, e.a, e.b, x)) IntersectLinesEx(0, end.a, end.b, e.a, e.b, x);
    return e.a.x >= x.x ? 1 : -1;
  }
  if (std::fabs(end.a.x - end.b.x) <= tol) return e.a.x > end.a.x || std::fabs(e.a.x - end.a.x) <= tol ? 1 : -1;
  return e.a.y > end.a.y || std::fabs(e.a.y - end.a.y) <= tol ? 1 : -1;
}

void CUndercutCmd::SwapPoints(GPoint& p, GPoint& q) { std::swap(p, q); }

void CUndercutCmd::ClearEdges() {
  endLine_ = cut1_ = cut2_ = nullptr;
  for (CEntity*& e : edges_) e = nullptr;
}

void CUndercutCmd::RemovePrompt(int index) {
  if (index < 0 || index >= promptCount_ || index >= static_cast<int>(prompts_.size())) return;
  prompts_.erase(prompts_.begin() + index);
  --promptCount_;
}

bool CUndercutCmd::AskNewSizes(CDraftView* view, double scale, double small, double& width, double& diameter) {
  if (ShowMessage("退刀槽直径与小端直径相等,重新输入吗?", MB_OKCANCEL) != IDOK) return false;
  CAxialUndercutDlg dlg(nullptr);
  dlg.first = diameter_;
  dlg.second = width_;
  {
    CModalDialogScope scope(view);
    if (dlg.DoModal() != IDOK) return false;
  }
  diameter_ = dlg.first;
  width_ = dlg.second;
  width = dlg.second * scale;
  diameter = dlg.first * scale;
  return std::fabs(small - diameter) > 1e-6;
}

BOOL CUndercutCmd::BuildGroove(CDraftView* view, BOOL) {
  if (!view || !endLine_ || !edges_[3]) return FALSE;
  double diameter = std::atof(GetProfileStringSetting(CAxialUndercutDlg::kSection, "depth", "20").GetString());
  double width = std::atof(GetProfileStringSetting(CAxialUndercutDlg::kSection, "width", "2").GetString());
  int side[4];
  for (int i = 0; i < 4; ++i) side[i] = SideOfLine(endLine_, edges_[i]);
  // The order of the edges as pair A (0, 1) and pair B (2, 3).
  int order[4];
  if (side[0] == side[1]) {
    order[0] = 0, order[1] = 1, order[2] = 2, order[3] = 3;
  } else if (side[0] == side[2]) {
    order[0] = 0, order[1] = 2, order[2] = 1, order[3] = 3;
  } else if (side[0] == side[3]) {
    order[0] = 0, order[1] = 3, order[2] = 2, order[3] = 1;
  } else {
    return FALSE;
  }
  // The other pair must lie wholly on the other side.
  if (side[order[0]] == 0 || side[order[2]] != side[order[3]] || side[order[2]] == side[order[0]]) return FALSE;
  CEntity* line[4];
  GPoint foot[4], cross[4];
  const double scale = GetGroupScale(endLine_->GetEntityGroup());
  diameter *= scale;
  width *= scale;
  const LineEnds end = EndsOf(endLine_);
  for (int i = 0; i < 4; ++i) {
    line[i] = edges_[order[i]];
    foot[i] = feet_[order[i]];
    const LineEnds l = EndsOf(line[i]);
    if (!IntersectLinesEx(2, end.a, end.b, l.a, l.b, cross[i])) return FALSE;
  }
  double dA = Distance(cross[0], cross[1]), dB = Distance(cross[2], cross[3]);
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  if (dB + 1e-6 < dA) {
    for (int i = 0; i < 2; ++i) {
      std::swap(line[i], line[i + 2]);
      std::swap(foot[i], foot[i + 2]);
      SwapPoints(cross[i], cross[i + 2]);
    }
    std::swap(dA, dB);
  }
  const double small = dA;
  if (std::fabs(small - diameter) <= 1e-6 && !AskNewSizes(view, scale, small, width, diameter)) return FALSE;
  cut1_ = line[0];
  cut2_ = line[1];
  view->BeginViewUpdate();
  view->RemoveEntity(cut1_, 1, 0);
  view->RemoveEntity(cut2_, 1, 0);
  GPoint g[2];
  for (int i = 0; i < 2; ++i) {
    const LineEnds l = EndsOf(line[i]);
    const GPoint f = GetPerpendicularFoot(l.a, l.b, foot[i]);
    g[i] = PointAlongLine(cross[i], f, width);
    view->AddEntityToView(CutLineTowards(line[i], f, cross[i], g[i]), record.get(), line[i], 1);
  }
  const GPoint m = Middle(g[0], g[1]);
  const double phi = GetLineAngle(m.x, m.y, g[0].x, g[0].y) * 0.017453292519943295;
  const double pi = 3.141592653589793;
  const GPoint q1 = GetPolarPoint(m, phi, diameter / 2), q2 = GetPolarPoint(m, phi + pi, diameter / 2);
  const GPoint n = Middle(cross[2], cross[3]);
  const GPoint r1 = GetPolarPoint(n, phi, diameter / 2), r2 = GetPolarPoint(n, phi + pi, diameter / 2);
  const int layer = endLine_->GetEntityLayer();
  CDrawingGroup* group = endLine_->GetEntityGroup();
  const bool wallAtOutline = Distance(q1, q2) < Distance(g[0], g[1]);
  const GPoint w1 = wallAtOutline ? g[0] : q1, w2 = wallAtOutline ? g[1] : q2;
  view->AddEntityToView(ConstructLineEntity(layer, group, w1.x, w1.y, w2.x, w2.y), record.get(), nullptr, 1);
  view->AddEntityToView(ConstructLineEntity(layer, group, q1.x, q1.y, r1.x, r1.y), record.get(), nullptr, 1);
  view->AddEntityToView(ConstructLineEntity(layer, group, q2.x, q2.y, r2.x, r2.y), record.get(), nullptr, 1);
  if (dB < Distance(r1, r2)) {
    // The groove reaches beyond the large diameter: the end line grows to it.
    view->RemoveEntity(endLine_, 1, 0);
    view->AddEntityToView(ConstructLineEntity(layer, group, r1.x, r1.y, r2.x, r2.y), record.get(), endLine_, 1);
  }
  view->PushUndoRecord(record.release());
  ClearEdges();
  view->ClearSelection();
  view->EndViewUpdate();
  return TRUE;
}

int CUndercutCmd::OnRButton(CDraftView* view) {
  if (view) view->ClearSelection();
  ClearEdges();
  promptCount_ = 1;
  return CCmdBase::OnRButton(view);
}

int CUndercutCmd::End(CDraftView* view) {
  if (view) view->ClearSelection();
  endLine_ = nullptr;
  edges_[0] = nullptr;
  promptCount_ = 1;
  return CCmdBase::End(view);
}
