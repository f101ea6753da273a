// Undo records of grouping and ungrouping.
#pragma once

#include "diagram/model/lists/DrawList.h"
#include "diagram/model/undo/UndoRedo.h"
#include "platform/core/Geometry.h"

class CDrawGroup;

// The group's members before they were released; undone by setting them.
class CURUnGroup : public CUndoRedo {
  DECLARE_DYNAMIC(CURUnGroup)

 public:
  ~CURUnGroup() override;
  void DoUndo() override;
  static int RecordUndo(CDrawGroup* group);

 protected:
  CDrawGroup* m_pGroup = nullptr;
  CDrawList m_members;
};

// The group was formed; undone by releasing its members.
class CURGroup : public CUndoRedo {
  DECLARE_DYNAMIC(CURGroup)

 public:
  ~CURGroup() override;
  void DoUndo() override;
  static int RecordUndo(CDrawGroup* group);

 protected:
  CDrawGroup* m_pGroup = nullptr;
};

// The group's rectangle before a refit to its members; undone by taking it
// again. A move of the group that follows in the same entry is undone first
// (records replay newest first) and the move's own undo then starts from
// the rectangle that move left, so that the members move back by what they
// moved.
class CURGroupRect : public CUndoRedo {
  DECLARE_DYNAMIC(CURGroupRect)

 public:
  ~CURGroupRect() override;
  void DoUndo() override;
  static int RecordUndo(CDrawGroup* group);

 protected:
  CDrawGroup* m_pGroup = nullptr;
  CRect m_rect;
};
