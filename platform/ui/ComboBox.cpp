#include "platform/ui/ComboBox.h"

#include <algorithm>
#include <optional>

#include "platform/ui/Clipboard.h"
#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CComboBox, CItemListWnd)

namespace platform {
namespace {

constexpr int kItemHeight = 16;

class ComboBoxControl : public ControlImpl {
 public:
  explicit ComboBoxControl(HWND hwnd) {
    DWORD style = StyleOf(hwnd);
    list_.sorted = (style & CBS_SORT) != 0;
    list_.hasStrings = !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style & CBS_HASSTRINGS);
  }

  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    std::u16string& text = TextOf(hwnd);
    switch (message) {
      case WM_CREATE:
        if (StyleOf(hwnd) & CBS_OWNERDRAWFIXED)
          height_ = static_cast<int>(MeasureItemHeight(hwnd, ODT_COMBOBOX, 0, 0, kItemHeight));
        return 0;
      case WM_GETDLGCODE:
        return DropList(hwnd) ? DLGC_WANTARROWS | DLGC_WANTCHARS : DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
      case WM_SETTEXT:
        if (DropList(hwnd)) return CB_ERR;  // only a choice changes what a drop-down list shows
        text = TextArg(lParam);
        editStart_ = editEnd_ = 0;
        return TRUE;
      case CB_ADDSTRING:
      case CB_INSERTSTRING: {
        int at = list_.AddFromMessage(message == CB_INSERTSTRING, index, lParam);
        if (at < 0) return CB_ERR;
        if (cur_ >= at) ++cur_;
        return at;
      }
      case CB_DELETESTRING:
        if (!list_.Valid(index)) return CB_ERR;
        list_.items.erase(list_.items.begin() + index);
        if (cur_ == index) {
          cur_ = -1;
          if (DropList(hwnd)) text.clear();
        } else if (cur_ > index) {
          --cur_;
        }
        return list_.Count();
      case CB_RESETCONTENT:
        list_.items.clear();
        cur_ = -1;
        if (DropList(hwnd)) text.clear();
        return CB_OKAY;
      case CB_GETCOUNT:
        return list_.Count();
      case CB_GETLBTEXT:
        return list_.CopyItemText(index, lParam);
      case CB_GETLBTEXTLEN:
        return list_.ItemTextLength(index);
      case CB_FINDSTRING:
      case CB_FINDSTRINGEXACT:
        return list_.FindFromMessage(index, lParam, message == CB_FINDSTRINGEXACT);
      case CB_SELECTSTRING: {
        int found = list_.Find(index, TextArg(lParam), false);
        if (found < 0) return CB_ERR;
        SetSelection(hwnd, found);
        return found;
      }
      case CB_GETITEMDATA:
        return list_.ItemData(index);
      case CB_SETITEMDATA:
        return list_.SetItemData(index, lParam);
      case CB_SETCURSEL:
        if (!list_.Valid(index)) {
          SetSelection(hwnd, -1);
          return CB_ERR;
        }
        SetSelection(hwnd, index);
        return index;
      case CB_GETCURSEL:
        return cur_ < 0 ? CB_ERR : cur_;
      case CB_GETEDITSEL:
        if (DropList(hwnd)) return CB_ERR;
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = editStart_;
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = editEnd_;
        return MAKELONG(editStart_, editEnd_);
      case CB_SETEDITSEL: {
        if (DropList(hwnd)) return CB_ERR;
        int s = static_cast<SHORT>(LOWORD(lParam)), e = static_cast<SHORT>(HIWORD(lParam));
        int length = static_cast<int>(text.size());
        if (s == -1) {
          editStart_ = editEnd_ = static_cast<WORD>(std::min(static_cast<int>(editEnd_), length));
          return TRUE;
        }
        if (e < 0 || e > length) e = length;
        if (s > length) s = length;
        editStart_ = static_cast<WORD>(std::min(s, e));
        editEnd_ = static_cast<WORD>(std::max(s, e));
        return TRUE;
      }
      case CB_LIMITTEXT:
        if (DropList(hwnd)) return CB_ERR;
        limit_ = wParam ? static_cast<UINT>(wParam) : 0x7FFFFFFEu;
        return TRUE;
      case CB_SHOWDROPDOWN:
        if ((StyleOf(hwnd) & 3) == CBS_SIMPLE) return TRUE;
        if ((wParam != 0) != dropped_) {
          dropped_ = wParam != 0;
          NotifyParent(hwnd, dropped_ ? CBN_DROPDOWN : CBN_CLOSEUP);
        }
        return TRUE;
      case CB_GETDROPPEDSTATE:
        return dropped_;
      case CB_GETITEMHEIGHT:
        return height_;
      case CB_SETITEMHEIGHT:
        if (lParam <= 0 || lParam > 255) return CB_ERR;
        height_ = static_cast<int>(lParam);
        return 0;
      case CB_GETDROPPEDCONTROLRECT: {
        RECT r;
        GetWindowRect(hwnd, &r);
        *reinterpret_cast<LPRECT>(lParam) = r;
        return TRUE;
      }
      case WM_PASTE: {
        // The edit part takes the clipboard's first line in place of its
        // selection, as one undoable replacement.
        std::u16string pasted;
        if (DropList(hwnd) || !ReadClipboardTextForPaste(hwnd, true, pasted)) return 0;
        ReplaceEditSelection(hwnd, pasted);
        return 0;
      }
      case WM_UNDO: {
        if (DropList(hwnd) || !undo_) return FALSE;
        std::u16string before = text;
        text = *undo_;
        undo_ = before;
        editStart_ = editEnd_ = static_cast<WORD>(std::min<size_t>(text.size(), 0xFFFF));
        cur_ = -1;
        NotifyParent(hwnd, CBN_EDITUPDATE);
        if (IsWindow(hwnd)) NotifyParent(hwnd, CBN_EDITCHANGE);
        return TRUE;
      }
      case WM_CHAR:
        TypeCharacter(hwnd, static_cast<WCHAR>(wParam));
        return 0;
      case WM_KEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
          int next = std::clamp(cur_ + (wParam == VK_DOWN ? 1 : -1), 0, list_.Count() - 1);
          if (list_.Valid(next) && next != cur_) UserChoose(hwnd, next);
        }
        return 0;
      case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
      case WM_SETFOCUS:
        NotifyParent(hwnd, CBN_SETFOCUS);
        return 0;
      case WM_KILLFOCUS:
        if (dropped_) SendMessageW(hwnd, CB_SHOWDROPDOWN, FALSE, 0);
        NotifyParent(hwnd, CBN_KILLFOCUS);
        return 0;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

  bool UserChoose(HWND hwnd, int index) override {
    if (!list_.Valid(index)) return false;
    cur_ = index;
    if (DropList(hwnd)) TextOf(hwnd) = list_.items[static_cast<size_t>(index)].text;
    NotifyParent(hwnd, CBN_SELCHANGE);
    if (!IsWindow(hwnd)) return true;
    // A drop-down's edit takes the chosen text after the notification.
    if (!DropList(hwnd) && list_.Valid(cur_)) {
      TextOf(hwnd) = list_.items[static_cast<size_t>(cur_)].text;
      editStart_ = 0;
      editEnd_ = static_cast<WORD>(std::min<size_t>(TextOf(hwnd).size(), 0xFFFF));
    }
    NotifyParent(hwnd, CBN_SELENDOK);
    return true;
  }

  bool UserDoubleClick(HWND hwnd, int index) override {
    if (!UserChoose(hwnd, index)) return false;
    if (IsWindow(hwnd) && (StyleOf(hwnd) & 3) == CBS_SIMPLE) NotifyParent(hwnd, CBN_DBLCLK);
    return true;
  }

 private:
  static bool DropList(HWND hwnd) { return (StyleOf(hwnd) & 3) == CBS_DROPDOWNLIST; }

  void SetSelection(HWND hwnd, int index) {
    cur_ = index;
    TextOf(hwnd) = list_.Valid(index) ? list_.items[static_cast<size_t>(index)].text : std::u16string();
    editStart_ = 0;
    editEnd_ = static_cast<WORD>(std::min<size_t>(TextOf(hwnd).size(), 0xFFFF));
    InvalidateRect(hwnd, nullptr, FALSE);
  }

  void TypeCharacter(HWND hwnd, WCHAR ch) {
    if (DropList(hwnd)) {
      // Typing in a drop-down list chooses the next item with that initial.
      int found = list_.Find(cur_, std::u16string(1, ch), false);
      if (found >= 0 && found != cur_) UserChoose(hwnd, found);
      return;
    }
    std::u16string& text = TextOf(hwnd);
    size_t start = std::min<size_t>(editStart_, text.size()), end = std::min<size_t>(editEnd_, text.size());
    if (ch == VK_BACK) {
      if (start == end && start > 0) --start;
      if (start == end) return;
      text.erase(start, end - start);
    } else {
      if (ch < 0x20) return;
      if (text.size() - (end - start) + 1 > limit_) {
        MessageBeep(0);
        return;
      }
      text.replace(start, end - start, 1, ch);
      ++start;
    }
    editStart_ = editEnd_ = static_cast<WORD>(start);
    cur_ = -1;
    NotifyParent(hwnd, CBN_EDITUPDATE);
    if (IsWindow(hwnd)) NotifyParent(hwnd, CBN_EDITCHANGE);
  }

  // Replaces the edit part's selection (cut to the text limit) and keeps
  // the text before for WM_UNDO.
  void ReplaceEditSelection(HWND hwnd, std::u16string insert) {
    std::u16string& text = TextOf(hwnd);
    size_t start = std::min<size_t>(editStart_, text.size()), end = std::min<size_t>(editEnd_, text.size());
    size_t room = text.size() - (end - start);
    if (room + insert.size() > limit_) insert.resize(limit_ > room ? limit_ - room : 0);
    undo_ = text;
    text.replace(start, end - start, insert);
    editStart_ = editEnd_ = static_cast<WORD>(std::min<size_t>(start + insert.size(), 0xFFFF));
    cur_ = -1;
    InvalidateRect(hwnd, nullptr, FALSE);
    NotifyParent(hwnd, CBN_EDITUPDATE);
    if (IsWindow(hwnd)) NotifyParent(hwnd, CBN_EDITCHANGE);
  }

  ItemList list_;
  std::optional<std::u16string> undo_;
  int cur_ = -1;
  WORD editStart_ = 0;
  WORD editEnd_ = 0;
  UINT limit_ = 0x7FFFFFFEu;
  bool dropped_ = false;
  int height_ = kItemHeight;
};

std::unique_ptr<ControlImpl> Make(HWND hwnd) { return std::make_unique<ComboBoxControl>(hwnd); }
const bool registered = (RegisterPredefinedClass(u"ComboBox", &Make, nullptr, CS_DBLCLKS),
                         SetWrapperFactory(u"ComboBox", [] { return static_cast<CWnd*>(new CComboBox); }), true);

}  // namespace
}  // namespace platform

namespace {
const ItemListMessages kComboBoxMessages{
    .getCount = CB_GETCOUNT,
    .addString = CB_ADDSTRING,
    .insertString = CB_INSERTSTRING,
    .deleteString = CB_DELETESTRING,
    .resetContent = CB_RESETCONTENT,
    .getText = CB_GETLBTEXT,
    .getTextLen = CB_GETLBTEXTLEN,
    .findString = CB_FINDSTRING,
    .findStringExact = CB_FINDSTRINGEXACT,
    .selectString = CB_SELECTSTRING,
    .getItemData = CB_GETITEMDATA,
    .setItemData = CB_SETITEMDATA,
    .getCurSel = CB_GETCURSEL,
    .setCurSel = CB_SETCURSEL,
    .getItemHeight = CB_GETITEMHEIGHT,
    .setItemHeight = CB_SETITEMHEIGHT,
    .error = CB_ERR,
};
}  // namespace

CComboBox::CComboBox() : CItemListWnd(kComboBoxMessages) {}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"ComboBox", nullptr, style, rect, parent, id);
}
DWORD CComboBox::GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
BOOL CComboBox::SetEditSel(int start, int end) {
  return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end)));
}
BOOL CComboBox::LimitText(int maxChars) {
  return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(maxChars)));
}
void CComboBox::ShowDropDown(BOOL show) { SendMessage(CB_SHOWDROPDOWN, show); }
BOOL CComboBox::GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
