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
  static int RecordUndo(CDrawArc* arc, CDrawPort* port);

 protected:
  CDrawArc* m_pArc = nullptr;
  CDrawPort* m_pPort = nullptr;
};

// A wire end was detached from the port at the point; undone by finishing
// the arc tool's wire there again.
class CURArcUnFinish : public CUndoRedo {
  DECLARE_DYNAMIC(CURArcUnFinish)

 public:
  ~CURArcUnFinish() override;
  void DoUndo() override;
  static int RecordUndo(CDrawPort* port, CPoint point);

 protected:
  CDrawPort* m_pPort = nullptr;
  CPoint m_point;
};
