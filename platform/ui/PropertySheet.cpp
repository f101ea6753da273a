#include "platform/ui/PropertySheet.h"

#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
  ON_NOTIFY(TCN_SELCHANGING, AFX_IDC_TAB_CONTROL, OnTabChanging)
  ON_NOTIFY(TCN_SELCHANGE, AFX_IDC_TAB_CONTROL, OnTabChanged)
END_MESSAGE_MAP()

namespace {
constexpr int kMargin = 7;
constexpr int kTabHeader = 24;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
}  // namespace

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage) : parent_(parent) {
  caption_.LoadString(captionId);
  m_psh.nStartPage = selectPage;
}

CPropertySheet::CPropertySheet(LPCWSTR caption, CWnd* parent, UINT selectPage)
    : caption_(caption ? caption : u""), parent_(parent) {
  m_psh.nStartPage = selectPage;
}

CPropertySheet::CPropertySheet(LPCSTR caption, CWnd* parent, UINT selectPage)
    : caption_(caption ? caption : ""), parent_(parent) {
  m_psh.nStartPage = selectPage;
}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd) DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (!page || std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
  pages_.push_back(page);
  if (m_hWnd) {
    tab_.InsertItem(static_cast<int>(pages_.size()) - 1, page->GetTitle().GetString());
    page->m_pSheet = this;
  }
}

void CPropertySheet::RemovePage(CPropertyPage* page) { RemovePage(GetPageIndex(page)); }

void CPropertySheet::RemovePage(int index) {
  if (index < 0 || index >= GetPageCount()) return;
  CPropertyPage* page = pages_[static_cast<size_t>(index)];
  if (page->m_hWnd) page->DestroyWindow();
  page->m_pSheet = nullptr;
  pages_.erase(pages_.begin() + index);
  if (m_hWnd) {
    tab_.DeleteItem(index);
    if (active_ == index) {
      active_ = -1;
      if (!pages_.empty()) ShowPage(std::min(index, GetPageCount() - 1));
    } else if (active_ > index) {
      --active_;
    }
  }
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return (index >= 0 && index < GetPageCount()) ? pages_[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* page) const {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  return GetPage(active_ >= 0 ? active_ : static_cast<int>(m_psh.nStartPage));
}
int CPropertySheet::GetActiveIndex() const { return active_ >= 0 ? active_ : static_cast<int>(m_psh.nStartPage); }
CTabCtrl* CPropertySheet::GetTabControl() const { return tab_.m_hWnd ? const_cast<CTabCtrl*>(&tab_) : nullptr; }

void CPropertySheet::SetTitle(LPCWSTR title) {
  caption_ = title ? title : u"";
  if (m_hWnd) SetWindowText(caption_.GetString());
}
void CPropertySheet::SetTitle(LPCSTR title) { SetTitle(CStringW(title ? title : "").GetString()); }

BOOL CPropertySheet::SetActivePage(int index) {
  if (index < 0 || index >= GetPageCount()) return FALSE;
  if (!m_hWnd) {
    m_psh.nStartPage = static_cast<UINT>(index);
    return TRUE;
  }
  if (index == active_) return TRUE;
  if (CPropertyPage* current = GetPage(active_); current && !current->OnKillActive()) return FALSE;
  tab_.SetCurSel(index);
  return ShowPage(index);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

bool CPropertySheet::CreateSheetWindow(HWND owner) {
  // The sheet is as large as its largest page.
  int pageWidth = 0, pageHeight = 0;
  for (CPropertyPage* page : pages_) {
    std::shared_ptr<const platform::ResourceSet> keep;
    if (const platform::DialogTemplate* t = platform::FindDialogTemplate(page->GetTemplateId(), nullptr, &keep)) {
      pageWidth = std::max(pageWidth, MulDiv(t->rect.cx, 6, 4));
      pageHeight = std::max(pageHeight, MulDiv(t->rect.cy, 13, 8));
    }
  }
  int tabWidth = pageWidth + 8, tabHeight = pageHeight + kTabHeader + 4;
  int clientWidth = tabWidth + 2 * kMargin;
  int clientHeight = tabHeight + 3 * kMargin + kButtonHeight;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPSIBLINGS;
  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
  if (!CreateEx(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, u"#32770", caption_.GetString(), style, 0, 0,
                outer.right - outer.left, outer.bottom - outer.top, owner, nullptr))
    return false;
  CenterWindow();
  if (!tab_.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                   CRect(kMargin, kMargin, kMargin + tabWidth, kMargin + tabHeight), this, AFX_IDC_TAB_CONTROL))
    return false;
  for (size_t i = 0; i < pages_.size(); ++i) {
    pages_[i]->m_pSheet = this;
    tab_.InsertItem(static_cast<int>(i), pages_[i]->GetTitle().GetString());
  }
  // The buttons, right-aligned under the tabs.
  struct Button {
    int id;
    const char16_t* text;
    bool shown;
  };
  const Button buttons[] = {{IDOK, u"OK", true},
                            {IDCANCEL, u"Cancel", true},
                            {ID_APPLY_NOW, u"&Apply", !(m_psh.dwFlags & PSH_NOAPPLYNOW)},
                            {IDHELP, u"Help", (m_psh.dwFlags & PSH_HASHELP) != 0}};
  int count = 0;
  for (const Button& b : buttons) count += b.shown ? 1 : 0;
  int x = clientWidth - kMargin - count * kButtonWidth - (count - 1) * 6;
  int y = kMargin + tabHeight + kMargin;
  for (const Button& b : buttons) {
    if (!b.shown) continue;
    DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (b.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    if (b.id == ID_APPLY_NOW) buttonStyle |= WS_DISABLED;  // until a page changes
    CreateWindowExW(0, u"Button", b.text, buttonStyle, x, y, kButtonWidth, kButtonHeight, m_hWnd,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), nullptr, nullptr);
    x += kButtonWidth + 6;
  }
  return true;
}

bool CPropertySheet::ShowPage(int index) {
  CPropertyPage* page = GetPage(index);
  if (!page || !m_hWnd) return false;
  if (!page->m_hWnd) {
    if (!page->CreatePage(m_hWnd)) return false;
    page->MoveWindow(kMargin + 4, kMargin + kTabHeader, 0, 0, FALSE);
    RECT client;
    tab_.GetClientRect(&client);
    page->SetWindowPos(nullptr, kMargin + 4, kMargin + kTabHeader, client.right - 8, client.bottom - kTabHeader - 4,
                       SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (CPropertyPage* other : pages_)
    if (other != page && other->m_hWnd) other->ShowWindow(SW_HIDE);
  active_ = index;
  if (tab_.GetCurSel() != index) tab_.SetCurSel(index);
  page->ShowWindow(SW_SHOW);
  page->OnSetActive();
  if (HWND first = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE)) ::SetFocus(first);
  return true;
}

INT_PTR CPropertySheet::DoModal() {
  if (pages_.empty()) return -1;
  CWnd* ownerWnd = CWnd::GetSafeOwner(parent_, nullptr);
  HWND owner = ownerWnd ? ownerWnd->m_hWnd : nullptr;
  struct ModalScope {
    CPropertySheet& sheet;
    HWND owner;
    bool enableOwner = false;
    ~ModalScope() {
      if (enableOwner && IsWindow(owner)) ::EnableWindow(owner, TRUE);
      if (sheet.m_hWnd) sheet.DestroyWindow();
      for (CPropertyPage* page : sheet.pages_) page->m_pSheet = nullptr;
      sheet.active_ = -1;
      sheet.m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    }
  } scope{*this, owner};
  if (owner && ::IsWindowEnabled(owner)) {
    ::EnableWindow(owner, FALSE);
    scope.enableOwner = true;
  }
  m_nModalResult = -1;
  m_nFlags |= WF_CONTINUEMODAL;
  try {
    int start = static_cast<int>(m_psh.nStartPage);
    if (start < 0 || start >= GetPageCount()) start = 0;
    if (!CreateSheetWindow(owner) || !ShowPage(start)) return -1;
    RunModalLoop(0);
  } catch (CException&) {
    m_nModalResult = -1;
  }
  return m_nModalResult;
}

void CPropertySheet::EndDialog(int result) { EndModalLoop(result); }

void CPropertySheet::PressButton(int button) {
  switch (button) {
    case PSBTN_OK:
      OnOK();
      break;
    case PSBTN_CANCEL:
      OnCancel();
      break;
    case PSBTN_APPLYNOW:
      OnApplyNow();
      break;
    default:
      break;
  }
}

bool CPropertySheet::Apply() {
  for (size_t i = 0; i < pages_.size(); ++i) {
    CPropertyPage* page = pages_[i];
    if (!page->m_hWnd) continue;  // a page never shown has nothing to apply
    if (!page->OnApply()) {
      SetActivePage(static_cast<int>(i));
      return false;
    }
  }
  PageChanged();
  return true;
}

void CPropertySheet::PageChanged() {
  if (!m_hWnd) return;
  bool any = std::any_of(pages_.begin(), pages_.end(), [](CPropertyPage* p) { return p->m_hWnd && p->IsModified(); });
  if (CWnd* apply = GetDlgItem(ID_APPLY_NOW)) apply->EnableWindow(any);
}

void CPropertySheet::OnOK() {
  CPropertyPage* page = GetPage(active_);
  if (page && !page->OnKillActive()) return;  // the page keeps the sheet open
  if (!Apply()) return;
  EndModalLoop(IDOK);
}

void CPropertySheet::OnCancel() {
  CPropertyPage* page = GetPage(active_);
  if (page && !page->OnQueryCancel()) return;
  for (CPropertyPage* p : pages_)
    if (p->m_hWnd) p->OnReset();
  EndModalLoop(IDCANCEL);
}

void CPropertySheet::OnApplyNow() {
  CPropertyPage* page = GetPage(active_);
  if (page && !page->OnKillActive()) return;
  Apply();
}

void CPropertySheet::OnTabChanging(NMHDR*, LRESULT* result) {
  CPropertyPage* page = GetPage(active_);
  *result = (page && !page->OnKillActive()) ? TRUE : FALSE;
}

void CPropertySheet::OnTabChanged(NMHDR*, LRESULT* result) {
  ShowPage(tab_.GetCurSel());
  *result = 0;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) {
  if (CWnd::PreTranslateMessage(msg)) return TRUE;
  return PreTranslateInput(msg);
}
