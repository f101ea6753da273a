#include "platform/ui/TabCtrl.h"

#include <vector>

#include "platform/core/Charset.h"
#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

namespace platform {

class TabControl : public ControlImpl {
 public:
  struct Tab {
    std::u16string text;
    LPARAM data = 0;
  };
  std::vector<Tab> tabs;
  int current = -1;

  bool Valid(int i) const { return i >= 0 && i < static_cast<int>(tabs.size()); }

  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
      case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
      case TCM_GETITEMCOUNT:
        return static_cast<LRESULT>(tabs.size());
      case TCM_DELETEITEM:
        if (!Valid(index)) return FALSE;
        tabs.erase(tabs.begin() + index);
        if (current == index)
          current = -1;
        else if (current > index)
          --current;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
      case TCM_DELETEALLITEMS:
        tabs.clear();
        current = -1;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
      case TCM_GETCURSEL:
        return current;
      case TCM_SETCURSEL: {
        int old = current;
        if (!Valid(index)) return -1;
        current = index;
        InvalidateRect(hwnd, nullptr, TRUE);
        return old;
      }
      case WM_KEYDOWN:
        if ((wParam == VK_LEFT || wParam == VK_RIGHT) && !tabs.empty()) {
          int next = current + (wParam == VK_RIGHT ? 1 : -1);
          if (Valid(next)) UserChoose(hwnd, next);
        }
        return 0;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

  bool UserChoose(HWND hwnd, int index) override {
    if (!Valid(index)) return false;
    if (index == current) return true;
    NMHDR nm{};
    if (NotifyParent(hwnd, nm, TCN_SELCHANGING)) return true;  // refused
    if (!IsWindow(hwnd) || !Valid(index)) return false;
    current = index;
    InvalidateRect(hwnd, nullptr, TRUE);
    NMHDR done{};
    NotifyParent(hwnd, done, TCN_SELCHANGE);
    return true;
  }
};

namespace {
std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<TabControl>(); }
const bool registered = (RegisterPredefinedClass(WC_TABCONTROLW, &Make),
                         SetWrapperFactory(WC_TABCONTROLW, [] { return static_cast<CWnd*>(new CTabCtrl); }), true);
}  // namespace

}  // namespace platform

namespace {
platform::TabControl* TC(HWND h) { return platform::ControlOf<platform::TabControl>(h); }
}  // namespace

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_TABCONTROLW, nullptr, style, rect, parent, id);
}
LONG CTabCtrl::InsertItem(int item, LPCWSTR text) {
  auto* t = TC(m_hWnd);
  if (!t || item < 0) return -1;
  if (item > static_cast<int>(t->tabs.size())) item = static_cast<int>(t->tabs.size());
  t->tabs.insert(t->tabs.begin() + item, platform::TabControl::Tab{text ? text : u"", 0});
  if (t->current >= item) ++t->current;
  if (t->current < 0) t->current = 0;  // the first tab is chosen
  Invalidate();
  return item;
}
LONG CTabCtrl::InsertItem(int item, LPCSTR text) {
  std::u16string wide = text ? platform::GbkToUtf16(text) : std::u16string();
  return InsertItem(item, wide.c_str());
}
BOOL CTabCtrl::DeleteItem(int item) {
  return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(item)));
}
BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
CStringW CTabCtrl::GetItemText(int item) const {
  auto* t = TC(m_hWnd);
  return (t && t->Valid(item)) ? CStringW(t->tabs[static_cast<size_t>(item)].text.c_str()) : CStringW();
}
BOOL CTabCtrl::SetItemData(int item, LPARAM data) {
  auto* t = TC(m_hWnd);
  if (!t || !t->Valid(item)) return FALSE;
  t->tabs[static_cast<size_t>(item)].data = data;
  return TRUE;
}
LPARAM CTabCtrl::GetItemData(int item) const {
  auto* t = TC(m_hWnd);
  return (t && t->Valid(item)) ? t->tabs[static_cast<size_t>(item)].data : 0;
}
int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int item) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(item))); }
