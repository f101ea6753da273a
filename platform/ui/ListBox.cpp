#include "platform/ui/ListBox.h"

#include <algorithm>

#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CListBox, CItemListWnd)

namespace platform {
namespace {

constexpr int kItemHeight = 16;

class ListBoxControl : public ControlImpl {
 public:
  explicit ListBoxControl(HWND hwnd) {
    DWORD style = StyleOf(hwnd);
    list_.sorted = (style & LBS_SORT) != 0;
    list_.hasStrings = !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
  }

  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    bool multi = (StyleOf(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
      case WM_CREATE:
        if (StyleOf(hwnd) & LBS_OWNERDRAWFIXED)
          height_ = static_cast<int>(MeasureItemHeight(hwnd, ODT_LISTBOX, 0, 0, kItemHeight));
        return 0;
      case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
      case LB_ADDSTRING:
      case LB_INSERTSTRING: {
        int at = list_.AddFromMessage(message == LB_INSERTSTRING, index, lParam);
        if (at < 0) return LB_ERR;
        if (!multi && cur_ >= at) ++cur_;
        if (caret_ >= at) ++caret_;
        InvalidateRect(hwnd, nullptr, TRUE);
        return at;
      }
      case LB_DELETESTRING:
        if (!list_.Valid(index)) return LB_ERR;
        list_.items.erase(list_.items.begin() + index);
        if (cur_ == index)
          cur_ = -1;
        else if (cur_ > index)
          --cur_;
        if (caret_ >= list_.Count()) caret_ = list_.Count() - 1;
        InvalidateRect(hwnd, nullptr, TRUE);
        return list_.Count();
      case LB_RESETCONTENT:
        list_.items.clear();
        cur_ = -1;
        caret_ = 0;
        top_ = 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
      case LB_GETCOUNT:
        return list_.Count();
      case LB_GETTEXT:
        return list_.CopyItemText(index, lParam);
      case LB_GETTEXTLEN:
        return list_.ItemTextLength(index);
      case LB_FINDSTRING:
      case LB_FINDSTRINGEXACT:
        return list_.FindFromMessage(index, lParam, message == LB_FINDSTRINGEXACT);
      case LB_SELECTSTRING: {
        int found = list_.Find(index, TextArg(lParam), false);
        if (found < 0) return LB_ERR;
        if (multi) return LB_ERR;
        cur_ = caret_ = found;
        return found;
      }
      case LB_GETITEMDATA:
        return list_.ItemData(index);
      case LB_SETITEMDATA:
        return list_.SetItemData(index, lParam);
      case LB_SETCURSEL:
        if (multi) return LB_ERR;
        if (index == -1) {
          cur_ = -1;
          return LB_ERR;
        }
        if (!list_.Valid(index)) return LB_ERR;
        cur_ = caret_ = index;
        InvalidateRect(hwnd, nullptr, FALSE);
        return index;
      case LB_GETCURSEL:
        if (multi) return list_.Count() ? caret_ : LB_ERR;
        return cur_ < 0 ? LB_ERR : cur_;
      case LB_SETSEL: {
        if (!multi) return LB_ERR;
        int item = static_cast<int>(lParam);
        if (item == -1) {
          for (auto& i : list_.items) i.selected = wParam != 0;
          return 0;
        }
        if (!list_.Valid(item)) return LB_ERR;
        list_.items[static_cast<size_t>(item)].selected = wParam != 0;
        return 0;
      }
      case LB_GETSEL:
        if (!list_.Valid(index)) return LB_ERR;
        return multi ? (list_.items[static_cast<size_t>(index)].selected ? 1 : 0) : (index == cur_ ? 1 : 0);
      case LB_GETSELCOUNT:
        if (!multi) return LB_ERR;
        return std::count_if(list_.items.begin(), list_.items.end(), [](const ListItem& i) { return i.selected; });
      case LB_GETSELITEMS: {
        if (!multi) return LB_ERR;
        LPINT out = reinterpret_cast<LPINT>(lParam);
        int n = 0;
        for (int i = 0; i < list_.Count() && n < index; ++i)
          if (list_.items[static_cast<size_t>(i)].selected) out[n++] = i;
        return n;
      }
      case LB_GETCARETINDEX:
        return caret_;
      case LB_SETCARETINDEX:
        if (!list_.Valid(index)) return LB_ERR;
        caret_ = index;
        return 0;
      case LB_GETTOPINDEX:
        return top_;
      case LB_SETTOPINDEX:
        if (!list_.Valid(index) && !(index == 0 && list_.Count() == 0)) return LB_ERR;
        top_ = index;
        return 0;
      case LB_GETITEMHEIGHT:
        return height_;
      case LB_SETITEMHEIGHT:
        if (lParam <= 0 || lParam > 255) return LB_ERR;
        height_ = static_cast<int>(lParam);
        return 0;
      case LB_GETITEMRECT: {
        if (!list_.Valid(index)) return LB_ERR;
        RECT client;
        GetClientRect(hwnd, &client);
        *reinterpret_cast<LPRECT>(lParam) =
            RECT{0, (index - top_) * height_, client.right, (index - top_ + 1) * height_};
        return 0;
      }
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: {
        SetFocus(hwnd);
        int item = top_ + GET_Y_LPARAM(lParam) / height_;
        if (list_.Valid(item)) {
          if (message == WM_LBUTTONDOWN)
            UserChoose(hwnd, item);
          else
            UserDoubleClick(hwnd, item);
        }
        return 0;
      }
      case WM_KEYDOWN: {
        if (wParam != VK_UP && wParam != VK_DOWN) return 0;
        int at = multi ? caret_ : cur_;
        int next = std::clamp(at + (wParam == VK_DOWN ? 1 : -1), 0, list_.Count() - 1);
        if (list_.Valid(next) && next != at) {
          if (multi)
            caret_ = next;
          else
            Select(hwnd, next);
        }
        return 0;
      }
      case WM_SETFOCUS:
        if (StyleOf(hwnd) & LBS_NOTIFY) NotifyParent(hwnd, LBN_SETFOCUS);
        return 0;
      case WM_KILLFOCUS:
        if (StyleOf(hwnd) & LBS_NOTIFY) NotifyParent(hwnd, LBN_KILLFOCUS);
        return 0;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        if (StyleOf(hwnd) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
          RECT client;
          GetClientRect(hwnd, &client);
          for (int i = top_; i < list_.Count() && (i - top_) * height_ < client.bottom; ++i) {
            bool selected = multi ? list_.items[static_cast<size_t>(i)].selected : i == cur_;
            RECT r{0, (i - top_) * height_, client.right, (i - top_ + 1) * height_};
            SendDrawItem(hwnd, ps.hdc, ODT_LISTBOX, static_cast<UINT>(i), selected ? ODS_SELECTED : 0, r,
                         list_.items[static_cast<size_t>(i)].data);
          }
        }
        EndPaint(hwnd, &ps);
        return 0;
      }
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

  bool UserChoose(HWND hwnd, int index) override {
    if (!list_.Valid(index) || (StyleOf(hwnd) & LBS_NOSEL)) return false;
    if (StyleOf(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
      list_.items[static_cast<size_t>(index)].selected = !list_.items[static_cast<size_t>(index)].selected;
      caret_ = index;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (StyleOf(hwnd) & LBS_NOTIFY) NotifyParent(hwnd, LBN_SELCHANGE);
      return true;
    }
    Select(hwnd, index);
    return true;
  }

  bool UserDoubleClick(HWND hwnd, int index) override {
    if (!list_.Valid(index)) return false;
    bool multi = (StyleOf(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    // The first click of the two selects the item.
    if (multi) {
      if (!list_.items[static_cast<size_t>(index)].selected) UserChoose(hwnd, index);
    } else if (cur_ != index) {
      Select(hwnd, index);
    }
    if (IsWindow(hwnd) && (StyleOf(hwnd) & LBS_NOTIFY)) NotifyParent(hwnd, LBN_DBLCLK);
    return true;
  }

 private:
  void Select(HWND hwnd, int index) {
    cur_ = caret_ = index;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (StyleOf(hwnd) & LBS_NOTIFY) NotifyParent(hwnd, LBN_SELCHANGE);
  }

  ItemList list_;
  int cur_ = -1;
  int caret_ = 0;
  int top_ = 0;
  int height_ = kItemHeight;
};

std::unique_ptr<ControlImpl> Make(HWND hwnd) { return std::make_unique<ListBoxControl>(hwnd); }
const bool registered = (RegisterPredefinedClass(u"ListBox", &Make, nullptr, CS_DBLCLKS),
                         SetWrapperFactory(u"ListBox", [] { return static_cast<CWnd*>(new CListBox); }), true);

}  // namespace
}  // namespace platform

namespace {
const ItemListMessages kListBoxMessages{
    .getCount = LB_GETCOUNT,
    .addString = LB_ADDSTRING,
    .insertString = LB_INSERTSTRING,
    .deleteString = LB_DELETESTRING,
    .resetContent = LB_RESETCONTENT,
    .getText = LB_GETTEXT,
    .getTextLen = LB_GETTEXTLEN,
    .findString = LB_FINDSTRING,
    .findStringExact = LB_FINDSTRINGEXACT,
    .selectString = LB_SELECTSTRING,
    .getItemData = LB_GETITEMDATA,
    .setItemData = LB_SETITEMDATA,
    .getCurSel = LB_GETCURSEL,
    .setCurSel = LB_SETCURSEL,
    .getItemHeight = LB_GETITEMHEIGHT,
    .setItemHeight = LB_SETITEMHEIGHT,
    .error = LB_ERR,
};
}  // namespace

CListBox::CListBox() : CItemListWnd(kListBoxMessages) {}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"ListBox", nullptr, style, rect, parent, id);
}
int CListBox::GetSel(int index) const { return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index))); }
int CListBox::SetSel(int index, BOOL select) { return static_cast<int>(SendMessage(LB_SETSEL, select, index)); }
int CListBox::GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
int CListBox::GetSelItems(int maxItems, LPINT items) const {
  return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(maxItems), reinterpret_cast<LPARAM>(items)));
}
int CListBox::GetCaretIndex() const { return static_cast<int>(SendMessage(LB_GETCARETINDEX)); }
int CListBox::SetCaretIndex(int index, BOOL scroll) {
  return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(index), scroll));
}
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int index) {
  return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
}
int CListBox::GetItemRect(int index, LPRECT rect) const {
  return static_cast<int>(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}
