#include "examples/draft-session/sequences/DrawingState.h"

#include <charconv>
#include <sstream>

#include "draft/host/AttributeItems.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingFile.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/LayerTable.h"
#include "platform/core/Charset.h"

namespace draftsequence {
namespace {

std::string Utf8(const CStringA& gbk) {
  return platform::GbkToUtf8(std::string_view(gbk.GetString(), static_cast<size_t>(gbk.GetLength())));
}

std::string Number(double v) {
  if (v == 0) v = 0;
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

void AppendItems(std::string& out, const CAttributeItemList& items) {
  for (const CAttributeItem& item : items.Items())
    out += "  item \"" + Utf8(item.name) + "\" \"" + Utf8(item.type) + "\" \"" + Utf8(item.value) + "\" " +
           std::to_string(item.shown) + '\n';
}

// The drawing file's entity lines (its group lines go to the settings).
std::string EntityLines(CDraftView& view) {
  const std::string file = FormatDrawingFile(view);
  std::string out;
  std::istringstream lines(file);
  std::string line;
  std::getline(lines, line);  // the magic
  while (std::getline(lines, line))
    if (line.rfind("group ", 0) != 0) out += line + '\n';
  return out;
}

std::string Settings(CDraftView& view) {
  std::string out;
  for (CDrawingGroup* g : view.GetGroupTable()->GetGroupList()) {
    out += "group \"" + Utf8(g->GetGroupName()) + "\" " + Number(g->GetGroupScale()) + ' ' +
           Number(g->GetOriginX()) + ' ' + Number(g->GetOriginY()) + (g->IsGroupPickedWhole() ? " whole" : "") +
           '\n';
    if (const CAttributeItemList* items = GetGroupItemList(g)) AppendItems(out, *items);
  }
  const CDrawingGroup* current = view.GetCurrentGroup();
  out += "current group " + (current ? '"' + Utf8(current->GetGroupName()) + '"' : std::string("-")) + '\n';
  out += "current layer " + std::to_string(view.GetCurrentLayer()) + '\n';
  // The layers that differ from a new drawing's.
  static const CLayerTable defaults;
  const CLayerTable& layers = *view.GetLayerTable();
  for (int i = 0; i < CLayerTable::kLayerCount; ++i) {
    const CLayerRecord* r = layers.GetLayerRecord(i);
    const CLayerRecord* d = defaults.GetLayerRecord(i);
    if (r->GetName() == d->GetName() && r->GetLineKind() == d->GetLineKind() &&
        r->GetStandardKind() == d->GetStandardKind())
      continue;
    out += "layer " + std::to_string(i) + " \"" + Utf8(r->GetName()) + "\" " + std::to_string(r->GetLineKind()) +
           ' ' + std::to_string(r->GetStandardKind()) + '\n';
  }
  out += "drawing attributes\n";
  AppendItems(out, *view.GetDrawingAttributeList());
  out += "three views " + std::to_string(view.IsThreeViewDivided());
  if (view.IsThreeViewDivided())
    out += ' ' + Number(view.GetThreeViewOriginX()) + ' ' + Number(view.GetThreeViewOriginY());
  out += '\n';
  return out;
}

}  // namespace

DrawingState CaptureState(CDraftView& view) {
  // Selected entities go back into the entity list in drawing order while
  // the text is made, and are selected again after it.
  CEntityList selected;
  bool anySelected = false;
  for (CEntity* e : *view.GetSelectionList()) {
    selected.AddTail(e);
    anySelected = anySelected || !view.IsKeptApart(e);
  }
  if (anySelected) view.ClearSelection();
  DrawingState state;
  state.entities = EntityLines(view);
  int index = 0;
  for (CEntity* e : *view.GetEntityList()) {
    const CAttributeItemList* items = e->FindEntityAttributes();
    if (items && items->GetCount()) {
      state.entities += "attributes of entity " + std::to_string(index) + '\n';
      AppendItems(state.entities, *items);
    }
    ++index;
  }
  state.settings = Settings(view);
  if (anySelected) view.SelectEntities(selected, 0);
  return state;
}

std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream a(expected), b(actual);
  std::string la, lb;
  for (int line = 1;; ++line) {
    const bool ha = static_cast<bool>(std::getline(a, la));
    const bool hb = static_cast<bool>(std::getline(b, lb));
    if (!ha && !hb) return "no difference";
    if (!ha || !hb || la != lb)
      return "line " + std::to_string(line) + ": expected \"" + (ha ? la : "(end)") + "\", found \"" +
             (hb ? lb : "(end)") + "\"";
  }
}

}  // namespace draftsequence
