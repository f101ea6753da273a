// Korrin's dimension: a compound of the lines and texts a dimension is drawn
// with, and six parallel string arrays describing its texts, one entry a
// text: the value shown, the prefix, the basic size, the tolerance code, the
// lower and the upper deviation. Its text style holds the text attributes
// and three switches (code shown, deviations shown, equal deviations as
// "±0.05").
//
// Replacing a text: BeginTextEdit marks the member being edited (a clone
// keeps the mark); a text that names the dimension as its owner without
// being a member then takes the marked member's place through
// CopyTextAttributes, which also takes the text's attributes as the style's.
#pragma once

#include <vector>

#include "draft/host/BlockEntity.h"
#include "draft/host/TextAttrib.h"
#include "platform/core/String.h"

class CDimensionEntity : public CBlockEntity {
 public:
  enum TextArray { kValue, kPrefix, kBasicSize, kCode, kLower, kUpper, kTextArrays };

  CDimensionEntity(int layer, CDrawingGroup* group);

  BOOL IsDimension() const override { return TRUE; }
  // Editing keeps a dimension whole: a picked member stands for it.
  BOOL IsKeptWhole() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;
  // Its value text in the dimension-value editor (the first member text
  // whose string the value array holds), else its first text in the text
  // dialog; the edited copy of the whole dimension, or null.
  CEntity* EditInDialog(CLayerTable* layers, CGroupTable* groups) override;

  std::vector<CStringA>& Strings(TextArray which) { return strings_[which]; }
  const std::vector<CStringA>& Strings(TextArray which) const { return strings_[which]; }

  void GetTextStyle(int& showCode, int& showDeviations, int& sameFormat) const;
  void SetTextStyle(int showCode, int showDeviations, int sameFormat);
  const CTextAttrib& GetTextAttrib() const { return textAttrib_; }

  // Marks `text`, a direct member, as the one being replaced; FALSE (and no
  // mark) for another entity.
  BOOL BeginTextEdit(const CEntity* text);
  // Takes the attributes of `text` as the style's. A text that names this
  // dimension as its owner but is not a member takes the place of the
  // marked member (which is freed) and the mark is cleared. FALSE when
  // `text` is not a text, or a replacement is given with no member marked.
  BOOL CopyTextAttributes(CEntity* text);

 protected:
  CDimensionEntity(const CDimensionEntity& other) = default;

 private:
  std::vector<CStringA> strings_[kTextArrays];
  int showCode_ = 0;
  int showDeviations_ = 0;
  int sameFormat_ = 0;
  CTextAttrib textAttrib_;
  int editedMember_ = -1;
};

CDimensionEntity* ConstructDimensionEntity(int layer, CDrawingGroup* group);
