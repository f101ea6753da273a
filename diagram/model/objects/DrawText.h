// CDrawText: a single-line text label drawn into its rectangle with a
// horizontal and a vertical alignment and a font. An owner outside the text
// may register a pointer slot that the text clears while it is deleted and
// sets again when it is undeleted.
//
// A text never deletes its font: the default font is the library's, a font
// given to a constructor, Reset or ResetTextFont stays its giver's, and a font
// read from a stream is kept by a TextFontStore. A null font stands for the
// default font wherever a font is taken.
#pragma once

#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/objects/TextFont.h"
#include "platform/core/String.h"

class CDrawText : public CDrawObj {
  DECLARE_SERIAL(CDrawText)

 public:
  CDrawText();
  explicit CDrawText(const CRect& position);
  // A text at the point, as large as it measures in the view.
  CDrawText(LPCSTR text, const CPoint& point, CDrawView* view);
  CDrawText(LPCWSTR text, const CPoint& point, CDrawView* view);
  CDrawText(LPCWSTR text, const CRect& position, UINT xAlign, UINT yAlign, CTextFont* font, CDiagram* diagram);
  CDrawText(LPCWSTR text, const CRect& position, UINT format, CDrawView* view);
  CDrawText(const CDrawText& other);
  ~CDrawText() override;

  void Serialize(CArchive& ar) override;
  BOOL Selectable() const override;
  BOOL UserMayReshape() const override;
  void Draw(CDC* dc) override;
  void OnOpen(CDrawView* view) override;
  void OnEditProperties(CWnd* parent) override;
  int OnEditPropertiesWithSheet(CPropertySheet* sheet) override;
  CDrawObj* Clone() override;
  int Delete() override;
  int UnDelete() override;

  const CStringW& TextString() const { return m_text; }
  void ChangeTextString(LPCSTR text);
  void ChangeTextString(LPCWSTR text);
  void ResetTextFont(CTextFont* font);
  CTextFont* GetTextFont() const { return m_pFont; }
  void Reset(LPCSTR text, const CRect& position, UINT xAlign, UINT yAlign, CTextFont* font, BOOL selectable);
  void Reset(LPCWSTR text, const CRect& position, UINT xAlign, UINT yAlign, CTextFont* font, BOOL selectable);
  UINT GetFormat() const { return m_nFormat; }
  BOOL IsSelectable() const { return m_bSelectable; }
  // 0 left, 1 centre, 2 right.
  UINT GetXAlign() const { return m_nFormat & 0x3; }
  // 0 top, 4 centre, 8 bottom.
  UINT GetYAlign() const { return m_nFormat & 0xC; }
  void SetSelectable(BOOL selectable) { m_bSelectable = selectable; }
  void SetPointerToNullOnDelete(CDrawText** slot) { m_ppNullOnDelete = slot; }
  CDrawText** GetPointerToNullOnDelete() const { return m_ppNullOnDelete; }

  // The library-wide default text font.
  static CTextFont c_textFont;
  static void SetDefaultTextFont(const LOGFONTW& logFont);

 protected:
  CStringW m_text;
  CTextFont* m_pFont;
  UINT m_nFormat;
  BOOL m_bSelectable;
  CDrawText** m_ppNullOnDelete;
};
