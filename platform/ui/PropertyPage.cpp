#include "platform/ui/PropertyPage.h"

#include "platform/ui/PropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId) {
  m_psp.templateId = templateId;
  if (captionId && m_strCaption.LoadString(captionId)) m_psp.dwFlags |= PSP_USETITLE;
}

bool CPropertyPage::CreatePage(HWND sheet) {
  HINSTANCE module = nullptr;
  std::shared_ptr<const platform::ResourceSet> keep;
  const platform::DialogTemplate* found = platform::FindDialogTemplate(m_nIDTemplate, &module, &keep);
  if (!found) return false;
  // A page is a child dialog inside the sheet, whatever its template says.
  platform::DialogTemplate page = *found;
  page.style = (page.style & ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_DISABLED |
                                                 WS_THICKFRAME | DS_MODALFRAME | DS_CENTER)) |
               WS_CHILD | DS_CONTROL;
  page.exStyle |= WS_EX_CONTROLPARENT;
  page.rect.x = page.rect.y = 0;
  m_bFirstSetActive = TRUE;
  m_bModified = FALSE;
  return CreateFromTemplate(page, sheet, module) != FALSE;
}

CStringW CPropertyPage::GetTitle() const {
  if ((m_psp.dwFlags & PSP_USETITLE) && !m_strCaption.IsEmpty()) return m_strCaption;
  if ((m_psp.dwFlags & PSP_USETITLE) && m_psp.pszTitle) return CStringW(m_psp.pszTitle);
  std::shared_ptr<const platform::ResourceSet> keep;
  const platform::DialogTemplate* found = platform::FindDialogTemplate(m_nIDTemplate, nullptr, &keep);
  return found ? CStringW(found->caption.c_str()) : CStringW();
}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
void CPropertyPage::OnOK() { m_bModified = FALSE; }
void CPropertyPage::OnCancel() {}

void CPropertyPage::SetModified(BOOL changed) {
  m_bModified = changed;
  if (m_pSheet) m_pSheet->PageChanged();
}

void CPropertyPage::CancelToClose() {
  if (!m_pSheet || !m_pSheet->m_hWnd) return;
  if (CWnd* ok = m_pSheet->GetDlgItem(IDOK)) ok->SetWindowText(u"Close");
  if (CWnd* cancel = m_pSheet->GetDlgItem(IDCANCEL)) {
    cancel->EnableWindow(FALSE);
    cancel->ShowWindow(SW_HIDE);
  }
}

BOOL CPropertyPage::PreTranslateMessage(MSG* msg) {
  // The sheet handles the dialog keys of its pages.
  return CWnd::PreTranslateMessage(msg);
}
