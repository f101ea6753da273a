#include "draft/construct/CurveEquationDlg.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "draft/construct/EquationPickDlg.h"
#include "draft/construct/ListPickDlg.h"
#include "draft/host/EquationCurveEntity.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/Messages.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TabFile.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Pen.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowDC.h"

namespace {
constexpr const char* kTable = "Table\\VoskCurveEquation.Tab";
constexpr const char* kFunctionNames[] = {"sin", "asin", "cos", "acos", "tan", "atan", "sqrt"};

struct LineType {
  const char* name;
  int code;
};
constexpr LineType kLineTypes[] = {{"粗实线", 1}, {"细实线", 2}, {"虚线", 5}, {"点划线", 6}, {"双点划线", 8}};

CStringA ControlText(CWnd* dlg, int id) {
  CStringA text;
  dlg->GetDlgItemText(id, text);
  return text;
}

CStringA Trimmed(CStringA text) {
  text.Trim();
  return text;
}

void ArrowHead(CDC& dc, CPoint tip, int dx, int dy) {
  // A 5-pixel head pointing along (dx, dy).
  dc.MoveTo(tip.x, tip.y);
  dc.LineTo(tip.x - 5 * dx + 3 * dy, tip.y - 5 * dy + 3 * dx);
  dc.MoveTo(tip.x, tip.y);
  dc.LineTo(tip.x - 5 * dx - 3 * dy, tip.y - 5 * dy - 3 * dx);
}
}  // namespace

int LineKindOfName(const CStringA& name) {
  for (const LineType& t : kLineTypes)
    if (name == t.name) return t.code;
  return 0;
}

CStringA LineTypeNameOf(int code) {
  for (const LineType& t : kLineTypes)
    if (t.code == code) return t.name;
  return "粗实线";
}

BEGIN_MESSAGE_MAP(CCurveEquationDlg, CBaseDialog)
  ON_WM_PAINT()
  ON_BN_CLICKED(681, OnStore)
  ON_BN_CLICKED(680, OnTake)
  ON_BN_CLICKED(679, OnRemove)
  ON_BN_CLICKED(678, OnPreview)
  ON_BN_CLICKED(683, OnRadiansChosen)
  ON_BN_CLICKED(682, OnDegreesChosen)
  ON_BN_CLICKED(666, OnCartesianChosen)
  ON_BN_CLICKED(667, OnPolarChosen)
  ON_EN_CHANGE(669, OnXChange)
  ON_EN_CHANGE(670, OnYChange)
  ON_CBN_EDITUPDATE(663, OnRangeUpdate)
  ON_CBN_EDITUPDATE(664, OnRangeUpdate)
END_MESSAGE_MAP()

CCurveEquationDlg::CCurveEquationDlg(CEquationCurveEntity* edited, CWnd* parent)
    : CBaseDialog(IDD, parent), edited_(edited) {
  if (edited) {
    lineType_ = LineTypeNameOf(edited->GetLineKind());
    showAxes_ = edited->GetShowAxes();
  }
}

BOOL CCurveEquationDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  CheckRadioButton(kDegrees, kRadians, kDegrees);
  CheckRadioButton(kCartesian, kPolar, kCartesian);
  CheckDlgButton(kAxes, showAxes_ ? BST_CHECKED : BST_UNCHECKED);
  if (CComboBox* types = static_cast<CComboBox*>(GetDlgItem(kLineType))) {
    const int at = types->FindStringExact(-1, lineType_);
    if (at >= 0) types->SetCurSel(at);
  }
  const CStringA path = GetSystemFilePath(kTable);
  if (!IsFileExist(path)) return TRUE;
  ReadTabFile(path, records_, comments_);
  if (records_.GetSize() == 0) records_.Add(kDefaultEquationLine);
  if (edited_)
    record_.Copy(edited_->GetRecord());
  else
    ParseEquationLine(records_[0], record_);
  FillCombos();
  ShowRecord(record_);
  return TRUE;
}

// ---- Showing a record.

void CCurveEquationDlg::FillCombos() {
  auto* step = static_cast<CComboBox*>(GetDlgItem(kStep));
  auto* start = static_cast<CComboBox*>(GetDlgItem(kStart));
  auto* end = static_cast<CComboBox*>(GetDlgItem(kEnd));
  if (!step || !start || !end) return;
  step->ResetContent();
  start->ResetContent();
  end->ResetContent();
  CStringA text;
  if (unit_) {
    for (int i = 1; i <= 10; ++i) {
      text.Format("%d", i);
      step->AddString(text);
    }
    SetDlgItemText(kStep, "4");
  } else {
    for (int i = 1; i * 0.05 <= 0.4 + 1e-9; ++i) {
      text.Format("%f", i * 0.05);
      step->AddString(text.Left(text.Find('.') + 3));
    }
    SetDlgItemText(kStep, "0.1");
  }
  for (int a = 0; a <= 330; a += 30) {
    if (unit_)
      text.Format("%d", a);
    else
      text.Format("%f", a * kRadiansPerDegreeValue);
    start->AddString(text);
  }
  for (int a = 360; a >= 0; a -= 30) {
    if (unit_)
      text.Format("%d", a);
    else
      text.Format("%f", a * kRadiansPerDegreeValue);
    end->AddString(text);
  }
}

void CCurveEquationDlg::SetPolar(bool polar) {
  system_ = polar ? 1 : 0;
  CheckRadioButton(kCartesian, kPolar, polar ? kPolar : kCartesian);
  if (CWnd* x = GetDlgItem(kXEdit)) x->EnableWindow(!polar);
  SetDlgItemText(kYLabel, polar ? "ρ(t)=" : "Y(t)=");
}

void CCurveEquationDlg::ShowRecord(const CStringArrayA& fields) {
  if (fields.GetSize() != kEqFieldCount) return;
  // The unit first: switching it refills the combos, which must not
  // overwrite the record's own range and step.
  const int unit = fields[kEqUnit] != "0" ? 1 : 0;
  CheckRadioButton(kDegrees, kRadians, unit ? kDegrees : kRadians);
  if (unit != unit_) {
    unit_ = unit;
    FillCombos();
  }
  static const int kIds[] = {kName, kXEdit, kYEdit, kParameter, kStart, kEnd, kStep};
  for (int i = 0; i < 7; ++i) SetDlgItemText(kIds[i], fields[i]);
  SetPolar(fields[kEqSystem] != "0");
}

// ---- Switching unit and coordinate system.

void CCurveEquationDlg::OnDegreesChosen() {
  if (unit_ == 1) return;
  const double s = std::atof(ControlText(this, kStart)), e = std::atof(ControlText(this, kEnd));
  unit_ = 1;
  FillCombos();
  SetDlgItemText(kStart, FormatDegreeValue(s * kDegreesPerRadian));
  SetDlgItemText(kEnd, FormatDegreeValue(e * kDegreesPerRadian));
  unitChanged_ = 1;
}

void CCurveEquationDlg::OnRadiansChosen() {
  if (unit_ == 0) return;
  const double s = std::atof(ControlText(this, kStart)), e = std::atof(ControlText(this, kEnd));
  unit_ = 0;
  FillCombos();
  CStringA text;
  text.Format("%f", s * kRadiansPerDegreeValue);
  SetDlgItemText(kStart, text);
  text.Format("%f", e * kRadiansPerDegreeValue);
  SetDlgItemText(kEnd, text);
  unitChanged_ = 1;
}

void CCurveEquationDlg::OnCartesianChosen() { SetPolar(false); }
void CCurveEquationDlg::OnPolarChosen() { SetPolar(true); }
void CCurveEquationDlg::OnXChange() { xChanged_ = 1; }
void CCurveEquationDlg::OnYChange() { yChanged_ = 1; }
void CCurveEquationDlg::OnRangeUpdate() { rangeChanged_ = 1; }

// ---- Reading and converting.

bool CCurveEquationDlg::ReadControls(bool withPrefixes, CStringArrayA& out) {
  const bool polar = system_ == 1;
  const CStringA name = ControlText(this, kName);
  const CStringA x = Trimmed(ControlText(this, kXEdit)), y = Trimmed(ControlText(this, kYEdit));
  const CStringA parameter = Trimmed(ControlText(this, kParameter));
  const CStringA start = Trimmed(ControlText(this, kStart)), end = Trimmed(ControlText(this, kEnd));
  const CStringA step = Trimmed(ControlText(this, kStep));
  auto refuse = [](const char* text) {
    ShowMessage(text, MB_OK | MB_ICONWARNING);
    return false;
  };
  if ((!polar && x.IsEmpty()) || y.IsEmpty()) return refuse("请输入正确的表达式!");
  if (parameter.IsEmpty()) return refuse("请输入参数变量!");
  CStringA lower = parameter;
  lower.MakeLower();
  for (const char* f : kFunctionNames)
    if (lower == f) return refuse("参变量与数学函数同名!");
  if (start.IsEmpty()) return refuse("请输入参变量的起始值!");
  if (end.IsEmpty()) return refuse("请输入参变量的终止值!");
  if (step.IsEmpty()) return refuse("请输入参变量的变化步长!");
  const double d = std::atof(step);
  if (unit_ && !IsValueInRange(d, 1.0, 10.0)) return refuse("请输入的参变量变化步长在 1.0--10.0 之间!");
  if (!unit_ && !IsValueInRange(d, 0.01, 0.4)) return refuse("请输入的参变量变化步长在 0.01--0.4 之间!");
  out.RemoveAll();
  out.Add(name);
  out.Add(polar ? CStringA() : withPrefixes ? "X(t)=" + x : x);
  out.Add(withPrefixes ? (polar ? "ρ(t)=" : "Y(t)=") + y : y);
  out.Add(parameter);
  out.Add(start);
  out.Add(end);
  out.Add(step);
  out.Add(unit_ ? "1" : "0");
  out.Add(polar ? "1" : "0");
  return true;
}

bool CCurveEquationDlg::Convert(bool quiet) {
  if (record_.GetSize() != kEqFieldCount) return false;
  CStringA x, y, message;
  if (!ConvertEquation(record_[kEqX], record_[kEqY], record_[kEqParameter], record_[kEqSystem] != "0",
                       record_[kEqUnit] == "0", x, y, message)) {
    if (!quiet) ShowMessage(message, MB_OK | MB_ICONWARNING);
    return false;
  }
  std::memcpy(xBuffer_, x.GetString(), static_cast<size_t>(x.GetLength()) + 1);
  std::memcpy(yBuffer_, y.GetString(), static_cast<size_t>(y.GetLength()) + 1);
  return true;
}

// ---- Preview.

void CCurveEquationDlg::OnPaint() {
  {
    CPaintDC dc(this);
  }
  PaintPreview();
}

void CCurveEquationDlg::PaintPreview() {
  CWnd* area = GetDlgItem(kPreviewArea);
  if (!area) return;
  CClientDC dc(area);
  CRect rc;
  area->GetClientRect(&rc);
  const int w = rc.Width(), h = rc.Height();
  CGdiObject* oldBrush = dc.SelectStockObject(BLACK_BRUSH);
  CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
  dc.Rectangle(0, 0, w + 1, h + 1);
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
  // A repaint converts quietly: a message box over the dialog would ask for
  // the next repaint.
  if (!Convert(true)) return;
  const bool polar = system_ == 1, degrees = unit_ == 1;
  const double s = std::atof(record_[kEqStart]), e = std::atof(record_[kEqEnd]), d = std::atof(record_[kEqStep]);
  extents_ = ComputeEquationExtents(xBuffer_, yBuffer_, polar, degrees, s, e, d);
  PreviewMapping m;
  if (!ComputePreviewMapping(extents_, w, h, m)) return;
  if (IsDlgButtonChecked(kAxes) == BST_CHECKED) {
    CPen yellow(PS_SOLID, 1, 0x00FFFF);
    CPen* previous = dc.SelectObject(&yellow);
    const CPoint o(m.x0, m.y0);
    const int right = static_cast<int>(std::fmin(w, std::trunc(m.u * extents_.xmax + m.x0 + 5)));
    const int left = static_cast<int>(std::fmax(0, std::trunc(m.u * extents_.xmin + m.x0 - 5)));
    const int top = static_cast<int>(std::fmax(0, std::trunc(m.y0 - m.u * extents_.ymax - 5)));
    const int bottom = static_cast<int>(std::fmin(h, std::trunc(m.y0 - m.u * extents_.ymin + 5)));
    dc.MoveTo(o.x, o.y);
    dc.LineTo(right, o.y);
    ArrowHead(dc, CPoint(right, o.y), 1, 0);
    dc.MoveTo(o.x, o.y);
    dc.LineTo(left, o.y);
    dc.MoveTo(o.x, o.y);
    dc.LineTo(o.x, top);
    ArrowHead(dc, CPoint(o.x, top), 0, -1);
    dc.MoveTo(o.x, o.y);
    dc.LineTo(o.x, bottom);
    dc.SelectObject(previous);
  }
  const CStringA type = ControlText(this, kLineType);
  int style = PS_SOLID, width = 1;
  if (type == "粗实线") width = 2;
  if (type == "虚线") style = PS_DASH;
  if (type == "点划线") style = PS_DASHDOT;
  if (type == "双点划线") style = PS_DASHDOTDOT;
  CPen pen(style, width, 0xFAFAFA);
  CPen* previous = dc.SelectObject(&pen);
  const std::vector<CPoint> pixels = PreviewCurvePixels(xBuffer_, yBuffer_, polar, degrees, s, e, d, m, w, h);
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (i == 0)
      dc.MoveTo(pixels[i].x, pixels[i].y);
    else
      dc.LineTo(pixels[i].x, pixels[i].y);
  }
  dc.SelectObject(previous);
  xChanged_ = yChanged_ = rangeChanged_ = unitChanged_ = 0;
}

void CCurveEquationDlg::OnPreview() {
  CStringArrayA fields;
  if (!ReadControls(false, fields)) return;
  record_.Copy(fields);
  if (!Convert(false)) return;
  PaintPreview();
}

// ---- The equation list.

void CCurveEquationDlg::OnStore() {
  CStringArrayA fields;
  if (!ReadControls(true, fields)) return;
  CStringA line;
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
    if (i) line += ';';
    line += fields[i];
  }
  if (!line.IsEmpty()) records_.InsertAt(0, line);
}

void CCurveEquationDlg::OnTake() {
  CEquationPickDlg dlg(records_, 1, this);
  if (dlg.DoModal() != IDOK) return;
  const int at = dlg.GetSelected();
  if (at < 0 || at >= records_.GetSize()) return;
  ParseEquationLine(records_[at], record_);
  ShowRecord(record_);
  PaintPreview();
}

void CCurveEquationDlg::OnRemove() {
  CListPickDlg dlg(records_, this);
  if (dlg.DoModal() != IDOK || dlg.GetSelectedCount() == 0) return;
  CStringA question;
  question.Format("确实要删除选定的 %d 个方程吗?", dlg.GetSelectedCount());
  if (ShowMessage(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  records_.Copy(dlg.GetLines());
}

// ---- Closing.

void CCurveEquationDlg::WriteTable() {
  std::vector<CStringA> lines;
  lines.reserve(static_cast<size_t>(comments_.GetSize() + records_.GetSize()));
  for (INT_PTR i = 0; i < comments_.GetSize(); ++i) lines.push_back(comments_[i]);
  for (INT_PTR i = 0; i < records_.GetSize(); ++i) lines.push_back(records_[i]);
  WriteTabFileLines(GetSystemFilePath(kTable), lines);
}

void CCurveEquationDlg::OnOK() {
  WriteTable();
  CStringArrayA fields;
  if (!ReadControls(false, fields)) return;
  record_.Copy(fields);
  // Converted on every OK: a switch of coordinate system or parameter also
  // changes the evaluator form.
  if (!Convert(false)) return;
  extents_ = ComputeEquationExtents(xBuffer_, yBuffer_, record_[kEqSystem] != "0", record_[kEqUnit] != "0",
                                    std::atof(record_[kEqStart]), std::atof(record_[kEqEnd]),
                                    std::atof(record_[kEqStep]));
  showAxes_ = IsDlgButtonChecked(kAxes) == BST_CHECKED ? 1 : 0;
  lineType_ = ControlText(this, kLineType);
  CBaseDialog::OnOK();
}

void CCurveEquationDlg::OnCancel() {
  WriteTable();
  CBaseDialog::OnCancel();
}
