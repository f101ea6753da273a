#include "examples/draft-session/SessionTextCmd.h"

#include "draft/host/UndoRecord.h"

namespace draftsession {
namespace {
constexpr double kTextHeight = 3.5;
}

CSessionTextCmd::CSessionTextCmd(int id) : CCmdBase(id, nullptr) {
  prompts_[0] = "输入文字后点取文字位置";
}

int CSessionTextCmd::OnTypedPoint(CDraftView*, const char* text) {
  text_ = text ? text : "";
  return 1;
}

void CSessionTextCmd::Execute(CDraftView* view) {
  if (view && !points_.empty() && !text_.IsEmpty()) {
    const int layer = view->GetCurrentLayer();
    CEntity* e = AddTextEntity(view, nullptr, &layer, group_, CString(text_), points_.back().x, points_.back().y,
                               kTextHeight, 0.0, 0, 0);
    if (e) view->PushUndoRecord(ConstructUndoAddEntity(e));
  }
  std::vector<PointRec>().swap(points_);
}

}  // namespace draftsession
