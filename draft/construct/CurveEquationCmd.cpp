#include "draft/construct/CurveEquationCmd.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "draft/construct/CurveEquationDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/EquationCurveEntity.h"
#include "draft/host/FontManager.h"
#include "draft/host/LayerTable.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr int kAxisLineKind = 2;

// The signs of x(t) and y(t) for an axis type, and whether the axes are
// exchanged (x(t) along the drawing's y direction).
struct AxisLayout {
  double sx, sy;
  bool exchanged;
};
AxisLayout LayoutOf(int type) {
  static const double kSigns[9][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}, {1, 1}};
  const int t = type >= 0 && type <= 8 ? type : 0;
  return {kSigns[t][0], kSigns[t][1], t >= 4};
}
}  // namespace

CCurveEquationCmd::CCurveEquationCmd(int id, CEquationCurveEntity* edited)
    : CCmdBase(id, nullptr),
      layer_(static_cast<BYTE>(edited ? edited->GetEntityLayer() : GetLineKindLayer(1))),
      edited_(edited) {}

CCurveEquationCmd::~CCurveEquationCmd() { PutEditedBack(editView_); }

void CCurveEquationCmd::PutEditedBack(CDraftView* view) {
  if (edited_ && editedOut_ && view) view->AddEntityToView(edited_);
  editedOut_ = false;
  edited_ = nullptr;
}

int CCurveEquationCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  if (!view) return 0;
  CDrawingGroup* group = edited_ ? edited_->GetEntityGroup() : view->GetCurrentGroup();
  if (!group) return 0;
  std::unique_ptr<CCurveEquationDlg> dlg;
  {
    CModalDialogScope scope(view);
    dlg = std::make_unique<CCurveEquationDlg>(edited_, nullptr);
    if (dlg->DoModal() != IDOK) {
      edited_ = nullptr;
      return 0;
    }
  }
  if (dlg->GetRecord().GetSize() == 0) {
    edited_ = nullptr;
    return 0;
  }
  curve_.reset(ConstructEquationCurveEntity(layer_, group));
  record_.Copy(dlg->GetRecord());
  curve_->SetRecord(record_);
  const EquationExtents& e = dlg->GetExtents();
  xmax_ = e.xmax, ymax_ = e.ymax, xmin_ = e.xmin, ymin_ = e.ymin;
  std::memcpy(xBuffer_, dlg->GetXBuffer(), kEquationBufferSize);
  std::memcpy(yBuffer_, dlg->GetYBuffer(), kEquationBufferSize);
  const int code = LineKindOfName(dlg->GetLineTypeName());
  if (code) {
    layer_ = static_cast<BYTE>(GetLineKindLayer(code));
    curve_->SetLineKind(static_cast<BYTE>(code));
  }
  curve_->SetEntityLayer(layer_);
  curve_->SetShowAxes(dlg->GetShowAxes());
  pickMode_ = 0;
  done_ = 0;
  promptOverride_ = "确定曲线放置位置(Tab键切换坐标轴类型)";
  if (edited_) {
    view->RemoveEntity(edited_, 1, 0);
    editedOut_ = true;
    editView_ = view;
  }
  return 1;
}

int CCurveEquationCmd::OnChar(CPoint dp, UINT ch, UINT, UINT flags, CDraftView* view) {
  if (!view) return 0;
  if (ch == 9) {
    if (curve_) curve_->SetAxisType(curve_->GetAxisType() + 1);
    HideCrossHair(view);
    return DrawPreview(view);
  }
  double x = 0, y = 0;
  view->ClientToDrawing(x, y, dp, 1);
  const int taken = ch >= '1' && ch <= '9' ? OnNumberKey(view, ch, flags, x, y) : OnOtherChar(view, ch, flags, x, y);
  if (taken) {
    HideCrossHair(view);
    TakePoint(x, y, dp, flags, view);
  }
  return DrawPreview(view);
}

int CCurveEquationCmd::DrawPreview(CDraftView* view) {
  if (view && curve_ && !done_) BuildCurve(view, cursor_.x, cursor_.y, true);
  return CCmdBase::DrawPreview(view);
}

void CCurveEquationCmd::Execute(CDraftView* view) {
  if (!view || !curve_ || points_.empty()) return;
  const PointRec at = points_.back();
  curve_->SetOrigin(at.x, at.y);
  done_ = 1;
  curve_->ClearMembers();
  BuildCurve(view, at.x, at.y, false);
  CEquationCurveEntity* made = curve_.release();
  CUndoRecord* record =
      edited_ && editedOut_ ? ConstructUndoReplaceEntity(edited_, made) : ConstructUndoAddEntity(made);
  view->AddEntityToView(made);
  view->PushUndoRecord(record);
  edited_ = nullptr;
  editedOut_ = false;
}

int CCurveEquationCmd::End(CDraftView* view) {
  PutEditedBack(view ? view : editView_);
  return CCmdBase::End(view);
}

int CCurveEquationCmd::OnRButton(CDraftView* view) {
  PutEditedBack(view ? view : editView_);
  points_.clear();
  step_ = 0;  // with the points gone the root's handler ends the command
  done_ = 1;
  return CCmdBase::OnRButton(view);
}

int CCurveEquationCmd::IsDoneAfterKey() { return done_ || CCmdBase::IsDoneAfterKey() ? 1 : 0; }

void CCurveEquationCmd::BuildCurve(CDraftView* view, double ox, double oy, bool preview) {
  if (record_.GetSize() != kEqFieldCount || !curve_) return;
  CDrawingGroup* group = curve_->GetEntityGroup();
  const double g = GetGroupScale(group);
  const int type = curve_->GetAxisType();
  const AxisLayout a = LayoutOf(type);
  const bool polar = record_[kEqSystem] != "0";
  const bool degrees = record_[kEqUnit] == "1";
  // A drawing point for the curve value (x, y).
  auto place = [&](double x, double y, double scale) {
    const double u = a.exchanged ? y : x, v = a.exchanged ? x : y;
    return GPoint{ox + a.sx * scale * u, oy + a.sy * scale * v};
  };
  bool havePrevious = false;
  GPoint previous{};
  for (double t : EquationSamples(std::atof(record_[kEqStart]), std::atof(record_[kEqEnd]),
                                  std::atof(record_[kEqStep]), true)) {
    double x = 0, y = 0;
    if (!EquationPoint(xBuffer_, yBuffer_, polar, degrees, t, x, y)) {
      havePrevious = false;  // no segment across a point that has no value
      continue;
    }
    const GPoint p = place(x, y, g);
    if (havePrevious) {
      if (preview)
        view->DrawLinePreview(previous.x, previous.y, p.x, p.y);
      else
        curve_->AddCurveSegment(previous.x, previous.y, p.x, p.y, 1);
    }
    previous = p;
    havePrevious = true;
  }
  if (!curve_->GetShowAxes()) return;

  // The axes through the origin, in drawing units (the group scale is not
  // applied to them), each with its label beyond its positive end.
  auto line = [&](GPoint p, GPoint q) {
    if (preview)
      view->DrawLinePreview(p.x, p.y, q.x, q.y);
    else
      AddLineEntityEx(view, curve_.get(), kAxisLineKind, group, p.x, p.y, q.x, q.y);
  };
  const CTextAttrib attr = ConstructTextAttrib(view->GetTextFont());
  const double h = attr.GetHeight();
  const double offset = GetFontManager()->GetTextWidth("xy", attr) / 2 + 2;
  const int labelLayer = GetLineKindLayer(kAxisLineKind);
  auto label = [&](const char* text, GPoint at) {
    if (preview)
      view->DrawTextPreview(text, at.x, at.y, 0.0);
    else
      AddTextEntityEx(view, curve_.get(), &labelLayer, group, text, at.x, at.y, attr);
  };
  // An axis of one quantity from lo − 10 to hi + 10; `alongX` tells whether
  // it lies on the drawing's x direction.
  auto axis = [&](const char* name, double lo, double hi, double sign, bool alongX) {
    if (alongX) {
      line({ox + sign * (lo - 10), oy}, {ox + sign * (hi + 10), oy});
      const double along = (type % 2 == 0 && type != 8) ? sign * offset : 0.0;
      label(name, {ox + sign * (hi + 10) + along, oy - h / 3});
    } else {
      line({ox, oy + sign * (lo - 10)}, {ox, oy + sign * (hi + 10)});
      const double sideways = (type % 2 == 1) ? -a.sx * offset : 0.0;
      label(name, {ox + sideways, oy + sign * (hi + 10 + 1)});
    }
  };
  axis("x", xmin_, xmax_, a.exchanged ? a.sy : a.sx, !a.exchanged);
  if (!polar) axis("y", ymin_, ymax_, a.exchanged ? a.sx : a.sy, a.exchanged);
}
