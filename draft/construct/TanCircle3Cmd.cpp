#include "draft/construct/TanCircle3Cmd.h"

#include <memory>
#include <vector>

#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/TangentCircles.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/MessageBox.h"

namespace {
constexpr const char* kElementPrompt = "请选择与圆相切的图元（Tab 输入点）";
constexpr const char* kPointPrompt = "请输入点(TAB：选择与圆相切的图元)";
constexpr const char* kChoosePrompt = "请选择所需的公切圆（右键结束）";
constexpr const char* kSolveFailed = "   求解失败！\n请重新选择图元或输入点。";
constexpr DWORD kElementMask = 0x7FBEF8;
constexpr DWORD kCandidateMask = 0xFFFFFFFD;

struct LineCoefficients {
  double a, b, c;
};
struct CircleValues {
  double x, y, r;
};
}  // namespace

CTanCircle3Cmd::CTanCircle3Cmd(int id) : CCmdBase(id, nullptr) {
  prompts_ = {CString(kElementPrompt), CString(kElementPrompt), CString(kElementPrompt)};
  SetPickMode(1);
  pointCount_ = 1;
}

CTanCircle3Cmd::~CTanCircle3Cmd() = default;

int CTanCircle3Cmd::MarksPoints() { return 0; }

int CTanCircle3Cmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  ClearInputs();
  choosing_ = 0;
  view->ClearSelection(nullptr);
  return 1;
}

void CTanCircle3Cmd::SetModePrompt() {
  SetPickMode(pointMode_ ? 0 : 1);
  promptOverride_ = pointMode_ ? kPointPrompt : kElementPrompt;
}

void CTanCircle3Cmd::OnTabKey(CDraftView* view) {
  if (choosing_) return;
  CCmdBase::OnTabKey(view);
  pointMode_ = pointMode_ ? 0 : 1;
  SetModePrompt();
}

void CTanCircle3Cmd::ClearInputs() {
  for (CEntity*& e : elements_) e = nullptr;
  for (InputPoint& p : inputs_) p = InputPoint{};
}

void CTanCircle3Cmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const double x = points_.back().x, y = points_.back().y;
  if (choosing_) {
    Choose(view, x, y);
    return;
  }
  if (pointMode_) {
    for (InputPoint& p : inputs_) {
      if (p.set) continue;
      p = InputPoint{x, y, 1};
      break;
    }
  } else {
    TakeElements(view, x, y);
  }
  if (InputsComplete()) Solve(view);
}

void CTanCircle3Cmd::TakeElements(CDraftView* view, double x, double y) {
  CEntityList found;
  view->PickEntitiesAtPoint(x, y, found, 0, 1, 0, 0, kElementMask, 0);
  bool took = false;
  for (CEntity* e : found) {
    if (elements_[2]) break;
    if (!e->IsLine() && !e->IsCircle() && !e->IsArc()) continue;
    if (e == elements_[0] || e == elements_[1]) continue;
    for (CEntity*& slot : elements_) {
      if (slot) continue;
      slot = e;
      break;
    }
    view->SelectEntity(e, 1, 1, 1, nullptr);
    took = true;
  }
  if (!took) promptOverride_ = kElementPrompt;
}

bool CTanCircle3Cmd::InputsComplete() const {
  return (inputs_[0].set && inputs_[1].set && inputs_[2].set) || elements_[2] ||
         (inputs_[1].set && elements_[0]) || (inputs_[0].set && elements_[1]);
}

const char* CTanCircle3Cmd::SolverFor(int points, int lines, int circles) {
  if (points >= 3) return "GetCircleBy3Points";
  if (points == 0) {
    if (lines == 3) return "lllGetTanCircle";
    if (lines == 2 && circles == 1) return "llcGetTanCircle";
    if (lines == 1 && circles == 2) return "lccGetTanCircle";
    if (circles == 3) return "cccGetTanCircle";
    return nullptr;
  }
  if (points == 2) {
    if (lines == 1) return "pplGetTanCircle";
    if (circles == 1) return "ppcGetTanCircle";
    return nullptr;
  }
  if (lines == 2) return "pllGetTanCircle";
  if (circles == 2) return "pccGetTanCircle";
  if (lines == 1 && circles == 1) return "plcGetTanCircle";
  return nullptr;
}

void CTanCircle3Cmd::Solve(CDraftView* view) {
  view->ClearSelection(nullptr);
  // The case that completed the inputs says how many points take part.
  int points = 3;
  if (!(inputs_[0].set && inputs_[1].set && inputs_[2].set)) {
    if (elements_[2])
      points = 0;
    else if (inputs_[1].set && elements_[0])
      points = 2;
    else
      points = 1;
  }
  std::vector<LineCoefficients> lines;
  std::vector<CircleValues> circles;
  bool linesFormed = true;
  for (CEntity* e : elements_) {
    if (!e || points == 3) continue;
    double v[kMaxGeometryValues] = {};
    e->GetGeometry(v);
    if (e->IsLine()) {
      LineCoefficients l{};
      if (!ppGetLine(v[0], v[1], v[2], v[3], &l.a, &l.b, &l.c)) linesFormed = false;
      lines.push_back(l);
    } else {
      circles.push_back({v[0], v[1], v[2]});
    }
  }
  const GPoint p1{inputs_[0].x, inputs_[0].y}, p2{inputs_[1].x, inputs_[1].y}, p3{inputs_[2].x, inputs_[2].y};
  double cx[kMaxTanCircles] = {}, cy[kMaxTanCircles] = {}, r[kMaxTanCircles] = {};
  int n = 0;
  const char* solver =
      SolverFor(points, static_cast<int>(lines.size()), static_cast<int>(circles.size()));
  const CString name(solver ? solver : "");
  if (linesFormed && solver) {
    if (name == "GetCircleBy3Points") {
      GPoint c;
      if (GetCircleBy3Points(p1, p2, p3, c, r[0])) {
        cx[0] = c.x;
        cy[0] = c.y;
        n = 1;
      }
    } else if (name == "lllGetTanCircle") {
      const auto &l1 = lines[0], &l2 = lines[1], &l3 = lines[2];
      n = lllGetTanCircle(l1.a, l1.b, l1.c, l2.a, l2.b, l2.c, l3.a, l3.b, l3.c, cx, cy, r);
    } else if (name == "llcGetTanCircle") {
      const auto &l1 = lines[0], &l2 = lines[1];
      const auto& c1 = circles[0];
      n = llcGetTanCircle(l1.a, l1.b, l1.c, l2.a, l2.b, l2.c, c1.x, c1.y, c1.r, cx, cy, r);
    } else if (name == "lccGetTanCircle") {
      const auto& l1 = lines[0];
      const auto &c1 = circles[0], &c2 = circles[1];
      n = lccGetTanCircle(l1.a, l1.b, l1.c, c1.x, c1.y, c1.r, c2.x, c2.y, c2.r, cx, cy, r);
    } else if (name == "cccGetTanCircle") {
      const auto &c1 = circles[0], &c2 = circles[1], &c3 = circles[2];
      n = cccGetTanCircle(c1.x, c1.y, c1.r, c2.x, c2.y, c2.r, c3.x, c3.y, c3.r, cx, cy, r);
    } else if (name == "pplGetTanCircle") {
      const auto& l1 = lines[0];
      n = pplGetTanCircle(p1.x, p1.y, p2.x, p2.y, l1.a, l1.b, l1.c, cx, cy, r);
    } else if (name == "ppcGetTanCircle") {
      const auto& c1 = circles[0];
      n = ppcGetTanCircle(p1.x, p1.y, p2.x, p2.y, c1.x, c1.y, c1.r, cx, cy, r);
    } else if (name == "pllGetTanCircle") {
      const auto &l1 = lines[0], &l2 = lines[1];
      n = pllGetTanCircle(p1.x, p1.y, l1.a, l1.b, l1.c, l2.a, l2.b, l2.c, cx, cy, r);
    } else if (name == "pccGetTanCircle") {
      const auto &c1 = circles[0], &c2 = circles[1];
      n = pccGetTanCircle(p1.x, p1.y, c1.x, c1.y, c1.r, c2.x, c2.y, c2.r, cx, cy, r);
    } else if (name == "plcGetTanCircle") {
      const auto& l1 = lines[0];
      const auto& c1 = circles[0];
      n = plcGetTanCircle(p1.x, p1.y, l1.a, l1.b, l1.c, c1.x, c1.y, c1.r, cx, cy, r);
    }
  }
  if (n <= 0)
    AfxMessageBox(kSolveFailed);
  else
    AddSolutions(view, cx, cy, r, n > kMaxTanCircles ? kMaxTanCircles : n);
  ClearInputs();
  points_.clear();
}

void CTanCircle3Cmd::AddSolutions(CDraftView* view, const double* cx, const double* cy, const double* r, int n) {
  CEntityList made;
  for (int i = 0; i < n; ++i)
    made.AddTail(ConstructCircleEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), cx[i], cy[i], r[i], 1));
  view->AddEntities(made);
  if (n == 1) {
    CUndoRecord* record = ConstructUndoAddEntities();
    record->AddNewList(made);
    view->PushUndoRecord(record);
    return;
  }
  view->SelectEntities(made, 1, 1, 1, 0);
  choosing_ = 1;
  SetPickMode(1);
  promptOverride_ = kChoosePrompt;
}

void CTanCircle3Cmd::Choose(CDraftView* view, double x, double y) {
  CEntityList found;
  view->PickEntitiesAtPoint(x, y, found, 0, 1, 1, 1, kCandidateMask, -1);
  for (CEntity* e : found) {
    if (!e->IsCircle() || !view->GetSelectionList()->Contains(e)) continue;
    kept_.AddTail(e);
    view->ClearSelection(e);
  }
  if (view->GetSelectionList()->IsEmpty()) OnRButton(view);
}

void CTanCircle3Cmd::EndChoice(CDraftView* view) {
  // The kept circles are in the drawing already: the record names them once.
  if (!kept_.IsEmpty()) {
    CUndoRecord* record = ConstructUndoAddEntities();
    record->AddNewList(kept_);
    view->PushUndoRecord(record);
    kept_.RemoveAll();
  }
  CEntityList* offered = view->GetSelectionList();
  view->DrawEntitiesTemp(*offered, 1, 1);
  while (!offered->IsEmpty()) {
    view->DiscardEntity(offered->RemoveHead());
  }
  choosing_ = 0;
  points_.clear();
  step_ = 0;
  SetModePrompt();
}

int CTanCircle3Cmd::OnRButton(CDraftView* view) {
  if (choosing_) {
    if (view) EndChoice(view);
    return 0;
  }
  if (view) view->ClearSelection(nullptr);
  ClearInputs();
  return CCmdBase::OnRButton(view);
}

int CTanCircle3Cmd::End(CDraftView* view) {
  OnRButton(view);
  return CCmdBase::End(view);
}
