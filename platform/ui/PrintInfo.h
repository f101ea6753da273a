// CPrintInfo: one print job of a view (CView::OnFilePrint). It holds the
// print dialog whose device DC the job draws on, the pages the view can
// print (SetMinPage/SetMaxPage, 1 to 0xFFFF until the view says), the pages
// the user chose (GetFromPage/GetToPage), the page being printed
// (m_nCurPage) and its drawing rectangle in logical units (m_rectDraw). A
// view ends a job early by clearing m_bContinuePrinting in OnPrepareDC. The
// destructor deletes the printer DC and the dialog's device blocks unless
// the application keeps them.
#pragma once

#include <memory>

#include "platform/core/Geometry.h"
#include "platform/core/String.h"

class CPrintDialog;

struct CPrintInfo {
  CPrintInfo();
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  void SetMinPage(UINT page);
  void SetMaxPage(UINT page);
  UINT GetMinPage() const;
  UINT GetMaxPage() const;
  UINT GetFromPage() const;
  UINT GetToPage() const;

  CPrintDialog* m_pPD = nullptr;
  BOOL m_bDirect = FALSE;  // print on the current printer without the dialog
  BOOL m_bPreview = FALSE;
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 0;
  CStringW m_strPageDesc;
  LPVOID m_lpUserData = nullptr;
  CRect m_rectDraw;
  int m_nJobNumber = 0;

 private:
  std::unique_ptr<CPrintDialog> dialog_;
};
