#include "examples/draft-session/HostText.h"

#include "draft/host/DraftView.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/UndoRecord.h"

namespace draftsession {

CEntity* PlaceHostText(CDraftView& view, const char* gbk, double x, double y, double height) {
  CTextAttrib attr = ConstructTextAttrib(view.GetTextFont());
  attr.SetHeight(height);
  CTextEntity* text = ConstructTextEntity(view.GetCurrentLayer(), view.GetCurrentGroup(), gbk, x, y, attr);
  view.AddEntityToView(text);
  view.PushUndoRecord(ConstructUndoAddEntity(text));
  return text;
}

}  // namespace draftsession
