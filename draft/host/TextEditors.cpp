#include "draft/host/TextEditors.h"

#include <memory>
#include <vector>

#include "draft/host/DimValueEditor.h"
#include "draft/host/DimensionEntity.h"
#include "draft/host/FontManager.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextInputDlg.h"
#include "draft/host/TextPlacement.h"
#include "platform/core/ScopedResourceModule.h"
#include "platform/ui/WinApp.h"

namespace {

using TextDialog = std::unique_ptr<CTextInputDlg, void (*)(CTextInputDlg*)>;

CStringA At(const std::vector<CStringA>& strings, size_t i) { return i < strings.size() ? strings[i] : CStringA(); }

// The six strings a dimension keeps of an entry (the switches are the
// dialog's way of composing the value, which they change when they matter).
bool SameParts(const DimValueParts& a, const DimValueParts& b) {
  return a.value == b.value && a.prefix == b.prefix && a.basicSize == b.basicSize && a.code == b.code &&
         a.lower == b.lower && a.upper == b.upper;
}

// A text of `edited` with the attributes `attr` where `old` is: in its box
// by its code when it was placed in one, else at its point; its placement
// properties and owner carried over.
CTextEntity* MakeEditedText(const CTextEntity& old, const char* edited, const CTextAttrib& attr) {
  CTextEntity* text = nullptr;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  if (old.GetPlacementBox(x0, y0, x1, y1) && GetTextBox(&old, x0, y0, x1, y1)) {
    text = ConstructTextEntityEx(old.GetEntityLayer(), old.GetEntityGroup(), attr, x0, y0, x1, y1, (x0 + x1) / 2,
                                 (y0 + y1) / 2, old.GetPlacementCode(), edited, attr.GetAngle());
  } else {
    const GPoint at = old.GetInsertPoint();
    text = ConstructTextEntity(old.GetEntityLayer(), old.GetEntityGroup(), edited, at.x, at.y,
                               old.GetPlacementCode(), attr, 0);
  }
  CopyTextProperties(text, &old);
  text->SetEntityOwner(old.GetEntityOwner());
  return text;
}

}  // namespace

CTextEntity* EditTextEntity(const CTextEntity& old, bool convert) {
  CStringA edited;
  CTextAttrib attr;
  {
    platform::ScopedResourceModule korrin("Korrin.DLL");
    TextDialog dlg(ConstructTextInputDlg(AfxGetMainWnd(), old.GetText(), 0), &DestroyTextInputDlg);
    SetTextInputMode(dlg.get(), old.GetTextAttrib());
    if (dlg->DoModal() != IDOK) return nullptr;
    if (!dlg->IsChanged() && CompareTextAttrib(dlg->GetTextAttrib(), old.GetTextAttrib()) == 0 &&
        dlg->GetText() == old.GetText())
      return nullptr;
    edited = dlg->GetText();
    attr = dlg->GetTextAttrib();
  }
  if (convert)
    if (CFontManager* fonts = GetFontManager()) fonts->ConvertText(edited);
  if (edited.IsEmpty()) return nullptr;
  return MakeEditedText(old, edited, attr);
}

CDimensionEntity* ReplaceDimensionText(CDimensionEntity& dimension, CTextEntity& text, CTextEntity* edited) {
  std::unique_ptr<CTextEntity> owned(edited);
  dimension.BeginTextEdit(&text);
  std::unique_ptr<CDimensionEntity> clone(static_cast<CDimensionEntity*>(dimension.Clone(1)));
  if (!clone || !owned) return nullptr;
  owned->SetEntityOwner(clone.get());
  if (!clone->CopyTextAttributes(owned.get())) {
    owned->SetEntityOwner(nullptr);
    return nullptr;
  }
  owned.release();  // a member of the copy now
  return clone.release();
}

int EditDimensionValue(CDimensionEntity& dimension, CTextEntity& text, CDimensionEntity*& replacement) {
  replacement = nullptr;
  const std::vector<CStringA>& values = dimension.Strings(CDimensionEntity::kValue);
  size_t i = 0;
  while (i < values.size() && values[i] != text.GetText()) ++i;
  if (i == values.size()) return 0;

  DimValueParts parts;
  parts.value = values[i];
  parts.prefix = At(dimension.Strings(CDimensionEntity::kPrefix), i);
  parts.basicSize = At(dimension.Strings(CDimensionEntity::kBasicSize), i);
  parts.code = At(dimension.Strings(CDimensionEntity::kCode), i);
  parts.lower = At(dimension.Strings(CDimensionEntity::kLower), i);
  parts.upper = At(dimension.Strings(CDimensionEntity::kUpper), i);
  dimension.GetTextStyle(parts.showCode, parts.showDeviations, parts.sameFormat);
  const DimValueParts before = parts;
  if (RunDimValueEditor(parts) != IDOK || SameParts(parts, before)) return 1;

  // The style takes the edited text's attributes, as the text's own edit does.
  dimension.BeginTextEdit(&text);
  std::unique_ptr<CDimensionEntity> clone(static_cast<CDimensionEntity*>(dimension.Clone(1)));
  dimension.CopyTextAttributes(&text);
  // A failed copy changes nothing, and the edit is still handled: the user
  // confirmed the dimension dialog, so no plain text edit may follow.
  if (!clone) return 1;

  const CStringA* edited[] = {&parts.value, &parts.prefix, &parts.basicSize,
                              &parts.code,  &parts.lower,  &parts.upper};
  for (int k = 0; k < CDimensionEntity::kTextArrays; ++k) {
    std::vector<CStringA>& strings = clone->Strings(static_cast<CDimensionEntity::TextArray>(k));
    if (i < strings.size()) strings[i] = *edited[k];
  }
  const GPoint at = text.GetInsertPoint();
  CTextEntity* shown = ConstructTextEntity(text.GetEntityLayer(), text.GetEntityGroup(), parts.value, at.x, at.y,
                                           text.GetPlacementCode(), text.GetTextAttrib(), 0);
  CopyTextProperties(shown, &text);
  shown->SetEntityOwner(clone.get());
  if (!clone->CopyTextAttributes(shown)) {
    shown->SetEntityOwner(nullptr);
    delete shown;
    return 1;
  }
  replacement = clone.release();
  return 1;
}
