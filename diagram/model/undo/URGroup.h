// Undo records of grouping and ungrouping.
#pragma once

#include "diagram/model/lists/DrawList.h"
#include "diagram/model/undo/UndoRedo.h"

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
