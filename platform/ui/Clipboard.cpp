#include "platform/ui/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/Charset.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

namespace {

struct Entry {
  UINT format = 0;
  HANDLE data = nullptr;
  bool converted = false;  // made from the other text format
};

struct ClipboardState {
  std::recursive_mutex mutex;
  bool open = false;
  HWND openWindow = nullptr;
  HWND owner = nullptr;
  std::vector<Entry> entries;  // in the order they were set

  Entry* Find(UINT format) {
    auto it = std::find_if(entries.begin(), entries.end(), [format](const Entry& e) { return e.format == format; });
    return it == entries.end() ? nullptr : &*it;
  }
  void FreeAll() {
    for (Entry& e : entries) {
      if (e.data) GlobalFree(e.data);
    }
    entries.clear();
  }
};

ClipboardState& State() {
  static ClipboardState* s = new ClipboardState;  // outlives static destructors
  return *s;
}

// The text of a CF_TEXT or CF_UNICODETEXT block up to its terminator (or
// the block's end).
std::string GbkTextOf(HANDLE block) {
  SIZE_T size = GlobalSize(block);
  const char* p = static_cast<const char*>(GlobalLock(block));
  if (!p) return std::string();
  std::string text(p, strnlen(p, size));
  GlobalUnlock(block);
  return text;
}

std::u16string Utf16TextOf(HANDLE block) {
  SIZE_T units = GlobalSize(block) / sizeof(char16_t);
  const char16_t* p = static_cast<const char16_t*>(GlobalLock(block));
  if (!p) return std::u16string();
  SIZE_T n = 0;
  while (n < units && p[n] != 0) ++n;
  std::u16string text(p, n);
  GlobalUnlock(block);
  return text;
}

HANDLE NewBlock(const void* bytes, SIZE_T size, SIZE_T terminator) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size + terminator);
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    return nullptr;
  }
  if (size) std::memcpy(p, bytes, size);
  std::memset(static_cast<BYTE*>(p) + size, 0, terminator);
  GlobalUnlock(block);
  return block;
}

// The block of the other text format converted into `format`.
HANDLE ConvertText(ClipboardState& s, UINT format) {
  if (format == CF_UNICODETEXT) {
    Entry* from = s.Find(CF_TEXT);
    if (!from || !from->data) return nullptr;
    std::u16string text = platform::GbkToUtf16(GbkTextOf(from->data));
    return NewBlock(text.data(), text.size() * sizeof(char16_t), sizeof(char16_t));
  }
  Entry* from = s.Find(CF_UNICODETEXT);
  if (!from || !from->data) return nullptr;
  std::string text = platform::Utf16ToGbk(Utf16TextOf(from->data));
  return NewBlock(text.data(), text.size(), 1);
}

bool IsText(UINT format) { return format == CF_TEXT || format == CF_UNICODETEXT; }
UINT OtherText(UINT format) { return format == CF_TEXT ? CF_UNICODETEXT : CF_TEXT; }

}  // namespace

BOOL OpenClipboard(HWND owner) {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (owner && !IsWindow(owner)) return FALSE;
  if (s.open) return s.openWindow == owner ? TRUE : FALSE;
  s.open = true;
  s.openWindow = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (!s.open) return FALSE;
  s.open = false;
  s.openWindow = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (!s.open) return FALSE;
  if (s.owner && IsWindow(s.owner)) SendMessageW(s.owner, WM_DESTROYCLIPBOARD, 0, 0);
  s.FreeAll();
  s.owner = s.openWindow;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (!s.open || format == 0) return nullptr;
  if (Entry* e = s.Find(format)) {
    if (e->data && e->data != data) GlobalFree(e->data);
    e->data = data;
    e->converted = false;
  } else {
    s.entries.push_back(Entry{format, data});
  }
  // A text set anew replaces what the clipboard converted from the text
  // before.
  if (IsText(format)) {
    UINT other = OtherText(format);
    auto it = std::find_if(s.entries.begin(), s.entries.end(),
                           [other](const Entry& e) { return e.format == other && e.converted; });
    if (it != s.entries.end()) {
      GlobalFree(it->data);
      s.entries.erase(it);
    }
  }
  return data;
}

HANDLE GetClipboardData(UINT format) {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (!s.open || format == 0) return nullptr;
  if (Entry* e = s.Find(format)) {
    if (!e->data && s.owner && IsWindow(s.owner)) {
      SendMessageW(s.owner, WM_RENDERFORMAT, format, 0);
      e = s.Find(format);
    }
    return e ? e->data : nullptr;
  }
  if (!IsText(format)) return nullptr;
  HANDLE converted = ConvertText(s, format);
  if (converted) s.entries.push_back(Entry{format, converted, true});
  return converted;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (format == 0) return FALSE;
  if (s.Find(format)) return TRUE;
  return IsText(format) && s.Find(OtherText(format)) ? TRUE : FALSE;
}

int CountClipboardFormats() {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  int count = static_cast<int>(s.entries.size());
  for (UINT text : {UINT(CF_TEXT), UINT(CF_UNICODETEXT)}) {
    if (!s.Find(text) && s.Find(OtherText(text))) ++count;
  }
  return count;
}

UINT EnumClipboardFormats(UINT format) {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  if (!s.open) return 0;
  std::vector<UINT> formats;
  for (const Entry& e : s.entries) formats.push_back(e.format);
  for (UINT text : {UINT(CF_TEXT), UINT(CF_UNICODETEXT)}) {
    if (!s.Find(text) && s.Find(OtherText(text))) formats.push_back(text);
  }
  if (format == 0) return formats.empty() ? 0 : formats.front();
  auto it = std::find(formats.begin(), formats.end(), format);
  if (it == formats.end() || ++it == formats.end()) return 0;
  return *it;
}

HWND GetClipboardOwner() {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  return s.owner && IsWindow(s.owner) ? s.owner : nullptr;
}

HWND GetOpenClipboardWindow() {
  ClipboardState& s = State();
  std::lock_guard<std::recursive_mutex> lock(s.mutex);
  return s.open ? s.openWindow : nullptr;
}

namespace platform {

bool ReadClipboardTextForPaste(HWND window, bool singleLine, std::u16string& text) {
  if (!OpenClipboard(window)) return false;
  HANDLE block = GetClipboardData(CF_UNICODETEXT);
  bool found = block != nullptr;
  if (found) text = Utf16TextOf(block);
  CloseClipboard();
  if (found && singleLine) {
    size_t lineEnd = text.find_first_of(u"\r\n");
    if (lineEnd != std::u16string::npos) text.resize(lineEnd);
  }
  return found;
}

}  // namespace platform
