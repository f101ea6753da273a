#include "draft/construct/PlaceTextCmd.h"

#include <memory>

#include "draft/framework/DimValueEditor.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DimensionEntity.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/FontManager.h"
#include "draft/host/LayerTable.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/TextInputDlg.h"
#include "draft/host/TextPlacement.h"
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

CStringA At(const std::vector<CStringA>& strings, size_t i) { return i < strings.size() ? strings[i] : CStringA(); }

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
  CStringA edited;
  CTextAttrib attr;
  {
    CModalDialogScope scope(view, "Korrin.DLL");
    TextDialog dlg(ConstructTextInputDlg(AfxGetMainWnd(), old->GetText(), 0), &DestroyTextInputDlg);
    SetTextInputMode(dlg.get(), old->GetTextAttrib());
    if (dlg->DoModal() != IDOK) {
      Reset();
      return;
    }
    if (!dlg->IsChanged() && CompareTextAttrib(dlg->GetTextAttrib(), old->GetTextAttrib()) == 0 &&
        dlg->GetText() == old->GetText()) {
      Reset();
      return;
    }
    edited = dlg->GetText();
    attr = dlg->GetTextAttrib();
  }
  Convert(view, edited);
  if (!edited.IsEmpty()) {
    const GPoint at = old->GetInsertPoint();
    CTextEntity* text = nullptr;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (old->GetPlacementBox(x0, y0, x1, y1) && GetTextBox(old, x0, y0, x1, y1)) {
      // A text placed in a box is placed again in its box by its code.
      text = ConstructTextEntityEx(old->GetEntityLayer(), old->GetEntityGroup(), attr, x0, y0, x1, y1,
                                   (x0 + x1) / 2, (y0 + y1) / 2, old->GetPlacementCode(), edited, attr.GetAngle());
    } else {
      text = ConstructTextEntity(old->GetEntityLayer(), old->GetEntityGroup(), edited, at.x, at.y,
                                 old->GetPlacementCode(), attr, 0);
    }
    CopyTextProperties(text, old);
    CUndoRecord* record = ConstructUndoReplaceEntity(old, text);
    if (owner) text->SetEntityOwner(owner);
    view->RemoveEntity(old, 1, 0);
    view->AddEntityToView(text, nullptr, nullptr, 1);
    view->PushUndoRecord(record);
  }
  Reset();
}

int CPlaceTextCmd::EditDimensionText(CDraftView* view, CDimensionEntity* dimension, CTextEntity* text) {
  const std::vector<CStringA>& values = dimension->Strings(CDimensionEntity::kValue);
  size_t i = 0;
  while (i < values.size() && values[i] != text->GetText()) ++i;
  if (i == values.size()) return 0;

  DimValueParts parts;
  parts.value = values[i];
  parts.prefix = At(dimension->Strings(CDimensionEntity::kPrefix), i);
  parts.basicSize = At(dimension->Strings(CDimensionEntity::kBasicSize), i);
  parts.code = At(dimension->Strings(CDimensionEntity::kCode), i);
  parts.lower = At(dimension->Strings(CDimensionEntity::kLower), i);
  parts.upper = At(dimension->Strings(CDimensionEntity::kUpper), i);
  dimension->GetTextStyle(parts.showCode, parts.showDeviations, parts.sameFormat);
  {
    CModalDialogScope scope(view);
    if (RunDimValueEditor(parts) != IDOK) return 1;
  }
  dimension->BeginTextEdit(text);
  std::unique_ptr<CDimensionEntity> clone(static_cast<CDimensionEntity*>(dimension->Clone(1)));
  dimension->CopyTextAttributes(text);
  // A failed clone changes nothing, and the edit is still handled: the user
  // confirmed the dimension dialog, so the plain text edit must not follow.
  if (!clone) return 1;

  const CStringA* edited[] = {&parts.value, &parts.prefix, &parts.basicSize,
                              &parts.code,  &parts.lower,  &parts.upper};
  for (int k = 0; k < CDimensionEntity::kTextArrays; ++k) {
    std::vector<CStringA>& strings = clone->Strings(static_cast<CDimensionEntity::TextArray>(k));
    if (i < strings.size()) strings[i] = *edited[k];
  }
  const GPoint at = text->GetInsertPoint();
  CTextEntity* replacement = ConstructTextEntity(text->GetEntityLayer(), text->GetEntityGroup(), parts.value, at.x,
                                                 at.y, text->GetPlacementCode(), text->GetTextAttrib(), 0);
  CopyTextProperties(replacement, text);
  replacement->SetEntityOwner(clone.get());
  if (!clone->CopyTextAttributes(replacement)) {
    replacement->SetEntityOwner(nullptr);
    delete replacement;
    return 1;
  }
  CDimensionEntity* added = clone.release();
  CUndoRecord* record = ConstructUndoReplaceEntity(dimension, added);
  view->RemoveEntity(dimension, 1, 0);
  view->AddEntityToView(added, nullptr, nullptr, 1);
  view->PushUndoRecord(record);
  return 1;
}
