#include "draft/host/DrawingFile.h"

#include <charconv>
#include <cstdio>
#include <system_error>

#include "draft/host/BlockEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EquationCurveEntity.h"
#include "draft/host/TextEntity.h"
#include "platform/core/Charset.h"

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

// What a compound curve keeps besides its members.
void AppendCurveFields(std::string& out, const CEntity& e) {
  if (const auto* eq = dynamic_cast<const CEquationCurveEntity*>(&e)) {
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

void AppendEntity(std::string& out, const CEntity& e, int depth) {
  const std::string indent(static_cast<size_t>(depth) * 2, ' ');
  out += indent;
  out += e.IsEquationCurve() ? "eqcurve" : e.IsCompoundCurve() ? "curve" : KindName(e.GetKind());
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
  AppendCurveFields(out, e);
  if (e.IsBlock()) {
    const auto& block = static_cast<const CBlockEntity&>(e);
    out += " {\n";
    for (int i = 0; i < block.GetMemberCount(); ++i) AppendEntity(out, *block.GetMember(i), depth + 1);
    out += indent;
    out += '}';
  }
  out += '\n';
}

}  // namespace

std::string FormatDrawingFile(CDraftView& view) {
  std::string out = "scrivel-drawing 1\n";
  for (const CDrawingGroup* g : view.GetGroupTable()->GetGroupList()) {
    out += "group ";
    AppendQuoted(out, g->GetGroupName());
    out += ' ';
    AppendNumber(out, g->GetGroupScale());
    out += ' ';
    AppendNumber(out, g->GetOriginX());
    out += ' ';
    AppendNumber(out, g->GetOriginY());
    out += '\n';
  }
  for (const CEntity* e : *view.GetEntityList()) AppendEntity(out, *e, 0);
  for (const CEntity* e : *view.GetSelectionList())
    if (!view.IsKeptApart(e)) AppendEntity(out, *e, 0);
  return out;
}

bool WriteDrawingFile(CDraftView& view, const std::filesystem::path& path, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  const std::string text = FormatDrawingFile(view);
  std::filesystem::path temp = path;
  temp += ".tmp";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return fail("cannot create " + temp.string());
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok) std::filesystem::rename(temp, path, ec);
  if (!ok || ec) {
    std::filesystem::remove(temp, ec);
    return fail("cannot write " + path.string());
  }
  return true;
}
