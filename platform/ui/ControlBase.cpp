#include "platform/ui/ControlBase.h"

#include <algorithm>

#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

namespace platform {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }

std::u16string& TextOf(HWND hwnd) {
  static std::u16string none;
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) {
    none.clear();
    return none;
  }
  return w->text;
}

void SendDrawItem(HWND control, HDC dc, UINT type, UINT itemId, UINT state, const RECT& rect, ULONG_PTR data) {
  HWND parent = GetParent(control);
  if (!parent) return;
  DRAWITEMSTRUCT dis{type, static_cast<UINT>(GetDlgCtrlID(control)), itemId, ODA_DRAWENTIRE, state, control, dc, rect,
                     data};
  SendMessageW(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

UINT MeasureItemHeight(HWND control, UINT type, UINT itemId, ULONG_PTR data, UINT fallback) {
  HWND parent = GetParent(control);
  if (!parent) return fallback;
  MEASUREITEMSTRUCT mis{type, static_cast<UINT>(GetDlgCtrlID(control)), itemId, 0, fallback, data};
  SendMessageW(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
  return mis.itemHeight ? mis.itemHeight : fallback;
}

int CompareListText(const std::u16string& a, const std::u16string& b) {
  return CStringW(a.c_str()).CompareNoCase(b.c_str());
}

bool StartsWithNoCase(const std::u16string& text, const std::u16string& prefix) {
  if (prefix.size() > text.size()) return false;
  return CompareListText(text.substr(0, prefix.size()), prefix) == 0;
}

int ItemList::Add(const std::u16string& text, ULONG_PTR data) {
  int at = Count();
  if (sorted && hasStrings) {
    at = 0;
    while (at < Count() && CompareListText(items[static_cast<size_t>(at)].text, text) <= 0) ++at;
  }
  items.insert(items.begin() + at, ListItem{text, data, false});
  return at;
}

int ItemList::Insert(int index, const std::u16string& text, ULONG_PTR data) {
  if (index == -1) index = Count();
  if (index < 0 || index > Count()) return -1;
  items.insert(items.begin() + index, ListItem{text, data, false});
  return index;
}

int ItemList::Find(int start, const std::u16string& text, bool exact) const {
  int n = Count();
  if (n == 0) return -1;
  if (start < -1 || start >= n) start = -1;
  for (int step = 1; step <= n; ++step) {
    int i = (start + step) % n;
    const std::u16string& item = items[static_cast<size_t>(i)].text;
    if (exact ? CompareListText(item, text) == 0 : StartsWithNoCase(item, text)) return i;
  }
  return -1;
}

int ItemList::AddFromMessage(bool insert, int index, LPARAM lParam) {
  std::u16string text = hasStrings ? TextArg(lParam) : std::u16string();
  ULONG_PTR data = hasStrings ? 0 : static_cast<ULONG_PTR>(lParam);
  return insert ? Insert(index, text, data) : Add(text, data);
}

LRESULT ItemList::CopyItemText(int index, LPARAM buffer) const {
  if (!Valid(index)) return -1;
  if (!hasStrings) {
    *reinterpret_cast<ULONG_PTR*>(buffer) = items[static_cast<size_t>(index)].data;
    return sizeof(ULONG_PTR);
  }
  return CopyOut(items[static_cast<size_t>(index)].text, buffer);
}

LRESULT ItemList::ItemTextLength(int index) const {
  if (!Valid(index)) return -1;
  return hasStrings ? static_cast<LRESULT>(items[static_cast<size_t>(index)].text.size())
                    : static_cast<LRESULT>(sizeof(ULONG_PTR));
}

LRESULT ItemList::ItemData(int index) const {
  return Valid(index) ? static_cast<LRESULT>(items[static_cast<size_t>(index)].data) : -1;
}

LRESULT ItemList::SetItemData(int index, LPARAM data) {
  if (!Valid(index)) return -1;
  items[static_cast<size_t>(index)].data = static_cast<ULONG_PTR>(data);
  return 0;
}

std::u16string TextArg(LPARAM lParam) {
  LPCWSTR s = reinterpret_cast<LPCWSTR>(lParam);
  return s ? std::u16string(s) : std::u16string();
}

LRESULT CopyOut(const std::u16string& text, LPARAM buffer) {
  LPWSTR out = reinterpret_cast<LPWSTR>(buffer);
  if (!out) return -1;
  std::copy(text.begin(), text.end(), out);
  out[text.size()] = 0;
  return static_cast<LRESULT>(text.size());
}

int ReadItemText(HWND control, UINT lengthMessage, UINT textMessage, int index, CStringW& text, int error) {
  const auto length = static_cast<int>(::SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0));
  if (length < 0) {
    text.Empty();
    return error;
  }
  std::u16string buffer(static_cast<size_t>(length) + 1, u'\0');
  ::SendMessageW(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  text = CStringW(buffer.c_str());
  return text.GetLength();
}

int ReadItemText(HWND control, UINT lengthMessage, UINT textMessage, int index, CStringA& text, int error) {
  CStringW wide;
  const int n = ReadItemText(control, lengthMessage, textMessage, index, wide, error);
  text = CStringA(wide);
  return n < 0 ? n : text.GetLength();
}

}  // namespace platform
