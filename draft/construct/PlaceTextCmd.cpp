#include "draft/construct/PlaceTextCmd.h"

#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DimensionEntity.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/FontManager.h"
#include "draft/host/LayerTable.h"
#include "draft/host/TextEditors.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/TextInputDlg.h"
#include "draft/host/UndoRecord.h"
#include "platform/ui/WinApp.h"

namespace {

constexpr DWORD kPickMask = 0x402200;
constexpr int kTextLineKind = 12;

using TextDialog = std::unique_ptr<CTextInputDlg, void (*)(CTextInputDlg*)>;

// A typed text converted as the current text font asks.
void Convert(CDraftView* view, CStringA& text) {
  const CTextFontRecord* font = view ? view->GetTextFont() : nullptr;
  if (font && font->flags == 0)
    if (CFontManager* fonts = GetFontManager()) fonts->ConvertText(text);
}

}  // namespace

CPlaceTextCmd::CPlaceTextCmd(int id, int mode) : CCmdBase(id, nullptr), mode_(mode) {
  prompts_ = {CString("输入文本位置")};
}

double CPlaceTextCmd::TabAngle(int tabCount, double own) {
  return tabCount > 0 ? ((tabCount - 1) % 4) * 90.0 : own;
}

int CPlaceTextCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view)) return 0;
  if (mode_) return AskText(view) ? 1 : 0;
  pickMode_ = 1;
  return 1;
}

bool CPlaceTextCmd::AskText(CDraftView* view) {
  for (;;) {
    CModalDialogScope scope(view, "Korrin.DLL");
    TextDialog dlg(ConstructTextInputDlg(AfxGetMainWnd(), "", 1), &DestroyTextInputDlg);
    if (dlg->DoModal() != IDOK) return false;
    text_ = dlg->GetText();
    Convert(view, text_);
    if (!text_.IsEmpty()) return true;
  }
}

CTextAttrib CPlaceTextCmd::CurrentAttrib(CDraftView* view) const {
  CTextAttrib attr = ConstructTextAttrib(view ? view->GetTextFont() : nullptr);
  attr.SetAngle(TabAngle(tabCount_, attr.GetAngle()));
  return attr;
}

int CPlaceTextCmd::DrawPreview(CDraftView* view) {
  if (view && mode_ && !text_.IsEmpty())
    view->DrawTextPreviewStyled(text_, cursor_.x, cursor_.y, 0, CurrentAttrib(view));
  return CCmdBase::DrawPreview(view);
}

void CPlaceTextCmd::Reset() {
  points_.clear();
  step_ = 0;
  tabCount_ = 0;
}

void CPlaceTextCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (mode_)
    PlaceText(view);
  else
    EditText(view);
}

void CPlaceTextCmd::PlaceText(CDraftView* view) {
  const CTextAttrib attr = CurrentAttrib(view);
  CTextEntity* text = ConstructTextEntity(GetLineKindLayer(kTextLineKind), view->GetCurrentGroup(), text_, cursor_.x,
                                          cursor_.y, 0, attr, mode_);
  CUndoRecord* record = ConstructUndoReplaceEntity(nullptr, text);
  view->AddEntityToView(text, nullptr, nullptr, 1);
  view->PushUndoRecord(record);
  Reset();
  if (!AskText(view)) done_ = 1;
}

void CPlaceTextCmd::EditText(CDraftView* view) {
  CEntityList found;
  view->PickEntitiesAtPoint(cursor_.x, cursor_.y, found, 0, 1, 0, 0, kPickMask, 0);
  CTextEntity* old = nullptr;
  for (CEntity* e : found) {
    if (e->IsText()) {
      old = static_cast<CTextEntity*>(e);
      break;
    }
  }
  if (!old) {
    Reset();
    return;
  }
  CEntity* owner = old->GetEntityOwner();
  if (owner && owner->IsDimension() && EditDimensionText(view, static_cast<CDimensionEntity*>(owner), old)) {
    Reset();
    return;
  }
  CTextEntity* text = nullptr;
  {
    CModalDialogScope scope(view, "Korrin.DLL");
    const CTextFontRecord* font = view->GetTextFont();
    text = EditTextEntity(*old, font && font->flags == 0);
  }
  if (text) {
    CUndoRecord* record = ConstructUndoReplaceEntity(old, text);
    view->RemoveEntity(old, 1, 0);
    view->AddEntityToView(text, nullptr, nullptr, 1);
    view->PushUndoRecord(record);
  }
  Reset();
}

int CPlaceTextCmd::EditDimensionText(CDraftView* view, CDimensionEntity* dimension, CTextEntity* text) {
  CDimensionEntity* added = nullptr;
  {
    CModalDialogScope scope(view);
    if (!EditDimensionValue(*dimension, *text, added)) return 0;
  }
  if (!added) return 1;
  CUndoRecord* record = ConstructUndoReplaceEntity(dimension, added);
  view->RemoveEntity(dimension, 1, 0);
  view->AddEntityToView(added, nullptr, nullptr, 1);
  view->PushUndoRecord(record);
  return 1;
}
