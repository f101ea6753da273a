// CDrawOleObj: a drawing object that shows an embedded or linked OLE item.
#pragma once

#include "diagram/model/objects/DrawObj.h"

class CDrawItem;

class CDrawOleObj : public CDrawObj {
  DECLARE_SERIAL(CDrawOleObj)

 public:
  CDrawOleObj();
  explicit CDrawOleObj(const CPoint& point);
  CDrawOleObj(const CDrawOleObj& other);
  ~CDrawOleObj() override;

  void Serialize(CArchive& ar) override;
  void Draw(CDC* dc) override;
  void MoveTo(const CRect& position, CDrawView* view) override;
  void OnOpen(CDrawView* view) override;
  void OnEditProperties(CWnd* parent) override;
  CDrawObj* Clone() override;
  int Delete() override;

  // Closes the item without saving when it is open or active.
  void CloseItemIfOpen();

  // Whether a tracker outline is drawn around items on screen.
  static BOOL c_bShowItems;

 protected:
  CDrawItem* m_pClientItem;
  // The item's last known extent in HIMETRIC; (0, 0) until known.
  CSize m_extent;

  friend class CDrawItem;
};
