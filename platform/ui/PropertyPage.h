// A page of a property sheet: a child dialog made from its template when it
// is first shown. The sheet asks it to take the focus (OnSetActive), to
// check and take its values when left or accepted (OnKillActive, which runs
// UpdateData(TRUE)), to apply (OnApply, then OnOK) and to drop its changes
// (OnReset, then OnCancel).
#pragma once

#include "platform/ui/CommCtrl.h"
#include "platform/ui/Dialog.h"

class CPropertySheet;

struct PROPSHEETPAGEW {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  UINT templateId;
  LPCWSTR pszTitle;
};
typedef PROPSHEETPAGEW PROPSHEETPAGE;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  CPropertyPage() = default;
  explicit CPropertyPage(UINT templateId, UINT captionId = 0);

  PROPSHEETPAGEW m_psp{sizeof(PROPSHEETPAGEW), PSP_DEFAULT, nullptr, 0, nullptr};

  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  virtual BOOL OnQueryCancel();
  void OnOK() override;
  void OnCancel() override;

  // A changed page enables the sheet's Apply button.
  void SetModified(BOOL changed = TRUE);
  BOOL IsModified() const { return m_bModified; }
  // After a change that cannot be undone: OK reads "Close", Cancel goes.
  void CancelToClose();

  BOOL PreTranslateMessage(MSG* msg) override;

  // The tab's text: the caption string, else the template's caption.
  CStringW GetTitle() const;
  // The sheet this page is on while it runs, or null.
  CPropertySheet* GetSheet() const { return m_pSheet; }

 protected:
  friend class CPropertySheet;
  // Makes the page's window, a child of the sheet; false when its template
  // is missing.
  bool CreatePage(HWND sheet);
  CStringW m_strCaption;
  BOOL m_bModified = FALSE;
  BOOL m_bFirstSetActive = TRUE;
  CPropertySheet* m_pSheet = nullptr;
};
