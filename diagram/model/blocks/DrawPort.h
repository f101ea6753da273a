// CDrawPort: the small polygon on a block's edge where wires begin and end.
// It decides which wires may join it, keeps the wires attached to it, drags
// their ends along when it moves, and owns up to three texts (label, value
// and link label). Its first outline point is its connection point.
#pragma once

#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawPoly.h"

class CDrawArc;
class CDrawBlock;
class CDrawText;

// Which ends of a wire a port can take (stored values; there is no 3).
enum ArcConnectionType : int {
  arcConnectNone = 0,
  arcConnectSource = 1,
  arcConnectDestination = 2,
  arcConnectBoth = 4,
};

// The direction a router prefers for the wire at a port.
enum ArcDirection : int {
  arcDirectionIntoInput = 1,  // ports that are destination inputs
  arcDirectionOther = 2,
};

class CDrawPort : public CDrawPoly {
  DECLARE_SERIAL(CDrawPort)

 public:
  explicit CDrawPort(CDrawPort* associated = nullptr);
  CDrawPort(const CDrawPort& other);
  ~CDrawPort() override;

  void Serialize(CArchive& ar) override;
  HCURSOR GetHandleCursor(int handle) const override;
  BOOL Copyable() const override;
  BOOL UserMayReshape() const override;
  CMenu* GetPopupMenu(CDrawView* view, CPoint point) override;
  void MoveTo(const CRect& position, CDrawView* view) override;
  void MoveBy(CPoint delta, int bInvalidate) override;
  BOOL Intersects(const CRect& rect) override;
  void OnOpen(CDrawView* view) override;
  void IncludeComponentsInList(CDrawList* list) const override;
  void ExcludeComponentsFromList(CDrawList* list) const override;
  void FinalizeDrawing(CRect position, CDrawView* view, int flag) override;
  void InitializeDrawing(CDrawView* view) override;
  void SetDiagram(CDiagram* diagram) override;
  CDrawObj* Clone() override;
  int Delete() override;
  int UnDelete() override;
  BOOL UserMayAddPoints() const override;
  BOOL UserMayRemovePoints() const override;
  void AddPoint(const CPoint& point, CDrawView* view) override;
  int InsertPoint(int index, const CPoint& point, CDrawView* view) override;
  int RemovePoint(int index, CDrawView* view) override;
  int RecalcBounds(CDrawView* view, int bInvalidate) override;

  // Called by the pair undo record when the pair comes back.
  virtual void EndAssocUnDelete();
  virtual int AddPortAndComponentsToDiagram(CDiagram* diagram);
  virtual void IncludeArcsInList(CDrawList* list) const;
  virtual CPoint ConnectionPoint() const;
  virtual int AddArc(CDrawArc* arc, int bInvalidate);
  virtual int RemoveArc(CDrawArc* arc, int bInvalidate);
  virtual int IsArcInConnectionList(CDrawArc* arc);
  virtual int IsLinked() const;
  // 1 on, 2 toggle, 3 query, anything else off; returns the flag.
  virtual int Monitor(int mode);
  virtual int IsSrcOutput() const;
  virtual int IsDestInput() const;
  virtual ArcConnectionType CanConnectArc() const;
  virtual int CanSourceValue(int value) const;
  virtual ArcDirection PreferredArcDirection();
  // Whether a half-made wire may be finished at this port.
  virtual int CanCompleteArc(const CDrawArc* arc) const;
  virtual int IsInternal() const;

  CDrawBlock* GetDrawBlock() const { return m_pBlock; }
  CDrawText* GetLabel() const { return m_pLabel; }
  CDrawText* GetValue() const { return m_pValue; }
  CDrawText* GetLnkLbl() const { return m_pLnkLbl; }
  CDrawPort* GetAssociatedPort() const { return m_pAssociatedPort; }
  void SetAssociatedPort(CDrawPort* port) { m_pAssociatedPort = port; }
  void AllowFill(int allow) { m_bBrush = allow; }
  // The ports at the far ends of the attached wires.
  void GetConnections(CDrawList& ports) const;
  // The same, seen through composite-block boundaries.
  void GetRealConnections(CDrawList& ports) const;
  int GetDirectedArcs(int bAsSource, CDrawList& arcs) const;
  // The port whose record is being read innermost, null when none. A block
  // whose read begins while a port's record is innermost is the block that
  // record names (the port's block may be read, and fail, within its read).
  static const CDrawPort* InnermostBeingRead();
  // Port reads started so far on this thread: a port whose read started
  // after a mark taken from it was read since.
  static ULONGLONG ReadsStarted();
  BOOL WasReadSince(ULONGLONG mark) const { return m_nReadNumber > mark; }

 protected:
  void MoveAttachedArcPointsBy(CPoint delta, CDrawView* view, int bInvalidate);

  CDrawPort* m_pAssociatedPort;
  BOOL m_bMonitor;
  // When 1 or more: the outline points drawn while no wire is attached.
  int m_nUnlinkedPoints;
  CDrawBlock* m_pBlock;
  CDrawText* m_pLabel;
  CDrawText* m_pValue;
  CDrawText* m_pLnkLbl;
  CDrawList m_arcs;
  // The port's index in its block when it was deleted.
  int m_nDeletedIndex;
  // Which port read, counted from ReadsStarted(), filled this port (0: none).
  ULONGLONG m_nReadNumber = 0;

  // Sets the outline: `count` points, the first the connection point, and
  // the position rectangle; the outline's owner is the block (and the view's
  // diagram, when a view is given).
  void SetOutline(const CPoint* points, int count, const CRect& position, CDrawBlock* block, CDrawView* view);

  // A block's copy takes the copies of its ports.
  friend class CDrawBlock;
};
