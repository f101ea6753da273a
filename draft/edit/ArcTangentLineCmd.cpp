#include "draft/edit/ArcTangentLineCmd.h"

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TangentGeometry.h"
#include "draft/host/UndoRecord.h"

// Trim type 0 for the base: its Execute then takes neither edge out, so the
// picked arcs never leave the drawing.
CArcTangentLineCmd::CArcTangentLineCmd(int id, int) : CChamferCmd(id, 0) {
  onePickFlag_ = 0;
  prompts_[0] = "选择第一个圆弧";
  prompts_[1] = "选择第二个圆弧";
}

int CArcTangentLineCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  first_ = second_ = nullptr;
  return 1;
}

BOOL CArcTangentLineCmd::AcceptsEdge(CEntity* entity) { return entity && (entity->IsCircle() || entity->IsArc()); }

BOOL CArcTangentLineCmd::BuildCorner(CDraftView* view, BOOL) {
  if (!view || !first_ || !second_) return FALSE;
  double f[kMaxGeometryValues] = {}, s[kMaxGeometryValues] = {};
  first_->GetGeometry(f);
  second_->GetGeometry(s);
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  GPoint t1, t2;
  if (!CommonTangentLine(pick1_, pick2_, {f[0], f[1]}, f[2], {s[0], s[1]}, s[2], t1, t2)) return FALSE;
  CEntity* line = ConstructLineEntity(first_->GetEntityLayer(), first_->GetEntityGroup(), t1.x, t1.y, t2.x, t2.y, 1);
  view->AddEntityToView(line, record.get(), nullptr, 1);
  view->PushUndoRecord(record.release());
  first_ = second_ = nullptr;
  view->ClearSelection();
  return TRUE;
}
