#include "draft/host/TextPainter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "draft/host/FontManager.h"
#include "draft/host/FontMap.h"
#include "draft/host/Messages.h"
#include "platform/core/Charset.h"
#include "platform/core/WinConstants.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"

namespace {

// The size fonts are measured at, in pixels per em.
constexpr int kMeasureEm = 1000;
// The glyphs whose ink, all together, is taken as the height of each script:
// common characters of drawings, and the letters and digits.
constexpr char16_t kIdeographs[] = u"国技术要求螺栓零件名称序号材料备注单总计数量图样比例重审核设批准日期";
constexpr char16_t kIdeograph = u'\u56FD';

// A family's measures in ems, taken at kMeasureEm pixels per em.
struct FamilyMeasures {
  double westernBottom = 0.0;  // the ink of the reference glyphs, from the base line up
  double westernTop = 1.0;
  double ideographBottom = 0.0;
  double ideographTop = 1.0;
  double widestWestern = 0.5;  // the widest printable one-byte character
  double ideographAdvance = 1.0;
  double averageWidth = 0.5;  // what lfWidth is measured against
  std::map<char16_t, double> advances;
};

LOGFONTW MakeFont(const CStringW& family, int height, int width, int escapement) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = escapement;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = GB2312_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  const int n = std::min(family.GetLength(), LF_FACESIZE - 1);
  std::copy(family.GetString(), family.GetString() + n, lf.lfFaceName);
  return lf;
}

// A DC with the family selected at kMeasureEm pixels per em.
class MeasuringDc {
 public:
  MeasuringDc(const CStringW& family) {
    dc_.CreateCompatibleDC(nullptr);
    const LOGFONTW lf = MakeFont(family, -kMeasureEm, 0, 0);
    font_.CreateFontIndirect(&lf);
    old_ = dc_.SelectObject(&font_);
  }
  ~MeasuringDc() { dc_.SelectObject(old_); }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;

  // The glyph's ink bottom and top and its advance, in ems.
  void Glyph(char16_t c, double& bottom, double& top, double& advance) {
    static const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS gm{};
    if (dc_.GetGlyphOutline(c, GGO_METRICS, &gm, 0, nullptr, &identity) == GDI_ERROR) {
      bottom = 0.0;
      top = 1.0;
      advance = 1.0;
      return;
    }
    top = static_cast<double>(gm.gmptGlyphOrigin.y) / kMeasureEm;
    bottom = top - static_cast<double>(gm.gmBlackBoxY) / kMeasureEm;
    advance = static_cast<double>(gm.gmCellIncX) / kMeasureEm;
  }
  double AverageWidth() {
    TEXTMETRICW tm{};
    dc_.GetTextMetrics(&tm);
    return static_cast<double>(tm.tmAveCharWidth) / kMeasureEm;
  }

 private:
  CDC dc_;
  CFont font_;
  CFont* old_ = nullptr;
};

// The measures of a family, measured once per process.
FamilyMeasures& MeasuresOf(const CStringW& family) {
  static std::map<std::u16string, std::unique_ptr<FamilyMeasures>> cache;
  const std::u16string key(family.GetString(), static_cast<size_t>(family.GetLength()));
  auto it = cache.find(key);
  if (it != cache.end()) return *it->second;
  auto m = std::make_unique<FamilyMeasures>();
  MeasuringDc dc(family);
  double bottom = 0, top = 0, advance = 0;
  m->ideographBottom = m->westernBottom = 1e9;
  m->ideographTop = m->westernTop = -1e9;
  for (const char16_t* p = kIdeographs; *p; ++p) {
    dc.Glyph(*p, bottom, top, advance);
    m->advances[*p] = advance;
    m->ideographBottom = std::min(m->ideographBottom, bottom);
    m->ideographTop = std::max(m->ideographTop, top);
  }
  m->ideographAdvance = m->advances[kIdeograph];
  double widest = 0.0;
  for (char16_t c = 0x21; c < 0x7F; ++c) {
    dc.Glyph(c, bottom, top, advance);
    m->advances[c] = advance;
    widest = std::max(widest, advance);
    const bool letterOrDigit = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    const bool descends = c == u'g' || c == u'j' || c == u'p' || c == u'q' || c == u'y';
    if (letterOrDigit) m->westernTop = std::max(m->westernTop, top);
    if (letterOrDigit && !descends) m->westernBottom = std::min(m->westernBottom, bottom);
  }
  if (widest > 0) m->widestWestern = widest;
  m->averageWidth = dc.AverageWidth();
  return *cache.emplace(key, std::move(m)).first->second;
}

double AdvanceOf(const CStringW& family, FamilyMeasures& m, char16_t c) {
  auto it = m.advances.find(c);
  if (it != m.advances.end()) return it->second;
  MeasuringDc dc(family);
  double bottom = 0, top = 0, advance = 0;
  dc.Glyph(c, bottom, top, advance);
  return m.advances[c] = advance;
}

// The fonts of a text's two scripts: the names the drawing gives them and
// the families that draw them.
struct TextFonts {
  CStringA names[2];  // 0 one-byte characters, 1 double-byte ones
  CStringW families[2];
};

TextFonts ResolveFonts(const CTextAttrib& attr) {
  TextFonts fonts;
  if (attr.GetFontStyle() == 1) {
    // A TrueType face is drawn as named, as it is measured.
    fonts.names[0] = fonts.names[1] = attr.GetTrueTypeName();
    fonts.families[0] = fonts.families[1] = CStringW(attr.GetTrueTypeName().GetString());
    return fonts;
  }
  if (attr.GetFontStyle() == 2) {
    fonts.names[0] = attr.GetShxFontName();
    fonts.names[1] = attr.GetBigFontName();
  } else {
    const CFontManager* manager = GetFontManager();
    const CVectorFont* western = manager->GetWesternFont(attr.GetWesternFontIndex());
    const CVectorFont* chinese = manager->GetChineseFont(attr.GetChineseFontIndex());
    if (!western) western = manager->GetWesternFont(1);
    if (!chinese) chinese = manager->GetChineseFont(1);
    fonts.names[0] = western ? western->name : CStringA();
    fonts.names[1] = chinese ? chinese->name : CStringA();
  }
  for (int i = 0; i < 2; ++i) fonts.families[i] = GetFontMap().FindFamily(fonts.names[i]);
  return fonts;
}

void ReportMissingFont(const CStringA& name) {
  if (!GetFontMap().IsFirstReport(name)) return;
  CStringA message;
  message.Format("找不到字体“%s”对应的本机字体，用它的文字只画出外框。", name.GetString());
  ShowMessage(message, MB_OK | MB_ICONWARNING);
}

// One run of characters of one script, ready for ExtTextOut.
struct GlyphRun {
  LOGFONTW font;
  double x, y;  // the base line's start, device pixels
  std::u16string text;
  std::vector<INT> dx;
};

char16_t WideCharOf(const char* bytes, int count) {
  const std::u16string wide = platform::GbkToUtf16(std::string_view(bytes, static_cast<size_t>(count)));
  return wide.size() == 1 ? wide[0] : u'?';
}

}  // namespace

bool PlaceTextGlyphs(const ShownText& text, PlacedGlyphs& out) {
  out.glyphs.clear();
  const std::vector<TextCell> cells = GetFontManager()->GetTextCells(text.text, text.attr);
  if (cells.empty()) return true;
  const TextFonts fonts = ResolveFonts(text.attr);
  bool complete = true;
  for (int script = 0; script < 2; ++script) {
    out.families[script] = fonts.families[script];
    const bool used = std::any_of(cells.begin(), cells.end(), [&](const TextCell& c) { return c.wide == (script == 1); });
    if (used && fonts.families[script].IsEmpty()) {
      ReportMissingFont(fonts.names[script]);
      complete = false;
    }
  }
  if (!complete) return false;

  const bool trueType = text.attr.GetFontStyle() == 1;
  const double h = text.attr.GetHeight();
  for (size_t first = 0; first < cells.size();) {
    const bool wide = cells[first].wide;
    size_t end = first;
    while (end < cells.size() && cells[end].wide == wide) ++end;
    const CStringW& family = fonts.families[wide ? 1 : 0];
    FamilyMeasures& m = MeasuresOf(family);
    // The em across and down, in drawing units, and the base line's height
    // above the text's base line.
    double emDown = h, emAcross = h * text.attr.GetWidthFactor(), base = 0.0;
    if (trueType) {
      base = wide ? -m.ideographBottom * h : 0.0;
    } else {
      const double bottom = wide ? m.ideographBottom : m.westernBottom;
      const double ink = (wide ? m.ideographTop : m.westernTop) - bottom;
      emDown = ink > 0 ? h / ink : h;
      base = -bottom * emDown;
      const double widest = wide ? m.ideographAdvance : m.widestWestern;
      emAcross = widest > 0 ? cells[first].width / widest : emDown;
    }
    for (size_t i = first; i < end; ++i) {
      const TextCell& c = cells[i];
      PlacedGlyph g;
      g.ch = WideCharOf(text.text.GetString() + c.byte, c.bytes);
      g.wide = wide;
      g.advance = AdvanceOf(family, m, g.ch) * emAcross;
      g.along = trueType ? c.start : c.start + (c.width - g.advance) / 2;
      g.base = base;
      g.emAcross = emAcross;
      g.emDown = emDown;
      out.glyphs.push_back(g);
    }
    first = end;
  }
  return true;
}

namespace {

// Lays the text out in device pixels; false when a font is missing.
bool LayOut(const ShownText& text, const DeviceMapping& map, std::vector<GlyphRun>& runs) {
  PlacedGlyphs placed;
  if (!PlaceTextGlyphs(text, placed)) return false;
  const double angle = DegreeToRadian(text.attr.GetAngle());
  const GPoint along{std::cos(angle), std::sin(angle)}, up{-std::sin(angle), std::cos(angle)};
  const int escapement = static_cast<int>(std::lround(NormalizeAngle(text.attr.GetAngle()) * 10)) % 3600;
  const std::vector<PlacedGlyph>& glyphs = placed.glyphs;
  for (size_t first = 0; first < glyphs.size();) {
    const bool wide = glyphs[first].wide;
    size_t end = first;
    while (end < glyphs.size() && glyphs[end].wide == wide) ++end;
    const CStringW& family = placed.families[wide ? 1 : 0];
    const FamilyMeasures& m = MeasuresOf(family);
    const PlacedGlyph& g0 = glyphs[first];
    const double emPixels = g0.emDown * map.zoom;
    if (emPixels >= 1.0) {
      GlyphRun run;
      const int width = std::max(1, static_cast<int>(std::lround(g0.emAcross * map.zoom * m.averageWidth)));
      run.font = MakeFont(family, -static_cast<int>(std::lround(emPixels)), width, escapement);
      std::vector<double> origins;
      for (size_t i = first; i < end; ++i) {
        run.text.push_back(glyphs[i].ch);
        origins.push_back(glyphs[i].along);
        if (i + 1 == end) origins.push_back(origins.back() + glyphs[i].advance);
      }
      for (size_t k = 0; k + 1 < origins.size(); ++k) {
        run.dx.push_back(static_cast<INT>(std::lround((origins[k + 1] - origins[0]) * map.zoom) -
                                          std::lround((origins[k] - origins[0]) * map.zoom)));
      }
      const double base = g0.base;
      const GPoint start{text.at.x + along.x * origins[0] + up.x * base, text.at.y + along.y * origins[0] + up.y * base};
      map.ToDevice(start, run.x, run.y);
      runs.push_back(std::move(run));
    }
    first = end;
  }
  return true;
}

void DrawRuns(CDC& dc, const std::vector<GlyphRun>& runs, COLORREF colour, POINT offset) {
  const COLORREF oldColour = dc.SetTextColor(colour);
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  const UINT oldAlign = dc.SetTextAlign(TA_BASELINE | TA_LEFT);
  for (const GlyphRun& run : runs) {
    CFont font;
    if (!font.CreateFontIndirect(&run.font)) continue;
    CFont* old = dc.SelectObject(&font);
    dc.ExtTextOut(static_cast<int>(std::lround(run.x)) - offset.x, static_cast<int>(std::lround(run.y)) - offset.y, 0,
                  nullptr, reinterpret_cast<LPCWSTR>(run.text.c_str()), static_cast<UINT>(run.text.size()),
                  run.dx.data());
    dc.SelectObject(old);
  }
  dc.SetTextAlign(oldAlign);
  dc.SetBkMode(oldMode);
  dc.SetTextColor(oldColour);
}

// The device bounds of the text's box, grown by a margin for descenders and
// glyphs that reach past their cells.
RECT DeviceBounds(const ShownText& text, const DeviceMapping& map) {
  const double w = GetFontManager()->GetTextWidth(text.text, text.attr);
  const double h = text.attr.GetHeight();
  GPoint corners[4] = {text.at, {text.at.x + w, text.at.y}, {text.at.x + w, text.at.y + h}, {text.at.x, text.at.y + h}};
  for (int i = 1; i < 4; ++i) RotatePoint(corners[i], text.at, text.attr.GetAngle());
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  for (const GPoint& p : corners) {
    double x = 0, y = 0;
    map.ToDevice(p, x, y);
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x);
    y1 = std::max(y1, y);
  }
  const double margin = std::ceil(h * map.zoom / 2) + 2;
  auto clamp = [](double v) { return static_cast<LONG>(std::clamp(v, -1e9, 1e9)); };
  return RECT{clamp(std::floor(x0 - margin)), clamp(std::floor(y0 - margin)), clamp(std::ceil(x1 + margin)),
              clamp(std::ceil(y1 + margin))};
}

}  // namespace

bool PaintShownText(CDC& dc, const ShownText& text, const DeviceMapping& map, COLORREF colour, bool invert,
                    const RECT& clip) {
  std::vector<GlyphRun> runs;
  if (!LayOut(text, map, runs)) return false;
  if (runs.empty()) return true;
  if (!invert) {
    DrawRuns(dc, runs, colour, POINT{0, 0});
    return true;
  }
  const RECT box = DeviceBounds(text, map);
  RECT bounds{std::max(box.left, clip.left), std::max(box.top, clip.top), std::min(box.right, clip.right),
              std::min(box.bottom, clip.bottom)};
  PaintInverted(dc, bounds, [&](CDC& picture, POINT offset) { DrawRuns(picture, runs, colour, offset); });
  return true;
}

void PaintInverted(CDC& dc, const RECT& bounds, const std::function<void(CDC&, POINT)>& draw) {
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return;
  CDC picture;
  CBitmap bitmap;
  if (!picture.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, width, height)) return;
  CBitmap* old = picture.SelectObject(&bitmap);
  picture.FillSolidRect(0, 0, width, height, RGB(0, 0, 0));
  draw(picture, POINT{bounds.left, bounds.top});
  dc.BitBlt(bounds.left, bounds.top, width, height, &picture, 0, 0, SRCINVERT);
  picture.SelectObject(old);
}
