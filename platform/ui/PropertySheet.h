// A property sheet: a modal window with a tab per page, OK, Cancel and
// (unless PSH_NOAPPLYNOW) Apply. Choosing another tab first asks the page
// being left to check its values; OK checks the active page, then applies
// every page that was shown and ends with IDOK; Cancel resets them and ends
// with IDCANCEL; a page may end the sheet with any result (EndDialog). The
// running sheet goes to the modal driver (ModalDriver.h) like a dialog.
#pragma once

#include <vector>

#include "platform/ui/PropertyPage.h"
#include "platform/ui/TabCtrl.h"

struct PROPSHEETHEADERW {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  LPCWSTR pszCaption;
  UINT nPages;
  UINT nStartPage;
};
typedef PROPSHEETHEADERW PROPSHEETHEADER;

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  CPropertySheet() = default;
  explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
  explicit CPropertySheet(LPCWSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
  explicit CPropertySheet(LPCSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
  ~CPropertySheet() override;

  PROPSHEETHEADERW m_psh{sizeof(PROPSHEETHEADERW), PSH_DEFAULT, nullptr, nullptr, nullptr, 0, 0};

  void AddPage(CPropertyPage* page);
  void RemovePage(CPropertyPage* page);
  void RemovePage(int index);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetPageIndex(CPropertyPage* page) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  // Changes the page as the user would: false when the page being left
  // refuses.
  BOOL SetActivePage(int index);
  BOOL SetActivePage(CPropertyPage* page);
  CTabCtrl* GetTabControl() const;
  void SetTitle(LPCWSTR title);
  void SetTitle(LPCSTR title);

  virtual INT_PTR DoModal();
  // Ends the modal sheet with `result`.
  void EndDialog(int result);
  // Presses OK, Cancel or Apply (PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW).
  void PressButton(int button);

  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  afx_msg void OnOK();
  afx_msg void OnCancel();
  afx_msg void OnApplyNow();
  afx_msg void OnTabChanging(NMHDR* header, LRESULT* result);
  afx_msg void OnTabChanged(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  friend class CPropertyPage;
  bool CreateSheetWindow(HWND owner);
  bool ShowPage(int index);
  bool Apply();
  void PageChanged();

  std::vector<CPropertyPage*> pages_;
  CStringW caption_;
  CWnd* parent_ = nullptr;
  int active_ = -1;
  CTabCtrl tab_;
};

#define PSBTN_OK 1
#define PSBTN_CANCEL 5
#define PSBTN_APPLYNOW 4
