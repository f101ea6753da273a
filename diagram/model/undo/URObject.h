// Undo records of an object's place and shape: added to a diagram, deleted,
// moved, reshaped, and moved in the z-order.
#pragma once

#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/undo/UndoRedo.h"
#include "platform/core/ObList.h"
#include "platform/core/PtrMaps.h"

class CDiagram;

// The object was added to a diagram; undone by deleting it.
class CURAddToDoc : public CUndoRedo {
  DECLARE_DYNAMIC(CURAddToDoc)

 public:
  ~CURAddToDoc() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
};

// The object was deleted into its diagram's trash; undone by undeleting it.
// The records that refer to a deleted object share it: the last one dropped
// without replay destroys it.
class CURDeleteObj : public CUndoRedo {
  DECLARE_DYNAMIC(CURDeleteObj)

 public:
  ~CURDeleteObj() override;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

  // Whether a delete record refers to the object.
  static BOOL IsReferenced(const CDrawObj* object);

  // How many delete records refer to each deleted object.
  static CMapPtrToWord c_mapObjRef;

 protected:
  // Counts one reference to the object down; true when none is left.
  static bool ReleaseReference(CDrawObj* object);

  CDrawObj* m_pObj = nullptr;
  DrawObjState m_state = drawStateNormal;
  CDiagram* m_pDiagram = nullptr;
};

// The object's position before a move; undone by moving it back.
class CURRepositioning : public CUndoRedo {
  DECLARE_DYNAMIC(CURRepositioning)

 public:
  ~CURRepositioning() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
  CRect m_position;
};

// A handle's point before a reshape; undone by moving the handle back.
class CURReshaping : public CUndoRedo {
  DECLARE_DYNAMIC(CURReshaping)

 public:
  ~CURReshaping() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object, int handle);

 protected:
  CDrawObj* m_pObj = nullptr;
  int m_nHandle = 0;
  CPoint m_point;
};

// The object's place in the z-order before a change.
class CURChangeZorder : public CUndoRedo {
  DECLARE_DYNAMIC(CURChangeZorder)

 public:
  ~CURChangeZorder() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
  int m_nPosition = -1;
};
