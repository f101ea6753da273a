#include "draft/edit/PointCmd.h"

#include <memory>

#include "draft/edit/PointStyle.h"
#include "draft/host/PointEntity.h"
#include "draft/host/UndoRecord.h"

CPointCmd::CPointCmd(int id, CDraftView* view) : CCmdBase(id, view) { prompts_ = {CString("输入点的位置")}; }

void CPointCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const PointRec& at = points_.back();
  const PointStyle style = ReadPointStyle();
  CEntity* point = ConstructPointEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), at.x, at.y, style.type,
                                        style.size, 1);
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(point));
  view->AddEntityToView(point, nullptr, nullptr, 1);
  view->PushUndoRecord(record.release());
  points_.clear();
  step_ = 0;
}
