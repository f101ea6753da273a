// The view's display commands (grid, page boundaries, page-crossing labels,
// grid and paper colours, snapping and the grid size), the colour commands of
// the selection, and undo and redo, with their update handlers.
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/GridSizeDlg.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/ColorDialog.h"

// Display.

void CDrawView::OnViewGrid() {
  m_bShowGrid = !m_bShowGrid;
  // Views opened from now on start as this one is now.
  c_bShowGrid = m_bShowGrid;
  Invalidate(FALSE);
}

void CDrawView::OnUpdateViewGrid(CCmdUI* cmdUI) { cmdUI->SetCheck(m_bShowGrid ? 1 : 0); }

void CDrawView::OnViewPageborder() {
  m_bShowPageBoundaries = !m_bShowPageBoundaries;
  Invalidate(FALSE);
}

void CDrawView::OnUpdateViewPageborder(CCmdUI* cmdUI) {
  // A canvas of one page has no boundary between pages to show.
  cmdUI->Enable(m_pDiagram && m_pDiagram->GetCanvasSize() != CSize(1, 1));
  cmdUI->SetCheck(m_bShowPageBoundaries ? 1 : 0);
}

void CDrawView::OnViewCrosslabels() {
  m_bShowCrossLabels = !m_bShowCrossLabels;
  Invalidate(TRUE);
}

void CDrawView::OnUpdateViewCrosslabels(CCmdUI* cmdUI) { cmdUI->SetCheck(m_bShowCrossLabels ? 1 : 0); }

bool CDrawView::PickColor(COLORREF& color, bool startAtColor) {
  CColorDialog dialog(color, startAtColor ? CC_RGBINIT : 0, this);
  if (dialog.DoModal() != IDOK) return false;
  color = dialog.GetColor();
  return true;
}

void CDrawView::OnViewGridColor() {
  COLORREF color = c_crGridColor;
  if (!PickColor(color, true)) return;
  c_crGridColor = color;
  m_crGridColor = color;
  Invalidate(FALSE);
}

void CDrawView::OnViewPaperColor() {
  if (!m_pDiagram) return;
  COLORREF color = m_pDiagram->GetPaperColor();
  if (!PickColor(color, true)) return;
  m_pDiagram->SetPaperColor(color);
}

void CDrawView::OnSnapToGrid() {
  if (m_pDiagram) m_pDiagram->ToggleSnapToGrid();
}

void CDrawView::OnUpdateSnapToGrid(CCmdUI* cmdUI) {
  cmdUI->Enable(m_pDiagram != nullptr);
  cmdUI->SetCheck(m_pDiagram && m_pDiagram->IsSnapToGridEnabled() ? 1 : 0);
}

void CDrawView::OnSnapGridSize() {
  if (!m_pDiagram) return;
  CGridSizeDlg dialog(m_pDiagram->GetGridSize(), m_pDiagram->GetGridLineInterval(), this);
  if (dialog.DoModal() != IDOK) return;
  m_pDiagram->SetGrid(dialog.GetGridSize(), dialog.GetGridLineInterval());
}

// Colours of the selection.

void CDrawView::OnObjectFillColor() {
  COLORREF color = 0;
  if (m_selection.IsEmpty() || !PickColor(color, false)) return;
  ApplyToSelection(u"Fill Color", false,
                   [](CDrawObj* object, int value) {
                     object->SetFillColor(static_cast<COLORREF>(value));
                     object->EnableFill(TRUE);
                   },
                   static_cast<int>(color));
}

void CDrawView::OnObjectLineColor() {
  COLORREF color = 0;
  if (m_selection.IsEmpty() || !PickColor(color, false)) return;
  ApplyToSelection(u"Line Color", false,
                   [](CDrawObj* object, int value) { object->SetLineColor(static_cast<COLORREF>(value)); },
                   static_cast<int>(color));
}

void CDrawView::OnObjectHatchColor() {
  COLORREF color = 0;
  if (m_selection.IsEmpty() || !PickColor(color, false)) return;
  ApplyToSelection(u"Hatch Color", false,
                   [](CDrawObj* object, int value) {
                     object->SetHatchColor(static_cast<COLORREF>(value));
                     object->EnableHatch(TRUE);
                   },
                   static_cast<int>(color));
}

// Undo and redo.

void CDrawView::OnEditUndo() {
  if (CDrawDoc* document = GetDocument()) document->UndoLast();
}

void CDrawView::OnUpdateEditUndo(CCmdUI* cmdUI) {
  CDrawDoc* document = GetDocument();
  cmdUI->Enable(document && document->GetNumberUndosOnStack() > 0);
}

void CDrawView::OnEditRedo() {
  if (CDrawDoc* document = GetDocument()) document->RedoLast();
}

void CDrawView::OnUpdateEditRedo(CCmdUI* cmdUI) {
  CDrawDoc* document = GetDocument();
  cmdUI->Enable(document && document->GetNumberRedosOnStack() > 0);
}
