#include "draft/host/DrawingFile.h"

#include <charconv>
#include <initializer_list>
#include <cstring>

#include "draft/host/BlockEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/TableEntity.h"
#include "draft/host/EquationCurveEntity.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LineSetEntity.h"
#include "draft/host/PointEntity.h"
#include "draft/host/ScratchDrawing.h"
#include "draft/host/TendonGraphEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TwoPointEntity.h"
#include "platform/core/Charset.h"
#include "platform/core/FileReplace.h"

namespace {

const char* KindName(EntityKind kind) {
  switch (kind) {
    case EntityKind::kLine: return "line";
    case EntityKind::kCircle: return "circle";
    case EntityKind::kArc: return "arc";
    case EntityKind::kEllipse: return "ellipse";
    case EntityKind::kPoint: return "point";
    case EntityKind::kText: return "text";
    case EntityKind::kBlock: return "block";
    case EntityKind::kTwoPoint: return "twopoint";
    case EntityKind::kTable: return "table";
  }
  return "unknown";
}

void AppendNumber(std::string& out, double v) {
  if (v == 0) v = 0;  // no "-0"
  char buf[32];
  const auto result = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, result.ptr);
}

// A GBK text as a quoted UTF-8 string.
void AppendQuoted(std::string& out, const CStringA& gbk) {
  out += '"';
  for (char c : platform::GbkToUtf8(std::string_view(gbk.GetString(), static_cast<size_t>(gbk.GetLength())))) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  out += '"';
}

void AppendGroup(std::string& out, const CDrawingGroup* group) {
  if (group)
    AppendQuoted(out, group->GetGroupName());
  else
    out += '-';
}

// A table: its name, kind, direction, the header, grid and repeat flags
// and line layer, then in braces its segments ("open" for an open end) and
// its rows (flag and counted flag) with each cell's text, ditto code, width,
// row height and alignment.
void AppendTable(std::string& out, const CTableEntity& t, const std::string& indent) {
  out += ' ';
  AppendQuoted(out, t.GetTableName());
  for (int v : {t.GetTableKind(), t.GetDirection(), t.GetHeaderShown(), t.GetGridShown(), t.GetRepeatHeader(),
                t.GetLineLayer()}) {
    out += ' ';
    out += std::to_string(v);
  }
  out += " {\n";
  for (int i = 0; i < t.GetSegmentCount(); ++i) {
    const CTableSegment& s = t.GetSegment(i);
    out += indent + "  segment ";
    AppendNumber(out, s.startX);
    out += ' ';
    AppendNumber(out, s.startY);
    out += ' ';
    if (s.IsOpen())
      out += "open";
    else
      AppendNumber(out, s.endY);
    out += '\n';
  }
  for (int r = 0; r < t.GetRowCount(); ++r) {
    const CTableRow& row = *t.GetRow(r);
    out += indent + "  row " + std::to_string(row.GetFlag()) + ' ' + std::to_string(row.GetCounted()) + '\n';
    for (int c = 0; c < row.GetCellCount(); ++c) {
      const CTableCell& cell = *row.GetCell(c);
      out += indent + "    cell ";
      AppendQuoted(out, cell.GetText());
      out += ' ' + std::to_string(cell.GetDittoCode()) + ' ';
      AppendNumber(out, cell.GetWidth());
      out += ' ';
      AppendNumber(out, cell.GetRowHeight());
      out += ' ' + std::to_string(cell.GetAlignment()) + '\n';
    }
  }
  out += indent;
  out += '}';
}

// What a tendon graph keeps besides its members: its settings, axis flag,
// origin and maxima, its columns, and its curves (each its point count and
// the pairs of values).
void AppendTendonFields(std::string& out, const CTendonGraphEntity& g) {
  const TendonGraphSettings& s = g.GetSettings();
  for (int v : {s.axisType, s.lineLayer, s.direction, s.distribution, s.closed, g.GetAxisFlag()})
    out += ' ' + std::to_string(v);
  for (double v : {g.GetOrigin().x, g.GetOrigin().y, g.GetMax1(), g.GetMax2()}) {
    out += ' ';
    AppendNumber(out, v);
  }
  out += " columns " + std::to_string(g.GetColumnNames().size());
  for (size_t i = 0; i < g.GetColumnNames().size(); ++i) {
    out += ' ';
    AppendQuoted(out, g.GetColumnNames()[i]);
    out += ' ';
    AppendNumber(out, i < g.GetColumnWidths().size() ? g.GetColumnWidths()[i] : 0.0);
  }
  out += " curves " + std::to_string(g.GetCurves().size());
  for (const TendonCurve& c : g.GetCurves()) {
    out += " " + std::to_string(c.GetPointCount());
    for (int i = 0; i < c.GetPointCount(); ++i) {
      out += ' ';
      AppendNumber(out, c.first[static_cast<size_t>(i)]);
      out += ' ';
      AppendNumber(out, c.second[static_cast<size_t>(i)]);
    }
  }
}

// What a compound curve keeps besides its members.
void AppendCurveFields(std::string& out, const CEntity& e) {
  if (e.IsTendonGraph()) {
    AppendTendonFields(out, static_cast<const CTendonGraphEntity&>(e));
  } else if (const auto* eq = dynamic_cast<const CEquationCurveEntity*>(&e)) {
    CStringA record;
    for (INT_PTR i = 0; i < eq->GetRecord().GetSize(); ++i) {
      if (i) record += ';';
      record += eq->GetRecord().GetAt(i);
    }
    out += ' ';
    AppendQuoted(out, record);
    out += " axes " + std::to_string(eq->GetShowAxes()) + " kind " + std::to_string(eq->GetLineKind()) + " type " +
           std::to_string(eq->GetAxisType()) + " at ";
    AppendNumber(out, eq->GetOrigin().x);
    out += ' ';
    AppendNumber(out, eq->GetOrigin().y);
  } else if (const auto* curve = dynamic_cast<const CCurveEntity*>(&e)) {
    out += curve->IsClosed() ? " closed" : " open";
    out += " fit " + std::to_string(curve->GetFitPoints().size());
    for (const GPoint& p : curve->GetShownFitPoints()) {
      out += ' ';
      AppendNumber(out, p.x);
      out += ' ';
      AppendNumber(out, p.y);
    }
  }
}

void AppendNumbers(std::string& out, std::initializer_list<double> values) {
  for (double v : values) {
    out += ' ';
    AppendNumber(out, v);
  }
}

// An item list: its count, then each item's name, type, value and shown flag.
void AppendItems(std::string& out, const CAttributeItemList* items) {
  if (!items || items->GetCount() == 0) return;
  out += " items " + std::to_string(items->GetCount());
  for (const CAttributeItem& item : items->Items()) {
    for (const CStringA* text : {&item.name, &item.type, &item.value}) {
      out += ' ';
      AppendQuoted(out, *text);
    }
    out += ' ' + std::to_string(item.shown);
  }
}

// What a saved drawing keeps of a text, a point and a two-point entity
// beyond their geometry, and any entity's attribute items.
void AppendDetails(std::string& out, const CEntity& e) {
  if (e.IsText()) {
    const auto& text = static_cast<const CTextEntity&>(e);
    const CTextAttrib& a = text.GetTextAttrib();
    out += " attr";
    AppendNumbers(out, {a.GetHeight(), a.GetWidthFactor(), a.GetAngle(), a.GetSlant(), a.GetSpacing()});
    out += ' ' + std::to_string(a.GetAlignment()) + ' ' + std::to_string(a.GetStyle()) + ' ';
    AppendQuoted(out, a.GetFontName());
    AppendNumbers(out, {a.GetLineSpacing()});
    out += ' ' + std::to_string(a.GetFontStyle()) + ' ' + std::to_string(a.GetChineseFontIndex()) + ' ' +
           std::to_string(a.GetWesternFontIndex());
    for (const CStringA* name : {&a.GetTrueTypeName(), &a.GetShxFontName(), &a.GetBigFontName()}) {
      out += ' ';
      AppendQuoted(out, *name);
    }
    out += " place " + std::to_string(text.GetPlacementCode());
    double x0, y0, x1, y1;
    if (text.GetPlacementBox(x0, y0, x1, y1)) {
      out += " box";
      AppendNumbers(out, {x0, y0, x1, y1});
    }
  } else if (e.IsPoint()) {
    const auto& point = static_cast<const CPointEntity&>(e);
    out += " style " + std::to_string(point.GetPointType());
    AppendNumbers(out, {point.GetPointSize()});
  } else if (e.IsTwoPointEntity()) {
    const auto& two = static_cast<const CTwoPointEntity&>(e);
    out += " sizes";
    AppendNumbers(out, {two.GetSize1(), two.GetSize2()});
    out += " segments " + std::to_string(two.GetSegmentCount());
    for (int i = 0; i < two.GetSegmentCount(); ++i) {
      GPoint a, b;
      two.GetSegmentEnds(i, a, b);
      AppendNumbers(out, {a.x, a.y, b.x, b.y});
    }
  }
  AppendItems(out, e.FindEntityAttributes());
}

void AppendEntity(std::string& out, const CEntity& e, int depth, bool details) {
  const std::string indent(static_cast<size_t>(depth) * 2, ' ');
  out += indent;
  out += e.IsEquationCurve()                          ? "eqcurve"
         : e.IsCompoundCurve()                        ? "curve"
         : dynamic_cast<const CLineSetEntity*>(&e)   ? "lineset"
         : e.IsTendonGraph()                          ? "tendon"
                                                      : KindName(e.GetKind());
  out += ' ';
  out += std::to_string(e.GetEntityLayer());
  out += ' ';
  AppendGroup(out, e.GetEntityGroup());
  double v[kMaxGeometryValues];
  const int n = e.GetGeometry(v);
  for (int i = 0; i < n && i < kMaxGeometryValues; ++i) {
    out += ' ';
    AppendNumber(out, v[i]);
  }
  if (e.IsText()) {
    out += ' ';
    AppendQuoted(out, static_cast<const CTextEntity&>(e).GetText());
  }
  if (e.GetKind() == EntityKind::kTable) AppendTable(out, static_cast<const CTableEntity&>(e), indent);
  AppendCurveFields(out, e);
  if (details) AppendDetails(out, e);
  if (e.IsBlock()) {
    const auto& block = static_cast<const CBlockEntity&>(e);
    out += " {\n";
    for (int i = 0; i < block.GetMemberCount(); ++i) AppendEntity(out, *block.GetMember(i), depth + 1, details);
    out += indent;
    out += '}';
  }
  out += '\n';
}

void AppendGroups(std::string& out, const CGroupTable& groups, bool details) {
  for (CDrawingGroup* g : groups.GetGroupList()) {
    out += "group ";
    AppendQuoted(out, g->GetGroupName());
    out += ' ';
    AppendNumber(out, g->GetGroupScale());
    out += ' ';
    AppendNumber(out, g->GetOriginX());
    out += ' ';
    AppendNumber(out, g->GetOriginY());
    if (details) {
      out += " flags " + std::to_string(g->GetFlagA()) + ' ' + std::to_string(g->IsGroupPickedWhole() ? 1 : 0) +
             ' ' + std::to_string(g->GetFlagC());
      AppendItems(out, g->GetItemList());
    }
    out += '\n';
  }
}

}  // namespace

std::string FormatDrawingFile(CDraftView& view) {
  std::string out = "scrivel-drawing 1\n";
  AppendGroups(out, *view.GetGroupTable(), false);
  for (const CEntity* e : *view.GetEntityList()) AppendEntity(out, *e, 0, false);
  for (const CEntity* e : *view.GetSelectionList())
    if (!view.IsKeptApart(e)) AppendEntity(out, *e, 0, false);
  return out;
}

std::string FormatSavedDrawing(const CScratchDrawing& drawing) {
  std::string out = "scrivel-drawing 1\n";
  const DrawingFileHeader& h = drawing.GetHeader();
  out += "saved " + std::to_string(h.flags[0]) + ' ' + std::to_string(h.flags[1]) + ' ' + std::to_string(h.flags[2]) +
         " base";
  AppendNumbers(out, {h.baseX, h.baseY});
  out += ' ' + std::to_string(h.baseFlag) + '\n';
  AppendGroups(out, *drawing.GetGroupTable(), true);
  if (const CDrawingGroup* active = drawing.GetGroupTable()->GetActiveGroup()) {
    out += "active ";
    AppendQuoted(out, active->GetGroupName());
    out += '\n';
  }
  for (const CEntity* e : *drawing.GetEntityList()) AppendEntity(out, *e, 0, true);
  return out;
}

bool WriteDrawingFile(CDraftView& view, const std::filesystem::path& path, std::string* error) {
  const std::string text = FormatDrawingFile(view);
  const int failure = platform::ReplaceFileBytes(
      path.string(), std::span<const BYTE>(reinterpret_cast<const BYTE*>(text.data()), text.size()), true);
  if (failure == 0) return true;
  if (error) *error = "cannot write " + path.string() + ": " + std::strerror(failure);
  return false;
}
