// CPolyTool: the tools that draw a closed polygon or an open polyline point
// by point. Each click fixes the rubber point and adds a new one; dragging
// with the button held draws freehand (pencil mode). A polygon is closed by
// a click on its first point, a polyline ended by a double click. Each
// drawing is one undo entry; a drawing given up leaves none.
#pragma once

#include "diagram/ui/DrawTool.h"

class CDrawPoly;

class CPolyTool : public CDrawTool {
 public:
  // `shape` is dsPolygon or dsPolyline.
  explicit CPolyTool(DrawShape shape);

  void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnRButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnCancel(CDrawView* view) override;

  // The object being drawn; null when idle.
  CDrawPoly* GetPolyInProgress() const { return m_pDrawObj; }
  // The cursor of pencil drawing. An id of 0 keeps the current cursor
  // (true); a failed load keeps it and returns false.
  int LoadCursorForToolInPencilMode(unsigned id, int system);
  HCURSOR GetPencilCursor() const { return m_hPencilCursor; }

  // Leaves the drawing of `poly`, which is being destroyed, in the polygon
  // and polyline singletons and in the active tool when it draws polygons.
  // The drawing's recording is closed at the next press or cancel of a
  // polygon or polyline tool.
  static void ForgetPoly(const CDrawPoly* poly);

  // The pencil cursor resource, loaded when first needed.
  static constexpr unsigned kPencilCursor = 28114;

 protected:
  // Ends the drawing after its last point: keeps an object of two or more
  // points as one undo entry, else gives it up.
  void EndDrawing(CDrawView* view);
  // Drops the object's last point without an undo record: the points of a
  // drawing in progress belong to its one "Add" entry.
  void DropLastPoint(CDrawView* view);

  CDrawPoly* m_pDrawObj = nullptr;
  HCURSOR m_hPencilCursor = nullptr;
};
