// Undo records of the points of a polygon, polyline, port or wire.
#pragma once

#include "diagram/model/undo/UndoRedo.h"
#include "platform/core/Geometry.h"

class CDrawPoly;

// A point was inserted at the index; undone by removing it.
class CURAddPolyPoint : public CUndoRedo {
  DECLARE_DYNAMIC(CURAddPolyPoint)

 public:
  ~CURAddPolyPoint() override;
  void DoUndo() override;
  static int RecordUndo(CDrawPoly* poly, int index);

 protected:
  CDrawPoly* m_pPoly = nullptr;
  int m_nIndex = 0;
};

// The point at the index is about to be removed; undone by inserting it.
class CURRemovePolyPoint : public CUndoRedo {
  DECLARE_DYNAMIC(CURRemovePolyPoint)

 public:
  ~CURRemovePolyPoint() override;
  void DoUndo() override;
  static int RecordUndo(CDrawPoly* poly, int index);

 protected:
  CDrawPoly* m_pPoly = nullptr;
  int m_nIndex = 0;
  CPoint m_point;
};
