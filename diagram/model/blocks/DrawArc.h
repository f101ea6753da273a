// CDrawArc: a wire from a source port to a destination port, an open
// polyline whose first and last points lie on the two ports' connection
// points. While the user edits it the wire keeps its segments horizontal and
// vertical and its ends on the ports; the routers replace its points.
#pragma once

#include <vector>

#include "diagram/model/blocks/CrossPoint.h"
#include "diagram/model/objects/DrawPoly.h"

class CDrawPort;

class CDrawArc : public CDrawPoly {
  DECLARE_SERIAL(CDrawArc)

 public:
  CDrawArc();
  CDrawArc(const CDrawArc& other);
  ~CDrawArc() override;

  void Serialize(CArchive& ar) override;
  HCURSOR GetHandleCursor(int handle) const override;
  BOOL Groupable() const override;
  BOOL Copyable() const override;
  CRect GetDraggingRect() override;
  void Draw(CDC* dc) override;
  void MoveTo(const CRect& position, CDrawView* view) override;
  void MoveBy(CPoint delta, int bInvalidate) override;
  void MoveHandleTo(int handle, CPoint point, CDrawView* view) override;
  void FlagsMoveHandleTo(int handle, CPoint point, CDrawView* view, UINT flags) override;
  // Forces a point of the wire onto its diagram's canvas, far enough in
  // that the wire's outline around it stays on the canvas too.
  void ForcePointOnCanvas(CPoint& point) const;
  void FinalizeDrawing(CRect position, CDrawView* view, int flag) override;
  CDrawObj* Clone() override;
  int Delete() override;
  int UnDelete() override;
  int InitializeRepositioning() override;
  int InitializeReshaping(int handle) override;
  int RecalcBounds(CDrawView* view, int bInvalidate) override;
  int RemovePoint(int index, CDrawView* view) override;

  // Makes a straight two-point wire between the ports.
  virtual int Initialize(CDrawPort* src, CDrawPort* dst, int bInvalidate);
  // The page-boundary crossings; -1 when `max` records are too few.
  virtual int GetCrossPoint(CrossPoint* out, int max);
  // Follows a port that moved by the delta.
  virtual void MovePortConnectionBy(CDrawPort* port, CPoint delta, CDrawView* view, int bInvalidate);

  static BOOL IsArcAllowedBetween(const CDrawPort* src, const CDrawPort* dst);
  int ReRoute(const CPoint* points, int count);
  // Gives the wire the points (as many as it has) moved by the delta, the
  // ends too: a wire carried whole with both of its blocks. Records nothing
  // (the caller's move does); false, changing nothing, on another count.
  bool CarryWhole(const std::vector<CPoint>& points, CPoint delta);
  int EndPointsAreInList(const CDrawList* list) const;
  void ReversePointOrder();
  CDrawPort* GetSrcOutPort() const { return m_pSrcPort; }
  CDrawPort* GetDestInPort() const { return m_pDestPort; }
  BOOL IsComplete() const { return m_bComplete; }

 protected:
  BOOL m_bComplete;
  CDrawPort* m_pSrcPort;
  CDrawPort* m_pDestPort;
  // Set when the user pulled an end of a complete wire off its port.
  BOOL m_bReopened;

  // Stops being the arc tool's wire in progress.
  void LeaveArcTool();

  // Lists keep or drop a wire by its two ports.
  friend class CDrawList;
  // The wire tool attaches and detaches the ends of the wire it draws.
  friend class CArcTool;
};

// Draws the cross and, with bText, the two page labels of a crossing.
void DrawCrossLabel(CDC* dc, CrossPoint& crossing, int bUpward, int number, int bText);
