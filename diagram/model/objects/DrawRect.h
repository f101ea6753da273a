// CDrawRect: one class for rectangles, rounded rectangles, ellipses and
// straight lines (from the top-left to the bottom-right corner).
#pragma once

#include "diagram/model/objects/DrawObj.h"

class CDrawRect : public CDrawObj {
  DECLARE_SERIAL(CDrawRect)

 public:
  enum Shape { rectangle = 0, roundRectangle = 1, ellipse = 2, line = 3 };

  CDrawRect();
  explicit CDrawRect(const CRect& position, Shape shape = rectangle);
  CDrawRect(const CDrawRect& other);
  ~CDrawRect() override;

  void Serialize(CArchive& ar) override;
  int GetHandleCount() const override;
  CPoint GetHandle(int handle) override;
  HCURSOR GetHandleCursor(int handle) const override;
  SIZE GetExtraSize4LineWidth() override;
  CMenu* GetPopupMenu(CDrawView* view, CPoint point) override;
  void Draw(CDC* dc) override;
  BOOL Intersects(const CRect& rect) override;
  void MoveHandleTo(int handle, CPoint point, CDrawView* view) override;
  int InitializeReshaping(int handle) override;
  CDrawObj* Clone() override;

  Shape GetShape() const { return m_nShape; }

 protected:
  Shape m_nShape;
  // Width and height of the corner ellipse of a rounded rectangle.
  CPoint m_roundness;

  // The rectangle tools set the shape of the object they draw.
  friend class CRectTool;
};
