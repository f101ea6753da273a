// Text: metrics that do not change from run to run, measuring, DrawText's
// measuring and line breaking, alignment and the current position.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/gdi/FontEngine.h"
#include "platform/gdi/Gdi32.h"
#include "platform/gdi/tests/GdiTestSupport.h"

namespace {

using gdi_test::Recording;

LOGFONTW Face(const char16_t* name, LONG height, LONG weight = FW_NORMAL) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  for (int i = 0; name[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = name[i];
  return lf;
}

struct WithFont : Recording {
  explicit WithFont(const LOGFONTW& lf) {
    font.CreateFontIndirect(&lf);
    old = dc.SelectObject(&font);
  }
  ~WithFont() { dc.SelectObject(old); }
  std::vector<platform::DrawOp> TextOps() const {
    std::vector<platform::DrawOp> out;
    for (auto& op : recorder->Ops()) {
      if (op.kind == platform::DrawKind::Text) out.push_back(op);
    }
    return out;
  }
  CFont font;
  CFont* old = nullptr;
};

TEST(Text, HeightsFollowTheSignOfLfHeight) {
  {
    WithFont f(Face(u"Arial", 20));  // positive: the cell height
    TEXTMETRICW tm{};
    ASSERT_TRUE(f.dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, 20);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, 20);
    EXPECT_GT(tm.tmInternalLeading, 0);
    EXPECT_GT(tm.tmAveCharWidth, 0);
  }
  {
    WithFont f(Face(u"Arial", -20));  // negative: the character (em) height
    TEXTMETRICW tm{};
    ASSERT_TRUE(f.dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
  }
}

TEST(Text, TheMostNegativeHeightAndWidthGiveTheLargestFont) {
  // A font record read from a damaged file may hold any 32-bit value.
  LOGFONTW lf = Face(u"Arial", INT_MIN);
  lf.lfWidth = INT_MIN;
  lf.lfEscapement = INT_MIN;
  lf.lfOrientation = INT_MIN;
  lf.lfWeight = INT_MIN;
  WithFont f(lf);
  TEXTMETRICW tm{};
  ASSERT_TRUE(f.dc.GetTextMetrics(&tm));
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 16384);
  f.dc.TextOut(0, 0, u"x", 1);
  CRect r(0, 0, 0, 0);
  f.dc.DrawText(u"abc", r, DT_CALCRECT);
  EXPECT_GT(r.Width(), 0);
}

TEST(Text, MetricsAndExtentsAreTheSameEveryTime) {
  const LOGFONTW lf = Face(u"宋体", -16);
  auto a = platform::RealizedFont::Get(lf, -16, 0, 16);
  // A font realised afresh (not from the cache) measures the same.
  platform::RealizedFont b(lf, -16, 0, 16);
  EXPECT_EQ(a->Metrics().height, b.Metrics().height);
  EXPECT_EQ(a->Metrics().ascent, b.Metrics().ascent);
  EXPECT_EQ(a->Width(u"Block 方框 123"), b.Width(u"Block 方框 123"));
  EXPECT_EQ(a->Advances(u"Wi方"), b.Advances(u"Wi方"));
}

TEST(Text, ExtentIsTheSumOfTheCharacters) {
  WithFont f(Face(u"Arial", -13));
  const CSize ab = f.dc.GetTextExtent(u"ab", 2);
  const CSize a = f.dc.GetTextExtent(u"a", 1);
  const CSize b = f.dc.GetTextExtent(u"b", 1);
  EXPECT_EQ(ab.cx, a.cx + b.cx);
  TEXTMETRICW tm{};
  f.dc.GetTextMetrics(&tm);
  EXPECT_EQ(ab.cy, tm.tmHeight);
  // Chinese characters come from the fallback face and have a width.
  const CSize chinese = f.dc.GetTextExtent(u"明细表", 3);
  EXPECT_GT(chinese.cx, 3 * 8);
  // The GBK and UTF-16 forms of a text measure alike.
  EXPECT_EQ(f.dc.GetTextExtent("\xC3\xF7\xCF\xB8\xB1\xED", 6), chinese);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32W(f.dc.m_hDC, u"ab", 2, &size));
  EXPECT_EQ(size.cx, ab.cx);
  EXPECT_EQ(f.dc.GetTextExtent(u"", 0).cx, 0);
  // The forms with a string class or a bare pointer agree.
  EXPECT_EQ(f.dc.GetTextExtent(u"ab"), ab);
  EXPECT_EQ(f.dc.GetTextExtent("ab"), ab);
  EXPECT_EQ(f.dc.GetTextExtent(CStringW(u"ab")), ab);
  EXPECT_EQ(f.dc.GetTextExtent(CStringA("ab")), ab);
}

TEST(Text, ExtentsAreInLogicalUnits) {
  // 20 units of 0.01 inch are 19.2 -> 19 pixels: the extent in units is the
  // extent of the 19-pixel font times 100 / 96, rounded.
  WithFont units(Face(u"Arial", -20));
  units.dc.SetMapMode(MM_LOENGLISH);
  WithFont pixels(Face(u"Arial", -19));
  const CSize p = pixels.dc.GetTextExtent(u"Extent", 6);
  const CSize u = units.dc.GetTextExtent(u"Extent", 6);
  EXPECT_EQ(u.cx, (p.cx * 100 + 48) / 96);
  EXPECT_EQ(u.cy, (p.cy * 100 + 48) / 96);
}

TEST(Text, DrawTextMeasuresOneLine) {
  WithFont f(Face(u"Arial", -13));
  const CSize extent = f.dc.GetTextExtent(u"Block", 5);
  TEXTMETRICW tm{};
  f.dc.GetTextMetrics(&tm);
  // The text of a new diagram label: DT_CALCRECT grows the empty rectangle
  // at the point to the text.
  CRect r(40, 30, 40, 30);
  const int height = f.dc.DrawText(u"Block", -1, &r, 0x924 | DT_CALCRECT);
  EXPECT_EQ(height, tm.tmHeight);
  EXPECT_EQ(r, CRect(40, 30, 40 + extent.cx, 30 + tm.tmHeight));
  EXPECT_EQ(f.recorder->Count(), 0u);  // measuring draws nothing
}

TEST(Text, DrawTextBreaksLinesBetweenWords) {
  WithFont f(Face(u"Arial", -13));
  const int word = f.dc.GetTextExtent(u"alpha beta", 10).cx;
  TEXTMETRICW tm{};
  f.dc.GetTextMetrics(&tm);
  // Room for "alpha beta" but not "alpha beta alpha".
  CRect r(0, 0, word + 2, 0);
  const CStringW text(u"alpha beta  alpha beta");
  EXPECT_EQ(f.dc.DrawText(text, &r, DT_WORDBREAK | DT_CALCRECT), 2 * tm.tmHeight);
  EXPECT_EQ(r.bottom, 2 * tm.tmHeight);
  EXPECT_EQ(r.right, word);  // the widest line
  CRect draw(0, 0, word + 2, 100);
  f.dc.DrawText(text, &draw, DT_WORDBREAK);
  auto ops = f.TextOps();
  ASSERT_EQ(ops.size(), 2u);
  EXPECT_EQ(ops[0].text, u"alpha beta");
  EXPECT_EQ(ops[1].text, u"alpha beta");  // the spaces at the break belong to no line
  EXPECT_EQ(ops[1].device[0].y - ops[0].device[0].y, tm.tmHeight);
  // Line breaks break lines; a word wider than the rectangle keeps its line.
  f.recorder->Clear();
  CRect narrow(0, 0, 5, 100);
  f.dc.DrawText(u"one\r\ntwo\nthree", -1, &narrow, DT_WORDBREAK | DT_NOCLIP);
  ops = f.TextOps();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[2].text, u"three");
  // Chinese text breaks between characters.
  CRect cjk(0, 0, f.dc.GetTextExtent(u"明细表", 3).cx, 0);
  EXPECT_EQ(f.dc.DrawText(u"明细表数据文件", -1, &cjk, DT_WORDBREAK | DT_CALCRECT), 3 * tm.tmHeight);
}

TEST(Text, DrawTextAlignsAndCentres) {
  WithFont f(Face(u"Arial", -13));
  const CSize extent = f.dc.GetTextExtent(u"mid", 3);
  TEXTMETRICW tm{};
  f.dc.GetTextMetrics(&tm);
  CRect r(0, 0, 200, 100);
  // Single line, vertically centred: the return is the offset of the text's
  // bottom from the rectangle's top.
  const int ret = f.dc.DrawText(u"mid", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  const int top = (100 - tm.tmHeight) / 2;
  EXPECT_EQ(ret, top + tm.tmHeight);
  auto ops = f.TextOps();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].device[0].x, (200 - extent.cx) / 2);
  EXPECT_EQ(ops[0].device[0].y, top + tm.tmAscent);
  // Mnemonic prefixes: "&File" draws "File" and underlines F; "&&" is "&".
  f.recorder->Clear();
  f.dc.DrawText(u"&File && more", -1, &r, DT_SINGLELINE);
  ops = f.recorder->Ops();
  ASSERT_EQ(ops.size(), 2u);
  EXPECT_EQ(ops[0].text, u"File & more");
  EXPECT_EQ(ops[1].kind, platform::DrawKind::FillRect);
}

TEST(Text, DrawTextExpandsTabs) {
  WithFont f(Face(u"Arial", -13));
  TEXTMETRICW tm{};
  f.dc.GetTextMetrics(&tm);
  const int b = f.dc.GetTextExtent(u"b", 1).cx;
  // Tab stops every 8 average character widths by default.
  CRect r(0, 0, 0, 0);
  f.dc.DrawText(u"a\tb", -1, &r, DT_EXPANDTABS | DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r.right, 8 * tm.tmAveCharWidth + b);
  // DT_TABSTOP: bits 8-15 are the tab size (here 4; bit 0x400 is then not
  // DT_CALCRECT, so the text is drawn).
  CRect box(0, 0, 300, 50);
  f.dc.DrawText(u"a\tb", -1, &box, DT_EXPANDTABS | DT_TABSTOP | DT_SINGLELINE | (4 << 8));
  const auto ops = f.TextOps();
  ASSERT_EQ(ops.size(), 1u);
  ASSERT_EQ(ops[0].glyphs.size(), 2u);  // the tab has no glyph
  EXPECT_EQ(ops[0].glyphs[1].x, 4 * tm.tmAveCharWidth);
}

TEST(Text, DrawTextInAYUpMappingGrowsDownward) {
  WithFont f(Face(u"Arial", 20));  // 20 units = 19.2 -> 19 pixels in MM_LOENGLISH
  f.dc.SetMapMode(MM_LOENGLISH);
  TEXTMETRICW tm{};
  f.dc.GetTextMetrics(&tm);
  CRect r(100, -100, 100, -100);
  const int height = f.dc.DrawText(u"Up", -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  EXPECT_GT(height, 0);
  EXPECT_EQ(r.top, -100);
  EXPECT_EQ(r.bottom, -100 - height);
  EXPECT_GT(r.right, 100);
}

TEST(Text, TextAlignmentAndCurrentPosition) {
  WithFont f(Face(u"Arial", -13));
  TEXTMETRICW tm{};
  f.dc.GetTextMetrics(&tm);
  const CSize extent = f.dc.GetTextExtent(u"abc", 3);
  f.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
  f.dc.TextOut(100, 50, u"abc", 3);
  f.dc.SetTextAlign(TA_LEFT | TA_TOP | TA_UPDATECP);
  f.dc.MoveTo(10, 20);
  f.dc.TextOut(0, 0, u"abc", 3);
  f.dc.TextOut(0, 0, u"abc", 3);
  const auto ops = f.TextOps();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].device[0].x, 100 - extent.cx);
  EXPECT_EQ(ops[0].device[0].y, 50);
  EXPECT_EQ(ops[1].device[0].x, 10);
  EXPECT_EQ(ops[1].device[0].y, 20 + tm.tmAscent);
  EXPECT_EQ(ops[2].device[0].x, 10 + extent.cx);
  EXPECT_EQ(f.dc.GetCurrentPosition(), CPoint(10 + 2 * extent.cx, 20));
}

TEST(Text, FontFamiliesAreListed) {
  Recording r;
  struct Seen {
    int count = 0;
    bool truetype = true;
  } seen;
  EnumFontFamiliesW(r.dc.m_hDC, nullptr,
                    [](const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM data) {
                      auto* s = reinterpret_cast<Seen*>(data);
                      ++s->count;
                      s->truetype = s->truetype && type == TRUETYPE_FONTTYPE && lf->lfFaceName[0] != 0;
                      return 1;
                    },
                    reinterpret_cast<LPARAM>(&seen));
  EXPECT_GT(seen.count, 0);
  EXPECT_TRUE(seen.truetype);
}

TEST(Text, GlyphMetricsGiveTheInkBoxAndTheAdvance) {
  WithFont f(Face(u"DejaVu Sans Mono", -100));
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  struct Case {
    UINT ch;
    int bottomAtLeast, bottomAtMost;  // the ink's bottom, from the base line up
    int topAtLeast, topAtMost;
  };
  // A capital stands on the base line, a descender goes below it, an
  // ideograph (from the face that has it) is nearly an em high.
  for (const Case& c : {Case{'H', -1, 1, 70, 76}, Case{'g', -25, -15, 50, 60}, Case{0x56FD, -15, 0, 75, 95}}) {
    GLYPHMETRICS gm{};
    ASSERT_EQ(f.dc.GetGlyphOutline(c.ch, GGO_METRICS, &gm, 0, nullptr, &identity), 0u) << c.ch;
    const int top = gm.gmptGlyphOrigin.y, bottom = top - static_cast<int>(gm.gmBlackBoxY);
    EXPECT_GE(bottom, c.bottomAtLeast) << c.ch;
    EXPECT_LE(bottom, c.bottomAtMost) << c.ch;
    EXPECT_GE(top, c.topAtLeast) << c.ch;
    EXPECT_LE(top, c.topAtMost) << c.ch;
    const char16_t text[2] = {static_cast<char16_t>(c.ch), 0};
    EXPECT_EQ(gm.gmCellIncX, f.dc.GetTextExtent(text, 1).cx) << c.ch;
    EXPECT_GT(gm.gmBlackBoxX, 0u);
    EXPECT_LT(gm.gmptGlyphOrigin.x + static_cast<int>(gm.gmBlackBoxX), gm.gmCellIncX + 10);
  }
  // The multibyte form takes a double-byte character as lead * 256 + trail.
  GLYPHMETRICS wide{}, narrow{};
  ASSERT_EQ(GetGlyphOutlineW(f.dc.m_hDC, 0x56FD, GGO_METRICS, &wide, 0, nullptr, &identity), 0u);
  ASSERT_EQ(GetGlyphOutlineA(f.dc.m_hDC, 0xB9FA, GGO_METRICS, &narrow, 0, nullptr, &identity), 0u);
  EXPECT_EQ(narrow.gmBlackBoxY, wide.gmBlackBoxY);
  EXPECT_EQ(narrow.gmCellIncX, wide.gmCellIncX);
  // No metrics or matrix: an error; outlines and bitmaps are not built.
  EXPECT_EQ(f.dc.GetGlyphOutline('H', GGO_METRICS, nullptr, 0, nullptr, &identity), GDI_ERROR);
  EXPECT_EQ(f.dc.GetGlyphOutline('H', GGO_METRICS, &wide, 0, nullptr, nullptr), GDI_ERROR);
  EXPECT_THROW(f.dc.GetGlyphOutline('H', GGO_BITMAP, &wide, 0, nullptr, &identity), CNotSupportedException);
}

// The native outline: closed contours of lines and splines in the glyph's
// box; its size asked first, a short buffer refused.
TEST(Text, NativeGlyphOutlinesGiveTheClosedContours) {
  WithFont f(Face(u"DejaVu Sans Mono", -100));
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  struct Case {
    UINT ch;
    int contours;
  };
  // "O" and the ideograph "口" (a hole each), "H" one contour, a blank none.
  for (const Case& c : {Case{'O', 2}, Case{0x53E3, 2}, Case{'H', 1}, Case{' ', 0}}) {
    GLYPHMETRICS gm{};
    const DWORD size = f.dc.GetGlyphOutline(c.ch, GGO_NATIVE, &gm, 0, nullptr, &identity);
    ASSERT_NE(size, GDI_ERROR) << c.ch;
    std::vector<BYTE> buffer(size + 1);
    if (size > 0) {
      EXPECT_EQ(f.dc.GetGlyphOutline(c.ch, GGO_NATIVE, &gm, size - 1, buffer.data(), &identity), GDI_ERROR);
    }
    ASSERT_EQ(f.dc.GetGlyphOutline(c.ch, GGO_NATIVE, &gm, size, buffer.data(), &identity), size) << c.ch;
    const double left = gm.gmptGlyphOrigin.x - 1, right = gm.gmptGlyphOrigin.x + gm.gmBlackBoxX + 1.0;
    const double top = gm.gmptGlyphOrigin.y + 1, bottom = gm.gmptGlyphOrigin.y - static_cast<double>(gm.gmBlackBoxY) - 1;
    int contours = 0;
    for (size_t at = 0; at < size;) {
      TTPOLYGONHEADER header;
      std::memcpy(&header, buffer.data() + at, sizeof header);
      ASSERT_EQ(header.dwType, static_cast<DWORD>(TT_POLYGON_TYPE));
      ASSERT_GT(header.cb, sizeof header);
      ++contours;
      auto inBox = [&](POINTFX p) {
        const double x = p.x.value + p.x.fract / 65536.0, y = p.y.value + p.y.fract / 65536.0;
        EXPECT_TRUE(x >= left && x <= right && y >= bottom && y <= top) << c.ch << ": " << x << ", " << y;
      };
      inBox(header.pfxStart);
      POINTFX last = header.pfxStart;
      for (size_t p = at + sizeof header; p < at + header.cb;) {
        WORD kind = 0, count = 0;
        std::memcpy(&kind, buffer.data() + p, 2);
        std::memcpy(&count, buffer.data() + p + 2, 2);
        EXPECT_TRUE(kind == TT_PRIM_LINE || kind == TT_PRIM_QSPLINE || kind == TT_PRIM_CSPLINE);
        for (WORD i = 0; i < count; ++i) {
          std::memcpy(&last, buffer.data() + p + 4 + i * sizeof(POINTFX), sizeof last);
          inBox(last);
        }
        p += 4 + count * sizeof(POINTFX);
      }
      // The contour ends where it began.
      EXPECT_EQ(std::memcmp(&last, &header.pfxStart, sizeof last), 0) << c.ch;
      at += header.cb;
    }
    EXPECT_EQ(contours, c.contours) << c.ch;
  }
}

TEST(Text, PrivateFontFilesAreAddedAndTakenBack) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "scrivel-private-fonts";
  std::filesystem::create_directories(folder);
  const std::string notAFont = (folder / "notes.ttf").string();
  std::ofstream(notAFont) << "no font in here";
  EXPECT_EQ(AddFontResourceExA(notAFont.c_str(), FR_PRIVATE, nullptr), 0);
  EXPECT_EQ(AddFontResourceExA((folder / "missing.ttf").string().c_str(), FR_PRIVATE, nullptr), 0);
  EXPECT_FALSE(RemoveFontResourceExA(notAFont.c_str(), FR_PRIVATE, nullptr));
  std::filesystem::remove_all(folder);

  const char* installed = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
  if (!std::filesystem::exists(installed)) GTEST_SKIP() << "no DejaVu Sans Mono file";
  EXPECT_EQ(AddFontResourceExA(installed, 0, nullptr), 0);  // neither private nor hidden
  EXPECT_EQ(AddFontResourceExA(installed, FR_PRIVATE, nullptr), 1);
  EXPECT_EQ(AddFontResourceExW(u"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", FR_PRIVATE, nullptr), 1);
  {
    WithFont f(Face(u"DejaVu Sans Mono", -20));
    EXPECT_GT(f.dc.GetTextExtent(u"M", 1).cx, 0);
  }
  EXPECT_TRUE(RemoveFontResourceExA(installed, FR_PRIVATE, nullptr));
  EXPECT_TRUE(RemoveFontResourceExW(u"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", FR_PRIVATE, nullptr));
  EXPECT_FALSE(RemoveFontResourceExA(installed, FR_PRIVATE, nullptr));  // every add taken back
}

}  // namespace
