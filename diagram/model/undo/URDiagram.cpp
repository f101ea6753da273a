#include "diagram/model/undo/URDiagram.h"

#include <memory>

#include "diagram/model/canvas/Diagram.h"

IMPLEMENT_DYNAMIC(CURCanvasSize, CUndoRedo)
IMPLEMENT_DYNAMIC(CURChangePrinterSetup, CUndoRedo)
IMPLEMENT_DYNAMIC(CURGridSizeLineInterval, CUndoRedo)
IMPLEMENT_DYNAMIC(CURChangePaperColor, CUndoRedo)

void CURCanvasSize::DoUndo() {
  m_pDiagram->ComputeDrawingExtent();
  m_pDiagram->SetCanvasSize(static_cast<BYTE>(m_nPagesAcross), static_cast<BYTE>(m_nPagesDown));
}

int CURCanvasSize::RecordUndo(CDiagram* diagram) {
  return Record(diagram->GetDocument(), RUNTIME_CLASS(CURCanvasSize), [diagram] {
    std::unique_ptr<CURCanvasSize> record(new CURCanvasSize);
    record->m_pDiagram = diagram;
    const CSize pages = diagram->GetCanvasSize();
    record->m_nPagesAcross = pages.cx;
    record->m_nPagesDown = pages.cy;
    return record;
  });
}

void CURChangePrinterSetup::DoUndo() { m_pDiagram->SetPrinterSetupInfo(m_info); }

int CURChangePrinterSetup::RecordUndo(CDiagram* diagram, const CPrinterSetupInfo& info) {
  return Record(diagram->GetDocument(), RUNTIME_CLASS(CURChangePrinterSetup), [diagram, &info] {
    std::unique_ptr<CURChangePrinterSetup> record(new CURChangePrinterSetup(info));
    record->m_pDiagram = diagram;
    return record;
  });
}

void CURGridSizeLineInterval::DoUndo() { m_pDiagram->SetGrid(m_gridSize, m_lineInterval); }

int CURGridSizeLineInterval::RecordUndo(CDiagram* diagram) {
  return Record(diagram->GetDocument(), RUNTIME_CLASS(CURGridSizeLineInterval), [diagram] {
    std::unique_ptr<CURGridSizeLineInterval> record(new CURGridSizeLineInterval);
    record->m_pDiagram = diagram;
    record->m_gridSize = diagram->GetGridSize();
    record->m_lineInterval = diagram->GetGridLineInterval();
    return record;
  });
}

void CURChangePaperColor::DoUndo() { m_pDiagram->SetPaperColor(m_color); }

int CURChangePaperColor::RecordUndo(CDiagram* diagram) {
  return Record(diagram->GetDocument(), RUNTIME_CLASS(CURChangePaperColor), [diagram] {
    std::unique_ptr<CURChangePaperColor> record(new CURChangePaperColor);
    record->m_pDiagram = diagram;
    record->m_color = diagram->GetPaperColor();
    return record;
  });
}
