#include "draft/tables/PickDetailRegionCmd.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "draft/host/Geometry2D.h"
#include "draft/host/Settings.h"
#include "draft/host/StringConverter.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextEntity.h"
#include "draft/tables/FieldLine.h"
#include "draft/tables/RowText.h"
#include "draft/tables/TableFileText.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/FileDialog.h"

namespace {
constexpr double kLevel = 1e-6;      // end points this close lie on one level
constexpr double kFar = 1e300;
constexpr double kRowSlack = 0.1;    // horizontal lines this close to the box belong to it
constexpr double kLengthen = 1.0;    // lines are lengthened by this for the crossings
constexpr double kWidthNotGiven = 15.0;
const char* const kPrompt =
    "使用橡皮筋线连续选择明细表数据区域，按字母键 U 取消刚进行的选择,鼠标右键进入下一步";

// Spans overlap when one holds an end of the other, or they share more
// than one drawing unit.
bool Overlap(double a1, double a2, double b1, double b2) {
  auto holds = [](double lo, double hi, double v) { return v >= lo && v <= hi; };
  if (holds(a1, a2, b1) || holds(a1, a2, b2) || holds(b1, b2, a1) || holds(b1, b2, a2)) return true;
  return std::min(a2, b2) - std::max(a1, b1) > 1.0;
}

// The sorted values, those closer than kLevel to the one before dropped.
std::vector<double> Distinct(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  std::vector<double> out;
  for (double x : v)
    if (out.empty() || x - out.back() >= kLevel) out.push_back(x);
  return out;
}
}  // namespace

CPickDetailRegionCmd::CPickDetailRegionCmd(int id) : CCmdBase(id, nullptr) {
  pointCount_ = 2;
  prompts_[0] = kPrompt;
  prompts_[1] = kPrompt;
}

CPickDetailRegionCmd::~CPickDetailRegionCmd() = default;

int CPickDetailRegionCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  structurePath_ = GetProfileStringSetting("TableFrameSetting", "TableFrameFilePath", "");
  if (structurePath_.IsEmpty() || !IsFileExist(structurePath_)) structurePath_ = GetSystemFilePath("Def\\item.def");
  SetPointInput(1);
  SetPickMode(0);
  Collect(view);
  return 1;
}

void CPickDetailRegionCmd::Collect(CDraftView* view) {
  horizontal_.clear();
  vertical_.clear();
  texts_.clear();
  // The members of the current group are entities of the drawing like any
  // other, so the drawing's lists hold them already.
  CEntityList all;
  for (CEntityList* list : {view->GetEntityList(), view->GetSelectionList()})
    for (CEntity* e : *list) e->ListInto(all);
  for (CEntity* e : all) {
    if (e->IsLine()) {
      double v[kMaxGeometryValues] = {};
      if (e->GetGeometry(v) < 4) continue;
      if (std::fabs(v[0] - v[2]) <= kLevel)
        vertical_.push_back({v[0], std::min(v[1], v[3]), std::max(v[1], v[3])});
      else if (std::fabs(v[1] - v[3]) <= kLevel)
        horizontal_.push_back({v[1], std::min(v[0], v[2]), std::max(v[0], v[2])});
    } else if (e->IsText()) {
      const auto* text = dynamic_cast<const CTextEntity*>(e);
      double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
      if (!text || !e->GetExtents(x0, y0, x1, y1)) continue;
      CStringA t = text->GetText();
      texts_.push_back({(x0 + x1) / 2, (y0 + y1) / 2, t.Trim(), false});
    }
  }
  all.RemoveAll();
}

int CPickDetailRegionCmd::DrawPreview(CDraftView* view) {
  if (view && points_.size() == 1) {
    view->DrawLinePreview(points_[0].x, points_[0].y, cursor_.x, cursor_.y);
    return 0;
  }
  return CCmdBase::DrawPreview(view);
}

void CPickDetailRegionCmd::Execute(CDraftView* view) {
  if (view && points_.size() >= 2) PickRegion(points_[0].x, points_[0].y, points_[1].x, points_[1].y);
  std::vector<PointRec>().swap(points_);
}

int CPickDetailRegionCmd::PickRegion(double x1, double y1, double x2, double y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  // The nearest ruling line on each side of the pick.
  double below = kFar, above = kFar, left = kFar, right = kFar;
  const Rule *bottom = nullptr, *top = nullptr, *leftRule = nullptr, *rightRule = nullptr;
  for (const Rule& h : horizontal_) {
    if (!Overlap(h.from, h.to, x1, x2)) continue;
    if (h.at < y1 && y1 - h.at < below) { below = y1 - h.at; bottom = &h; }
    if (h.at > y2 && h.at - y2 < above) { above = h.at - y2; top = &h; }
  }
  for (const Rule& v : vertical_) {
    if (!Overlap(v.from, v.to, y1, y2)) continue;
    if (v.at < x1 && x1 - v.at < left) { left = x1 - v.at; leftRule = &v; }
    if (v.at > x2 && v.at - x2 < right) { right = v.at - x2; rightRule = &v; }
  }
  if (!bottom || !top || !leftRule || !rightRule) return 0;
  const double bx0 = leftRule->at, bx1 = rightRule->at, by0 = bottom->at, by1 = top->at;

  // The crossings of the lines inside the box give the cell edges.
  std::vector<const Rule*> hs, vs;
  for (const Rule& h : horizontal_)
    if (h.at >= by0 - kRowSlack && h.at <= by1 + kRowSlack && Overlap(h.from, h.to, bx0, bx1)) hs.push_back(&h);
  for (const Rule& v : vertical_)
    if (v.at >= bx0 - kLevel && v.at <= bx1 + kLevel && Overlap(v.from, v.to, by0, by1)) vs.push_back(&v);
  std::vector<double> xs, ys;
  for (const Rule* h : hs) {
    for (const Rule* v : vs) {
      GPoint p;
      if (!IntersectSegments({h->from - kLengthen, h->at}, {h->to + kLengthen, h->at}, {v->at, v->from - kLengthen},
                             {v->at, v->to + kLengthen}, p))
        continue;
      xs.push_back(p.x);
      ys.push_back(p.y);
    }
  }
  xs = Distinct(std::move(xs));
  ys = Distinct(std::move(ys));

  int added = 0;
  for (size_t r = 0; r + 1 < ys.size(); ++r) {
    std::vector<CStringA> row;
    bool any = false;
    for (size_t c = 0; c + 1 < xs.size(); ++c) {
      CStringA entry;
      for (PoolText& t : texts_) {
        if (t.used || t.text.IsEmpty()) continue;
        if (t.cx > xs[c] && t.cx < xs[c + 1] && t.cy > ys[r] && t.cy < ys[r + 1]) {
          entry = t.text;
          t.used = true;
          any = true;
          break;
        }
      }
      row.push_back(entry);
    }
    if (!any) continue;
    rows_.push_back(std::move(row));
    ++added;
  }
  return added;
}

int CPickDetailRegionCmd::OnRButton(CDraftView* view) {
  WriteDataFile(view);
  std::vector<PointRec>().swap(points_);
  step_ = 0;
  return 1;
}

int CPickDetailRegionCmd::OnNumberKey(CDraftView*, UINT, UINT, double&, double&) { return 0; }

int CPickDetailRegionCmd::OnOtherChar(CDraftView*, UINT, UINT, double&, double&) { return 0; }

BOOL CPickDetailRegionCmd::ParseFieldLine(CFieldArray& fields, const CStringA& line) {
  return ::ParseFieldLine(fields, line, kWidthNotGiven);
}

BOOL CPickDetailRegionCmd::WriteDataFile(CDraftView*) {
  if (rows_.empty()) return FALSE;
  std::unique_ptr<CTableFileText> file;
  try {
    file = std::make_unique<CTableFileText>(structurePath_);
  } catch (CFileException&) {
    CStringA text;
    text.Format("不能打开表头定义信息文件: %s", structurePath_.GetString());
    AfxMessageBox(text, MB_OK);
    return FALSE;
  }
  std::vector<CStringA> fieldLines;
  CStringA line;
  while (file->ReadLine(line)) {
    GetStringConverter().NormalizeLine(line);
    if (!line.IsEmpty() && line != kStructureMagic99) fieldLines.push_back(line);
  }
  CFileDialog dialog(FALSE, "lst", "*.lst", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "ZarvexCAD明细表数据文件 (*.lst)|*.lst||");
  if (dialog.DoModal() != IDOK) return FALSE;
  const CStringA path(dialog.GetPathName());
  CStringA text;
  text += kPartsListMagic99;
  text += "\n";
  CStringA count;
  count.Format("%d\n", static_cast<int>(fieldLines.size()));
  text += count;
  for (const CStringA& f : fieldLines) text += f + "\n";
  for (const auto& row : rows_) {
    for (size_t c = 0; c < row.size(); ++c) {
      if (c) text += ";";
      text += row[c].IsEmpty() ? CStringA(" ") : DoubleSemicolons(row[c]);
    }
    text += "\n";
  }
  return ReplaceTableFile(path, TextFileBytes(text));
}
