// CDrawOleObj: a drawing object that shows an embedded or linked OLE item,
// held by a CDrawItem of the document. The object owns its item; the item
// keeps a pointer back to it. The item draws itself into the object's
// rectangle; on screen a tracker outline marks it (dotted for a link,
// hatched while it is open or active), unless c_bShowItems is off. The
// object's size follows the item's extent (CDrawItem::UpdateExtent).
#pragma once

#include "diagram/model/objects/DrawObj.h"

class CDrawItem;

class CDrawOleObj : public CDrawObj {
  DECLARE_SERIAL(CDrawOleObj)

 public:
  CDrawOleObj();
  // An object with an empty rectangle at the point, no item, an unknown
  // extent and neither outline nor fill.
  explicit CDrawOleObj(const CPoint& point);
  // Copies the base and the extent and gives the copy a clone of the item
  // in the same document; a clone that cannot be made throws the memory
  // exception, leaving no item behind.
  CDrawOleObj(const CDrawOleObj& other);
  CDrawOleObj& operator=(const CDrawOleObj&) = delete;
  // Closes an open item and deletes it from its document.
  ~CDrawOleObj() override;

  void Serialize(CArchive& ar) override;
  void Draw(CDC* dc) override;
  void MoveTo(const CRect& position, CDrawView* view) override;
  void OnOpen(CDrawView* view) override;
  void OnEditProperties(CWnd* parent) override;
  CDrawObj* Clone() override;
  int Delete() override;

  CDrawItem* GetItem() const { return m_pClientItem; }
  // Takes the item (the object owns it from now on) and points it back.
  void SetItem(CDrawItem* item);
  // The item's last known extent in HIMETRIC, (0, 0) until it is known.
  const CSize& GetExtent() const { return m_extent; }
  // Closes the item without saving when it is open or active in place.
  void CloseItemIfOpen();

  // Whether the tracker outline is drawn around items on screen.
  static BOOL c_bShowItems;

 private:
  CDrawItem* m_pClientItem = nullptr;
  CSize m_extent;

  friend class CDrawItem;
};
