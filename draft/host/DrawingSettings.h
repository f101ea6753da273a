// What a drawing keeps besides its entities, as the drafting view gives it
// out: the drawing's attribute group (the scale and origin in which tables
// and requirement blocks are placed) with the drawing's attribute items, the
// current text font record, and the drawing's system values.
//
// System values by code (GetSystemReal): 1 the system text height (3.5),
// 14 the number of decimals of values shown in tables (3). Other codes are
// not kept.
#pragma once

#include "draft/host/AttributeItems.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/TextFontRecord.h"

inline constexpr int kSystemTextHeight = 1;
inline constexpr int kSystemDecimals = 14;

class CDrawingSettings {
 public:
  // The attribute group is "系统图组" at scale 1 (defined with the library, in
  // its GBK).
  CDrawingSettings();

  CDrawingGroup* GetAttributeGroup() { return &attributeGroup_; }
  // The drawing's attributes: the item list of its attribute group.
  CAttributeItemList* GetAttributeList() { return attributeGroup_.GetItemList(); }
  CTextFontRecord* GetTextFont() { return &textFont_; }
  // CNotSupportedException for a code that is not kept.
  double GetSystemReal(int code) const;
  void SetSystemReal(int code, double value);

 private:
  double& SystemValue(int code);

  CDrawingGroup attributeGroup_;
  CTextFontRecord textFont_;
  double textHeight_ = 3.5;
  double decimals_ = 3;
};
