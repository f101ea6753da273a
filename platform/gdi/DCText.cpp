// CDC: text output, DrawText and text measuring.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/TextLayout.h"

namespace {

using platform::DcState;
using platform::DrawKind;
using platform::DrawOp;

std::u16string FromGbk(LPCSTR text, int count) {
  if (!text) return {};
  const size_t n = count < 0 ? std::strlen(text) : static_cast<size_t>(count);
  return platform::GbkToUtf16(std::string_view(text, n));
}

std::u16string FromUtf16(LPCWSTR text, int count) {
  if (!text) return {};
  const size_t n = count < 0 ? platform::Utf16Length(text) : static_cast<size_t>(count);
  return std::u16string(text, n);
}

// +1 when logical x (or y) grows with device x (or y), else -1.
int DirectionX(const DcState& s) {
  return s.attr.mapping.LPtoDP(POINT{1000, 0}).x >= s.attr.mapping.LPtoDP(POINT{0, 0}).x ? 1 : -1;
}
int DirectionY(const DcState& s) {
  return s.attr.mapping.LPtoDP(POINT{0, 1000}).y >= s.attr.mapping.LPtoDP(POINT{0, 0}).y ? 1 : -1;
}

template <typename Metrics>
void FillMetrics(const DcState& s, const platform::RealizedFont& font, Metrics* tm) {
  const platform::FontMetrics& m = font.Metrics();
  const platform::Mapping& map = s.attr.mapping;
  *tm = Metrics{};
  tm->tmHeight = map.LengthYToLogical(m.height);
  tm->tmAscent = map.LengthYToLogical(m.ascent);
  tm->tmDescent = tm->tmHeight - tm->tmAscent;
  tm->tmInternalLeading = map.LengthYToLogical(m.internalLeading);
  tm->tmExternalLeading = map.LengthYToLogical(m.externalLeading);
  tm->tmAveCharWidth = map.LengthXToLogical(m.aveCharWidth);
  tm->tmMaxCharWidth = map.LengthXToLogical(m.maxCharWidth);
  tm->tmWeight = m.weight;
  tm->tmOverhang = 0;
  tm->tmDigitizedAspectX = s.caps.dpiX;
  tm->tmDigitizedAspectY = s.caps.dpiY;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = sizeof(tm->tmLastChar) == 1 ? 0xFF : 0xFFFF;
  tm->tmDefaultChar = sizeof(tm->tmDefaultChar) == 1 ? 0x1F : 0x30FB;
  tm->tmBreakChar = 0x20;
  const LOGFONTW& lf = s.attr.font->log;
  tm->tmItalic = lf.lfItalic ? 0xFF : 0;
  tm->tmUnderlined = lf.lfUnderline ? 0xFF : 0;
  tm->tmStruckOut = lf.lfStrikeOut ? 0xFF : 0;
  // The pitch bit is set for variable-pitch fonts, as Windows reports it.
  tm->tmPitchAndFamily = static_cast<BYTE>((lf.lfPitchAndFamily & 0xF0) | TMPF_VECTOR | TMPF_TRUETYPE |
                                           (m.fixedPitch ? 0 : TMPF_FIXED_PITCH));
  tm->tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? GB2312_CHARSET : lf.lfCharSet;
}

}  // namespace

BOOL CDC::OutputText(int x, int y, const std::u16string& text, UINT options, LPCRECT rect, const INT* dx) {
  auto s = State();
  if (!s) return FALSE;
  auto font = s->Font();
  const platform::FontMetrics& m = font->Metrics();
  const POINT ref = (s->attr.textAlign & TA_UPDATECP) ? s->attr.position : POINT{x, y};
  const POINT d = s->ToDevice(ref);
  std::vector<int> advances;
  if (dx) {
    for (size_t i = 0; i < text.size(); ++i) advances.push_back(s->attr.mapping.LengthXToDevice(dx[i]));
  } else {
    advances = font->Advances(text);
  }
  int width = 0;
  for (int a : advances) width += a;

  const UINT horizontal = s->attr.textAlign & (TA_LEFT | TA_RIGHT | TA_CENTER);
  const UINT vertical = s->attr.textAlign & (TA_TOP | TA_BOTTOM | TA_BASELINE);
  const double along = horizontal == TA_RIGHT ? -width : horizontal == TA_CENTER ? -width / 2.0 : 0.0;
  const double down = vertical == TA_BASELINE ? 0.0 : vertical == TA_BOTTOM ? -m.descent : double(m.ascent);
  const double angle = font->Escapement() * std::numbers::pi / 1800.0;
  const POINT start{static_cast<LONG>(std::lround(d.x + along * std::cos(angle) + down * std::sin(angle))),
                    static_cast<LONG>(std::lround(d.y - along * std::sin(angle) + down * std::cos(angle)))};

  DrawOp op = s->Begin(DrawKind::Text, (options || rect || dx) ? "ExtTextOut" : "TextOut");
  op.logical = {ref};
  op.device = {start};
  op.text = text;
  op.realized = font;
  op.glyphs = font->Layout(text, advances.data());
  op.textWidth = width;
  op.format = options;
  if (rect) {
    op.logical.push_back({rect->left, rect->top});
    op.logical.push_back({rect->right, rect->bottom});
  }
  if ((options & ETO_OPAQUE) && rect) {
    op.opaqueBox = true;
    op.box = s->ToDeviceRect(*rect);
  } else if (s->attr.bkMode == OPAQUE && font->Escapement() == 0) {
    op.opaqueBox = true;
    op.box = RECT{start.x, start.y - m.ascent, start.x + width, start.y + m.descent};
  }
  if ((options & ETO_CLIPPED) && rect) {
    op.clip = std::make_shared<const platform::Region>(op.clip->Intersect(s->ToDeviceRect(*rect)));
  }
  if (s->attr.textAlign & TA_UPDATECP) {
    const int moved = horizontal == TA_LEFT ? width : horizontal == TA_RIGHT ? -width : 0;
    s->attr.position = POINT{s->attr.mapping.DPtoLP(POINT{d.x + moved, d.y}).x, ref.y};
  }
  if (text.empty() && !op.opaqueBox) return TRUE;
  return s->Emit(op) ? TRUE : FALSE;
}

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count) { return OutputText(x, y, FromGbk(text, count), 0, nullptr, nullptr); }
BOOL CDC::TextOut(int x, int y, LPCWSTR text, int count) {
  return OutputText(x, y, FromUtf16(text, count), 0, nullptr, nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const INT* dx) {
  // The advances of a GBK text are per byte; each character takes the
  // advances of its bytes together.
  std::vector<INT> wideDx;
  if (dx && text) {
    for (UINT i = 0; i < count; ++i) {
      if (platform::IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < count) {
        wideDx.push_back(dx[i] + dx[i + 1]);
        ++i;
      } else {
        wideDx.push_back(dx[i]);
      }
    }
  }
  const std::u16string wide = FromGbk(text, static_cast<int>(count));
  if (dx && wideDx.size() != wide.size()) wideDx.resize(wide.size(), 0);
  return OutputText(x, y, wide, options, rect, dx ? wideDx.data() : nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCWSTR text, UINT count, const INT* dx) {
  return OutputText(x, y, FromUtf16(text, static_cast<int>(count)), options, rect, dx);
}

int CDC::DrawText(LPCSTR text, int count, LPRECT rect, UINT format) {
  return DrawTextUtf16(FromGbk(text, count), rect, format);
}

int CDC::DrawText(LPCWSTR text, int count, LPRECT rect, UINT format) {
  return DrawTextUtf16(FromUtf16(text, count), rect, format);
}

int CDC::DrawTextUtf16(std::u16string text, LPRECT rect, UINT format) {
  auto s = State();
  if (!s || !rect) return 0;
  // With DT_TABSTOP, bits 8-15 are the tab size (for the layout), not flags.
  const UINT layoutFormat = format;
  if (format & DT_TABSTOP) format &= ~0xFF00u;
  auto font = s->Font();
  const platform::FontMetrics& m = font->Metrics();
  const platform::Mapping& map = s->attr.mapping;
  const RECT d = s->ToDeviceRect(*rect);
  const int lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
  const std::vector<platform::TextLine> lines = platform::LayoutText(*font, text, layoutFormat, d.right - d.left);
  const int total = static_cast<int>(lines.size()) * lineHeight;
  int widest = 0;
  for (const auto& line : lines) widest = std::max(widest, line.width);

  if (format & DT_CALCRECT) {
    // The rectangle keeps its left and top and grows (or shrinks) to the text.
    rect->right = rect->left + DirectionX(*s) * map.LengthXToLogical(widest);
    rect->bottom = rect->top + DirectionY(*s) * map.LengthYToLogical(total);
    return map.LengthYToLogical(total);
  }

  int top = d.top;
  const bool single = (format & DT_SINGLELINE) != 0;
  if (single && (format & DT_VCENTER)) top = d.top + (d.bottom - d.top - lineHeight) / 2;
  else if (single && (format & DT_BOTTOM)) top = d.bottom - lineHeight;

  for (size_t i = 0; i < lines.size(); ++i) {
    const platform::TextLine& line = lines[i];
    int x = d.left;
    if (format & DT_CENTER) x = d.left + (d.right - d.left - line.width) / 2;
    else if (format & DT_RIGHT) x = d.right - line.width;
    const int lineTop = top + static_cast<int>(i) * lineHeight;
    DrawOp op = s->Begin(DrawKind::Text, "DrawText");
    op.logical = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    op.device = {{x, lineTop + m.ascent}};
    op.text = line.text;
    op.realized = font;
    op.glyphs = font->Layout(line.text, line.advances.data());
    op.textWidth = line.width;
    op.format = format;
    if (s->attr.bkMode == OPAQUE) {
      op.opaqueBox = true;
      op.box = RECT{x, lineTop, x + line.width, lineTop + m.height};
    }
    if (!(format & DT_NOCLIP)) op.clip = std::make_shared<const platform::Region>(op.clip->Intersect(d));
    if (!line.text.empty()) s->Emit(op);
    if (line.underline >= 0) {
      // The mnemonic's underline, in the text colour under the character.
      int ux = x;
      for (int k = 0; k < line.underline; ++k) ux += line.advances[k];
      DrawOp under = s->Begin(DrawKind::FillRect, "DrawText");
      under.brush = platform::BrushState{BS_SOLID, s->attr.textColor, 0, nullptr, false};
      under.logical = op.logical;
      const int uy = lineTop + m.ascent + 1;
      under.device = {{ux, uy}, {ux + line.advances[line.underline], uy + 1}};
      if (!(format & DT_NOCLIP)) under.clip = op.clip;
      s->Emit(under);
    }
  }
  if (single && (format & (DT_VCENTER | DT_BOTTOM))) return map.LengthYToLogical(top - d.top + lineHeight);
  return map.LengthYToLogical(total);
}

namespace {

FIXED ToFixed(double v) {
  const double scaled = std::floor(v * 65536.0 + 0.5);
  const long long whole = static_cast<long long>(std::floor(scaled / 65536.0));
  FIXED f;
  f.value = static_cast<short>(std::clamp<long long>(whole, -32768, 32767));
  f.fract = static_cast<WORD>(static_cast<long long>(scaled) - whole * 65536);
  return f;
}

// The contours in the GGO_NATIVE layout, in logical units (`scale` logical
// units a pixel across, `scaleY` down); the bytes it needs when `buffer` is
// null.
DWORD WriteNativeOutline(const std::vector<platform::GlyphContour>& contours, double scaleX, double scaleY,
                         BYTE* buffer) {
  DWORD total = 0;
  auto point = [&](double x, double y) { return POINTFX{ToFixed(x * scaleX), ToFixed(y * scaleY)}; };
  for (const platform::GlyphContour& contour : contours) {
    const DWORD start = total;
    total += sizeof(TTPOLYGONHEADER);
    for (size_t i = 0; i < contour.segments.size();) {
      // A run of segments of one kind makes one record (a spline's records
      // take one control point or two and the end point of each segment).
      const int kind = contour.segments[i].kind;
      const int per = kind;
      size_t end = i;
      while (end < contour.segments.size() && contour.segments[end].kind == kind && (kind == 1 || end == i)) ++end;
      const WORD count = static_cast<WORD>((end - i) * static_cast<size_t>(per));
      const DWORD size = static_cast<DWORD>(2 * sizeof(WORD) + count * sizeof(POINTFX));
      if (buffer) {
        TTPOLYCURVE head{};
        head.wType = static_cast<WORD>(kind == 1 ? TT_PRIM_LINE : kind == 2 ? TT_PRIM_QSPLINE : TT_PRIM_CSPLINE);
        head.cpfx = count;
        std::memcpy(buffer + total, &head, 2 * sizeof(WORD));
        BYTE* out = buffer + total + 2 * sizeof(WORD);
        for (size_t k = i; k < end; ++k)
          for (int j = 0; j < per; ++j) {
            const POINTFX p = point(contour.segments[k].x[j], contour.segments[k].y[j]);
            std::memcpy(out, &p, sizeof p);
            out += sizeof p;
          }
      }
      total += size;
      i = end;
    }
    if (buffer) {
      TTPOLYGONHEADER header{};
      header.cb = total - start;
      header.dwType = TT_POLYGON_TYPE;
      header.pfxStart = point(contour.startX, contour.startY);
      std::memcpy(buffer + start, &header, sizeof header);
    }
  }
  return total;
}

}  // namespace

DWORD CDC::GetGlyphOutline(UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD bufferSize, LPVOID buffer,
                           const MAT2* matrix) const {
  auto s = State();
  if (!s || !metrics || !matrix) return GDI_ERROR;
  const UINT kind = format & ~GGO_UNHINTED;
  if (kind != GGO_METRICS && kind != GGO_NATIVE) {
    throw CNotSupportedException(u"GetGlyphOutline gives glyph metrics and native outlines only, no bitmaps");
  }
  const bool identity = matrix->eM11.value == 1 && matrix->eM11.fract == 0 && matrix->eM22.value == 1 &&
                        matrix->eM22.fract == 0 && matrix->eM12.value == 0 && matrix->eM12.fract == 0 &&
                        matrix->eM21.value == 0 && matrix->eM21.fract == 0;
  if (!identity) throw CNotSupportedException(u"GetGlyphOutline takes the identity matrix only");
  const platform::GlyphBox box = s->Font()->GlyphBoxOf(static_cast<char32_t>(ch));
  const platform::Mapping& map = s->attr.mapping;
  metrics->gmBlackBoxX = static_cast<UINT>(std::max(1, map.LengthXToLogical(box.width)));
  metrics->gmBlackBoxY = static_cast<UINT>(std::max(1, map.LengthYToLogical(box.height)));
  metrics->gmptGlyphOrigin = POINT{map.LengthXToLogical(box.left), map.LengthYToLogical(box.top)};
  metrics->gmCellIncX = static_cast<short>(std::clamp(map.LengthXToLogical(box.advance), -32768, 32767));
  metrics->gmCellIncY = 0;
  if (kind == GGO_METRICS) return 0;
  const std::vector<platform::GlyphContour> contours =
      s->Font()->GlyphOutlineOf(static_cast<char32_t>(ch), (format & GGO_UNHINTED) != 0);
  constexpr int kUnit = 1 << 20;
  const double scaleX = static_cast<double>(map.LengthXToLogical(kUnit)) / kUnit;
  const double scaleY = static_cast<double>(map.LengthYToLogical(kUnit)) / kUnit;
  const DWORD needed = WriteNativeOutline(contours, scaleX, scaleY, nullptr);
  if (!buffer || bufferSize == 0) return needed;
  if (bufferSize < needed) return GDI_ERROR;
  WriteNativeOutline(contours, scaleX, scaleY, static_cast<BYTE*>(buffer));
  return needed;
}

CSize CDC::MeasureText(const std::u16string& text) const {
  auto s = State();
  if (!s) return CSize();
  auto font = s->Font();
  return CSize(s->attr.mapping.LengthXToLogical(font->Width(text)),
               s->attr.mapping.LengthYToLogical(font->Metrics().height));
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const { return MeasureText(FromGbk(text, count)); }
CSize CDC::GetTextExtent(LPCWSTR text, int count) const { return MeasureText(FromUtf16(text, count)); }

BOOL CDC::GetTextMetrics(TEXTMETRICA* metrics) const {
  auto s = State();
  if (!s || !metrics) return FALSE;
  FillMetrics(*s, *s->Font(), metrics);
  return TRUE;
}

BOOL CDC::GetTextMetrics(TEXTMETRICW* metrics) const {
  auto s = State();
  if (!s || !metrics) return FALSE;
  FillMetrics(*s, *s->Font(), metrics);
  return TRUE;
}

int CDC::GetTextFace(int count, LPWSTR faceName) const {
  auto s = State();
  if (!s) return 0;
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && s->attr.font->log.lfFaceName[i]; ++i) face.push_back(s->attr.font->log.lfFaceName[i]);
  if (!faceName) return static_cast<int>(face.size()) + 1;
  if (count <= 0) return 0;
  const size_t n = std::min(face.size(), static_cast<size_t>(count - 1));
  std::copy(face.begin(), face.begin() + n, faceName);
  faceName[n] = 0;
  return static_cast<int>(n);
}

int CDC::GetTextFace(int count, LPSTR faceName) const {
  WCHAR wide[LF_FACESIZE + 1] = {};
  GetTextFace(LF_FACESIZE + 1, wide);
  const std::string gbk = platform::Utf16ToGbk(wide);
  if (!faceName) return static_cast<int>(gbk.size()) + 1;
  if (count <= 0) return 0;
  const size_t n = std::min(gbk.size(), static_cast<size_t>(count - 1));
  std::memcpy(faceName, gbk.data(), n);
  faceName[n] = 0;
  return static_cast<int>(n);
}
