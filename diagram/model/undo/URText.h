// Undo record of a text object's string and rectangle.
#pragma once

#include "diagram/model/undo/UndoRedo.h"
#include "platform/core/Geometry.h"
#include "platform/core/String.h"

class CDrawText;

class CURTextChange : public CUndoRedo {
  DECLARE_DYNAMIC(CURTextChange)

 public:
  ~CURTextChange() override;
  void DoUndo() override;
  static int RecordUndo(CDrawText* text);

 protected:
  CDrawText* m_pText = nullptr;
  CRect m_position;
  CStringW m_text;
};
