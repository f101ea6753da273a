// The note: a few lines of plain text. Its stream holds the text as UTF-8
// (the bytes of a linked ".txt" file the same). It measures 0.05 inch a
// character and 0.25 inch a line, at least 20 characters by 2 lines, and
// draws itself as the text on white inside a thin frame. Its editor is one
// multi-line edit (kNoteEditId) over the whole window; the primary verb
// edits it in place.
#include <algorithm>

#include "platform/core/Charset.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/ole/EmbeddableKind.h"
#include "platform/ole/NoteKind.h"
#include "platform/ole/OleItemTypes.h"
#include "platform/ole/ServerWindow.h"
#include "platform/ui/Edit.h"

namespace platform {

namespace {

constexpr int kCharWidth = 127;   // HIMETRIC a character
constexpr int kLineHeight = 635;  // HIMETRIC a line
constexpr int kMinChars = 20;
constexpr int kMinLines = 2;

// The lines of a text (at least one).
std::vector<CStringW> LinesOf(const CStringW& text) {
  std::vector<CStringW> lines;
  int start = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] == u'\n') {
      lines.push_back(text.Mid(start, i - start));
      start = i + 1;
    }
  }
  lines.push_back(text.Mid(start));
  return lines;
}

// The editor's edit control; it deletes its object with its window.
class NoteEdit : public CEdit {
 protected:
  void PostNcDestroy() override { delete this; }
};

class NoteContent : public EmbeddedContent {
 public:
  bool Load(const std::vector<BYTE>& bytes) override {
    const std::string utf8(bytes.begin(), bytes.end());
    CStringW text(Utf8ToUtf16(utf8).c_str());
    text.Replace(u"\r\n", u"\n");
    text_ = text;
    return true;
  }

  std::vector<BYTE> Save() const override {
    const std::string utf8 = Utf16ToUtf8(std::u16string_view(text_.GetString(), text_.GetLength()));
    return std::vector<BYTE>(utf8.begin(), utf8.end());
  }

  CSize GetExtent() const override {
    const std::vector<CStringW> lines = LinesOf(text_);
    int longest = 0;
    for (const CStringW& line : lines) longest = std::max(longest, line.GetLength());
    return CSize(std::max(kMinChars, longest) * kCharWidth,
                 std::max(kMinLines, static_cast<int>(lines.size())) * kLineHeight);
  }

  void Draw(CDC* dc, const CRect& rect) const override {
    CRect frame(rect);
    frame.NormalizeRect();
    dc->FillSolidRect(&frame, RGB(255, 255, 255));
    CBrush black(RGB(0, 0, 0));
    dc->FrameRect(&frame, &black);
    const std::vector<CStringW> lines = LinesOf(text_);
    const int count = std::max(kMinLines, static_cast<int>(lines.size()));
    const int step = (rect.bottom - rect.top) / count;
    const int savedMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF savedColor = dc->SetTextColor(RGB(0, 0, 0));
    for (size_t i = 0; i < lines.size(); ++i) {
      dc->TextOut(rect.left + (rect.right - rect.left) / 40, rect.top + static_cast<int>(i) * step, lines[i]);
    }
    dc->SetTextColor(savedColor);
    dc->SetBkMode(savedMode);
  }

  std::unique_ptr<EmbeddedContent> Clone() const override { return std::make_unique<NoteContent>(*this); }

  void CreateEditor(ServerWindow* window) override {
    CRect client;
    window->GetClientRect(&client);
    // A control that cannot be made has deleted its object.
    auto* edit = new NoteEdit;
    if (!edit->Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, client, window,
                      kNoteEditId))
      return;
    CStringW shown(text_);
    shown.Replace(u"\n", u"\r\n");
    edit->SetWindowText(shown.GetString());
    edit->SetFocus();
  }

  bool TakeEdits(ServerWindow* window) override {
    CWnd* edit = window->GetDlgItem(kNoteEditId);
    if (!edit) return false;
    CStringW text;
    edit->GetWindowText(text);
    text.Replace(u"\r\n", u"\n");
    if (text == text_) return false;
    text_ = text;
    return true;
  }

  void LayOutEditor(ServerWindow* window) override {
    CWnd* edit = window->GetDlgItem(kNoteEditId);
    if (!edit) return;
    CRect client;
    window->GetClientRect(&client);
    edit->MoveWindow(&client, FALSE);
  }

 private:
  CStringW text_;
};

class NoteKindImpl : public EmbeddableKind {
 public:
  LPCWSTR GetClassName() const override { return u"Scrivel.Note"; }
  LPCWSTR GetUserTypeName() const override { return u"Note"; }
  LPCWSTR GetFileExtension() const override { return u".txt"; }
  DWORD GetMiscStatus() const override { return OLEMISC_RECOMPOSEONRESIZE; }
  bool EditsInPlace() const override { return true; }
  std::unique_ptr<EmbeddedContent> NewContent() const override { return std::make_unique<NoteContent>(); }
};

}  // namespace

const EmbeddableKind& NoteKind() {
  static const NoteKindImpl kind;
  return kind;
}

}  // namespace platform
