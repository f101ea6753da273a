// Undo records of a wire's path and of finishing and reopening it.
#pragma once

#include "diagram/model/undo/UndoRedo.h"
#include "platform/core/Geometry.h"

class CDrawArc;
class CDrawPort;

// The wire's points before a new path; owns its copy of them.
class CURArcReroute : public CUndoRedo {
  DECLARE_DYNAMIC(CURArcReroute)

 public:
  ~CURArcReroute() override;
  void DoUndo() override;
  static int RecordUndo(CDrawArc* arc);

 protected:
  CDrawArc* m_pArc = nullptr;
  int m_nPoints = 0;
  CPoint* m_points = nullptr;
};

// The wire was finished at the port; undone by detaching that end.
class CURArcFinish : public CUndoRedo {
  DECLARE_DYNAMIC(CURArcFinish)

 public:
  ~CURArcFinish() override;
  void DoUndo() override;
  // `freePoint` is where the free end stood before it was attached: the
  // undo puts it back there, as the user left the wire in progress.
  static int RecordUndo(CDrawArc* arc, CDrawPort* port, CPoint freePoint);

 protected:
  CDrawArc* m_pArc = nullptr;
  CDrawPort* m_pPort = nullptr;
  CPoint m_freePoint;
};

// A wire end was detached from the port at the point; undone by finishing
// the wire there again. A record that knows the wire makes it the arc
// tool's wire in progress first (an undo of another wire's finish may have
// taken the tool since); one that does not finishes the tool's wire.
class CURArcUnFinish : public CUndoRedo {
  DECLARE_DYNAMIC(CURArcUnFinish)

 public:
  ~CURArcUnFinish() override;
  void DoUndo() override;
  static int RecordUndo(CDrawPort* port, CPoint point, CDrawArc* arc = nullptr);

 protected:
  CDrawPort* m_pPort = nullptr;
  CPoint m_point;
  CDrawArc* m_pArc = nullptr;
};
