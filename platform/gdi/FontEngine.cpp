#include "platform/gdi/FontEngine.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

#include "platform/core/Charset.h"
#include "platform/gdi/GdiConstants.h"

#if defined(__SANITIZE_ADDRESS__)
#define SCRIVEL_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SCRIVEL_LEAK_CHECKED 1
#endif
#endif

#if defined(SCRIVEL_LEAK_CHECKED)
// fontconfig (2.14) loses a block while it parses its configuration files, once
// per process; the leak checker of sanitizer builds is told so that it
// reports only leaks of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace platform {

// One font file face: a FreeType face for measuring (used under the engine's
// lock) and a Cairo face of its own for drawing.
class FontFace {
 public:
  FontFace(FT_Face measure, cairo_font_face_t* cairo, std::string family, bool bold, bool italic)
      : measure_(measure), cairo_(cairo), family_(std::move(family)), bold_(bold), italic_(italic) {}
  FT_Face Measure() const { return measure_; }
  cairo_font_face_t* Cairo() const { return cairo_; }
  const std::string& Family() const { return family_; }
  bool Bold() const { return bold_; }
  bool Italic() const { return italic_; }

 private:
  FT_Face measure_;
  cairo_font_face_t* cairo_;
  std::string family_;
  bool bold_, italic_;
};

namespace {

constexpr const char* kCjkFamily = "WenQuanYi Micro Hei";

// The engine's shared state. It lives to the end of the process: Cairo keeps
// faces in caches of its own until then, so the FreeType library must too.
struct Engine {
  std::mutex mutex;  // guards FreeType measuring faces and the caches
  FT_Library library = nullptr;
  FcConfig* config = nullptr;
  std::map<std::pair<std::string, int>, std::shared_ptr<FontFace>> byFile;
  std::map<std::string, std::shared_ptr<FontFace>> byRequest;
  std::map<std::vector<uint8_t>, std::shared_ptr<const RealizedFont>> realized;
  std::map<std::string, int> privateFiles;  // added font files and their add counts
};

Engine& TheEngine() {
  static Engine* engine = [] {
    auto* e = new Engine;
    FT_Init_FreeType(&e->library);
    e->config = FcInitLoadConfigAndFonts();
    return e;
  }();
  return *engine;
}

const cairo_user_data_key_t kFaceKey{};

void DoneFace(void* face) {
  // Called by Cairo when its face goes; the library outlives every face.
  FT_Done_Face(static_cast<FT_Face>(face));
}

// Opens a face of a file; the caller holds the engine lock.
std::shared_ptr<FontFace> OpenFace(Engine& e, const std::string& file, int index, bool synthBold, bool synthItalic) {
  auto key = std::make_pair(file + (synthBold ? "#b" : "") + (synthItalic ? "#i" : ""), index);
  auto it = e.byFile.find(key);
  if (it != e.byFile.end()) return it->second;
  FT_Face measure = nullptr, drawing = nullptr;
  if (FT_New_Face(e.library, file.c_str(), index, &measure) != 0) return nullptr;
  if (FT_New_Face(e.library, file.c_str(), index, &drawing) != 0) {
    FT_Done_Face(measure);
    return nullptr;
  }
  cairo_font_face_t* cairo = cairo_ft_font_face_create_for_ft_face(drawing, FT_LOAD_DEFAULT);
  if (cairo_font_face_set_user_data(cairo, &kFaceKey, drawing, DoneFace) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(cairo);
    FT_Done_Face(drawing);
    FT_Done_Face(measure);
    return nullptr;
  }
  unsigned synth = 0;
  if (synthBold) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
  if (synthItalic) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
  if (synth) cairo_ft_font_face_set_synthesize(cairo, synth);
  auto face = std::make_shared<FontFace>(measure, cairo, measure->family_name ? measure->family_name : "",
                                         synthBold, synthItalic);
  e.byFile.emplace(key, face);
  return face;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The fontconfig family to ask for a Windows face name.
std::string FamilyFor(const LOGFONTW& lf) {
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && lf.lfFaceName[i]; ++i) face.push_back(lf.lfFaceName[i]);
  const std::string name = Utf16ToUtf8(face);
  static const std::set<std::string> cjk = {"宋体", "新宋体", "黑体", "楷体", "楷体_gb2312", "仿宋", "仿宋_gb2312",
                                            "微软雅黑", "simsun", "nsimsun", "simhei", "kaiti", "kaiti_gb2312",
                                            "fangsong", "fangsong_gb2312", "microsoft yahei", "mingliu",
                                            "pmingliu", "ms gothic", "ms mincho", "@宋体"};
  static const std::set<std::string> sans = {"ms sans serif", "ms shell dlg", "ms shell dlg 2", "system", "arial",
                                             "tahoma", "verdana", "segoe ui", "helvetica", "small fonts"};
  static const std::set<std::string> mono = {"courier", "courier new", "fixedsys", "terminal", "consolas",
                                             "lucida console"};
  static const std::set<std::string> serif = {"times new roman", "times", "ms serif", "roman"};
  const std::string lower = Lower(name);
  if (cjk.count(lower)) return kCjkFamily;
  if (sans.count(lower)) return "sans-serif";
  if (mono.count(lower)) return "monospace";
  if (serif.count(lower)) return "serif";
  if (!name.empty()) return name;
  const int family = lf.lfPitchAndFamily & 0xF0;
  if ((lf.lfPitchAndFamily & 0x3) == FIXED_PITCH || family == FF_MODERN) return "monospace";
  if (family == FF_ROMAN) return "serif";
  return "sans-serif";
}

// Chooses a face through fontconfig; the caller holds the engine lock.
std::shared_ptr<FontFace> MatchFace(Engine& e, const std::string& family, int weight, bool italic, const char* lang) {
  const std::string request = family + "|" + std::to_string(weight) + "|" + (italic ? "i" : "r") + "|" +
                              (lang ? lang : "");
  auto it = e.byRequest.find(request);
  if (it != e.byRequest.end()) return it->second;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight == 0 ? FW_NORMAL : weight));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  if (lang) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
  FcConfigSubstitute(e.config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(e.config, pattern, &result);
  FcPatternDestroy(pattern);
  std::shared_ptr<FontFace> face;
  if (match) {
    FcChar8* file = nullptr;
    int index = 0, gotWeight = FC_WEIGHT_REGULAR, gotSlant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &gotWeight);
    FcPatternGetInteger(match, FC_SLANT, 0, &gotSlant);
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      const bool synthBold = weight >= FW_SEMIBOLD && gotWeight < FC_WEIGHT_DEMIBOLD;
      const bool synthItalic = italic && gotSlant == FC_SLANT_ROMAN;
      face = OpenFace(e, reinterpret_cast<const char*>(file), index, synthBold, synthItalic);
    }
    FcPatternDestroy(match);
  }
  e.byRequest.emplace(request, face);
  return face;
}

// Sets the measuring face to the font's size; the caller holds the engine lock.
void SetSize(FT_Face face, double emX, double emY) {
  FT_Set_Char_Size(face, std::max<FT_F26Dot6>(1, std::lround(emX * 64)), std::max<FT_F26Dot6>(1, std::lround(emY * 64)),
                   72, 72);
}

char32_t DecodeAt(std::u16string_view text, size_t i, size_t* units) {
  const char16_t c = text[i];
  if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
    *units = 2;
    return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
  }
  *units = 1;
  return c;
}

}  // namespace

RealizedFont::RealizedFont(const LOGFONTW& lf, int deviceHeight, int deviceWidth, int defaultCellHeight) {
  Engine& e = TheEngine();
  std::lock_guard<std::mutex> lock(e.mutex);
  const int weight = lf.lfWeight == 0 ? FW_NORMAL : std::clamp<int>(lf.lfWeight, 1, 1000);
  const bool italic = lf.lfItalic != 0;
  faces_[0] = MatchFace(e, FamilyFor(lf), weight, italic, nullptr);
  faces_[1] = MatchFace(e, kCjkFamily, weight, italic, "zh-cn");
  if (!faces_[0]) faces_[0] = faces_[1];
  underline_ = lf.lfUnderline != 0;
  strikeOut_ = lf.lfStrikeOut != 0;
  antialiased_ = lf.lfQuality != NONANTIALIASED_QUALITY;
  escapement_ = lf.lfEscapement;
  metrics_.weight = weight;
  if (!faces_[0]) return;  // no font at all: zero metrics, nothing drawn

  FT_Face face = faces_[0]->Measure();
  const double upem = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  double winAscent = face->ascender, winDescent = -face->descender, lineGap = 0, avgWidth = upem / 2;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (os2 && os2->version != 0xFFFF) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      winAscent = os2->usWinAscent;
      winDescent = os2->usWinDescent;
    }
    if (os2->xAvgCharWidth > 0) avgWidth = os2->xAvgCharWidth;
  }
  if (hhea) {
    lineGap = std::max(0.0, hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender)));
  }
  const double cell = std::max(1.0, winAscent + winDescent);

  // Sizes are kept to what FreeType and Cairo handle well.
  constexpr int kMaxPixels = 16384;
  int height = deviceHeight == 0 ? std::clamp(defaultCellHeight, 1, kMaxPixels)
                                 : std::clamp(deviceHeight, -kMaxPixels, kMaxPixels);
  deviceWidth = std::clamp(deviceWidth, 0, kMaxPixels);
  if (height > 0) {
    // Cell height: the em is what makes ascent + descent that many pixels.
    emY_ = height * upem / cell;
    metrics_.height = height;
    metrics_.ascent = static_cast<int>(std::lround(winAscent * emY_ / upem));
    metrics_.descent = height - metrics_.ascent;
  } else {
    emY_ = -double(height);
    metrics_.ascent = static_cast<int>(std::lround(winAscent * emY_ / upem));
    metrics_.descent = static_cast<int>(std::lround(winDescent * emY_ / upem));
    metrics_.height = metrics_.ascent + metrics_.descent;
  }
  emX_ = emY_;
  const double naturalAverage = avgWidth * emY_ / upem;
  if (deviceWidth > 0 && naturalAverage > 0) emX_ = std::clamp(emY_ * deviceWidth / naturalAverage, 1.0, 4.0 * kMaxPixels);
  metrics_.internalLeading = std::max(0, metrics_.height - static_cast<int>(std::lround(emY_)));
  metrics_.externalLeading = static_cast<int>(std::lround(lineGap * emY_ / upem));
  metrics_.aveCharWidth = deviceWidth > 0 ? deviceWidth : static_cast<int>(std::lround(naturalAverage));
  metrics_.maxCharWidth = static_cast<int>(std::lround((face->bbox.xMax - face->bbox.xMin) * emX_ / upem));
  metrics_.fixedPitch = FT_IS_FIXED_WIDTH(face);
  boldExtra_ = faces_[0]->Bold() ? 1 : 0;
  if (boldExtra_) {
    metrics_.aveCharWidth += boldExtra_;
    metrics_.maxCharWidth += boldExtra_;
  }
}

std::shared_ptr<const RealizedFont> RealizedFont::Get(const LOGFONTW& lf, int deviceHeight, int deviceWidth,
                                                      int defaultCellHeight) {
  std::vector<uint8_t> key(sizeof(LOGFONTW) + 3 * sizeof(int));
  std::memcpy(key.data(), &lf, sizeof(LOGFONTW));
  const int numbers[3] = {deviceHeight, deviceWidth, defaultCellHeight};
  std::memcpy(key.data() + sizeof(LOGFONTW), numbers, sizeof(numbers));
  Engine& e = TheEngine();
  {
    std::lock_guard<std::mutex> lock(e.mutex);
    auto it = e.realized.find(key);
    if (it != e.realized.end()) return it->second;
  }
  auto font = std::make_shared<const RealizedFont>(lf, deviceHeight, deviceWidth, defaultCellHeight);
  std::lock_guard<std::mutex> lock(e.mutex);
  if (e.realized.size() >= 512) e.realized.clear();  // bounded; realising again is cheap
  e.realized.emplace(std::move(key), font);
  return font;
}

int RealizedFont::FaceFor(char32_t c, unsigned* glyph) const {
  for (int i = 0; i < 2; ++i) {
    if (!faces_[i]) continue;
    const unsigned g = FT_Get_Char_Index(faces_[i]->Measure(), c);
    if (g != 0) {
      *glyph = g;
      return i;
    }
  }
  *glyph = 0;
  return 0;
}

int RealizedFont::AdvanceOf(char32_t c) const {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = advances_.find(c);
    if (it != advances_.end()) return it->second;
  }
  int advance = 0;
  if (faces_[0]) {
    Engine& e = TheEngine();
    std::lock_guard<std::mutex> lock(e.mutex);
    unsigned glyph = 0;
    const int which = FaceFor(c, &glyph);
    FT_Face face = faces_[which]->Measure();
    SetSize(face, emX_, emY_);
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) == 0) {
      advance = static_cast<int>((face->glyph->advance.x + 32) >> 6) + boldExtra_;
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  advances_.emplace(c, advance);
  return advance;
}

std::vector<int> RealizedFont::Advances(std::u16string_view text) const {
  std::vector<int> out(text.size(), 0);
  for (size_t i = 0; i < text.size();) {
    size_t units = 1;
    const char32_t c = DecodeAt(text, i, &units);
    out[i] = AdvanceOf(c);
    i += units;
  }
  return out;
}

int RealizedFont::Width(std::u16string_view text) const {
  int w = 0;
  for (int a : Advances(text)) w += a;
  return w;
}

std::vector<RealizedFont::Glyph> RealizedFont::Layout(std::u16string_view text, const int* dx) const {
  std::vector<Glyph> out;
  const std::vector<int> advances = dx ? std::vector<int>(dx, dx + text.size()) : Advances(text);
  int x = 0;
  for (size_t i = 0; i < text.size();) {
    size_t units = 1;
    const char32_t c = DecodeAt(text, i, &units);
    unsigned glyph = 0;
    int which = 0;
    if (faces_[0]) {
      Engine& e = TheEngine();
      std::lock_guard<std::mutex> lock(e.mutex);
      which = FaceFor(c, &glyph);
    }
    if (c != u'\t' && c != u'\r' && c != u'\n') out.push_back(Glyph{which, glyph, x});
    for (size_t k = 0; k < units; ++k) x += advances[i + k];
    i += units;
  }
  return out;
}

cairo_font_face_t* RealizedFont::CairoFace(int face) const {
  const auto& f = faces_[face == 1 ? 1 : 0];
  return f ? f->Cairo() : nullptr;
}

std::string RealizedFont::FamilyName() const { return faces_[0] ? faces_[0]->Family() : std::string(); }

GlyphBox RealizedFont::GlyphBoxOf(char32_t c) const {
  GlyphBox box;
  if (!faces_[0]) return box;
  Engine& e = TheEngine();
  std::lock_guard<std::mutex> lock(e.mutex);
  unsigned glyph = 0;
  const int which = FaceFor(c, &glyph);
  FT_Face face = faces_[which]->Measure();
  SetSize(face, emX_, emY_);
  if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0) return box;
  box.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6) + boldExtra_;
  if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE || face->glyph->outline.n_points == 0) return box;
  FT_BBox cbox;
  FT_Outline_Get_CBox(&face->glyph->outline, &cbox);
  const long left = cbox.xMin >> 6, right = (cbox.xMax + 63) >> 6;
  const long bottom = cbox.yMin >> 6, top = (cbox.yMax + 63) >> 6;
  box.left = static_cast<int>(left);
  box.top = static_cast<int>(top);
  box.width = static_cast<int>(right - left) + boldExtra_;
  box.height = static_cast<int>(top - bottom);
  return box;
}

namespace {

// FreeType's outline decomposition into contours of GlyphSegments.
struct OutlineSink {
  std::vector<GlyphContour> contours;
  static double V(FT_Pos v) { return static_cast<double>(v) / 64.0; }
  static OutlineSink* Of(void* user) { return static_cast<OutlineSink*>(user); }
  static int MoveTo(const FT_Vector* to, void* user) {
    GlyphContour c;
    c.startX = V(to->x);
    c.startY = V(to->y);
    Of(user)->contours.push_back(std::move(c));
    return 0;
  }
  static int Add(void* user, int kind, std::initializer_list<const FT_Vector*> points) {
    OutlineSink* sink = Of(user);
    if (sink->contours.empty()) return 1;
    GlyphSegment segment;
    segment.kind = kind;
    int i = 0;
    for (const FT_Vector* p : points) {
      segment.x[i] = V(p->x);
      segment.y[i] = V(p->y);
      ++i;
    }
    sink->contours.back().segments.push_back(segment);
    return 0;
  }
  static int LineTo(const FT_Vector* to, void* user) { return Add(user, 1, {to}); }
  static int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) { return Add(user, 2, {control, to}); }
  static int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    return Add(user, 3, {c1, c2, to});
  }
};

}  // namespace

std::vector<GlyphContour> RealizedFont::GlyphOutlineOf(char32_t c, bool unhinted) const {
  if (!faces_[0]) return {};
  Engine& e = TheEngine();
  std::lock_guard<std::mutex> lock(e.mutex);
  unsigned glyph = 0;
  const int which = FaceFor(c, &glyph);
  FT_Face face = faces_[which]->Measure();
  SetSize(face, emX_, emY_);
  const FT_Int32 flags = FT_LOAD_NO_BITMAP | (unhinted ? FT_LOAD_NO_HINTING : FT_LOAD_DEFAULT);
  if (FT_Load_Glyph(face, glyph, flags) != 0 || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return {};
  FT_Outline_Funcs funcs{};
  funcs.move_to = &OutlineSink::MoveTo;
  funcs.line_to = &OutlineSink::LineTo;
  funcs.conic_to = &OutlineSink::ConicTo;
  funcs.cubic_to = &OutlineSink::CubicTo;
  OutlineSink sink;
  if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &sink) != 0) return {};
  // Each contour closes back to its start, as a glyph outline's does.
  for (GlyphContour& contour : sink.contours) {
    const GlyphSegment* last = contour.segments.empty() ? nullptr : &contour.segments.back();
    const int n = last ? (last->kind == 1 ? 0 : last->kind == 2 ? 1 : 2) : 0;
    if (last && (last->x[n] != contour.startX || last->y[n] != contour.startY)) {
      GlyphSegment close;
      close.x[0] = contour.startX;
      close.y[0] = contour.startY;
      contour.segments.push_back(close);
    }
  }
  return std::move(sink.contours);
}

namespace {

// Makes fontconfig's application fonts the added files again and forgets
// what was matched and realised; the caller holds the engine lock.
void ReloadPrivateFonts(Engine& e) {
  FcConfigAppFontClear(e.config);
  for (const auto& [file, count] : e.privateFiles) {
    FcConfigAppFontAddFile(e.config, reinterpret_cast<const FcChar8*>(file.c_str()));
  }
  e.byRequest.clear();
  e.realized.clear();
}

}  // namespace

int AddPrivateFontFile(const std::string& utf8Path) {
  Engine& e = TheEngine();
  std::lock_guard<std::mutex> lock(e.mutex);
  FT_Face probe = nullptr;
  if (FT_New_Face(e.library, utf8Path.c_str(), -1, &probe) != 0) return 0;
  const int faces = static_cast<int>(probe->num_faces);
  FT_Done_Face(probe);
  if (faces <= 0) return 0;
  if (e.privateFiles[utf8Path]++ == 0) {
    if (!FcConfigAppFontAddFile(e.config, reinterpret_cast<const FcChar8*>(utf8Path.c_str()))) {
      e.privateFiles.erase(utf8Path);
      return 0;
    }
    e.byRequest.clear();
    e.realized.clear();
  }
  return faces;
}

bool RemovePrivateFontFile(const std::string& utf8Path) {
  Engine& e = TheEngine();
  std::lock_guard<std::mutex> lock(e.mutex);
  auto it = e.privateFiles.find(utf8Path);
  if (it == e.privateFiles.end()) return false;
  if (--it->second == 0) {
    e.privateFiles.erase(it);
    ReloadPrivateFonts(e);
  }
  return true;
}

std::vector<std::u16string> ScalableFontFamilies() {
  Engine& e = TheEngine();
  std::lock_guard<std::mutex> lock(e.mutex);
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = FcFontList(e.config, pattern, objects);
  std::set<std::u16string> names;
  if (set) {
    for (int i = 0; i < set->nfont; ++i) {
      FcChar8* family = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch) {
        std::u16string name = Utf8ToUtf16(reinterpret_cast<const char*>(family));
        if (name.size() < LF_FACESIZE) names.insert(std::move(name));
      }
    }
    FcFontSetDestroy(set);
  }
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return std::vector<std::u16string>(names.begin(), names.end());
}

void RealizedFont::ShowGlyphs(cairo_t* cr, const std::vector<Glyph>& glyphs) const {
  cairo_matrix_t size;
  cairo_matrix_init_scale(&size, EmX(), EmY());
  for (int face = 0; face < 2; ++face) {
    cairo_font_face_t* cf = CairoFace(face);
    if (!cf) continue;
    std::vector<cairo_glyph_t> run;
    for (const Glyph& g : glyphs) {
      if (g.face == face) run.push_back(cairo_glyph_t{g.index, double(g.x), 0.0});
    }
    if (run.empty()) continue;
    cairo_set_font_face(cr, cf);
    cairo_set_font_matrix(cr, &size);
    cairo_show_glyphs(cr, run.data(), static_cast<int>(run.size()));
  }
}

}  // namespace platform
