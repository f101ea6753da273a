#include "draft/edit/ChangeFontCmd.h"

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/TextAttrib.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr const char* kPrompt = "选择改变字体和字高的图元";
constexpr int kTypeMask = 0x365E2DF;
}  // namespace

CChangeFontCmd::CChangeFontCmd(int id, int extra) : CSelectCmdBase(id, nullptr, 0, 0, kTypeMask, 0), extra_(extra) {
  promptOverride_ = kPrompt;
  pickMode_ = 1;
}

int CChangeFontCmd::ProcessSelection(CDraftView* view) {
  if (!view) return 0;
  CTextAttrib attrib = ConstructTextAttrib(view->GetTextFont());
  attrib.SetHeight(view->GetSystemReal(1));
  CEntityList& selection = *view->GetSelectionList();
  CEntityList oldList, newList, kept;
  try {
    while (!selection.IsEmpty()) {
      CEntity* source = selection.RemoveHead();
      CEntity* copy = source->CloneWithTextAttrib(attrib);
      if (!copy) {
        kept.AddTail(source);
        continue;
      }
      copy->SetEntityOwner(source->GetEntityOwner());
      oldList.AddTail(source);
      newList.AddTail(copy);
    }
  } catch (...) {
    // What was taken off goes back; the copies made are dropped.
    for (CEntity* e : newList) delete e;
    view->SelectEntities(oldList, 1, 1, 1, 0);
    view->SelectEntities(kept, 1, 1, 1, 0);
    throw;
  }
  if (!oldList.IsEmpty()) {
    std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
    view->RemoveEntities(oldList);
    // Each copy takes its source's place (in its block, for a member); the
    // places of a block's members stay right when they come back last to
    // first.
    POSITION o = oldList.GetTailPosition(), n = newList.GetTailPosition();
    while (o && n) {
      CEntity* source = oldList.GetPrev(o);
      view->AddEntityToView(newList.GetPrev(n), record.get(), source);
    }
    view->PushUndoRecord(record.release());
  }
  view->SelectEntities(kept, 1, 1, 1, 0);
  view->ClearSelection(nullptr);
  ClearPoints();
  pickMode_ = 1;
  return 1;
}

int CChangeFontCmd::OnProcessClick(CDraftView*) {
  pickMode_ = 1;
  doneOutside_ = 0;
  return 1;
}

int CChangeFontCmd::OnProcessRButton(CDraftView* view) {
  ClearPoints();
  if (view) view->ClearSelection(nullptr);
  pickMode_ = 1;
  doneOutside_ = 0;
  return 1;
}

int CChangeFontCmd::Finish(CDraftView* view) {
  ClearPoints();
  if (view) view->ClearSelection(nullptr);
  doneOutside_ = 1;
  return CCmdBase::End(view);
}
