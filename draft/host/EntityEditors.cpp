// The entities' own editors (CEntity::EditInDialog): lines, circles, arcs,
// points and ellipses in Korrin's value dialog, texts in its text dialog,
// dimensions in the dimension-value editor. Every editor gives an edited
// copy with the entity's layer, group and owner, or null when the user
// cancels or changes nothing; the entity itself is left as it was.
#include <memory>

#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DimensionEntity.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EntityValueDlg.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/PointEntity.h"
#include "draft/host/TextEditors.h"
#include "draft/host/TextEntity.h"
#include "platform/core/Exceptions.h"
#include "platform/core/ScopedResourceModule.h"
#include "platform/ui/WinApp.h"

namespace {

// "图层 N" and the layer's name from the table when it has one.
CStringA LayerText(const CLayerTable* layers, int layer) {
  CStringA text;
  text.Format("图层 %d", layer);
  const CLayerRecord* record = layers ? layers->GetLayerRecord(layer) : nullptr;
  if (record && !record->GetName().IsEmpty()) text += " " + record->GetName();
  return text;
}

// "图组" and the group's name when the drawing's group table holds it; the
// values of an entity in no group of the table are drawing units.
CStringA GroupText(const CGroupTable* groups, const CDrawingGroup* group) {
  CStringA text("图组 ");
  if (groups && group && groups->FindGroup(group->GetGroupName()) == group) return text + group->GetGroupName();
  return text + "无";
}

CEntity* EditValues(const CEntity& entity, EntityValueForm form, const CLayerTable* layers,
                    const CGroupTable* groups) {
  double values[kMaxGeometryValues] = {};
  const int count = entity.GetGroupGeometry(values);
  std::unique_ptr<CEntityValueDlg> dlg;
  {
    platform::ScopedResourceModule korrin("Korrin.DLL");
    dlg.reset(ConstructEntityValueDlg(AfxGetMainWnd(), form, values, LayerText(layers, entity.GetEntityLayer()),
                                      GroupText(groups, entity.GetEntityGroup())));
    if (dlg->DoModal() != IDOK || !dlg->IsChanged()) return nullptr;
  }
  std::unique_ptr<CEntity> copy(entity.Clone(1));
  if (!copy || count != dlg->GetValueCount() || !copy->SetGeometry(dlg->GetValues(), count)) return nullptr;
  copy->SetEntityOwner(entity.GetEntityOwner());
  return copy.release();
}

bool Holds(const std::vector<CStringA>& strings, const CStringA& text) {
  for (const CStringA& s : strings)
    if (s == text) return true;
  return false;
}

}  // namespace

CEntity* CEntity::EditInDialog(CLayerTable*, CGroupTable*) {
  throw CNotSupportedException(CStringW(u"This kind of entity has no editor of its own."));
}

CEntity* CLineEntity::EditInDialog(CLayerTable* layers, CGroupTable* groups) {
  return EditValues(*this, EntityValueForm::kLine, layers, groups);
}

CEntity* CCircleEntity::EditInDialog(CLayerTable* layers, CGroupTable* groups) {
  return EditValues(*this, EntityValueForm::kCircle, layers, groups);
}

CEntity* CArcEntity::EditInDialog(CLayerTable* layers, CGroupTable* groups) {
  return EditValues(*this, EntityValueForm::kArc, layers, groups);
}

CEntity* CPointEntity::EditInDialog(CLayerTable* layers, CGroupTable* groups) {
  return EditValues(*this, EntityValueForm::kPoint, layers, groups);
}

CEntity* CEllipseEntity::EditInDialog(CLayerTable* layers, CGroupTable* groups) {
  return EditValues(*this, EntityValueForm::kEllipse, layers, groups);
}

CEntity* CTextEntity::EditInDialog(CLayerTable*, CGroupTable*) { return EditTextEntity(*this, true); }

CEntity* CDimensionEntity::EditInDialog(CLayerTable*, CGroupTable*) {
  CTextEntity* first = nullptr;
  for (int i = 0; i < GetMemberCount(); ++i) {
    CEntity* member = GetMember(i);
    if (!member->IsText()) continue;
    auto* text = static_cast<CTextEntity*>(member);
    if (Holds(Strings(kValue), text->GetText())) {
      CDimensionEntity* replacement = nullptr;
      EditDimensionValue(*this, *text, replacement);
      if (replacement) replacement->SetEntityOwner(GetEntityOwner());
      return replacement;
    }
    if (!first) first = text;
  }
  if (!first) throw CNotSupportedException(CStringW(u"A dimension without a text has no editor."));
  CTextEntity* edited = EditTextEntity(*first, true);
  if (!edited) return nullptr;
  CDimensionEntity* replacement = ReplaceDimensionText(*this, *first, edited);
  if (replacement) replacement->SetEntityOwner(GetEntityOwner());
  return replacement;
}
