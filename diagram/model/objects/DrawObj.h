// CDrawObj: the base of every object on a diagram canvas. It holds the
// position, the pen, the fill brush and the hatch, the owning diagram, the
// group that holds it, the draw state and the quad-tree nodes that list it,
// and defines the operations through which the diagram, the views and the
// mouse tools treat every object alike.
//
// Rectangles are kept unnormalised in the diagram's own y direction: in a
// diagram whose y axis points up (the default) top is greater than bottom.
#pragma once

#include <cstdint>
#include <vector>

#include "diagram/model/objects/QuadRefs.h"
#include "platform/core/Geometry.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CArchive;
class CDC;
class CMenu;
class CPropertySheet;
class CWnd;
class CDiagram;
class CDrawDoc;
class CDrawGroup;
class CDrawList;
class CDrawView;
class QuadTreeNode;

// The life state of a drawing object (its "state word").
enum DrawObjState : int {
  drawStateNormal = 0,
  drawStateDragInitialized = 1,  // a drag or reshape has begun
  drawStateMoved = 2,            // moved during that drag (groups and blocks show an outline)
  drawStateDeleted = -1,         // in the diagram's trash
  drawStateMarked = -2,          // marked by the block and port undo records and the composite block
};

class CDrawObj : public CObject {
  DECLARE_SERIAL(CDrawObj)

 public:
  // How the selection handles of an object are drawn.
  enum TrackerState { normal = 0, selected = 1, active = 2 };

  CDrawObj();
  explicit CDrawObj(const CRect& position);
  CDrawObj(const CDrawObj& other);
  CDrawObj& operator=(const CDrawObj&) = delete;
  ~CDrawObj() override;

  void Serialize(CArchive& ar) override;

  // The position and handles.
  virtual const CRect& GetPosition() const;
  virtual int GetHandleCount() const;
  virtual CPoint GetHandle(int handle);
  virtual CRect GetHandleRect(int handle, CDrawView* view);
  virtual HCURSOR GetHandleCursor(int handle) const;
  virtual SIZE GetExtraSize4LineWidth();

  // Capabilities.
  virtual BOOL Selectable() const;
  virtual BOOL Draggable() const;
  virtual BOOL Deleteable() const;
  virtual BOOL Groupable() const;
  virtual BOOL Copyable() const;
  virtual BOOL UserMayReshape() const;

  // Extents.
  virtual CRect GetBoundingRect();
  virtual CRect GetOldBoundingRect();
  virtual CRect GetBoundingRectIncludingComponents() const;
  virtual CRect GetDraggingRect();

  virtual CMenu* GetPopupMenu(CDrawView* view, CPoint point);
  virtual UINT GetPropertySheetCaptionID();
  virtual BOOL DoesSecurityAllow(DWORD op1, DWORD op2) const;

  // Drawing.
  virtual void Draw(CDC* dc);
  virtual void DrawTracker(CDC* dc, TrackerState state);

  // Moving, hit testing and reshaping.
  virtual void MoveTo(const CRect& position, CDrawView* view);
  virtual void MoveBy(CPoint delta, int bInvalidate);
  virtual int HitTest(CPoint point, CDrawView* view, int bSelected) const;
  virtual BOOL Intersects(const CRect& rect);
  virtual BOOL BoundedBy(const CRect& rect) const;
  virtual void MoveHandleTo(int handle, CPoint point, CDrawView* view);
  virtual void FlagsMoveHandleTo(int handle, CPoint point, CDrawView* view, UINT flags);

  virtual void OnOpen(CDrawView* view);
  virtual void OnEditProperties(CWnd* parent);
  virtual int OnEditPropertiesWithSheet(CPropertySheet* sheet);

  virtual void ViewInvalidate(CDrawView* view) const;
  virtual void ViewInflateForSelect(CDrawView* view, CRect& rect) const;

  // Components: the parts that belong to an object (a block's ports, a
  // group's members) and the ports attached to it.
  virtual void IncludeComponentsInList(CDrawList* list) const;
  virtual void ExcludeComponentsFromList(CDrawList* list) const;
  virtual void SnapToGrid(CDrawView* view, int bMoveTo);
  virtual void IncludeAttachmentDrawPorts(CDrawList* list);
  virtual void ExcludeAttachmentDrawPorts(CDrawList* list);

  // The drag protocol.
  virtual void FinalizeDrawing(CRect position, CDrawView* view, int flag);
  virtual void InitializeDrawing(CDrawView* view);

  virtual void SetDiagram(CDiagram* diagram);
  virtual CDrawObj* Clone();
  virtual void FlipAndOffset(int bFlip, CPoint offset);
  virtual int Delete();
  virtual int UnDelete();
  virtual int InitializeRepositioning();
  virtual int InitializeReshaping(int handle);

  // Field access.
  CDiagram* GetDiagram() const { return m_pDiagram; }
  DrawObjState GetDrawState() const { return m_drawState; }
  void SetDrawState(DrawObjState state) { m_drawState = state; }
  const CRect& GetStartPosition() const { return m_startPosition; }
  const CRect& GetOldPosition() const { return m_oldPosition; }
  CDrawGroup* GetGroup() const { return m_pGroup; }
  BOOL IsInGroup() const { return m_pGroup != nullptr; }
  COLORREF GetLineColor() const { return m_logpen.lopnColor; }
  COLORREF GetFillColor() const { return m_logbrush.lbColor; }
  COLORREF GetHatchColor() const { return m_crHatch; }
  LONG GetHatchStyle() const { return static_cast<LONG>(m_logbrush.lbHatch); }
  UINT GetPenSize() const { return static_cast<UINT>(m_logpen.lopnWidth.x); }
  BOOL IsFillEnabled() const { return m_bBrush; }
  BOOL IsHatchEnabled() const { return m_bHatch; }
  // The pen style, PS_NULL when the outline is switched off.
  UINT GetPenStyle() const;
  CDrawDoc* GetDocument() const;

  // The place of the object in its diagram's z-order; while the object is
  // in the trash, the place it had when it was deleted (-1 when none). Only
  // the diagram changes it.
  int GetZIndex() const { return m_nZIndex; }
  void SetZIndex(int index) { m_nZIndex = index; }
  // A scratch mark that the diagram and the routers set and clear.
  WORD GetMark() const { return m_wMark; }
  void SetMark(WORD mark) { m_wMark = mark; }

  // Repaints the object in every view of its diagram.
  void Invalidate();

  // Attribute setters: each records its undo step first and refuses (0,
  // nothing changed) when that cannot be done.
  int SetLineColor(COLORREF color);
  int SetFillColor(COLORREF color);
  int SetHatchColor(COLORREF color);
  int SetHatchStyle(LONG style);
  int EnableFill(BOOL enable);
  int EnableHatch(BOOL enable);
  int SetPenSize(UINT width);
  int SetPenStyle(UINT style, UINT width);

  // Quad-tree bookkeeping: the nodes that list this object.
  BOOL IsInQuadTree() const { return !m_quadRefs.empty(); }
  void AddQuadReference(QuadTreeNode* node);
  void RemoveQuadReference(QuadTreeNode* node);
  void RemoveFromAllQuads();
  BOOL ReAddToAllQuads();

 protected:
  // Marks the diagram modified, when attached.
  void SetDiagramModified();
  // Invalidates through the view when given, else in every view.
  void InvalidateIn(CDrawView* view);
  // The bounding rectangle of a position: grown by the line-width extra and
  // ordered in the diagram's y direction.
  CRect BoundingRectOf(const CRect& position);
  // True while the document's current recording is being thrown away, so
  // that a deleted object need not be kept for undo.
  BOOL IsUndoBeingDiscarded() const;
  // What FlipAndOffset does to one rectangle: its y edges negated when
  // `bFlip`, then moved by `offset`.
  static void FlipAndOffsetRect(CRect& rect, int bFlip, CPoint offset);

  BOOL m_bPen;
  LOGPEN m_logpen;
  BOOL m_bBrush;
  LOGBRUSH m_logbrush;
  BOOL m_bHatch;
  COLORREF m_crHatch;
  CDiagram* m_pDiagram;
  DrawObjState m_drawState;
  CRect m_position;
  // The last quad-tree query that met the object, so that a query tests an
  // object filed in several nodes once (QuadTreeNode); beside the position,
  // which the query's shape test reads next.
  uint64_t m_nQueryStamp = 0;
  CRect m_startPosition;
  CRect m_oldPosition;
  CDrawGroup* m_pGroup;
  QuadRefs m_quadRefs;
  WORD m_wMark;
  int m_nZIndex;

  // A group sets and clears the group pointer of its members.
  friend class CDrawGroup;
  // The quad tree stamps the objects its queries meet.
  friend class QuadTreeNode;
};
