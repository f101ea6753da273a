#include "diagram/model/blocks/BlockFormat.h"

#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/objects/TextFont.h"
#include "diagram/model/objects/TextFontStore.h"
#include "platform/core/Archive.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi32.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

IMPLEMENT_SERIAL(CBlockFormat, CObject, 0)

namespace {

// Streams before this version hold the font as a bare LOGFONTW.
constexpr WORD kFontObjectVersion = 5;

// The extent of one blank in the font, measured on a DC of the application's
// main window or of the desktop; (-1, -1) when no DC can be had.
SIZE MeasureBlank(const LOGFONTW& logFont) {
  SIZE size{-1, -1};
  CWinThread* thread = AfxGetThread();
  CWnd* mainWindow = thread ? thread->GetMainWnd() : nullptr;
  const HWND window = mainWindow && mainWindow->GetSafeHwnd() ? mainWindow->GetSafeHwnd() : ::GetDesktopWindow();
  HDC dc = ::GetDC(window);
  if (!dc) return size;
  CFont font;
  HGDIOBJ old = nullptr;
  if (font.CreateFontIndirect(&logFont)) old = ::SelectObject(dc, font.GetSafeHandle());
  SIZE extent{0, 0};
  if (::GetTextExtentPoint32W(dc, u" ", 1, &extent)) size = extent;
  if (old) ::SelectObject(dc, old);
  ::ReleaseDC(window, dc);
  return size;
}

}  // namespace

CBlockFormat::CBlockFormat() : m_pFont(nullptr), m_nCharWidth(-1), m_nCharHeight(-1) {}

CBlockFormat::~CBlockFormat() { delete m_pFont; }

void CBlockFormat::Set(const LOGFONTW& logFont) {
  if (m_pFont) {
    m_pFont->Set(logFont);
  } else {
    m_pFont = new CTextFont(logFont);
  }
  const SIZE blank = MeasureBlank(logFont);
  m_nCharWidth = blank.cx;
  m_nCharHeight = blank.cy;
}

void CBlockFormat::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteObject(m_pFont);
    return;
  }
  if (GetArchiveStreamVersion(ar) < kFontObjectVersion) {
    LOGFONTW logFont{};
    ar >> logFont;
    Set(logFont);
    return;
  }
  auto* font = static_cast<CTextFont*>(ar.ReadObject(RUNTIME_CLASS(CTextFont)));
  if (!font) return;
  // The font the archive made may be named again later in the stream, so it
  // is kept by the store of fonts read; the format keeps a copy of its own.
  TextFontStore::For(ar).Adopt(font);
  Set(font->GetLogFont());
}
