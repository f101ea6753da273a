// Korrin's text block of technical requirements: a title line and numbered
// items ("1.", "2.", ...) placed from a point, kept whole. Its members are
// the texts UpdateTextBlock lays out: the title's baseline one title height
// below the point, the first item line's one text height below the title's
// baseline, and each further line one text height and the line spacing
// below the one before. An item's further lines (an item text may hold
// several "\r\n"-ended lines) start where the item's text after its number
// starts. Heights and spacing are in the block's group units.
#pragma once

#include "draft/host/BlockEntity.h"
#include "draft/host/TextAttrib.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

class CTextBlockEntity : public CBlockEntity {
 public:
  // The point in drawing coordinates.
  CTextBlockEntity(int layer, CDrawingGroup* group, double x, double y);

  BOOL IsRequirementText() const override { return TRUE; }
  BOOL IsKeptWhole() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;

  const CStringA& GetTitle() const { return title_; }
  const CStringArrayA& GetItems() const { return items_; }
  const CTextAttrib& GetTitleAttrib() const { return titleAttr_; }
  const CTextAttrib& GetItemAttrib() const { return itemAttr_; }
  double GetTitleHeight() const { return titleHeight_; }
  double GetItemHeight() const { return itemHeight_; }
  double GetLineSpacing() const { return spacing_; }
  // The placement point in drawing coordinates.
  GPoint GetPlacePoint() const { return Shown(point_); }

  void SetContent(const char* title, const CStringArrayA& items);
  // The two attributes take the heights given.
  void SetLayout(const CTextAttrib& titleAttr, const CTextAttrib& itemAttr, double titleHeight, double itemHeight,
                 double spacing);
  // Lays the members out afresh from the content and the layout.
  void Update();

 protected:
  CTextBlockEntity(const CTextBlockEntity& other);
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  GPoint point_;  // group coordinates
  CStringA title_;
  CStringArrayA items_;
  CTextAttrib titleAttr_;
  CTextAttrib itemAttr_;
  double titleHeight_ = 7.0;
  double itemHeight_ = 5.0;
  double spacing_ = 3.0;
};

CTextBlockEntity* ConstructTextBlockEntity(int layer, CDrawingGroup* group, double x, double y, const char* title,
                                           const CStringArrayA& items, const CTextAttrib& titleAttr,
                                           const CTextAttrib& itemAttr, double titleHeight, double itemHeight,
                                           double spacing);
// Lays a text block out afresh (nothing for null).
void UpdateTextBlock(CTextBlockEntity* block);
