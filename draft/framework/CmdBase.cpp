#include "draft/framework/CmdBase.h"

#include "draft/framework/ModalDialogScope.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "draft/framework/CmdWindowCalls.h"
#include "draft/framework/CoordInputDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/ResourceSwitch.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Messages.h"
#include "draft/host/NumberFormat.h"
#include "draft/host/Settings.h"
#include "draft/host/StringConverter.h"
#include "draft/host/TextEntity.h"
#include "draft/host/ViewEntityMakers.h"
#include "platform/core/Exceptions.h"
#include "platform/core/NumberText.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr const char* kWelcomePrompt = "欢迎您使用Zarvex系列软件！";
constexpr const char* kBadInput = "输入数据不正确";
}  // namespace

CCmdBase::CCmdBase(int id, CDraftView* view) : id_(id), view_(view), heapAttrib_(std::make_unique<CTextAttrib>()) {
  ConstructTextAttribDefault(attrib_, 5.0, 2, 1);
  ConstructTextAttribDefault(*heapAttrib_, 5.0, 2, 1);
  heapAttrib_->Prepare();
  prompts_.assign(3, CString(kWelcomePrompt));
}

CCmdBase::~CCmdBase() {
  if (view_ && cmdwin::IsWindowAlive(view_->GetSafeHwnd())) cmdwin::SendSetCursor(view_->GetSafeHwnd());
  ReleaseTextAttrib(heapAttrib_.get());
  cmdwin::PostCommandDestroyed();
  heapAttrib_.reset();
  // Boundary entities left with the command are its own.
  while (!boundary_.IsEmpty()) delete boundary_.RemoveHead();
}

// ---- Snap keys.

int CCmdBase::SnapWithKey(CDraftView* view, UINT flags, DWORD& outX, DWORD& outY, KeySnap snap) {
  if (!view) return 0;
  HideCrossHair(view);
  cursor_.word0 = cursor_.word1 = 0;
  cursor_.flagA = cursor_.flagB = kPointLocated;
  return (view->*snap)(options_, flags, points_, cursor_, 1, outX, outY, snapHint_, &snapState_);
}

int CCmdBase::SnapKeyEnd(CPoint, UINT flags, CDraftView* view, DWORD& outX, DWORD& outY) {
  return SnapWithKey(view, flags, outX, outY, &CDraftView::SnapOnEndKey);
}

int CCmdBase::SnapKeyHome(CPoint, UINT flags, CDraftView* view, DWORD& outX, DWORD& outY) {
  return SnapWithKey(view, flags, outX, outY, &CDraftView::SnapOnHomeKey);
}

int CCmdBase::SnapKeyPageDown(CPoint, UINT flags, CDraftView* view, DWORD& outX, DWORD& outY) {
  return SnapWithKey(view, flags, outX, outY, &CDraftView::SnapOnPageDownKey);
}

int CCmdBase::SnapKeyPageUp(CPoint, UINT flags, CDraftView* view, DWORD& outX, DWORD& outY) {
  return SnapWithKey(view, flags, outX, outY, &CDraftView::SnapOnPageUpKey);
}

int CCmdBase::OnInterrupt(CDraftView*) { return 0; }
int CCmdBase::IsViewCommand() { return 0; }
void CCmdBase::OnSelectionChanged(CDraftView*, int) {}

void CCmdBase::Resume() {
  if (view_ && !pointInput_ && !pickMode_) cmdwin::SendSetCursor(view_->GetSafeHwnd());
}

// ---- Prompts and state.

CString CCmdBase::GetPrompt() {
  if (!promptOverride_.IsEmpty()) return promptOverride_;
  if (prompts_.empty()) return CString();
  if (step_ >= 0 && step_ < static_cast<int>(prompts_.size())) return prompts_[static_cast<size_t>(step_)];
  return prompts_.back();
}

CString CCmdBase::GetStatusText() { return statusText_; }
int CCmdBase::IsPointInput() { return pointInput_ && !pickMode_ ? 1 : 0; }
int CCmdBase::MarksPoints() { return pickMode_ ? 0 : 1; }

int CCmdBase::Begin(CDraftView* view) {
  group_ = view ? view->GetCurrentGroup() : nullptr;
  return 1;
}

// ---- Characters and keys.

int CCmdBase::OnChar(CPoint dp, UINT ch, UINT, UINT flags, CDraftView* view) {
  if (!view) return 0;
  HideCrossHair(view);
  double x = 0, y = 0;
  view->ClientToDrawing(x, y, dp, 1);
  int taken = 0;
  if (ch == 9) {
    OnTabKey(view);
    OnMouseMove(flags, dp, view);
    return DrawPreview(view);
  }
  if (ch == '+' || ch == '-' || (ch >= '0' && ch <= '9')) {
    // Before the first point the root's own dialog, whatever the command.
    taken = step_ == 0 ? CCmdBase::OnNumberKey(view, ch, flags, x, y) : OnNumberKey(view, ch, flags, x, y);
  } else if (ch == 'R' || ch == 'r' || ch == 'D' || ch == 'd') {
    taken = OnRadiusKey(view, x, y, ch);
  } else {
    taken = OnOtherChar(view, ch, flags, x, y);
  }
  if (taken) TakePoint(x, y, dp, flags, view);
  return DrawPreview(view);
}

int CCmdBase::OnKeyDown(CPoint dp, UINT key, UINT repeat, UINT flags, CDraftView* view) {
  if (!view) return 0;
  DWORD& w0 = view->EventWord(0);
  DWORD& w1 = view->EventWord(1);
  switch (key) {
    case 33: SnapKeyPageUp(dp, flags, view, w0, w1); break;
    case 34: SnapKeyPageDown(dp, flags, view, w0, w1); break;
    case 35: SnapKeyEnd(dp, flags, view, w0, w1); break;
    case 36: SnapKeyHome(dp, flags, view, w0, w1); break;
    case 37: OnArrowKey(-1, 0, dp, view, w0, w1); break;
    case 38: OnArrowKey(0, 1, dp, view, w0, w1); break;
    case 39: OnArrowKey(1, 0, dp, view, w0, w1); break;
    case 40: OnArrowKey(0, -1, dp, view, w0, w1); break;
    case 189:  // the main keyboard's minus key is the '-' character
      OnChar(dp, '-', repeat, flags, view);
      return 0;
    default: {
      if (key == 16) {
        OnShiftKey(view);
      } else if (key == 17) {
        OnCtrlKey(view);
      } else if (key == 27) {
        double x = 0, y = 0;
        view->ClientToDrawing(x, y, dp, 1);
        OnOtherChar(view, 27, flags, x, y);
      }
      w0 = w1 = 0;
      OnMouseMove(flags, dp, view);
      break;
    }
  }
  double x = cursor_.x, y = cursor_.y;
  view->ClientToDrawing(x, y, dp, 0);
  return 0;
}

void CCmdBase::OnShiftKey(CDraftView*) { ++shiftCount_; }
void CCmdBase::OnCtrlKey(CDraftView*) { ++ctrlCount_; }
void CCmdBase::OnTabKey(CDraftView*) { tabCount_ = (tabCount_ + 1) % 60; }
int CCmdBase::OnRadiusKey(CDraftView*, double&, double&, UINT) { return 0; }

int CCmdBase::OnNumberKey(CDraftView* view, UINT ch, UINT, double& x, double& y) {
  return RunCoordinateDialog(view, ch, x, y);
}

int CCmdBase::OnOtherChar(CDraftView*, UINT, UINT, double&, double&) { return 0; }
int CCmdBase::IsDoneAfterClick() { return done_ || doneOutside_ ? 1 : 0; }
int CCmdBase::IsDoneAfterKey() { return doneOutside_ ? 1 : 0; }

// ---- Preview and readout.

int CCmdBase::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (IsPointInput()) view->DrawCrossHair(cursor_.x, cursor_.y, 1);
  if (view->GetUnitSettings().showCoordinates) {
    view->DrawTextPreview(readout1_, cursor_.x, cursor_.y, 0.0);
    view->DrawTextPreview(readout2_, cursor_.x, cursor_.y, 90.0);
  }
  return 0;
}

int CCmdBase::UpdateCoordText(CDraftView* view) {
  if (!view) return 0;
  CDrawingGroup* group = view->GetCurrentGroup();
  if (group) {
    const double s = GetGroupScale(group);
    const double dx = (cursor_.x - view->GetOriginX()) / s;
    const double dy = (cursor_.y - view->GetOriginY()) / s;
    const UnitSettings& units = view->GetUnitSettings();
    const CNumberFormat lengthFormat = GetNumberFormat(units.length);
    if (view->PolarDisplayFlag()) {
      readout1_ = FormatNumberText(GetPointDistance(dx, dy, 0, 0), lengthFormat);
      // The polar angle is the direction from the origin to the cursor (the
      // direction the other way round would be 180 degrees off).
      readout2_ = FormatNumberText(GetLineAngle(0, 0, dx, dy), GetNumberFormat(units.angle));
      statusText_ = CString("极径: ") + readout1_ + "   角度: " + readout2_;
    } else {
      readout1_ = FormatNumberText(dx, lengthFormat);
      readout2_ = FormatNumberText(dy, lengthFormat);
      statusText_ = CString("x: ") + readout1_ + "   y: " + readout2_;
    }
  }
  return DrawPreview(view);
}

void CCmdBase::Execute(CDraftView*) {}

int CCmdBase::End(CDraftView*) {
  points_.clear();
  step_ = 0;
  return 0;
}

int CCmdBase::OnRButton(CDraftView*) {
  tabCount_ = 0;
  if (step_ == 0) return 1;
  points_.clear();
  step_ = 0;
  return 0;
}

void CCmdBase::PrepareRButton(UINT flags, CPoint dp, CDraftView* view) {
  if (!view) return;
  LocatePoint(cursor_, flags, dp, view);
  HideCrossHair(view);
}

int CCmdBase::OnMouseMove(UINT flags, CPoint dp, CDraftView* view) {
  if (!view) return 0;
  HideCrossHair(view);
  LocatePoint(cursor_, flags, dp, view);
  return UpdateCoordText(view);
}

int CCmdBase::OnLButton(UINT, CPoint, CDraftView* view) {
  if (!view) return 0;
  HideCrossHair(view);
  points_.push_back(cursor_);
  if (MarksPoints()) view->MarkPoint(cursor_.x, cursor_.y);
  ++step_;
  if (step_ >= pointCount_) {
    Execute(view);
    step_ = static_cast<int>(points_.size());
  }
  return DrawPreview(view);
}

int CCmdBase::SnapPoint(PointRec& cursor, UINT flags, CPoint, CDraftView* view, DWORD& outX, DWORD& outY) {
  if (!view || !IsPointInput()) return 0;
  return view->SnapCursorPoint(options_, flags, points_, cursor, 1, outX, outY, snapHint_, &snapState_);
}

void CCmdBase::OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) {
  if (view) view->NudgeCursor(options_, dx, dy, points_, dp, cursor_, outX, outY, snapHint_, &snapState_);
}

int CCmdBase::LocatePoint(PointRec& cursor, UINT flags, CPoint dp, CDraftView* view) {
  if (!view) return 0;
  double x = 0, y = 0;
  view->ClientToDrawing(x, y, dp, 1);
  cursor = PointRec{0, 0, x, y, kPointLocated, kPointLocated};
  HideCrossHair(view);
  view->EventWord(0) = view->EventWord(1) = 0;
  if (!IsPointInput()) return 0;
  return SnapPoint(cursor, flags, dp, view, view->EventWord(0), view->EventWord(1));
}

// ---- Texts.

CEntity* CCmdBase::AddTextEntityEx(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group,
                                   CString text, double x, double y, const CTextAttrib& attr) {
  return ::AddTextStringEx(view, block, layer, group, text, x, y, attr);
}

CEntity* CCmdBase::AddTextEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group,
                                 CString text, double x, double y, double height, double angle, int alignment,
                                 int style) {
  return ::AddTextString(view, block, layer, group, text, x, y, height, angle, alignment, style);
}

// ---- Typed points.

int CCmdBase::SplitByComma(const CString& text, CStringArray& out) {
  out.RemoveAll();
  CString rest = text;
  for (;;) {
    const int comma = rest.Find(',');
    if (comma < 0) {
      out.Add(rest);
      break;
    }
    out.Add(rest.Left(comma));
    rest = rest.Mid(comma + 1);
    if (rest.IsEmpty()) {
      out.Add(CString());
      break;
    }
  }
  return 1;
}

int CCmdBase::OnTypedPoint(CDraftView* view, const char* text) {
  CStringArray parts;
  SplitByComma(CString(text ? text : ""), parts);
  double x = 0, y = 0;
  // Two numbers and nothing else: "a,b" is not the point (0, 0).
  if (parts.GetSize() != 2 || !platform::ParseNumber(parts[0], x) || !platform::ParseNumber(parts[1], y)) {
    ShowErrorMessage(kBadInput);
    return 0;
  }
  if (view) {
    TakePoint(x, y, view->DrawingToClient(x, y), 0, view);
    DrawPreview(view);
  }
  return 1;
}

// ---- Temporary drawing and cells.

void CCmdBase::DrawEntityXor(CDraftView* view, CEntity* entity) {
  if (!view || !entity) return;
  double v[kMaxGeometryValues];
  if (entity->IsLine()) {
    entity->GetGeometry(v);
    view->DrawLinePreview(v[0], v[1], v[2], v[3]);
  } else if (entity->IsCircle()) {
    entity->GetGeometry(v);
    view->DrawCirclePreview(v[0], v[1], v[2]);
  } else if (entity->IsArc()) {
    entity->GetGeometry(v);
    view->DrawArcPreview(v[0], v[1], v[2], v[3], v[4]);
  } else if (entity->IsText()) {
    auto* text = static_cast<CTextEntity*>(entity);
    const GPoint p = text->GetInsertPoint();
    view->DrawTextPreviewStyled(text->GetText(), p.x, p.y, 0, text->GetTextAttrib());
  } else if (entity->IsBlock()) {
    auto* block = static_cast<CBlockEntity*>(entity);
    for (int i = 0; i < block->GetMemberCount(); ++i) DrawEntityXor(view, block->GetMember(i));
  }
}

void CCmdBase::EndSafely(CDraftView* view) {
  try {
    End(view);
  } catch (...) {
    // Aborting must go on whatever one command raises.
  }
}

namespace {
// The corners of a four-entity boundary and whether they make a cell whose
// sides pair up axis-parallel; fills the bounds when they do.
bool RectangleCell(const CEntityList& boundary, double& xmin, double& ymin, double& xmax, double& ymax) {
  std::vector<CEntity*> lines;
  for (CEntity* e : boundary)
    if (e->IsLine()) lines.push_back(e);
  std::vector<GPoint> corners;
  GPoint pts[2];
  for (size_t i = 1; i < lines.size(); ++i) {
    const int n = lines[i]->Intersect(*lines[i - 1], pts, 2);
    corners.insert(corners.end(), pts, pts + n);
  }
  if (lines.size() >= 2) {
    const int n = lines.front()->Intersect(*lines.back(), pts, 2);
    corners.insert(corners.end(), pts, pts + n);
  }
  if (corners.size() != 4) return false;
  int sameX = 0, sameY = 0;
  for (size_t i = 0; i < 4; ++i) {
    const GPoint& a = corners[i];
    const GPoint& b = corners[(i + 1) % 4];
    if (std::fabs(a.x - b.x) < tressil::kGeomTolerance)
      ++sameX;
    else if (std::fabs(a.y - b.y) < tressil::kGeomTolerance)
      ++sameY;
  }
  if (sameX != 2 && sameY != 2) return false;
  xmin = xmax = corners[0].x;
  ymin = ymax = corners[0].y;
  for (const GPoint& c : corners) {
    if (c.x < xmin - tressil::kGeomTolerance) xmin = c.x;
    if (c.x > xmax + tressil::kGeomTolerance) xmax = c.x;
    if (c.y < ymin - tressil::kGeomTolerance) ymin = c.y;
    if (c.y > ymax + tressil::kGeomTolerance) ymax = c.y;
  }
  return true;
}
}  // namespace

int CCmdBase::FindCellRect(CDraftView* view, double x, double y, double& xmin, double& ymin, double& xmax,
                           double& ymax) {
  if (!view) return 0;
  const int hideCentre = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOCENTERLINE", 1);
  if (!view->FindClosedBoundary(*view->GetEntityList(), boundary_, boundary2_, x, y, hideCentre, 0, 0, 1)) return 0;
  if (boundary_.GetCount() == 4) {
    for (CEntity* e : boundary_) view->DrawEntityTemp(e, 1, 1);
    if (RectangleCell(boundary_, xmin, ymin, xmax, ymax)) return 1;
  }
  ReleaseBoundary(view);
  return 0;
}

void CCmdBase::ReleaseBoundary(CDraftView* view) {
  while (!boundary_.IsEmpty()) {
    CEntity* e = boundary_.RemoveHead();
    if (view) view->DrawEntityTemp(e, 1, 1);
    delete e;
  }
  // The second list names the drawing's own entities: it is emptied, and
  // they stay the drawing's.
  boundary2_.RemoveAll();
}

int CCmdBase::FindCellText(CDraftView* view, double x, double y, CString& text, CTextAttrib& attr, double& xmin,
                           double& ymin, double& xmax, double& ymax) {
  text.Empty();
  if (!view) return 0;
  const int hideCentre = GetSysVarInt("SYSVAR_MISC", "SET_MISC_HIDE_IGNOCENTERLINE", 1);
  const int hideThin = GetSysVarInt("SYSVAR_MISC", "SET_MISC_HIDE_IGNOTHINLINE", 0);
  if (!view->FindClosedBoundary(*view->GetEntityList(), boundary_, boundary2_, x, y, hideCentre, hideThin, 0, 1))
    return 0;
  bool allLines = boundary_.GetCount() == 4;
  for (CEntity* e : boundary_) allLines = allLines && e->IsLine();
  if (allLines) {
    for (CEntity* e : boundary_) view->DrawEntityTemp(e, 1, 1);
    allLines = RectangleCell(boundary_, xmin, ymin, xmax, ymax);
  }
  // The temporary boundary goes off the list as it is deleted, so that
  // nothing is deleted twice.
  ReleaseBoundary(view);
  if (!allLines) return 0;

  CEntityList work;
  for (CEntity* e : *view->GetEntityList()) e->ListInto(work);
  for (CEntity* e : work) {
    if (e->IsText() && e->IsInRectangle(xmin, ymin, xmax, ymax, 1)) {
      auto* t = static_cast<CTextEntity*>(e);
      text = t->GetText();
      CopyTextAttrib(attr, t->GetTextAttrib());
      break;
    }
  }
  GetStringConverter().ConvertText(text);
  return 1;
}

int CCmdBase::GetExtraState() { return 0; }

// ---- Entity adders.

CEntity* CCmdBase::AddArcEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double cx,
                                double cy, double r, double start, double end) {
  return ::AddArcEntity(view, block, layer, group, cx, cy, r, start, end);
}

CEntity* CCmdBase::AddCircleEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double cx,
                                   double cy, double r) {
  return ::AddCircleEntity(view, block, layer, group, cx, cy, r);
}

BOOL CCmdBase::MakeLineEntity(CEntity** line, CDraftView* view, double x1, double y1, double x2, double y2, int create,
                              CDrawingGroup* group) {
  return ::MakeLineEntity(line, view, x1, y1, x2, y2, create, group);
}

CEntity* CCmdBase::AddLineEntity(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group, double x1,
                                 double y1, double x2, double y2) {
  return ::AddLineEntity(view, block, layer, group, x1, y1, x2, y2);
}

CEntity* CCmdBase::AddLineEntityEx(CDraftView* view, CEntity* block, int lineKind, CDrawingGroup* group, double x1,
                                   double y1, double x2, double y2) {
  return ::AddLineEntityEx(view, block, lineKind, group, x1, y1, x2, y2);
}

CEntity* CCmdBase::AddFormattedText(CDraftView* view, CEntity* block, const int* layer, CDrawingGroup* group,
                                    const char* text, double x, double y) {
  return ::AddFormattedText(view, block, layer, group, text, x, y, attributeByte_, attrib_);
}

CEntity* CCmdBase::FindFirstTextMember(CEntity* entity) {
  if (!entity || !entity->IsBlock()) return nullptr;
  return static_cast<CBlockEntity*>(entity)->FindFirstTextMember();
}

void CCmdBase::ApplyEntitySplits(CEntity* entity) {
  if (!entity || !entity->IsBlock()) return;
  auto* block = static_cast<CBlockEntity*>(entity);
  // The records are copied: a record names its member by handle, and the
  // members change as each record is applied.
  const std::vector<PieceRecord> records = block->GetPieceRecords();
  for (const PieceRecord& record : records) {
    CEntityList removed, added;
    if (!block->SplitByPieceRecord(record, removed, added)) continue;
    for (CEntity* gone : removed)
      if (block->RemoveBlockMember(gone)) delete gone;
    for (CEntity* piece : added) {
      CEntity* owner = piece->GetEntityOwner();
      if (owner && owner->IsBlock()) {
        if (!static_cast<CBlockEntity*>(owner)->InsertMember(piece, -1)) delete piece;
      } else {
        piece->SetEntityOwner(nullptr);
        if (!block->AddMember(piece)) delete piece;
      }
    }
  }
}

// ---- Helpers.

void CCmdBase::TakePoint(double x, double y, CPoint dp, UINT flags, CDraftView* view) {
  const PointRec p{0, 0, x, y, kPointLocated, kPointLocated};
  points_.push_back(p);
  cursor_ = p;
  // The command put the cursor there itself: a snap of the mouse before
  // does not hold for it (a stale state would round the typed point).
  snapState_ = 0;
  if (MarksPoints()) view->MarkPoint(x, y);
  view->ClientToDrawing(x, y, dp, 0);
  ++step_;
  if (step_ >= pointCount_) {
    Execute(view);
    step_ = static_cast<int>(points_.size());
    LocatePoint(cursor_, flags, dp, view);
  }
}

void CCmdBase::HideCrossHair(CDraftView* view) {
  if (!view) return;
  view->ShowCrossHair(0);
  view->EraseCrossHair();
}

void CCmdBase::DrawRubberBox(CDraftView* view, const PointRec& corner, int pen) {
  view->DrawLinePreview(corner.x, corner.y, cursor_.x, corner.y, pen);
  view->DrawLinePreview(cursor_.x, corner.y, cursor_.x, cursor_.y, pen);
  view->DrawLinePreview(cursor_.x, cursor_.y, corner.x, cursor_.y, pen);
  view->DrawLinePreview(corner.x, cursor_.y, corner.x, corner.y, pen);
  const CNumberFormat format = GetNumberFormat(view->GetUnitSettings().length);
  readout1_ = FormatNumberText(cursor_.x - corner.x, format);
  readout2_ = FormatNumberText(cursor_.y - corner.y, format);
  statusText_ = CString("宽: ") + readout1_ + "    高: " + readout2_;
}

// ---- The root's coordinate dialog.

int CCmdBase::RunCoordinateDialog(CDraftView* view, UINT ch, double& x, double& y) {
  if (!view) return 0;
  group_ = view->GetCurrentGroup();
  const double scale = GetGroupScale(group_);
  CModalDialogScope scope(view);
  CCoordInputDlg dlg(nullptr, scale, 0.0, 0.0, 1, 1, ch);
  dlg.SetBasePoint(view->GetOriginX(), view->GetOriginY());
  if (RunModalCoordDialog(dlg) != IDOK) return 0;
  x = dlg.GetResultX();
  y = dlg.GetResultY();
  return 1;
}
