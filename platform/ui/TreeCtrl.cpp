#include "platform/ui/TreeCtrl.h"

#include <algorithm>
#include <map>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace platform {
namespace {

constexpr int kRowHeight = 16;
constexpr int kIndent = 19;

class TreeViewControl : public ControlImpl {
 public:
  struct Node {
    std::u16string text;
    LPARAM data = 0;
    UINT state = 0;
    HTREEITEM parent = nullptr;  // null: a root item
    std::vector<HTREEITEM> children;
  };

  std::map<HTREEITEM, Node> nodes;
  std::vector<HTREEITEM> roots;
  HTREEITEM selected = nullptr;
  int top = 0;  // the first visible row
  uintptr_t next = 0x100;

  bool Valid(HTREEITEM h) const { return h && nodes.count(h); }
  std::vector<HTREEITEM>& Siblings(HTREEITEM parent) { return parent ? nodes[parent].children : roots; }
  const std::vector<HTREEITEM>& Siblings(HTREEITEM parent) const { return parent ? nodes.at(parent).children : roots; }

  HTREEITEM Insert(HWND hwnd, const std::u16string& text, HTREEITEM parent, HTREEITEM after, LPARAM data) {
    if (parent == TVI_ROOT) parent = nullptr;
    if (parent && !Valid(parent)) return nullptr;
    HTREEITEM h = reinterpret_cast<HTREEITEM>(next++);
    std::vector<HTREEITEM>& list = Siblings(parent);
    size_t at = list.size();
    if (after == TVI_FIRST) {
      at = 0;
    } else if (after == TVI_SORT) {
      at = 0;
      while (at < list.size() && CompareListText(nodes[list[at]].text, text) <= 0) ++at;
    } else if (after != TVI_LAST) {
      auto it = std::find(list.begin(), list.end(), after);
      if (it == list.end()) return nullptr;
      at = static_cast<size_t>(it - list.begin()) + 1;
    }
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), h);
    Node node;
    node.text = text;
    node.data = data;
    node.parent = parent;
    nodes.emplace(h, std::move(node));
    InvalidateRect(hwnd, nullptr, TRUE);
    return h;
  }

  void Delete(HWND hwnd, HTREEITEM h) {
    for (HTREEITEM c : std::vector<HTREEITEM>(nodes[h].children)) Delete(hwnd, c);
    NMTREEVIEW nm{};
    nm.itemOld.hItem = h;
    nm.itemOld.lParam = nodes[h].data;
    NotifyParent(hwnd, nm.hdr, TVN_DELETEITEM);
    std::vector<HTREEITEM>& list = Siblings(nodes[h].parent);
    list.erase(std::remove(list.begin(), list.end(), h), list.end());
    if (selected == h) selected = nullptr;
    nodes.erase(h);
  }

  // The items shown, in display order: the roots and the children of
  // expanded items.
  std::vector<HTREEITEM> Visible() const {
    std::vector<HTREEITEM> out;
    std::vector<HTREEITEM> stack(roots.rbegin(), roots.rend());
    while (!stack.empty()) {
      HTREEITEM h = stack.back();
      stack.pop_back();
      out.push_back(h);
      const Node& n = nodes.at(h);
      if (n.state & TVIS_EXPANDED)
        for (auto it = n.children.rbegin(); it != n.children.rend(); ++it) stack.push_back(*it);
    }
    return out;
  }

  int Depth(HTREEITEM h) const {
    int d = 0;
    for (HTREEITEM p = nodes.at(h).parent; p; p = nodes.at(p).parent) ++d;
    return d;
  }

  bool Select(HWND hwnd, HTREEITEM h, UINT action) {
    if (h && !Valid(h)) return false;
    if (h == selected) return true;
    NMTREEVIEW nm{};
    nm.action = action;
    nm.itemOld.hItem = selected;
    if (selected) nm.itemOld.lParam = nodes[selected].data;
    nm.itemNew.hItem = h;
    if (h) nm.itemNew.lParam = nodes[h].data;
    if (NotifyParent(hwnd, nm.hdr, TVN_SELCHANGING)) return false;
    if (!IsWindow(hwnd) || (h && !Valid(h))) return false;
    if (selected && Valid(selected)) nodes[selected].state &= ~static_cast<UINT>(TVIS_SELECTED);
    selected = h;
    if (h) {
      nodes[h].state |= TVIS_SELECTED;
      // The parents of a selected item open.
      for (HTREEITEM p = nodes[h].parent; p; p = nodes[p].parent) nodes[p].state |= TVIS_EXPANDED;
    }
    NMTREEVIEW done = nm;
    NotifyParent(hwnd, done.hdr, TVN_SELCHANGED);
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
  }

  bool Expand(HWND hwnd, HTREEITEM h, UINT code) {
    if (!Valid(h) || nodes[h].children.empty()) return false;
    bool open = (nodes[h].state & TVIS_EXPANDED) != 0;
    bool want = code == TVE_EXPAND ? true : code == TVE_COLLAPSE ? false : !open;
    if (want == open) return true;
    NMTREEVIEW nm{};
    nm.action = want ? TVE_EXPAND : TVE_COLLAPSE;
    nm.itemNew.hItem = h;
    nm.itemNew.lParam = nodes[h].data;
    nm.itemNew.state = nodes[h].state;
    if (NotifyParent(hwnd, nm.hdr, TVN_ITEMEXPANDING)) return false;
    if (!IsWindow(hwnd) || !Valid(h)) return false;
    if (want)
      nodes[h].state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    else
      nodes[h].state &= ~static_cast<UINT>(TVIS_EXPANDED);
    NMTREEVIEW done = nm;
    done.itemNew.state = nodes[h].state;
    NotifyParent(hwnd, done.hdr, TVN_ITEMEXPANDED);
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
  }

  bool Rect(HWND hwnd, HTREEITEM h, bool textOnly, RECT& r) const {
    if (!Valid(h)) return false;
    std::vector<HTREEITEM> shown = Visible();
    auto it = std::find(shown.begin(), shown.end(), h);
    if (it == shown.end()) return false;
    int row = static_cast<int>(it - shown.begin()) - top;
    RECT client;
    GetClientRect(hwnd, &client);
    bool lines = (StyleOf(hwnd) & TVS_LINESATROOT) != 0;
    int left = (Depth(h) + (lines ? 1 : 0)) * kIndent;
    int width = static_cast<int>(nodes.at(h).text.size()) * 7 + 4;  // an average character of 7 pixels
    r = textOnly ? RECT{left, row * kRowHeight, left + width, (row + 1) * kRowHeight}
                 : RECT{0, row * kRowHeight, client.right, (row + 1) * kRowHeight};
    return true;
  }

  HTREEITEM Hit(HWND hwnd, POINT p, UINT* flags) const {
    std::vector<HTREEITEM> shown = Visible();
    RECT client;
    GetClientRect(hwnd, &client);
    UINT f = TVHT_NOWHERE;
    HTREEITEM found = nullptr;
    if (p.y < 0)
      f = TVHT_ABOVE;
    else if (p.y >= client.bottom)
      f = TVHT_BELOW;
    else if (p.x < 0)
      f = TVHT_TOLEFT;
    else if (p.x >= client.right)
      f = TVHT_TORIGHT;
    else {
      int row = top + p.y / kRowHeight;
      if (row >= 0 && row < static_cast<int>(shown.size())) {
        found = shown[static_cast<size_t>(row)];
        RECT text;
        Rect(hwnd, found, true, text);
        f = p.x < text.left ? TVHT_ONITEMINDENT : p.x < text.right ? TVHT_ONITEMLABEL : TVHT_ONITEMRIGHT;
      }
    }
    if (flags) *flags = f;
    return found;
  }

  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
      case TVM_GETCOUNT:
        return static_cast<LRESULT>(nodes.size());
      case TVM_DELETEITEM: {
        HTREEITEM h = reinterpret_cast<HTREEITEM>(lParam);
        if (h == TVI_ROOT || !h) {
          for (HTREEITEM r : std::vector<HTREEITEM>(roots)) Delete(hwnd, r);
          top = 0;
          return TRUE;
        }
        if (!Valid(h)) return FALSE;
        Delete(hwnd, h);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
      }
      case TVM_EXPAND:
        return Expand(hwnd, reinterpret_cast<HTREEITEM>(lParam), static_cast<UINT>(wParam) & 3);
      case TVM_SELECTITEM:
        if (wParam == TVGN_CARET) return Select(hwnd, reinterpret_cast<HTREEITEM>(lParam), TVC_UNKNOWN);
        return FALSE;
      case TVM_GETNEXTITEM:
        return reinterpret_cast<LRESULT>(NextItem(reinterpret_cast<HTREEITEM>(lParam), static_cast<UINT>(wParam)));
      case TVM_ENSUREVISIBLE: {
        HTREEITEM h = reinterpret_cast<HTREEITEM>(lParam);
        if (!Valid(h)) return FALSE;
        for (HTREEITEM p = nodes[h].parent; p; p = nodes[p].parent) Expand(hwnd, p, TVE_EXPAND);
        std::vector<HTREEITEM> shown = Visible();
        int row = static_cast<int>(std::find(shown.begin(), shown.end(), h) - shown.begin());
        RECT client;
        GetClientRect(hwnd, &client);
        int rows = std::max(1, static_cast<int>(client.bottom / kRowHeight));
        if (row < top)
          top = row;
        else if (row >= top + rows)
          top = row - rows + 1;
        return TRUE;
      }
      case WM_KEYDOWN: {
        struct {
          NMHDR hdr;
          WORD wVKey;
          UINT flags;
        } nm{};
        nm.wVKey = static_cast<WORD>(wParam);
        NotifyParent(hwnd, nm.hdr, TVN_KEYDOWN);
        if (!IsWindow(hwnd)) return 0;
        std::vector<HTREEITEM> shown = Visible();
        auto it = std::find(shown.begin(), shown.end(), selected);
        if (wParam == VK_DOWN && it != shown.end() && it + 1 != shown.end())
          Select(hwnd, *(it + 1), TVC_BYKEYBOARD);
        else if (wParam == VK_UP && it != shown.end() && it != shown.begin())
          Select(hwnd, *(it - 1), TVC_BYKEYBOARD);
        else if (wParam == VK_DOWN && it == shown.end() && !shown.empty())
          Select(hwnd, shown.front(), TVC_BYKEYBOARD);
        else if (wParam == VK_RIGHT && selected)
          Expand(hwnd, selected, TVE_EXPAND);
        else if (wParam == VK_LEFT && selected)
          Expand(hwnd, selected, TVE_COLLAPSE);
        return 0;
      }
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: {
        SetFocus(hwnd);
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        HTREEITEM h = Hit(hwnd, p, nullptr);
        if (message == WM_LBUTTONDOWN)
          ClickItem(hwnd, h);
        else
          DoubleClickItem(hwnd, h);
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
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

  HTREEITEM NextItem(HTREEITEM h, UINT code) const {
    switch (code) {
      case TVGN_ROOT:
        return roots.empty() ? nullptr : roots.front();
      case TVGN_CARET:
        return selected;
      case TVGN_FIRSTVISIBLE: {
        std::vector<HTREEITEM> shown = Visible();
        return top < static_cast<int>(shown.size()) ? shown[static_cast<size_t>(top)] : nullptr;
      }
      default:
        break;
    }
    if (h == TVI_ROOT && code == TVGN_CHILD) return roots.empty() ? nullptr : roots.front();
    if (!Valid(h)) return nullptr;
    const Node& n = nodes.at(h);
    switch (code) {
      case TVGN_CHILD:
        return n.children.empty() ? nullptr : n.children.front();
      case TVGN_PARENT:
        return n.parent;
      case TVGN_NEXT:
      case TVGN_PREVIOUS: {
        const std::vector<HTREEITEM>& list = Siblings(n.parent);
        auto it = std::find(list.begin(), list.end(), h);
        if (code == TVGN_NEXT) return (it + 1 == list.end()) ? nullptr : *(it + 1);
        return it == list.begin() ? nullptr : *(it - 1);
      }
      case TVGN_NEXTVISIBLE:
      case TVGN_PREVIOUSVISIBLE: {
        std::vector<HTREEITEM> shown = Visible();
        auto it = std::find(shown.begin(), shown.end(), h);
        if (it == shown.end()) return nullptr;
        if (code == TVGN_NEXTVISIBLE) return (it + 1 == shown.end()) ? nullptr : *(it + 1);
        return it == shown.begin() ? nullptr : *(it - 1);
      }
      default:
        return nullptr;
    }
  }

  void ClickItem(HWND hwnd, HTREEITEM h) {
    NMHDR nm{};
    if (NotifyParent(hwnd, nm, NM_CLICK)) return;
    if (IsWindow(hwnd) && h && Valid(h)) Select(hwnd, h, TVC_BYMOUSE);
  }

  void DoubleClickItem(HWND hwnd, HTREEITEM h) {
    NMHDR nm{};
    if (NotifyParent(hwnd, nm, NM_DBLCLK)) return;  // the parent took it
    if (IsWindow(hwnd) && h && Valid(h)) Expand(hwnd, h, TVE_TOGGLE);
  }

  HTREEITEM ShownAt(int index) const {
    std::vector<HTREEITEM> shown = Visible();
    return (index >= 0 && index < static_cast<int>(shown.size())) ? shown[static_cast<size_t>(index)] : nullptr;
  }

  bool UserChoose(HWND hwnd, int index) override {
    HTREEITEM h = ShownAt(index);
    if (!h) return false;
    SetFocus(hwnd);
    ClickItem(hwnd, h);
    return true;
  }

  bool UserDoubleClick(HWND hwnd, int index) override {
    HTREEITEM h = ShownAt(index);
    if (!h) return false;
    SetFocus(hwnd);
    ClickItem(hwnd, h);
    if (IsWindow(hwnd) && Valid(h)) DoubleClickItem(hwnd, h);
    return true;
  }
};

std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<TreeViewControl>(); }
const bool registered = (RegisterPredefinedClass(WC_TREEVIEWW, &Make, nullptr, CS_DBLCLKS),
                         SetWrapperFactory(WC_TREEVIEWW, [] { return static_cast<CWnd*>(new CTreeCtrl); }), true);

}  // namespace

TreeViewControl* TreeOf(HWND h);
TreeViewControl* TreeOf(HWND h) { return ControlOf<TreeViewControl>(h); }

}  // namespace platform

using platform::TreeOf;

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_TREEVIEWW, nullptr, style, rect, parent, id);
}
HTREEITEM CTreeCtrl::InsertItem(LPCWSTR text, HTREEITEM parent, HTREEITEM after) {
  auto* t = TreeOf(m_hWnd);
  return t ? t->Insert(m_hWnd, text ? text : u"", parent, after, 0) : nullptr;
}
HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, HTREEITEM parent, HTREEITEM after) {
  std::u16string wide = text ? platform::GbkToUtf16(text) : std::u16string();
  return InsertItem(wide.c_str(), parent, after);
}
BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
  return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}
BOOL CTreeCtrl::DeleteAllItems() { return DeleteItem(TVI_ROOT); }
UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const {
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}
HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXTVISIBLE); }
HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const { return GetChildItem(item) != nullptr; }
CStringW CTreeCtrl::GetItemText(HTREEITEM item) const {
  auto* t = TreeOf(m_hWnd);
  return (t && t->Valid(item)) ? CStringW(t->nodes[item].text.c_str()) : CStringW();
}
BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCWSTR text) {
  auto* t = TreeOf(m_hWnd);
  if (!t || !t->Valid(item)) return FALSE;
  t->nodes[item].text = text ? text : u"";
  Invalidate(FALSE);
  return TRUE;
}
BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCSTR text) {
  std::u16string wide = text ? platform::GbkToUtf16(text) : std::u16string();
  return SetItemText(item, wide.c_str());
}
DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
  auto* t = TreeOf(m_hWnd);
  return (t && t->Valid(item)) ? static_cast<DWORD_PTR>(t->nodes[item].data) : 0;
}
BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
  auto* t = TreeOf(m_hWnd);
  if (!t || !t->Valid(item)) return FALSE;
  t->nodes[item].data = static_cast<LPARAM>(data);
  return TRUE;
}
UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
  auto* t = TreeOf(m_hWnd);
  return (t && t->Valid(item)) ? (t->nodes[item].state & mask) : 0;
}
BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
  return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
}
BOOL CTreeCtrl::SelectItem(HTREEITEM item) {
  return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
}
BOOL CTreeCtrl::EnsureVisible(HTREEITEM item) {
  return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)));
}
BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const {
  auto* t = TreeOf(m_hWnd);
  return t && rect && t->Rect(m_hWnd, item, textOnly != FALSE, *rect);
}
HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const {
  auto* t = TreeOf(m_hWnd);
  return t ? t->Hit(m_hWnd, point, flags) : nullptr;
}
HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* info) const {
  if (!info) return nullptr;
  info->hItem = HitTest(CPoint(info->pt), &info->flags);
  return info->hItem;
}
