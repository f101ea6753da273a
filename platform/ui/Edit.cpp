#include "platform/ui/Edit.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/core/Charset.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

namespace platform {
namespace {

constexpr UINT kDefaultLimit = 32767;

class EditControl : public ControlImpl {
 public:
  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    std::u16string& text = TextOf(hwnd);
    DWORD style = StyleOf(hwnd);
    bool multiline = (style & ES_MULTILINE) != 0;
    switch (message) {
      case WM_SETTEXT: {
        text = TextArg(lParam);
        start_ = end_ = 0;
        modified_ = false;
        undo_.reset();
        InvalidateRect(hwnd, nullptr, TRUE);
        if (!multiline) Changed(hwnd);
        return TRUE;
      }
      case WM_GETDLGCODE: {
        LRESULT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
        if (multiline && (style & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
        return code;
      }
      case EM_GETSEL:
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = start_;
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = end_;
        return MAKELONG(std::min<size_t>(start_, 0xFFFF), std::min<size_t>(end_, 0xFFFF));
      case EM_SETSEL: {
        int s = static_cast<int>(static_cast<INT_PTR>(wParam));
        int e = static_cast<int>(lParam);
        int length = static_cast<int>(text.size());
        if (s == -1) {
          start_ = end_ = std::min<size_t>(end_, text.size());  // the selection goes, the caret stays
          return 0;
        }
        if (e < 0 || e > length) e = length;
        if (s < 0 || s > length) s = length;
        start_ = static_cast<size_t>(std::min(s, e));
        end_ = static_cast<size_t>(std::max(s, e));
        return 0;
      }
      case EM_REPLACESEL:
        Replace(hwnd, TextArg(lParam), wParam != 0, false);
        return 0;
      case EM_LIMITTEXT:
        limit_ = wParam ? static_cast<UINT>(wParam) : (multiline ? 0xFFFFFFFFu : 0x7FFFFFFEu);
        return 0;
      case EM_GETLIMITTEXT:
        return limit_;
      case EM_GETMODIFY:
        return modified_;
      case EM_SETMODIFY:
        modified_ = wParam != 0;
        return 0;
      case EM_SETREADONLY: {
        WindowRecord* w = FindWindowRecord(hwnd);
        w->style = wParam ? (w->style | ES_READONLY) : (w->style & ~static_cast<DWORD>(ES_READONLY));
        return TRUE;
      }
      case EM_CANUNDO:
        return undo_.has_value();
      case EM_UNDO:
      case WM_UNDO: {
        if (!undo_) return FALSE;
        std::u16string before = text;
        text = *undo_;
        undo_ = before;
        start_ = end_ = text.size();
        modified_ = true;
        Changed(hwnd);
        return TRUE;
      }
      case EM_EMPTYUNDOBUFFER:
        undo_.reset();
        return 0;
      case EM_GETLINECOUNT:
        return static_cast<LRESULT>(LineStarts(text).size());
      case EM_LINEINDEX: {
        auto starts = LineStarts(text);
        int line = static_cast<int>(static_cast<INT_PTR>(wParam));
        if (line == -1) line = LineOf(starts, end_);
        return (line >= 0 && line < static_cast<int>(starts.size())) ? static_cast<LRESULT>(starts[line]) : -1;
      }
      case EM_LINEFROMCHAR: {
        auto starts = LineStarts(text);
        INT_PTR index = static_cast<INT_PTR>(wParam);
        return LineOf(starts, index < 0 ? start_ : static_cast<size_t>(index));
      }
      case EM_LINELENGTH: {
        auto starts = LineStarts(text);
        INT_PTR index = static_cast<INT_PTR>(wParam);
        if (index < 0) return 0;  // the unselected rest of the selected lines is not kept apart here
        int line = LineOf(starts, static_cast<size_t>(index));
        return static_cast<LRESULT>(LineText(text, starts, line).size());
      }
      case EM_GETLINE: {
        auto starts = LineStarts(text);
        int line = static_cast<int>(wParam);
        LPWSTR buffer = reinterpret_cast<LPWSTR>(lParam);
        if (!buffer || line < 0 || line >= static_cast<int>(starts.size())) return 0;
        WORD size = 0;
        std::memcpy(&size, buffer, sizeof size);
        std::u16string lineText = LineText(text, starts, line);
        size_t n = std::min<size_t>(lineText.size(), size);
        std::copy_n(lineText.data(), n, buffer);
        return static_cast<LRESULT>(n);
      }
      case EM_SCROLLCARET:
        return TRUE;
      case EM_GETFIRSTVISIBLELINE:
        return 0;
      case WM_CLEAR:
        if (!(style & ES_READONLY) && start_ != end_) Replace(hwnd, u"", true, false);
        return 0;
      case WM_PASTE: {
        // The clipboard's text replaces the selection, undoable; a
        // single-line field takes the text up to its first line break.
        std::u16string pasted;
        if (!(style & ES_READONLY) && ReadClipboardTextForPaste(hwnd, !multiline, pasted)) {
          Replace(hwnd, pasted, true, false);
        }
        return 0;
      }
      case WM_CHAR:
        TypeCharacter(hwnd, static_cast<WCHAR>(wParam));
        return 0;
      case WM_KEYDOWN:
        KeyDown(hwnd, static_cast<UINT>(wParam));
        return 0;
      case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
      case WM_SETFOCUS:
        NotifyParent(hwnd, EN_SETFOCUS);
        return 0;
      case WM_KILLFOCUS:
        NotifyParent(hwnd, EN_KILLFOCUS);
        return 0;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

 private:
  static std::vector<size_t> LineStarts(const std::u16string& text) {
    std::vector<size_t> starts{0};
    for (size_t i = 0; i + 1 < text.size() + 1; ++i) {
      if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n') starts.push_back(i + 2);
    }
    return starts;
  }
  static int LineOf(const std::vector<size_t>& starts, size_t index) {
    int line = 0;
    while (line + 1 < static_cast<int>(starts.size()) && starts[line + 1] <= index) ++line;
    return line;
  }
  static std::u16string LineText(const std::u16string& text, const std::vector<size_t>& starts, int line) {
    size_t begin = starts[line];
    size_t end = (line + 1 < static_cast<int>(starts.size())) ? starts[line + 1] - 2 : text.size();
    return text.substr(begin, end - begin);
  }

  void Changed(HWND hwnd) {
    NotifyParent(hwnd, EN_UPDATE);
    if (IsWindow(hwnd)) NotifyParent(hwnd, EN_CHANGE);
  }

  // Replaces the selection; what does not fit the limit is cut and the
  // parent hears EN_MAXTEXT. False when nothing could be inserted.
  bool Replace(HWND hwnd, std::u16string insert, bool canUndo, bool typed) {
    std::u16string& text = TextOf(hwnd);
    size_t room = text.size() - (end_ - start_);
    bool cut = false;
    if (room + insert.size() > limit_) {
      size_t fits = limit_ > room ? limit_ - room : 0;
      insert.resize(std::min(fits, insert.size()));
      cut = true;
    }
    if (cut && typed && insert.empty()) {
      NotifyParent(hwnd, EN_MAXTEXT);
      return false;
    }
    if (canUndo) undo_ = text;
    text.replace(start_, end_ - start_, insert);
    start_ = end_ = start_ + insert.size();
    modified_ = true;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (cut) NotifyParent(hwnd, EN_MAXTEXT);
    if (IsWindow(hwnd)) Changed(hwnd);
    return true;
  }

  void TypeCharacter(HWND hwnd, WCHAR ch) {
    DWORD style = StyleOf(hwnd);
    if (style & ES_READONLY) {
      MessageBeep(0);
      return;
    }
    if (ch == VK_BACK) {
      if (start_ == end_ && start_ > 0) --start_;
      if (start_ != end_) Replace(hwnd, u"", true, true);
      return;
    }
    if (ch == u'\r') {
      if (!(style & ES_MULTILINE)) {
        MessageBeep(0);
        return;
      }
      Replace(hwnd, u"\r\n", true, true);
      return;
    }
    if (ch < 0x20 && ch != u'\t') return;  // control characters
    if (ch == u'\t' && !(style & ES_MULTILINE)) return;
    if ((style & ES_NUMBER) && (ch < u'0' || ch > u'9')) {
      MessageBeep(0);  // a number-only edit refuses anything else
      return;
    }
    if ((style & ES_UPPERCASE) && ch >= u'a' && ch <= u'z') ch = static_cast<WCHAR>(ch - 32);
    if ((style & ES_LOWERCASE) && ch >= u'A' && ch <= u'Z') ch = static_cast<WCHAR>(ch + 32);
    Replace(hwnd, std::u16string(1, ch), true, true);
  }

  void KeyDown(HWND hwnd, UINT vk) {
    size_t length = TextOf(hwnd).size();
    switch (vk) {
      case VK_LEFT:
        start_ = end_ = (start_ > 0 ? start_ - 1 : 0);
        break;
      case VK_RIGHT:
        start_ = end_ = std::min(end_ + 1, length);
        break;
      case VK_HOME:
        start_ = end_ = 0;
        break;
      case VK_END:
        start_ = end_ = length;
        break;
      case VK_DELETE:
        if (StyleOf(hwnd) & ES_READONLY) break;
        if (start_ == end_ && end_ < length) ++end_;
        if (start_ != end_) Replace(hwnd, u"", true, true);
        break;
      default:
        break;
    }
  }

  size_t start_ = 0;
  size_t end_ = 0;
  UINT limit_ = kDefaultLimit;
  bool modified_ = false;
  std::optional<std::u16string> undo_;
};

std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<EditControl>(); }
const bool registered =
    (RegisterPredefinedClass(u"Edit", &Make, LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(32513))),
     SetWrapperFactory(u"Edit", [] { return static_cast<CWnd*>(new CEdit); }), true);

}  // namespace
}  // namespace platform

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"Edit", nullptr, style, rect, parent, id);
}
void CEdit::SetSel(int start, int end, BOOL) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
void CEdit::SetSel(DWORD selection, BOOL noScroll) {
  SetSel(static_cast<int>(static_cast<SHORT>(LOWORD(selection))),
         static_cast<int>(static_cast<SHORT>(HIWORD(selection))), noScroll);
}
void CEdit::GetSel(int& start, int& end) const {
  DWORD s = 0, e = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<int>(s);
  end = static_cast<int>(e);
}
DWORD CEdit::GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
void CEdit::ReplaceSel(LPCWSTR text, BOOL canUndo) {
  SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text ? text : u""));
}
void CEdit::ReplaceSel(LPCSTR text, BOOL canUndo) { ReplaceSel(CStringW(text).GetString(), canUndo); }
void CEdit::Clear() { SendMessage(WM_CLEAR); }
void CEdit::LimitText(int maxChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars)); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
BOOL CEdit::SetReadOnly(BOOL readOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL modified) { SendMessage(EM_SETMODIFY, modified); }
BOOL CEdit::CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
BOOL CEdit::Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
void CEdit::EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
int CEdit::LineIndex(int line) const { return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line))); }
int CEdit::LineFromChar(int index) const {
  return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(index)));
}
int CEdit::LineLength(int index) const {
  return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(index)));
}
int CEdit::GetLine(int line, LPWSTR buffer, int maxLength) const {
  if (!buffer || maxLength <= 0) return 0;
  WORD size = static_cast<WORD>(std::min(maxLength, 0xFFFF));
  std::memcpy(buffer, &size, sizeof size);
  return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer)));
}
int CEdit::GetLine(int line, LPSTR buffer, int maxLength) const {
  if (!buffer || maxLength <= 0) return 0;
  WORD size = static_cast<WORD>(std::min(maxLength, 0xFFFF));
  std::memcpy(buffer, &size, sizeof size);
  return static_cast<int>(
      ::SendMessageA(m_hWnd, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer)));
}
int CEdit::GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE)); }
