// CDraftView: tables in regions. The builder makes a table over regions a
// command picked; the view's own region collection (PickRegionAt, while the
// region display is on) feeds the table-in-region object.
#include <algorithm>
#include <cstring>
#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/RegionTableDlg.h"
#include "draft/host/RegionTableLayout.h"
#include "draft/host/Settings.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TextFontRecord.h"

namespace {
constexpr int kMaxRegions = 10;

bool WordsUsable(const int* words) {
  if (!words) return false;
  for (int i = 0; i < kRegionTableWordCount; ++i)
    if (words[i] < CRegionTableDlg::MinWord(i) || words[i] > CRegionTableDlg::MaxWord(i)) return false;
  return true;
}

// The i-th text of `text` split at ';' (GBK trail bytes are never ';').
CStringA CellText(const char* text, int i) {
  const char* p = text ? text : "";
  for (; i > 0; --i) {
    p = std::strchr(p, ';');
    if (!p) return "";
    ++p;
  }
  const char* end = std::strchr(p, ';');
  return end ? CStringA(p, static_cast<int>(end - p)) : CStringA(p);
}

bool ListExtents(const CEntityList& list, double& xmin, double& ymin, double& xmax, double& ymax) {
  bool any = false;
  for (const CEntity* e : list) {
    double a, b, c, d;
    if (!e->GetExtents(a, b, c, d)) continue;
    if (!any) {
      xmin = a, ymin = b, xmax = c, ymax = d;
      any = true;
    } else {
      xmin = std::min(xmin, a), ymin = std::min(ymin, b), xmax = std::max(xmax, c), ymax = std::max(ymax, d);
    }
  }
  return any && xmax > xmin && ymax > ymin;
}
}  // namespace

CTableEntity* CDraftView::BuildRegionTable(const char* text, const CEntityList& boundary, const CEntityList* regions,
                                           const int* words) {
  if (!regions || !WordsUsable(words)) return nullptr;
  CTextAttrib attr = ConstructTextAttrib(GetTextFont());
  attr.SetHeight(words[kWordTextHeight] / 10.0);
  attr.SetWidthFactor(words[kWordWidthFactor] / 100.0);
  attr.SetSpacing(words[kWordSpacing] / 10.0);
  attr.SetChineseFontIndex(static_cast<BYTE>(words[kWordFontIndex]));
  attr.SetAngle(0.0);
  const int layer = words[kWordLayer] < 0 ? currentLayer_ : words[kWordLayer];
  std::unique_ptr<CTableEntity> table(ConstructTableEntity(layer, GetDrawingAttributes()));
  table->SetGridShown(0);
  for (int i = 0; i < kMaxRegions && !regions[i].IsEmpty(); ++i) {
    for (const CEntity* e : regions[i])
      if (!boundary.Contains(e)) return nullptr;
    double xmin, ymin, xmax, ymax;
    if (!ListExtents(regions[i], xmin, ymin, xmax, ymax)) return nullptr;
    CTableCell* cell = ConstructTableCell(CellText(text, i), xmax - xmin, ymax - ymin, words[kWordAlignment]);
    cell->SetTextAttrib(attr);
    CTableRow* row = ConstructTableRow(1);
    AddRowCell(row, cell);
    table->AddRow(row);
    table->AddSegment(ConstructTableSegment(xmin, ymax, ymin));
  }
  if (table->GetRowCount() == 0) return nullptr;
  RecalcTable(table.get());
  return table.release();
}

void CDraftView::SetRegionDisplay(int on) {
  regionDisplay_ = on ? 1 : 0;
  if (!regionDisplay_) DiscardPickedRegions();
}

BOOL CDraftView::PickRegionAt(double x, double y, int& clicks) {
  if (!regionDisplay_ || pickedRegions_.size() >= kMaxRegions) return FALSE;
  const int hideCentre = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOCENTERLINE", 1);
  const int hideThin = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOTHINLINE", 0);
  auto region = std::make_unique<PickedRegion>();
  CEntityList sources;
  if (!FindClosedBoundary(entities_, region->boundary, sources, x, y, hideCentre, hideThin, 0, 0, 1)) {
    while (!region->boundary.IsEmpty()) delete region->boundary.RemoveHead();
    return FALSE;
  }
  region->at = {x, y};
  RegisterInsertedEntities(region->boundary);
  SelectEntities(region->boundary, 1, 0, 1, 1);
  pickedRegions_.push_back(std::move(region));
  ++clicks;
  return TRUE;
}

void CDraftView::DiscardPickedRegions() {
  for (auto& region : pickedRegions_) {
    DrawEntitiesTemp(region->boundary, 1, 1);
    // A destroyed registered entity leaves the view's lists by itself.
    while (!region->boundary.IsEmpty()) delete region->boundary.RemoveHead();
  }
  pickedRegions_.clear();
}

CTableEntity* CDraftView::MakeRegionTable(const char* text, const int* words) {
  if (pickedRegions_.empty()) return nullptr;
  CEntityList boundary;
  CEntityList regions[kMaxRegions];
  double xs[kMaxRegions], ys[kMaxRegions];
  const int count = static_cast<int>(pickedRegions_.size());
  for (int i = 0; i < count; ++i) {
    for (CEntity* e : pickedRegions_[static_cast<size_t>(i)]->boundary) {
      boundary.AddTail(e);
      regions[i].AddTail(e);
    }
    xs[i] = pickedRegions_[static_cast<size_t>(i)]->at.x;
    ys[i] = pickedRegions_[static_cast<size_t>(i)]->at.y;
  }
  CTableEntity* table = BuildRegionTable(text, boundary, regions, words);
  if (table && !SetRegionTableLayout(table, words[kWordTextHeight] / 10.0, words[kWordAlignment], count, xs, ys)) {
    delete table;
    table = nullptr;
  }
  DiscardPickedRegions();
  return table;
}
