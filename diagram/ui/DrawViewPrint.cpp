// Printing a diagram: one printed page for each page of the canvas, row by
// row (OnPrepareDC maps each page to its part of the canvas).
#include <algorithm>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/ui/DrawView.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/WinApp.h"

namespace {

UINT PageCount(const CDiagram& diagram) {
  const CSize pages = diagram.GetCanvasSize();
  return static_cast<UINT>(std::max<LONG>(1, pages.cx) * std::max<LONG>(1, pages.cy));
}

}  // namespace

BOOL CDrawView::OnPreparePrinting(CPrintInfo* info) {
  if (!m_pDiagram) return FALSE;
  const UINT pages = PageCount(*m_pDiagram);
  info->SetMinPage(1);
  info->SetMaxPage(pages);
  if (!DoPreparePrinting(info)) return FALSE;
  // The diagram takes the chosen printer's page size.
  const BOOL changed = CDiagram::UpdatePrinterPageSize(info->m_pPD);
  m_pDiagram->SavePrinterSetup();
  if (!changed) return TRUE;
  if (CDrawDoc::IsUsePrinterDefaults()) CDrawDoc::UpdateAllDrawDocViews(nullptr, CDrawHint::printerPageSizeChanged, nullptr);
  const UINT now = PageCount(*m_pDiagram);
  if (now != pages) {
    info->SetMaxPage(now);
    if (info->m_pPD->PrintAll()) {
      info->m_pPD->m_pd.nToPage = static_cast<WORD>(now);
    } else {
      info->m_pPD->m_pd.nToPage = static_cast<WORD>(std::min<UINT>(info->m_pPD->m_pd.nToPage, now));
    }
  }
  return TRUE;
}

void CDrawView::OnFilePrint() {
  CWinApp* app = AfxGetApp();
  if (app && m_pDiagram && !CDrawDoc::IsUsePrinterDefaults()) {
    CPrintDialog printer(FALSE);
    if (printer.GetDefaults()) {
      if (DEVMODEW* mode = printer.GetDevMode()) {
        mode->dmOrientation = m_pDiagram->GetSavedOrientation();
        mode->dmPaperSize = m_pDiagram->GetSavedPaperSize();
        mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
        GlobalUnlock(printer.m_pd.hDevMode);
      }
      // The blocks become the application's.
      app->SelectPrinter(printer.m_pd.hDevNames, printer.m_pd.hDevMode);
    }
  }
  CScrollView::OnFilePrint();
}

void CDrawView::OnBeginPrinting(CDC* dc, CPrintInfo* info) { CScrollView::OnBeginPrinting(dc, info); }

void CDrawView::OnEndPrinting(CDC*, CPrintInfo*) {}
