#include "platform/ui/ListCtrl.h"

#include <algorithm>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace platform {

class ListViewControl : public ControlImpl {
 public:
  struct Column {
    int format = LVCFMT_LEFT;
    int width = 0;
    std::u16string text;
    int subItem = 0;
  };
  struct Item {
    std::vector<std::u16string> texts;  // one per sub-item, the item's own first
    UINT state = 0;
    LPARAM data = 0;
    int image = 0;
    int indent = 0;
  };

  std::vector<Column> columns;
  std::vector<Item> items;
  DWORD exStyle = 0;
  int top = 0;
  int rowHeight = 16;
  int selectionMark = -1;

  static constexpr int kHeaderHeight = 20;

  bool Valid(int i) const { return i >= 0 && i < static_cast<int>(items.size()); }

  int HeaderHeight(HWND hwnd) const { return (StyleOf(hwnd) & LVS_NOCOLUMNHEADER) ? 0 : kHeaderHeight; }

  void Measure(HWND hwnd) {
    if (StyleOf(hwnd) & LVS_OWNERDRAWFIXED)
      rowHeight = static_cast<int>(MeasureItemHeight(hwnd, ODT_LISTVIEW, 0, 0, 16));
  }

  int InsertColumn(HWND hwnd, int at, const Column& c) {
    if (at < 0) return -1;
    at = std::min(at, static_cast<int>(columns.size()));
    columns.insert(columns.begin() + at, c);
    // Sub-item texts follow their column.
    if (at > 0 || columns.size() > 1)
      for (Item& i : items)
        if (static_cast<int>(i.texts.size()) > at && at > 0) i.texts.insert(i.texts.begin() + at, std::u16string());
    InvalidateRect(hwnd, nullptr, TRUE);
    return at;
  }

  bool DeleteColumn(HWND hwnd, int at) {
    if (at < 0 || at >= static_cast<int>(columns.size())) return false;
    columns.erase(columns.begin() + at);
    for (Item& i : items) {
      if (at == 0) {
        if (!i.texts.empty()) i.texts[0].clear();  // the item's own text stays with column 0's slot
        if (i.texts.size() > 1) i.texts.erase(i.texts.begin() + 1);
      } else if (static_cast<int>(i.texts.size()) > at) {
        i.texts.erase(i.texts.begin() + at);
      }
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
  }

  int InsertItem(HWND hwnd, int at, const std::u16string& text, LPARAM data, UINT state, UINT stateMask) {
    if (at < 0) return -1;
    at = std::min(at, static_cast<int>(items.size()));
    DWORD style = StyleOf(hwnd);
    if (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
      bool ascending = (style & LVS_SORTASCENDING) != 0;
      at = 0;
      while (at < static_cast<int>(items.size())) {
        int cmp = CompareListText(items[static_cast<size_t>(at)].texts[0], text);
        if (ascending ? cmp > 0 : cmp < 0) break;
        ++at;
      }
    }
    Item item;
    item.texts.push_back(text);
    item.data = data;
    item.state = state & stateMask;
    items.insert(items.begin() + at, item);
    if (selectionMark >= at) ++selectionMark;
    InvalidateRect(hwnd, nullptr, TRUE);
    NMLISTVIEW nm{};
    nm.iItem = at;
    nm.lParam = data;
    NotifyParent(hwnd, nm.hdr, LVN_INSERTITEM);
    return at;
  }

  bool DeleteItem(HWND hwnd, int at) {
    if (!Valid(at)) return false;
    NMLISTVIEW nm{};
    nm.iItem = at;
    nm.lParam = items[static_cast<size_t>(at)].data;
    NotifyParent(hwnd, nm.hdr, LVN_DELETEITEM);
    if (!IsWindow(hwnd) || !Valid(at)) return false;
    items.erase(items.begin() + at);
    if (selectionMark == at)
      selectionMark = -1;
    else if (selectionMark > at)
      --selectionMark;
    top = std::clamp(top, 0, std::max(0, static_cast<int>(items.size()) - 1));
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
  }

  bool DeleteAll(HWND hwnd) {
    NMLISTVIEW nm{};
    nm.iItem = -1;
    // A parent that answers TRUE wants no LVN_DELETEITEM for each item.
    bool quiet = NotifyParent(hwnd, nm.hdr, LVN_DELETEALLITEMS) != 0;
    if (!quiet) {
      for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        NMLISTVIEW one{};
        one.iItem = i;
        one.lParam = items[static_cast<size_t>(i)].data;
        NotifyParent(hwnd, one.hdr, LVN_DELETEITEM);
        if (!IsWindow(hwnd)) return false;
      }
    }
    items.clear();
    top = 0;
    selectionMark = -1;
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
  }

  // Changes the state of one item with LVN_ITEMCHANGING (which the parent
  // may refuse) and LVN_ITEMCHANGED. False when refused or unchanged.
  bool SetState(HWND hwnd, int at, UINT state, UINT mask) {
    if (!Valid(at)) return false;
    UINT old = items[static_cast<size_t>(at)].state;
    UINT now = (old & ~mask) | (state & mask);
    if (now == old) return true;
    NMLISTVIEW nm{};
    nm.iItem = at;
    nm.uNewState = now;
    nm.uOldState = old;
    nm.uChanged = LVIF_STATE;
    nm.lParam = items[static_cast<size_t>(at)].data;
    if (NotifyParent(hwnd, nm.hdr, LVN_ITEMCHANGING)) return false;
    if (!IsWindow(hwnd) || !Valid(at)) return false;
    items[static_cast<size_t>(at)].state = now;
    // Only one item has the focus.
    if ((now & LVIS_FOCUSED) && !(old & LVIS_FOCUSED))
      for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (i != at && (items[static_cast<size_t>(i)].state & LVIS_FOCUSED)) SetState(hwnd, i, 0, LVIS_FOCUSED);
    // A single-selection list keeps one selected item.
    if ((now & LVIS_SELECTED) && !(old & LVIS_SELECTED) && (StyleOf(hwnd) & LVS_SINGLESEL))
      for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (i != at && (items[static_cast<size_t>(i)].state & LVIS_SELECTED)) SetState(hwnd, i, 0, LVIS_SELECTED);
    NMLISTVIEW done = nm;
    NotifyParent(hwnd, done.hdr, LVN_ITEMCHANGED);
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }

  bool SetText(HWND hwnd, int at, int sub, const std::u16string& text) {
    if (!Valid(at) || sub < 0 || (sub > 0 && sub >= static_cast<int>(columns.size()))) return false;
    Item& item = items[static_cast<size_t>(at)];
    if (static_cast<int>(item.texts.size()) <= sub) item.texts.resize(static_cast<size_t>(sub) + 1);
    item.texts[static_cast<size_t>(sub)] = text;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }

  std::u16string Text(int at, int sub) const {
    if (!Valid(at) || sub < 0) return std::u16string();
    const Item& item = items[static_cast<size_t>(at)];
    return sub < static_cast<int>(item.texts.size()) ? item.texts[static_cast<size_t>(sub)] : std::u16string();
  }

  int TotalWidth() const {
    int w = 0;
    for (const Column& c : columns) w += c.width;
    return w;
  }

  RECT ItemRect(HWND hwnd, int at) const {
    int y = HeaderHeight(hwnd) + (at - top) * rowHeight;
    return RECT{0, y, TotalWidth(), y + rowHeight};
  }

  int PerPage(HWND hwnd) const {
    RECT client;
    GetClientRect(hwnd, &client);
    int height = client.bottom - HeaderHeight(hwnd);
    return std::max(0, height / std::max(1, rowHeight));
  }

  int HitItem(HWND hwnd, POINT p, UINT* flags, int* subItem) const {
    if (flags) *flags = LVHT_NOWHERE;
    if (subItem) *subItem = 0;
    int header = HeaderHeight(hwnd);
    if (p.y < header) {
      if (flags) *flags = LVHT_ABOVE;
      return -1;
    }
    int at = top + (p.y - header) / std::max(1, rowHeight);
    if (!Valid(at) || p.x < 0 || p.x >= TotalWidth()) {
      if (flags) *flags = Valid(at) ? LVHT_TORIGHT : LVHT_BELOW;
      return -1;
    }
    if (flags) *flags = LVHT_ONITEMLABEL;
    if (subItem) {
      int x = 0;
      for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        x += columns[static_cast<size_t>(c)].width;
        if (p.x < x) {
          *subItem = c;
          break;
        }
      }
    }
    return at;
  }

  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
      case WM_CREATE:
        Measure(hwnd);
        return 0;
      case WM_WINDOWPOSCHANGED:
        // Owner-drawn rows are measured again when the control moves.
        Measure(hwnd);
        InvalidateRect(hwnd, nullptr, TRUE);
        return DefWindowProcW(hwnd, message, wParam, lParam);
      case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
      case LVM_GETITEMCOUNT:
        return static_cast<LRESULT>(items.size());
      case LVM_DELETEITEM:
        return DeleteItem(hwnd, index);
      case LVM_DELETEALLITEMS:
        return DeleteAll(hwnd);
      case LVM_GETNEXTITEM:
        return NextItem(index, static_cast<UINT>(lParam));
      case LVM_ENSUREVISIBLE:
        return EnsureVisible(hwnd, index);
      case LVM_REDRAWITEMS:
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
      case LVM_GETCOLUMNWIDTH:
        return (index >= 0 && index < static_cast<int>(columns.size())) ? columns[static_cast<size_t>(index)].width : 0;
      case LVM_SETCOLUMNWIDTH:
        if (index < 0 || index >= static_cast<int>(columns.size())) return FALSE;
        columns[static_cast<size_t>(index)].width = static_cast<int>(LOWORD(lParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
      case LVM_DELETECOLUMN:
        return DeleteColumn(hwnd, index);
      case LVM_GETTOPINDEX:
        return top;
      case LVM_GETCOUNTPERPAGE:
        return PerPage(hwnd);
      case LVM_GETITEMSTATE:
        return Valid(index) ? static_cast<LRESULT>(items[static_cast<size_t>(index)].state & lParam) : 0;
      case LVM_SETITEMSTATE: {
        const LVITEMW* item = reinterpret_cast<const LVITEMW*>(lParam);
        if (!item) return FALSE;
        if (index == -1) {
          for (int i = 0; i < static_cast<int>(items.size()); ++i) SetState(hwnd, i, item->state, item->stateMask);
          return TRUE;
        }
        return SetState(hwnd, index, item->state, item->stateMask);
      }
      case LVM_GETSELECTEDCOUNT:
        return std::count_if(items.begin(), items.end(), [](const Item& i) { return i.state & LVIS_SELECTED; });
      case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD old = exStyle;
        DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
        exStyle = (exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
        return old;
      }
      case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return exStyle;
      case LVM_GETSELECTIONMARK:
        return selectionMark;
      case LVM_SETSELECTIONMARK: {
        int old = selectionMark;
        selectionMark = static_cast<int>(lParam);
        return old;
      }
      case WM_KEYDOWN: {
        NMLVKEYDOWN nm{};
        nm.wVKey = static_cast<WORD>(wParam);
        nm.flags = 0;
        NotifyParent(hwnd, nm.hdr, LVN_KEYDOWN);
        if (!IsWindow(hwnd)) return 0;
        if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_HOME || wParam == VK_END) {
          int focus = NextItem(-1, LVNI_FOCUSED);
          int next = wParam == VK_HOME  ? 0
                     : wParam == VK_END ? static_cast<int>(items.size()) - 1
                                        : focus + (wParam == VK_DOWN ? 1 : -1);
          if (focus < 0 && wParam != VK_HOME && wParam != VK_END) next = 0;
          if (Valid(next)) {
            SelectOnly(hwnd, next);
            EnsureVisible(hwnd, next);
          }
        }
        return 0;
      }
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: {
        SetFocus(hwnd);
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int sub = 0;
        int at = HitItem(hwnd, p, nullptr, &sub);
        if (message == WM_LBUTTONDOWN)
          Click(hwnd, at, sub, p, NM_CLICK);
        else
          Click(hwnd, at, sub, p, NM_DBLCLK);
        return 0;
      }
      case WM_SETFOCUS: {
        NMHDR nm{};
        NotifyParent(hwnd, nm, NM_SETFOCUS);
        return 0;
      }
      case WM_KILLFOCUS: {
        NMHDR nm{};
        NotifyParent(hwnd, nm, NM_KILLFOCUS);
        return 0;
      }
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        if (StyleOf(hwnd) & LVS_OWNERDRAWFIXED) {
          int count = PerPage(hwnd) + 1;
          for (int i = top; i < static_cast<int>(items.size()) && i < top + count; ++i) {
            const Item& item = items[static_cast<size_t>(i)];
            UINT state =
                ((item.state & LVIS_SELECTED) ? ODS_SELECTED : 0) | ((item.state & LVIS_FOCUSED) ? ODS_FOCUS : 0);
            SendDrawItem(hwnd, ps.hdc, ODT_LISTVIEW, static_cast<UINT>(i), state, ItemRect(hwnd, i),
                         static_cast<ULONG_PTR>(item.data));
            if (!IsWindow(hwnd)) return 0;
          }
        }
        EndPaint(hwnd, &ps);
        return 0;
      }
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

  int NextItem(int start, UINT flags) const {
    int n = static_cast<int>(items.size());
    if (flags & LVNI_ABOVE) return (start > 0) ? start - 1 : -1;
    if (flags & LVNI_BELOW) return (start + 1 < n) ? start + 1 : -1;
    UINT want = ((flags & LVNI_SELECTED) ? LVIS_SELECTED : 0) | ((flags & LVNI_FOCUSED) ? LVIS_FOCUSED : 0);
    for (int i = std::max(start + 1, 0); i < n; ++i)
      if ((items[static_cast<size_t>(i)].state & want) == want) return i;
    return -1;
  }

  bool EnsureVisible(HWND hwnd, int at) {
    if (!Valid(at)) return false;
    int perPage = std::max(1, PerPage(hwnd));
    if (at < top)
      top = at;
    else if (at >= top + perPage)
      top = at - perPage + 1;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }

  void SelectOnly(HWND hwnd, int at) {
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
      if (i != at && (items[static_cast<size_t>(i)].state & LVIS_SELECTED)) SetState(hwnd, i, 0, LVIS_SELECTED);
    if (Valid(at)) SetState(hwnd, at, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    selectionMark = at;
  }

  void Click(HWND hwnd, int at, int sub, POINT p, UINT code) {
    if (code == NM_CLICK || (Valid(at) && !(items[static_cast<size_t>(at)].state & LVIS_SELECTED))) {
      if (Valid(at))
        SelectOnly(hwnd, at);
      else if (!(StyleOf(hwnd) & LVS_SHOWSELALWAYS))
        SelectOnly(hwnd, -1);
    }
    if (!IsWindow(hwnd)) return;
    NMITEMACTIVATE nm{};
    nm.iItem = at;
    nm.iSubItem = sub;
    nm.ptAction = p;
    if (Valid(at)) nm.lParam = items[static_cast<size_t>(at)].data;
    NotifyParent(hwnd, nm.hdr, code);
    if (code == NM_DBLCLK && Valid(at) && IsWindow(hwnd)) {
      NMITEMACTIVATE act = nm;
      NotifyParent(hwnd, act.hdr, LVN_ITEMACTIVATE);
    }
  }

  POINT RowPoint(HWND hwnd, int at) const {
    RECT r = ItemRect(hwnd, at);
    return POINT{std::min(4, std::max(0, r.right - 1)), (r.top + r.bottom) / 2};
  }

  bool UserChoose(HWND hwnd, int at) override {
    if (!Valid(at)) return false;
    SetFocus(hwnd);
    EnsureVisible(hwnd, at);
    Click(hwnd, at, 0, RowPoint(hwnd, at), NM_CLICK);
    return true;
  }

  bool UserDoubleClick(HWND hwnd, int at) override {
    if (!UserChoose(hwnd, at)) return false;
    if (IsWindow(hwnd)) Click(hwnd, at, 0, RowPoint(hwnd, at), NM_DBLCLK);
    return true;
  }
};

namespace {
std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<ListViewControl>(); }
const bool registered = (RegisterPredefinedClass(WC_LISTVIEWW, &Make, nullptr, CS_DBLCLKS),
                         SetWrapperFactory(WC_LISTVIEWW, [] { return static_cast<CWnd*>(new CListCtrl); }), true);
}  // namespace

bool ClickListColumn(HWND list, int column) {
  ListViewControl* lv = ControlOf<ListViewControl>(list);
  if (!lv || column < 0 || column >= static_cast<int>(lv->columns.size())) return false;
  NMLISTVIEW nm{};
  nm.iItem = -1;
  nm.iSubItem = column;
  NotifyParent(list, nm.hdr, LVN_COLUMNCLICK);
  return true;
}

}  // namespace platform

using platform::ListViewControl;

namespace {
ListViewControl* LV(HWND h) { return platform::ControlOf<ListViewControl>(h); }
std::u16string FromA(LPCSTR s) { return s ? platform::GbkToUtf16(s) : std::u16string(); }
std::u16string FromW(LPCWSTR s) { return s ? std::u16string(s) : std::u16string(); }
}  // namespace

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, const LVCOLUMNW* info) {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !info) return -1;
  ListViewControl::Column c;
  if (info->mask & LVCF_FMT) c.format = info->fmt;
  if (info->mask & LVCF_WIDTH) c.width = info->cx;
  if (info->mask & LVCF_TEXT) c.text = FromW(info->pszText);
  c.subItem = (info->mask & LVCF_SUBITEM) ? info->iSubItem : column;
  return lv->InsertColumn(m_hWnd, column, c);
}

int CListCtrl::InsertColumn(int column, const LVCOLUMNA* info) {
  if (!info) return -1;
  std::u16string text = FromA(info->pszText);
  LVCOLUMNW wide{info->mask, info->fmt, info->cx, text.data(), 0, info->iSubItem, info->iImage, info->iOrder};
  return InsertColumn(column, &wide);
}

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int format, int width, int subItem) {
  std::u16string text = FromW(heading);
  LVCOLUMNW info{LVCF_TEXT | LVCF_FMT, format, width, text.data(), 0, subItem, 0, 0};
  if (width != -1) info.mask |= LVCF_WIDTH;
  if (subItem != -1) info.mask |= LVCF_SUBITEM;
  return InsertColumn(column, &info);
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem) {
  std::u16string text = FromA(heading);
  return InsertColumn(column, text.c_str(), format, width, subItem);
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMNW* info) {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !info || column < 0 || column >= static_cast<int>(lv->columns.size())) return FALSE;
  ListViewControl::Column& c = lv->columns[static_cast<size_t>(column)];
  if (info->mask & LVCF_FMT) c.format = info->fmt;
  if (info->mask & LVCF_WIDTH) c.width = info->cx;
  if (info->mask & LVCF_TEXT) c.text = FromW(info->pszText);
  if (info->mask & LVCF_SUBITEM) c.subItem = info->iSubItem;
  Invalidate();
  return TRUE;
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMNA* info) {
  if (!info) return FALSE;
  std::u16string text = FromA(info->pszText);
  LVCOLUMNW wide{info->mask, info->fmt, info->cx, text.data(), 0, info->iSubItem, info->iImage, info->iOrder};
  return SetColumn(column, &wide);
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMNW* info) const {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !info || column < 0 || column >= static_cast<int>(lv->columns.size())) return FALSE;
  const ListViewControl::Column& c = lv->columns[static_cast<size_t>(column)];
  if (info->mask & LVCF_FMT) info->fmt = c.format;
  if (info->mask & LVCF_WIDTH) info->cx = c.width;
  if (info->mask & LVCF_SUBITEM) info->iSubItem = c.subItem;
  if ((info->mask & LVCF_TEXT) && info->pszText && info->cchTextMax > 0) {
    size_t n = std::min<size_t>(c.text.size(), static_cast<size_t>(info->cchTextMax - 1));
    std::copy_n(c.text.data(), n, info->pszText);
    info->pszText[n] = 0;
  }
  return TRUE;
}

BOOL CListCtrl::DeleteColumn(int column) {
  return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
}
int CListCtrl::GetColumnWidth(int column) const {
  return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}
BOOL CListCtrl::SetColumnWidth(int column, int width) {
  return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}
int CListCtrl::GetColumnCount() const {
  ListViewControl* lv = LV(m_hWnd);
  return lv ? static_cast<int>(lv->columns.size()) : 0;
}

int CListCtrl::InsertItem(int item, LPCWSTR text) {
  ListViewControl* lv = LV(m_hWnd);
  return lv ? lv->InsertItem(m_hWnd, item, FromW(text), 0, 0, 0) : -1;
}
int CListCtrl::InsertItem(int item, LPCSTR text) {
  ListViewControl* lv = LV(m_hWnd);
  return lv ? lv->InsertItem(m_hWnd, item, FromA(text), 0, 0, 0) : -1;
}
int CListCtrl::InsertItem(const LVITEMW* item) {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !item || item->iSubItem != 0) return -1;
  int at = lv->InsertItem(m_hWnd, item->iItem, (item->mask & LVIF_TEXT) ? FromW(item->pszText) : std::u16string(),
                          (item->mask & LVIF_PARAM) ? item->lParam : 0, item->state,
                          (item->mask & LVIF_STATE) ? item->stateMask : 0);
  if (at >= 0 && (item->mask & LVIF_IMAGE)) lv->items[static_cast<size_t>(at)].image = item->iImage;
  return at;
}
int CListCtrl::InsertItem(const LVITEMA* item) {
  if (!item) return -1;
  std::u16string text = FromA(item->pszText);
  LVITEMW wide{item->mask,  item->iItem, item->iSubItem, item->state,  item->stateMask,
               text.data(), 0,           item->iImage,   item->lParam, item->iIndent};
  return InsertItem(&wide);
}
BOOL CListCtrl::DeleteItem(int item) {
  return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)));
}
BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

BOOL CListCtrl::SetItemText(int item, int subItem, LPCWSTR text) {
  ListViewControl* lv = LV(m_hWnd);
  return lv && lv->SetText(m_hWnd, item, subItem, FromW(text));
}
BOOL CListCtrl::SetItemText(int item, int subItem, LPCSTR text) {
  ListViewControl* lv = LV(m_hWnd);
  return lv && lv->SetText(m_hWnd, item, subItem, FromA(text));
}
CStringW CListCtrl::GetItemText(int item, int subItem) const {
  ListViewControl* lv = LV(m_hWnd);
  return lv ? CStringW(lv->Text(item, subItem).c_str()) : CStringW();
}
int CListCtrl::GetItemText(int item, int subItem, LPWSTR buffer, int length) const {
  if (!buffer || length <= 0) return 0;
  CStringW text = GetItemText(item, subItem);
  int n = std::min(text.GetLength(), length - 1);
  std::copy_n(text.GetString(), n, buffer);
  buffer[n] = 0;
  return n;
}
int CListCtrl::GetItemText(int item, int subItem, LPSTR buffer, int length) const {
  if (!buffer || length <= 0) return 0;
  std::string text = platform::Utf16ToGbk(GetItemText(item, subItem).str());
  size_t n = 0;
  while (n < text.size()) {
    size_t len = (platform::IsGbkLeadByte(static_cast<unsigned char>(text[n])) && n + 1 < text.size()) ? 2 : 1;
    if (n + len > static_cast<size_t>(length - 1)) break;
    n += len;
  }
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  return static_cast<int>(n);
}
BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !lv->Valid(item)) return FALSE;
  lv->items[static_cast<size_t>(item)].data = static_cast<LPARAM>(data);
  return TRUE;
}
DWORD_PTR CListCtrl::GetItemData(int item) const {
  ListViewControl* lv = LV(m_hWnd);
  return (lv && lv->Valid(item)) ? static_cast<DWORD_PTR>(lv->items[static_cast<size_t>(item)].data) : 0;
}
BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  LVITEMW info{};
  info.state = state;
  info.stateMask = mask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}
UINT CListCtrl::GetItemState(int item, UINT mask) const {
  return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}
BOOL CListCtrl::GetItem(LVITEMW* item) const {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !item || !lv->Valid(item->iItem)) return FALSE;
  const ListViewControl::Item& it = lv->items[static_cast<size_t>(item->iItem)];
  if (item->mask & LVIF_STATE) item->state = it.state & item->stateMask;
  if (item->mask & LVIF_PARAM) item->lParam = it.data;
  if (item->mask & LVIF_IMAGE) item->iImage = it.image;
  if (item->mask & LVIF_INDENT) item->iIndent = it.indent;
  if ((item->mask & LVIF_TEXT) && item->pszText && item->cchTextMax > 0)
    GetItemText(item->iItem, item->iSubItem, item->pszText, item->cchTextMax);
  return TRUE;
}
BOOL CListCtrl::SetItem(const LVITEMW* item) {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !item || !lv->Valid(item->iItem)) return FALSE;
  if ((item->mask & LVIF_TEXT) && !lv->SetText(m_hWnd, item->iItem, item->iSubItem, FromW(item->pszText))) return FALSE;
  ListViewControl::Item& it = lv->items[static_cast<size_t>(item->iItem)];
  if (item->mask & LVIF_PARAM) it.data = item->lParam;
  if (item->mask & LVIF_IMAGE) it.image = item->iImage;
  if (item->mask & LVIF_INDENT) it.indent = item->iIndent;
  if (item->mask & LVIF_STATE) return lv->SetState(m_hWnd, item->iItem, item->state, item->stateMask);
  return TRUE;
}
int CListCtrl::GetNextItem(int item, int flags) const {
  return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(item), flags));
}
UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  int first = GetNextItem(-1, LVNI_SELECTED);
  return reinterpret_cast<POSITION>(static_cast<INT_PTR>(first + 1));
}
int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
  int current = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
  int next = GetNextItem(current, LVNI_SELECTED);
  pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1));
  return current;
}
int CListCtrl::GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
int CListCtrl::SetSelectionMark(int item) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, item)); }
DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
  return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle)));
}
BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !rect || !lv->Valid(item)) return FALSE;
  RECT r = lv->ItemRect(m_hWnd, item);
  if ((code == LVIR_LABEL || code == LVIR_ICON) && !lv->columns.empty()) r.right = r.left + lv->columns[0].width;
  if (code == LVIR_ICON) r.right = r.left;  // no image lists: the icon part is empty
  *rect = r;
  return TRUE;
}
BOOL CListCtrl::GetSubItemRect(int item, int subItem, int, CRect& rect) const {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !lv->Valid(item) || subItem < 0 || subItem >= static_cast<int>(lv->columns.size())) return FALSE;
  RECT r = lv->ItemRect(m_hWnd, item);
  int x = 0;
  for (int c = 0; c < subItem; ++c) x += lv->columns[static_cast<size_t>(c)].width;
  rect = CRect(x, r.top, x + lv->columns[static_cast<size_t>(subItem)].width, r.bottom);
  return TRUE;
}
int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
BOOL CListCtrl::EnsureVisible(int item, BOOL partialOK) {
  return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOK));
}
BOOL CListCtrl::RedrawItems(int first, int last) {
  return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
}
int CListCtrl::HitTest(CPoint point, UINT* flags) const {
  ListViewControl* lv = LV(m_hWnd);
  return lv ? lv->HitItem(m_hWnd, point, flags, nullptr) : -1;
}
int CListCtrl::HitTest(LVHITTESTINFO* info) const {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !info) return -1;
  info->iItem = lv->HitItem(m_hWnd, info->pt, &info->flags, nullptr);
  return info->iItem;
}
int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const {
  ListViewControl* lv = LV(m_hWnd);
  if (!lv || !info) return -1;
  info->iItem = lv->HitItem(m_hWnd, info->pt, &info->flags, &info->iSubItem);
  return info->iItem;
}
void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  return TRUE;
}
