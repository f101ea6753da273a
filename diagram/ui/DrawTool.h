// CDrawTool: a mouse tool of the diagram view. The view hands every mouse
// message to the active tool while it is active; tools are singletons that
// hold no state of their own, and the gesture in progress lives in the
// class-wide statics below.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/WinTypes.h"

class CDiagram;
class CDrawDoc;
class CDrawPoly;
class CDrawView;

// The kinds of tool; each tool stores its own.
enum DrawShape {
  dsSelection = 0,
  dsLine = 1,
  dsRect = 2,
  dsRoundRect = 3,
  dsEllipse = 4,
  dsPolygon = 5,
  dsPolyline = 6,
  dsText = 7,
  dsArc = 8,
  dsPlacer = 9,
  dsMonitor = 10,
  dsZoom = 11,
};

// What a select-tool gesture does.
enum SelectMode {
  smNone = 0,
  smNetSelect = 1,
  smMove = 2,
  smSize = 3,
};

class CDrawTool {
 public:
  explicit CDrawTool(DrawShape shape);
  CDrawTool(const CDrawTool&) = default;
  CDrawTool& operator=(const CDrawTool&) = default;
  virtual ~CDrawTool() = default;

  virtual void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point);
  virtual void OnLButtonDblClk(CDrawView* view, unsigned flags, const CPoint& point);
  virtual void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point);
  virtual void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point);
  virtual void OnRButtonDown(CDrawView* view, unsigned flags, const CPoint& point);
  virtual void OnCancel(CDrawView* view);

  DrawShape GetDrawShape() const { return m_drawShape; }
  HCURSOR GetToolCursor() const { return m_hToolCursor; }
  // Makes cursor `id` the tool's cursor: a system cursor when `system` is
  // set, else the cursor resource found along the module chain. A failed
  // load keeps the old cursor and returns false.
  BOOL LoadCursorForTool(unsigned id, int system);

  static CDrawTool* GetActiveTool() { return c_pActiveTool; }
  // Makes `tool` the active one: a selection tool ends any select mode, and
  // a tool with a cursor shows it at once.
  static void SetActiveTool(CDrawTool* tool);

  static CDrawTool* c_pActiveTool;
  // Client points of the button press and of the last mouse message.
  static CPoint c_down;
  static CPoint c_last;
  // The key flags at the button press.
  static unsigned c_nDownFlags;
  // The handle being dragged; 0 for none.
  static int nDragHandle;
  static SelectMode selectMode;

 protected:
  // Cursor `id` from the system set (`system` set) or from the module chain;
  // null when it cannot be had.
  static HCURSOR LoadToolCursor(unsigned id, int system);
  // Loads cursor `id` into `cursor`: an id of 0 keeps the current cursor
  // (true); a failed load keeps it and returns false.
  static int LoadCursorInto(HCURSOR& cursor, unsigned id, int system);
  // The right button while a polygon or a wire is drawn: the point before
  // the rubber point goes; with fewer than three points the refusal is
  // shown instead.
  static void RemovePointBeforeRubber(CDrawPoly* poly, CDrawView* view);
  // Ends an add that failed: the diagram's dynamic route changes end and
  // what the undo recording holds is dropped before the recording ends.
  static void AbandonAdd(CDiagram* diagram, CDrawDoc* document);
  // How far a rectangle must move to lie on the diagram's canvas.
  static CSize OffsetOntoCanvas(CDiagram* diagram, CRect extent);

 private:
  DrawShape m_drawShape;
  HCURSOR m_hToolCursor;
};
