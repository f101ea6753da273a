#include "draft/host/TextBlockEntity.h"

#include "draft/host/FontManager.h"
#include "draft/host/TextEntity.h"

CTextBlockEntity::CTextBlockEntity(int layer, CDrawingGroup* group, double x, double y)
    : CBlockEntity(layer, group), point_(InGroup({x, y})) {}

CTextBlockEntity::CTextBlockEntity(const CTextBlockEntity& other)
    : CBlockEntity(other),
      point_(other.point_),
      title_(other.title_),
      titleAttr_(other.titleAttr_),
      itemAttr_(other.itemAttr_),
      titleHeight_(other.titleHeight_),
      itemHeight_(other.itemHeight_),
      spacing_(other.spacing_) {
  items_.Copy(other.items_);
}

CEntity* CTextBlockEntity::Clone(int) const { return new CTextBlockEntity(*this); }

void CTextBlockEntity::SetContent(const char* title, const CStringArrayA& items) {
  title_ = title ? title : "";
  items_.Copy(items);
}

void CTextBlockEntity::SetLayout(const CTextAttrib& titleAttr, const CTextAttrib& itemAttr, double titleHeight,
                                 double itemHeight, double spacing) {
  titleAttr_ = titleAttr;
  itemAttr_ = itemAttr;
  titleHeight_ = titleHeight;
  itemHeight_ = itemHeight;
  spacing_ = spacing;
  titleAttr_.SetHeight(titleHeight);
  itemAttr_.SetHeight(itemHeight);
}

void CTextBlockEntity::Update() {
  while (GetMemberCount() > 0) {
    CEntity* m = GetMember(GetMemberCount() - 1);
    RemoveBlockMember(m);
    delete m;
  }
  const int layer = GetEntityLayer();
  CDrawingGroup* group = GetEntityGroup();
  auto addText = [&](const CStringA& text, double gx, double gy, const CTextAttrib& attr) {
    const GPoint p = Shown({gx, gy});
    AddMember(ConstructTextEntity(layer, group, text, p.x, p.y, attr));
  };
  double y = point_.y - titleHeight_;
  if (!title_.IsEmpty()) addText(title_, point_.x, y, titleAttr_);
  y -= itemHeight_;
  const CFontManager* fonts = GetFontManager();
  for (INT_PTR i = 0; i < items_.GetSize(); ++i) {
    CStringA number;
    number.Format("%d.", static_cast<int>(i + 1));
    const double indent = fonts ? fonts->GetTextWidth(number, itemAttr_) : 0.0;
    const CStringA& item = items_[i];
    int start = 0;
    bool first = true;
    while (start < item.GetLength() || first) {
      int end = item.Find('\n', start);
      if (end < 0) end = item.GetLength();
      CStringA line = item.Mid(start, end - start);
      line.TrimRight("\r");
      if (first)
        addText(number + line, point_.x, y, itemAttr_);
      else
        addText(line, point_.x + indent, y, itemAttr_);
      y -= itemHeight_ + spacing_;
      first = false;
      start = end + 1;
    }
  }
}

void CTextBlockEntity::ApplyTransform(const EntityTransform& t) {
  CBlockEntity::ApplyTransform(t);
  point_ = MapGroupPoint(point_, t);
  titleHeight_ *= t.scale;
  itemHeight_ *= t.scale;
  spacing_ *= t.scale;
  titleAttr_.SetHeight(titleHeight_);
  itemAttr_.SetHeight(itemHeight_);
}

void CTextBlockEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  CBlockEntity::RebaseGroup(from, to);
  point_ = RebasePoint(point_, from, to);
}

CTextBlockEntity* ConstructTextBlockEntity(int layer, CDrawingGroup* group, double x, double y, const char* title,
                                           const CStringArrayA& items, const CTextAttrib& titleAttr,
                                           const CTextAttrib& itemAttr, double titleHeight, double itemHeight,
                                           double spacing) {
  auto* block = new CTextBlockEntity(layer, group, x, y);
  block->SetContent(title, items);
  block->SetLayout(titleAttr, itemAttr, titleHeight, itemHeight, spacing);
  return block;
}

void UpdateTextBlock(CTextBlockEntity* block) {
  if (block) block->Update();
}
