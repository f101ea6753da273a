// Helpers shared by the predefined controls.
#pragma once

#include <string>
#include <vector>

#include "platform/core/String.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

namespace platform {

// The style bits of a window.
DWORD StyleOf(HWND hwnd);
// The text of a window as stored.
std::u16string& TextOf(HWND hwnd);
// Sends WM_DRAWITEM for an owner-drawn item to the parent, to draw with
// `dc` (the control's paint DC).
void SendDrawItem(HWND control, HDC dc, UINT type, UINT itemId, UINT state, const RECT& rect, ULONG_PTR data);
// Asks the parent for the height of an owner-drawn item (WM_MEASUREITEM);
// `fallback` when the parent does not say.
UINT MeasureItemHeight(HWND control, UINT type, UINT itemId, ULONG_PTR data, UINT fallback);
// Case-insensitive comparison of list texts (ASCII letters folded), as list
// boxes sort and search.
int CompareListText(const std::u16string& a, const std::u16string& b);
bool StartsWithNoCase(const std::u16string& text, const std::u16string& prefix);

// Reads the text argument of a string message (null reads as empty).
std::u16string TextArg(LPARAM lParam);

// The items of a list box or of a combo box's list.
struct ListItem {
  std::u16string text;
  ULONG_PTR data = 0;
  bool selected = false;
};

class ItemList {
 public:
  std::vector<ListItem> items;
  bool sorted = false;
  bool hasStrings = true;

  int Count() const { return static_cast<int>(items.size()); }
  bool Valid(int i) const { return i >= 0 && i < Count(); }
  // Adds at the sorted place (or the end); returns the index.
  int Add(const std::u16string& text, ULONG_PTR data);
  // Inserts at `index` (-1: the end); -1 when the index is out of range.
  int Insert(int index, const std::u16string& text, ULONG_PTR data);
  // The first item after `start` (wrapping) whose text begins with `text`
  // (exact: equals it), ignoring case; -1 when none.
  int Find(int start, const std::u16string& text, bool exact) const;

  // The answers to the item messages a list box and a combo box take alike
  // (LB_ADDSTRING or CB_ADDSTRING, ...); -1 (LB_ERR, CB_ERR) for no such
  // item. A list without strings keeps an item's data in place of its text.
  // Add or insert: the new item's index.
  int AddFromMessage(bool insert, int index, LPARAM lParam);
  // The item's text into a caller's buffer (its length), or its data.
  LRESULT CopyItemText(int index, LPARAM buffer) const;
  LRESULT ItemTextLength(int index) const;
  LRESULT FindFromMessage(int start, LPARAM lParam, bool exact) const { return Find(start, TextArg(lParam), exact); }
  LRESULT ItemData(int index) const;
  // 0 once set.
  LRESULT SetItemData(int index, LPARAM data);
};

// Copies `text` with its terminating zero into a caller's UTF-16 buffer.
LRESULT CopyOut(const std::u16string& text, LPARAM buffer);

// The text of item `index` of a list control, asked for with its length
// message and its text message (LB_GETTEXTLEN and LB_GETTEXT, or the combo
// box's pair); its length, or `error` (the text emptied) for no such item.
int ReadItemText(HWND control, UINT lengthMessage, UINT textMessage, int index, CStringW& text, int error);
int ReadItemText(HWND control, UINT lengthMessage, UINT textMessage, int index, CStringA& text, int error);

}  // namespace platform
