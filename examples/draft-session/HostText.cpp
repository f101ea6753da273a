#include "examples/draft-session/HostText.h"

#include "draft/host/DraftView.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/Charset.h"

namespace draftsession {

CEntity* PlaceHostText(CDraftView& view, const std::string& utf8, double x, double y, double height) {
  const std::string gbk = platform::Utf8ToGbk(utf8);
  CTextAttrib attr = ConstructTextAttrib(view.GetTextFont());
  attr.SetHeight(height);
  CTextEntity* text = ConstructTextEntity(view.GetCurrentLayer(), view.GetCurrentGroup(), gbk.c_str(), x, y, attr);
  view.AddEntityToView(text);
  view.PushUndoRecord(ConstructUndoAddEntity(text));
  return text;
}

}  // namespace draftsession
