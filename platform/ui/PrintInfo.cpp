#include "platform/ui/PrintInfo.h"

#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Gdi32.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/WinApp.h"

CPrintInfo::CPrintInfo()
    : dialog_(std::make_unique<CPrintDialog>(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)) {
  m_pPD = dialog_.get();
  m_pPD->m_pd.Flags |= PD_RETURNDC;
  m_pPD->m_pd.nMinPage = 1;
  m_pPD->m_pd.nMaxPage = 0xFFFF;
  m_pPD->m_pd.nFromPage = 1;
  m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo() {
  PRINTDLG& pd = m_pPD->m_pd;
  if (pd.hDC) ::DeleteDC(pd.hDC);
  CWinApp* app = AfxGetApp();
  if (pd.hDevMode && !(app && app->m_hDevMode == pd.hDevMode)) GlobalFree(pd.hDevMode);
  if (pd.hDevNames && !(app && app->m_hDevNames == pd.hDevNames)) GlobalFree(pd.hDevNames);
  pd.hDC = nullptr;
  pd.hDevMode = pd.hDevNames = nullptr;
}

void CPrintInfo::SetMinPage(UINT page) { m_pPD->m_pd.nMinPage = static_cast<WORD>(page); }

void CPrintInfo::SetMaxPage(UINT page) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(page); }

UINT CPrintInfo::GetMinPage() const { return m_pPD->m_pd.nMinPage; }

UINT CPrintInfo::GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }

UINT CPrintInfo::GetFromPage() const { return m_pPD->m_pd.nFromPage; }

UINT CPrintInfo::GetToPage() const { return m_pPD->m_pd.nToPage; }
