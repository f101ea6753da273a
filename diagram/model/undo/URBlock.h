// Undo records of blocks, paired ports and nesting.
#pragma once

#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/undo/UndoRedo.h"
#include "platform/core/ObList.h"
#include "platform/core/PtrMaps.h"

class CDrawBlock;
class CDrawPort;

// A boundary-port pair was deleted (undone by restoring the port's state)
// or added (undone by marking it for deletion).
class CURAssocPort : public CUndoRedo {
  DECLARE_DYNAMIC(CURAssocPort)

 public:
  enum AssocPortOp { assocPortDeleted = 0, assocPortAdded = 1 };

  ~CURAssocPort() override;
  void DoUndo() override;
  static int RecordUndo(CDrawPort* port, int op);

 protected:
  CDrawPort* m_pPort = nullptr;
  int m_nOp = assocPortDeleted;
  DrawObjState m_state = drawStateNormal;
};

// A block was deleted (undone by restoring its state) or added (undone by
// marking it for deletion).
class CURBlock : public CUndoRedo {
  DECLARE_DYNAMIC(CURBlock)

 public:
  enum BlockOp { blockDeleted = 0, blockAdded = 1 };

  ~CURBlock() override;
  void DoUndo() override;
  static int RecordUndo(CDrawBlock* block, int op);

 protected:
  CDrawBlock* m_pBlock = nullptr;
  int m_nOp = blockDeleted;
  DrawObjState m_state = drawStateNormal;
};

// Objects were nested into a composite block; keeps each object's place in
// the outer z-order, so that undoing moves them back out to those places
// (recording the un-nest that redoes it).
class CURNest : public CUndoRedo {
  DECLARE_DYNAMIC(CURNest)

 public:
  ~CURNest() override;
  void DoUndo() override;
  static int RecordUndo(CDrawBlock* block, const CDrawList& objects);

 protected:
  CDrawBlock* m_pBlock = nullptr;
  CMapPtrToWord m_zOrder;
};

// A composite block's contents were moved out; keeps the objects of its
// inner diagram, so that undoing moves them back in (recording the nest
// that redoes it).
class CURUnNest : public CUndoRedo {
  DECLARE_DYNAMIC(CURUnNest)

 public:
  ~CURUnNest() override;
  void DoUndo() override;
  static int RecordUndo(CDrawBlock* block);

 protected:
  CDrawBlock* m_pBlock = nullptr;
  CDrawList m_objects;
};
