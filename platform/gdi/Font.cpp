#include "platform/gdi/Font.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/core/Charset.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/GdiObjectData.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

namespace {

LOGFONTW Widen(const LOGFONTA& a) {
  LOGFONTW w{};
  std::memcpy(&w, &a, offsetof(LOGFONTA, lfFaceName));
  const std::u16string face =
      platform::GbkToUtf16(std::string_view(a.lfFaceName, strnlen(a.lfFaceName, LF_FACESIZE)));
  std::copy_n(face.begin(), std::min<size_t>(face.size(), LF_FACESIZE - 1), w.lfFaceName);
  return w;
}

void SetFace(LOGFONTW& lf, std::u16string_view face) {
  std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), 0);
  std::copy_n(face.begin(), std::min<size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
}

}  // namespace

static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(LOGFONTW, lfFaceName));

CFont* CFont::FromHandle(HFONT h) { return static_cast<CFont*>(CGdiObject::FromHandle(h)); }

BOOL CFont::CreateFontIndirect(const LOGFONTW* logFont) {
  if (m_hObject || !logFont) return FALSE;
  LOGFONTW lf = *logFont;
  lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return Attach(platform::GdiHandleTable::Insert(std::make_shared<platform::FontData>(lf)));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont) {
  if (!logFont) return FALSE;
  const LOGFONTW lf = Widen(*logFont);
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                       BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, LPCWSTR faceName) {
  LOGFONTW lf{height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
              outPrecision, clipPrecision, quality, pitchAndFamily, {}};
  if (faceName) SetFace(lf, std::u16string_view(faceName, platform::Utf16Length(faceName)));
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                       BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, LPCSTR faceName) {
  const std::u16string face = faceName ? platform::GbkToUtf16(faceName) : std::u16string();
  return CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet, outPrecision,
                    clipPrecision, quality, pitchAndFamily, faceName ? face.c_str() : nullptr);
}

BOOL CFont::CreatePointFont(int pointSize, LPCWSTR faceName, CDC* dc) {
  // Tenths of a point to device pixels at the DC's resolution, then to the
  // DC's logical units; negative: a character height.
  int pixels = 0;
  auto state = dc ? platform::FindDc(dc->m_hDC) : nullptr;
  if (state) {
    pixels = static_cast<int>(platform::RoundedDivide(platform::Wide(pointSize) * state->caps.dpiY, 720));
    pixels = state->attr.mapping.LengthYToLogical(pixels);
  } else {
    pixels = static_cast<int>(platform::RoundedDivide(platform::Wide(pointSize) * platform::ScreenCaps().dpiY, 720));
  }
  LOGFONTW lf{};
  lf.lfHeight = -std::abs(pixels);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  if (faceName) SetFace(lf, std::u16string_view(faceName, platform::Utf16Length(faceName)));
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc) {
  const std::u16string face = faceName ? platform::GbkToUtf16(faceName) : std::u16string();
  return CreatePointFont(pointSize, faceName ? face.c_str() : nullptr, dc);
}

int CFont::GetLogFont(LOGFONTW* logFont) const {
  auto data = platform::GdiHandleTable::FindAs<platform::FontData>(m_hObject, platform::GdiKind::Font);
  if (!data || !logFont) return 0;
  *logFont = data->log;
  return sizeof(LOGFONTW);
}

int CFont::GetLogFont(LOGFONTA* logFont) const {
  auto data = platform::GdiHandleTable::FindAs<platform::FontData>(m_hObject, platform::GdiKind::Font);
  if (!data || !logFont) return 0;
  std::memcpy(logFont, &data->log, offsetof(LOGFONTA, lfFaceName));
  std::memset(logFont->lfFaceName, 0, LF_FACESIZE);
  const std::string face = platform::Utf16ToGbk(data->log.lfFaceName);
  std::memcpy(logFont->lfFaceName, face.data(), std::min<size_t>(face.size(), LF_FACESIZE - 1));
  return sizeof(LOGFONTA);
}
