#include "diagram/model/objects/DrawText.h"

#include <utility>

#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/objects/CloneOrNull.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/objects/TextFontStore.h"
#include "diagram/model/undo/URText.h"
#include "diagram/model/undo/UndoRecordingScope.h"
#include "diagram/model/document/ViewLink.h"
#include "platform/core/Archive.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"

IMPLEMENT_SERIAL(CDrawText, CDrawObj, 0)

CTextFont CDrawText::c_textFont;

namespace {

// Single line, vertically centred, left aligned, no clipping, no prefix.
constexpr UINT kDefaultFormat = 0x924;
// Single line, no prefix, clipped: added to the two alignments.
constexpr UINT kAlignedFormat = 0x820;
// "The text cannot be edited here": OnEditProperties without a view.
constexpr ULONG kCannotEditText = 24;

// The extent of `text` from the rectangle's left and top in the view's
// prepared device context.
CRect Measure(CDrawView* view, const CStringW& text, CTextFont* font, UINT format, CRect rect) {
  return viewlink::MeasureText(view, text, font->GetFont(), format, rect);
}

}  // namespace

CDrawText::CDrawText()
    : m_pFont(&c_textFont), m_nFormat(kDefaultFormat), m_bSelectable(TRUE), m_ppNullOnDelete(nullptr) {}

CDrawText::CDrawText(const CRect& position)
    : CDrawObj(position),
      m_pFont(&c_textFont),
      m_nFormat(kDefaultFormat),
      m_bSelectable(TRUE),
      m_ppNullOnDelete(nullptr) {
  m_bBrush = FALSE;
}

CDrawText::CDrawText(LPCSTR text, const CPoint& point, CDrawView* view) : CDrawText(CStringW(text), point, view) {}

CDrawText::CDrawText(LPCWSTR text, const CPoint& point, CDrawView* view) : CDrawText(CRect(point, point)) {
  m_text = text;
  if (!view) return;
  m_position = Measure(view, m_text, m_pFont, m_nFormat, m_position);
  m_oldPosition = m_position;
  m_pDiagram = viewlink::DiagramOf(view);
}

CDrawText::CDrawText(LPCWSTR text, const CRect& position, UINT xAlign, UINT yAlign, CTextFont* font,
                     CDiagram* diagram)
    : CDrawText(position) {
  m_text = text;
  m_nFormat = xAlign | yAlign | kAlignedFormat;
  m_pFont = font ? font : &c_textFont;
  m_pDiagram = diagram;
}

CDrawText::CDrawText(LPCWSTR text, const CRect& position, UINT format, CDrawView* view) : CDrawText(position) {
  m_text = text;
  m_nFormat = format;
  m_pDiagram = view ? viewlink::DiagramOf(view) : nullptr;
}

CDrawText::CDrawText(const CDrawText& other)
    : CDrawObj(other),
      m_text(other.m_text),
      m_pFont(other.m_pFont),
      m_nFormat(other.m_nFormat),
      m_bSelectable(other.m_bSelectable),
      m_ppNullOnDelete(nullptr) {}

CDrawText::~CDrawText() {
  // A deleted text has already cleared its owner's slot, and its owner may
  // be gone before it: the slot is not looked at then.
  if (m_ppNullOnDelete && m_drawState != drawStateDeleted && *m_ppNullOnDelete == this) *m_ppNullOnDelete = nullptr;
}

void CDrawText::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_text;
    ar << static_cast<WORD>(m_nFormat);
    ar << static_cast<WORD>(m_bSelectable);
    // The default font travels as a null reference.
    ar.WriteObject(m_pFont == &c_textFont ? nullptr : m_pFont);
    return;
  }
  ar >> m_text;
  const WORD version = GetArchiveStreamVersion(ar);
  if (version >= 3) {
    WORD value = 0;
    ar >> value;
    m_nFormat = value;
    ar >> value;
    m_bSelectable = value;
  }
  if (version >= 4) {
    auto* font = static_cast<CTextFont*>(ar.ReadObject(RUNTIME_CLASS(CTextFont)));
    // The archive made the font (or handed back one it made for an earlier
    // text of the stream); the store keeps it for as long as the texts.
    TextFontStore::For(ar).Adopt(font);
    m_pFont = font ? font : &c_textFont;
  }
}

BOOL CDrawText::Selectable() const { return m_bSelectable && !IsInGroup(); }

BOOL CDrawText::UserMayReshape() const { return FALSE; }

void CDrawText::Draw(CDC* dc) {
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  CFont* old = nullptr;
  if (CFont* font = m_pFont->GetFont()) old = dc->SelectObject(font);
  CRect rect = m_position;
  dc->DrawText(m_text, rect, m_nFormat);
  if (old) dc->SelectObject(old);
  dc->SetBkMode(oldMode);
}

void CDrawText::OnOpen(CDrawView* view) {
  if (!view) return;
  CStringW text = m_text;
  if (!viewlink::EditText(view, text)) return;
  CDrawDoc* document = viewlink::DocumentOf(view);
  if (!document) return;
  // Closed however the edit ends, also when a step throws.
  CUndoRecordingScope recording(document);
  if (!recording.Begin(u"Change Text", 255)) return;
  CDiagram* diagram = viewlink::DiagramOf(view);
  recording.BeginRouteChanges(diagram);
  if (text.IsEmpty()) {
    // The text goes, undoably; it may be destroyed at once, so nothing of it
    // is touched afterwards.
    Delete();
  } else if (text != m_text) {
    Invalidate();
    if (CURTextChange::RecordUndo(this)) {
      m_text = text;
      CRect rect = Measure(view, m_text, m_pFont, m_nFormat, m_position);
      if (diagram) {
        // Kept on the canvas, in the direction the view measured it: the
        // canvas test normalises the rectangle, and a text turned over would
        // start its next measurement from its other edge and creep down.
        const bool upward = rect.top > rect.bottom;
        diagram->ForceRectWithinBounds(rect, diagram->GetRect());
        if (upward) std::swap(rect.top, rect.bottom);
      }
      m_position = rect;
      if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
      Invalidate();
    }
  }
  recording.End();
}

void CDrawText::OnEditProperties(CWnd* parent) {
  if (CDrawView* view = viewlink::AsDrawView(parent)) {
    OnOpen(view);
  } else {
    CMsgBox::Notify(kCannotEditText);
  }
}

int CDrawText::OnEditPropertiesWithSheet(CPropertySheet*) { return 2; }

CDrawObj* CDrawText::Clone() { return CloneOrNull(*this); }

int CDrawText::Delete() {
  CDrawText** slot = m_ppNullOnDelete;
  if (slot && *slot == this) *slot = nullptr;
  // The base may destroy the text: only the copied slot is used after it.
  if (CDrawObj::Delete()) return 1;
  if (slot && !*slot) *slot = this;
  return 0;
}

int CDrawText::UnDelete() {
  if (!CDrawObj::UnDelete()) return 0;
  if (m_ppNullOnDelete && !*m_ppNullOnDelete) *m_ppNullOnDelete = this;
  return 1;
}

void CDrawText::ChangeTextString(LPCSTR text) { ChangeTextString(CStringW(text).GetString()); }

void CDrawText::ChangeTextString(LPCWSTR text) {
  m_text = text;
  Invalidate();
}

void CDrawText::ResetTextFont(CTextFont* font) { m_pFont = font ? font : &c_textFont; }

void CDrawText::Reset(LPCSTR text, const CRect& position, UINT xAlign, UINT yAlign, CTextFont* font,
                      BOOL selectable) {
  Reset(CStringW(text).GetString(), position, xAlign, yAlign, font, selectable);
}

void CDrawText::Reset(LPCWSTR text, const CRect& position, UINT xAlign, UINT yAlign, CTextFont* font,
                      BOOL selectable) {
  m_text = text;
  m_nFormat = xAlign | yAlign | kAlignedFormat;
  m_pFont = font ? font : &c_textFont;
  m_bSelectable = selectable;
  Invalidate();
  if (position == m_position) return;
  m_position = position;
  Invalidate();
  if (m_pDiagram) m_pDiagram->UpdateObject(this, 1);
}

void CDrawText::SetDefaultTextFont(const LOGFONTW& logFont) { c_textFont.Set(logFont); }
