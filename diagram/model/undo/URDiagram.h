// Undo records of a diagram's canvas: its size in pages, its printer set-up,
// its grid and its paper colour.
#pragma once

#include "diagram/model/canvas/PrinterSetupInfo.h"
#include "diagram/model/undo/UndoRedo.h"
#include "platform/core/Geometry.h"

class CDiagram;

class CURCanvasSize : public CUndoRedo {
  DECLARE_DYNAMIC(CURCanvasSize)

 public:
  ~CURCanvasSize() override = default;
  void DoUndo() override;
  static int RecordUndo(CDiagram* diagram);

 protected:
  CDiagram* m_pDiagram = nullptr;
  int m_nPagesAcross = 0;
  int m_nPagesDown = 0;
};

class CURChangePrinterSetup : public CUndoRedo {
  DECLARE_DYNAMIC(CURChangePrinterSetup)

 public:
  explicit CURChangePrinterSetup(const CPrinterSetupInfo& info) : m_info(info) {}
  ~CURChangePrinterSetup() override = default;
  void DoUndo() override;
  static int RecordUndo(CDiagram* diagram, const CPrinterSetupInfo& info);

 protected:
  CDiagram* m_pDiagram = nullptr;
  CPrinterSetupInfo m_info;
};

class CURGridSizeLineInterval : public CUndoRedo {
  DECLARE_DYNAMIC(CURGridSizeLineInterval)

 public:
  ~CURGridSizeLineInterval() override = default;
  void DoUndo() override;
  static int RecordUndo(CDiagram* diagram);

 protected:
  CDiagram* m_pDiagram = nullptr;
  CSize m_gridSize;
  CSize m_lineInterval;
};

class CURChangePaperColor : public CUndoRedo {
  DECLARE_DYNAMIC(CURChangePaperColor)

 public:
  ~CURChangePaperColor() override = default;
  void DoUndo() override;
  static int RecordUndo(CDiagram* diagram);

 protected:
  CDiagram* m_pDiagram = nullptr;
  COLORREF m_color = 0;
};
