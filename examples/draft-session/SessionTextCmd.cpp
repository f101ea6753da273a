#include "examples/draft-session/SessionTextCmd.h"

#include "draft/host/DraftView.h"
#include "examples/draft-session/HostText.h"

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
    PlaceHostText(*view, text_, points_.back().x, points_.back().y, kTextHeight);
  }
  std::vector<PointRec>().swap(points_);
}

}  // namespace draftsession
