// Undo records of an object's pen, fill and hatch. Each keeps the old value
// and restores it through the object's setter, which records the inverse.
#pragma once

#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/undo/UndoRedo.h"

class CURLineColor : public CUndoRedo {
  DECLARE_DYNAMIC(CURLineColor)

 public:
  ~CURLineColor() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
  COLORREF m_color = 0;
};

class CURFillColor : public CUndoRedo {
  DECLARE_DYNAMIC(CURFillColor)

 public:
  ~CURFillColor() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
  COLORREF m_color = 0;
};

class CURHatchColor : public CUndoRedo {
  DECLARE_DYNAMIC(CURHatchColor)

 public:
  ~CURHatchColor() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
  COLORREF m_color = 0;
};

class CURHatchStyle : public CUndoRedo {
  DECLARE_DYNAMIC(CURHatchStyle)

 public:
  ~CURHatchStyle() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
  LONG m_style = 0;
};

// The pen style (PS_NULL when the object drew no outline) and width.
class CURPenSizeStyle : public CUndoRedo {
  DECLARE_DYNAMIC(CURPenSizeStyle)

 public:
  ~CURPenSizeStyle() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
  UINT m_nStyle = 0;
  UINT m_nWidth = 0;
};

class CUREnableFill : public CUndoRedo {
  DECLARE_DYNAMIC(CUREnableFill)

 public:
  ~CUREnableFill() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
  BOOL m_bEnable = FALSE;
};

class CUREnableHatch : public CUndoRedo {
  DECLARE_DYNAMIC(CUREnableHatch)

 public:
  ~CUREnableHatch() override = default;
  void DoUndo() override;
  static int RecordUndo(CDrawObj* object);

 protected:
  CDrawObj* m_pObj = nullptr;
  BOOL m_bEnable = FALSE;
};
