// The note: a few lines of plain text. Its stream holds the text as UTF-8
// (the bytes of a linked ".txt" file the same). It measures 0.1 inch a
// character and 0.2 inch a line, at least 1 by 0.5 inch, and draws itself
// as the text on white inside a thin frame, in a fixed-pitch font that
// fills the lines of the rectangle it is drawn into. Its editor is one
// multi-line edit (kNoteEditId) over the whole window; the primary verb
// edits it in place.
#include <algorithm>
#include <cstdlib>

#include "platform/core/Charset.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/ole/EmbeddableKind.h"
#include "platform/ole/NoteKind.h"
#include "platform/ole/OleItemTypes.h"
#include "platform/ole/ServerWindow.h"
#include "platform/ui/Edit.h"

namespace platform {

namespace {

constexpr int kCharWidth = 254;   // HIMETRIC a character
constexpr int kLineHeight = 508;  // HIMETRIC a line
constexpr int kMinWidth = 2540;
constexpr int kMinHeight = 1270;

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
    return CSize(std::max(kMinWidth, longest * kCharWidth),
                 std::max(kMinHeight, static_cast<int>(lines.size()) * kLineHeight));
  }

  void Draw(CDC* dc, const CRect& rect) const override {
    CRect frame(rect);
    frame.NormalizeRect();
    dc->FillSolidRect(&frame, RGB(255, 255, 255));
    CBrush black(RGB(0, 0, 0));
    dc->FrameRect(&frame, &black);
    const std::vector<CStringW> lines = LinesOf(text_);
    // The rectangle stands for the extent: a line's height and a
    // character's width in the DC's units follow from it.
    const CSize extent = GetExtent();
    const int step = MulDiv(rect.bottom - rect.top, kLineHeight, extent.cy);
    const int charWidth = MulDiv(rect.right - rect.left, kCharWidth, extent.cx);
    if (step == 0 || charWidth == 0) return;
    CFont font;
    font.CreateFont(-std::abs(step) * 3 / 4, std::abs(charWidth) * 3 / 4, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                    u"Courier New");
    CFont* savedFont = dc->SelectObject(&font);
    const int savedMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF savedColor = dc->SetTextColor(RGB(0, 0, 0));
    for (size_t i = 0; i < lines.size(); ++i) {
      dc->TextOut(rect.left + charWidth / 4, rect.top + static_cast<int>(i) * step + step / 8, lines[i]);
    }
    dc->SetTextColor(savedColor);
    dc->SetBkMode(savedMode);
    dc->SelectObject(savedFont);
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
