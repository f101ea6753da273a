// CDrawPoly: a point list drawn as a closed polygon or an open polyline,
// whose points the user can add, move and remove. It is also the base of
// ports and wires, which reuse its points, hit rules and stream.
#pragma once

#include "diagram/model/objects/DrawObj.h"

class CDrawPoly : public CDrawObj {
  DECLARE_SERIAL(CDrawPoly)

 public:
  CDrawPoly();
  CDrawPoly(const CDrawPoly& other);
  ~CDrawPoly() override;

  void Serialize(CArchive& ar) override;
  int GetHandleCount() const override;
  CPoint GetHandle(int handle) override;
  HCURSOR GetHandleCursor(int handle) const override;
  SIZE GetExtraSize4LineWidth() override;
  CMenu* GetPopupMenu(CDrawView* view, CPoint point) override;
  void Draw(CDC* dc) override;
  void MoveTo(const CRect& position, CDrawView* view) override;
  void MoveBy(CPoint delta, int bInvalidate) override;
  BOOL Intersects(const CRect& rect) override;
  void MoveHandleTo(int handle, CPoint point, CDrawView* view) override;
  CDrawObj* Clone() override;
  void FlipAndOffset(int bFlip, CPoint offset) override;

  virtual BOOL UserMayAddPoints() const;
  virtual BOOL UserMayRemovePoints() const;
  virtual void AddPoint(const CPoint& point, CDrawView* view);
  virtual int RecalcBounds(CDrawView* view, int bInvalidate);
  virtual int InsertPoint(int index, const CPoint& point, CDrawView* view);
  virtual int RemovePoint(int index, CDrawView* view);
  // The 1-based number of the first segment the rectangle meets, 0 for none.
  virtual int IntersectsLineSegment(const CRect& rect);

  BOOL IsPolyLine() const { return m_bPolyLine; }
  UINT GetPointDownIndex() const { return m_nPointDownIndex; }

  // An array of `count` points, or null when the count is not positive or
  // memory runs out; freed with DeletePoints.
  static CPoint* NewPoints(int count);
  static void DeletePoints(CPoint* points);

  // The stream holds the point count and capacity in 16 bits: no polygon
  // grows beyond this many points.
  static constexpr int kMaxPoints = 65535;

 protected:
  // Non-zero: an open polyline; 0: a closed polygon.
  BOOL m_bPolyLine;
  int m_nPoints;
  int m_nAllocPoints;
  CPoint* m_points;
  // The segment found under the pointer when the pop-up menu was asked for
  // or the select tool pressed on it.
  UINT m_nPointDownIndex;

  friend class CSelectTool;
  // The polyline tool marks the object it draws as open or closed.
  friend class CPolyTool;
};
