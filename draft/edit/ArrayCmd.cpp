#include "draft/edit/ArrayCmd.h"

#include <cmath>
#include <memory>

#include "draft/edit/ArraySetDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineServices.h"
#include "draft/host/Messages.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/Wnd.h"

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr int kSelectMask = 0x22040;
constexpr DWORD kLinePickMask = 0xFFDEFEFE;

// The scale of the first selected entity's group that has one; 1 without
// a group and for a scale within 1e-6 of 0 or of 1e300.
double SelectionGroupScale(const CEntityList& selection) {
  for (const CEntity* e : selection) {
    const CDrawingGroup* group = e ? e->GetEntityGroup() : nullptr;
    if (!group) continue;
    const double s = std::fabs(group->GetGroupScale());
    return s < 1e-6 || std::fabs(s - 1e300) < 1e-6 ? 1.0 : s;
  }
  return 1.0;
}

// The spacing of n cells along a line of `length`: the whole length below
// two cells.
double SpacingAlong(double length, int n) { return n < 2 ? length : length / (n - 1); }
}  // namespace

CArrayCmd::CArrayCmd(int id, CDraftView* view, int selectAnew, int deselectMode)
    : CSelectCmdBase(id, view, selectAnew, deselectMode, kSelectMask, 0) {
  prompts_.resize(3);
}

int CArrayCmd::ProcessSelection(CDraftView* view) {
  int result = 0;
  {
    CModalDialogScope scope(view);
    CArraySetDlg dlg(nullptr);
    result = static_cast<int>(dlg.DoModal());
    if (result == IDOK) {
      columns_ = dlg.GetColumnCount();
      rows_ = dlg.GetRowCount();
      mode_ = dlg.GetMode();
      rowSpacing_ = dlg.GetRowSpacing();
      columnSpacing_ = dlg.GetColumnSpacing();
      xAngle_ = dlg.GetXAngleResult();
      yAngle_ = dlg.GetYAngleResult();
    }
  }
  if (result != IDOK) {
    if (view) view->ClearSelection(nullptr);
    return 0;
  }
  if (!view) return 0;
  const double scale = SelectionGroupScale(*view->GetSelectionList());
  rowSpacing_ *= scale;
  columnSpacing_ *= scale;
  if (columns_ == 1 && rows_ == 1) return 0;
  switch (mode_) {
    case CArraySetDlg::kHorizontalVertical:
      xAngle_ = 0.0;
      yAngle_ = 90.0;
      BuildArray(view);
      return 0;
    case CArraySetDlg::kTypedAngles:
      BuildArray(view);
      return 0;
    default:
      prompts_[2] = columns_ < 2 ? "选择一直线作为Y方向" : "选择一直线作为X方向";
      pickMode_ = 1;
      return 1;
  }
}

double CArrayCmd::LineDirection(const CEntity* line, GPoint ref, double& length) {
  double v[kMaxGeometryValues];
  line->GetGeometry(v);
  const GPoint a{v[0], v[1]}, b{v[2], v[3]};
  const GPoint from = SelectNearerPoint(ref, a, b);
  const GPoint to = IsSamePoint(from, a) ? b : a;
  length = MeasurePointDistance(a, b);
  return GetLineAngle(from.x, from.y, to.x, to.y);
}

int CArrayCmd::OnProcessClick(CDraftView* view) {
  if (!view || points_.empty()) return 0;
  const GPoint click{points_.back().x, points_.back().y};
  CEntityList picked;
  if (!view->PickEntitiesAtPoint(click.x, click.y, picked, 1, 1, 0, 1, kLinePickMask, -1)) {
    ClearPoints();
    return 0;
  }
  // One line a click: the nearest line that is not the first one.
  for (CEntity* e : picked) {
    if (!e || !e->IsLine() || e == first_ || (second_ && e == second_)) continue;
    if (!first_) {
      first_ = e;
      pickPoint_ = click;
      view->DrawEntityTemp(first_, 1, 0);
      firstShown_ = true;
      prompts_[2] = mode_ == CArraySetDlg::kPickedLines ? "选择一直线作为 Y 方向(按右键为垂直方向)"
                                                         : "选择一直线作为 Y 方向";
    } else if (!second_) {
      if (e->IsParallelTo(*first_)) {
        ShowMessage("两个方向不能平行！", MB_OK | MB_ICONSTOP);
      } else {
        GPoint crossings[2];
        if (first_->Intersect(*e, crossings, 2) > 0) {
          second_ = e;
          crossing_ = crossings[0];
          view->DrawEntityTemp(second_, 1, 0);
          secondShown_ = true;
        }
      }
    }
    break;
  }
  ClearPoints();
  if (!first_) return 0;
  if (!second_ && columns_ >= 2 && rows_ >= 2) return 0;  // the Y line is still needed

  double firstLength = 0.0;
  if (second_) {
    xAngle_ = LineDirection(first_, crossing_, firstLength);
    double secondLength = 0.0;
    yAngle_ = LineDirection(second_, crossing_, secondLength);
    if (mode_ == CArraySetDlg::kLineSpacings) {
      columnSpacing_ = SpacingAlong(firstLength, columns_);
      rowSpacing_ = SpacingAlong(secondLength, rows_);
    }
  } else {
    double v[kMaxGeometryValues];
    first_->GetGeometry(v);
    const GPoint foot = GetPerpendicularFoot({v[0], v[1]}, {v[2], v[3]}, pickPoint_);
    xAngle_ = yAngle_ = LineDirection(first_, foot, firstLength);
    // One column or one row: the line gives the spacing of the direction
    // asked for.
    if (mode_ == CArraySetDlg::kLineSpacings) {
      if (columns_ < 2)
        rowSpacing_ = SpacingAlong(firstLength, rows_);
      else
        columnSpacing_ = SpacingAlong(firstLength, columns_);
    }
  }
  BuildArray(view);
  return 1;
}

int CArrayCmd::OnProcessRButton(CDraftView* view) {
  if (!view || !first_) {
    ForgetLines(view);
    ClearPoints();
    if (view) view->ClearSelection(nullptr);
    return CCmdBase::OnRButton(view);
  }
  double v[kMaxGeometryValues];
  first_->GetGeometry(v);
  const GPoint foot = GetPerpendicularFoot({v[0], v[1]}, {v[2], v[3]}, pickPoint_);
  double length = 0.0;
  xAngle_ = yAngle_ = LineDirection(first_, foot, length);
  if (columns_ > 1 && rows_ > 1) yAngle_ = xAngle_ + 90.0;
  if (mode_ == CArraySetDlg::kLineSpacings) {
    // The line's length gives both spacings; typed spacings (mode 2) stay.
    rowSpacing_ = columnSpacing_ = SpacingAlong(length, columns_ < 2 ? rows_ : columns_);
  }
  BuildArray(view);
  ClearPoints();
  view->ClearSelection(nullptr);
  return 1;
}

int CArrayCmd::End(CDraftView* view) {
  ForgetLines(view);
  return CSelectCmdBase::End(view);
}

void CArrayCmd::ForgetLines(CDraftView* view) {
  if (view && firstShown_ && first_) view->DrawEntityTemp(first_, 1, 1);
  if (view && secondShown_ && second_) view->DrawEntityTemp(second_, 1, 1);
  first_ = second_ = nullptr;
  firstShown_ = secondShown_ = false;
}

void CArrayCmd::BuildArray(CDraftView* view) {
  if (!view) return;
  ForgetLines(view);
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  CWnd* main = AfxGetMainWnd();
  const HWND mainWindow = main ? main->GetSafeHwnd() : nullptr;
  const double xc = std::cos(xAngle_ * kRadiansPerDegree), xs = std::sin(xAngle_ * kRadiansPerDegree);
  const double yc = std::cos(yAngle_ * kRadiansPerDegree), ys = std::sin(yAngle_ * kRadiansPerDegree);
  const CEntityList& selection = *view->GetSelectionList();
  bool stop = false;
  for (int i = 0; i < rows_ && !stop; ++i) {
    if (CheckUserBreak(mainWindow)) break;
    for (int j = 0; j < columns_ && !stop; ++j) {
      if (i == 0 && j == 0) continue;
      if (CheckUserBreak(mainWindow)) {
        stop = true;
        break;
      }
      const double dx = rowSpacing_ * i * yc + columnSpacing_ * j * xc;
      const double dy = rowSpacing_ * i * ys + columnSpacing_ * j * xs;
      for (CEntity* source : selection) {
        if (CheckUserBreak(mainWindow)) {
          stop = true;
          break;
        }
        if (!source) {
          ShowMessage("非法内存地址", MB_OK | MB_ICONSTOP);
          stop = true;
          break;
        }
        CEntity* copy = source->TranslateCopy(dx, dy, 1);
        if (!copy) {
          ShowMessage("内存不足", MB_OK | MB_ICONSTOP);
          stop = true;
          break;
        }
        if (copy->IsTable()) copy->SetTableKind(0);
        view->AddEntityToView(copy, record.get());
      }
    }
  }
  view->PushUndoRecord(record.release());
  view->ClearSelection(nullptr);
}
