// CDrawOleObj: a drawing object that shows an embedded or linked OLE item.
// What is built is the class's identity, by which the views and lists tell
// OLE objects apart, and the object made at a point before it has an item.
// Its item, drawing, moving, opening, properties, copying, deleting and
// stream record are not built and throw CNotSupportedException; its class
// cannot be read from a stream.
#pragma once

#include "diagram/model/objects/DrawObj.h"

class CDrawItem;

class CDrawOleObj : public CDrawObj {
  DECLARE_DYNAMIC(CDrawOleObj)

 public:
  // An object with an empty rectangle at the point, no item, an unknown
  // extent and neither outline nor fill.
  explicit CDrawOleObj(const CPoint& point);
  CDrawOleObj(const CDrawOleObj&) = delete;
  CDrawOleObj& operator=(const CDrawOleObj&) = delete;

  void Serialize(CArchive& ar) override;
  void Draw(CDC* dc) override;
  void MoveTo(const CRect& position, CDrawView* view) override;
  void OnOpen(CDrawView* view) override;
  void OnEditProperties(CWnd* parent) override;
  CDrawObj* Clone() override;
  int Delete() override;

  CDrawItem* GetItem() const { return m_pClientItem; }
  // The item's last known extent in HIMETRIC, (0, 0) until it is known.
  const CSize& GetExtent() const { return m_extent; }

 private:
  CDrawItem* m_pClientItem = nullptr;
  CSize m_extent;
};
