#include "draft/tables/TableCellCmd.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/Settings.h"
#include "platform/gdi/Gdi32.h"

namespace {

constexpr double kCellTolerance = 1e-6;

bool Near(double a, double b) { return std::fabs(a - b) < kCellTolerance; }

// Four lines that run along the sides of one axis-parallel rectangle: each
// is horizontal or vertical, and their ends take two x and two y values.
bool RectangleOfLines(const CEntityList& boundary, CTableCellCmd::Cell& cell) {
  if (boundary.GetCount() != 4) return false;
  double xs[2], ys[2];
  int nx = 0, ny = 0;
  auto note = [](double v, double* values, int& n) {
    for (int i = 0; i < n; ++i)
      if (Near(values[i], v)) return true;
    if (n == 2) return false;
    values[n++] = v;
    return true;
  };
  for (CEntity* e : boundary) {
    if (!e->IsLine()) return false;
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    if (!Near(v[0], v[2]) && !Near(v[1], v[3])) return false;
    if (!note(v[0], xs, nx) || !note(v[2], xs, nx) || !note(v[1], ys, ny) || !note(v[3], ys, ny)) return false;
  }
  if (nx != 2 || ny != 2) return false;
  cell.x0 = std::min(xs[0], xs[1]);
  cell.x1 = std::max(xs[0], xs[1]);
  cell.y0 = std::min(ys[0], ys[1]);
  cell.y1 = std::max(ys[0], ys[1]);
  cell.cx = (cell.x0 + cell.x1) / 2.0;
  cell.cy = (cell.y0 + cell.y1) / 2.0;
  return true;
}

bool SquareOfCircle(const CEntityList& boundary, CTableCellCmd::Cell& cell) {
  if (boundary.GetCount() != 1 || !boundary.GetHead()->IsCircle()) return false;
  double v[kMaxGeometryValues];
  boundary.GetHead()->GetGeometry(v);
  cell = {v[0] - v[2], v[1] - v[2], v[0] + v[2], v[1] + v[2], v[0], v[1]};
  return true;
}

}  // namespace

CTableCellCmd::CTableCellCmd(int id, CDraftView* view) : CCmdBase(id, view), cellView_(view) {}

CTableCellCmd::~CTableCellCmd() {
  while (!boundary_.IsEmpty()) delete boundary_.RemoveHead();
  second_.RemoveAll();
}

int CTableCellCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  group_ = view ? view->GetCurrentGroup() : nullptr;
  SetPickMode(0);
  SetPointInput(0);
  return 1;
}

void CTableCellCmd::ReleaseBoundary(CDraftView* view) {
  while (!boundary_.IsEmpty()) {
    CEntity* e = boundary_.RemoveHead();
    if (view) view->DrawEntityTemp(e, 1, 1);
    delete e;  // a registered entity leaves the view as it goes
  }
  second_.RemoveAll();
  if (view) view->ClearRegisteredEntities();
}

int CTableCellCmd::OnRButton(CDraftView* view) {
  step_ = 0;
  ReleaseBoundary(view);
  return CCmdBase::OnRButton(view);
}

int CTableCellCmd::End(CDraftView* view) {
  step_ = 0;
  ReleaseBoundary(view);
  return CCmdBase::End(view);
}

BOOL CTableCellCmd::FindCell(CDraftView* view, double x, double y, Cell& cell) {
  if (!view) return FALSE;
  ReleaseBoundary(view);
  const int hideCentre = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOCENTERLINE", 1);
  const int hideThin = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOTHINLINE", 0);
  if (!view->FindClosedBoundary(*view->GetEntityList(), boundary_, second_, x, y, hideCentre, hideThin, 0, 1))
    return FALSE;
  if (!SquareOfCircle(boundary_, cell) && !RectangleOfLines(boundary_, cell)) {
    ReleaseBoundary(view);
    return FALSE;
  }
  GdiFlush();
  view->RegisterInsertedEntities(boundary_);
  view->SelectEntities(boundary_, 1, 1, 1, 1);
  return TRUE;
}
