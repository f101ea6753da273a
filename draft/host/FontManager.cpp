#include "draft/host/FontManager.h"

#include <algorithm>
#include <cstring>

#include "draft/host/TextAttrib.h"
#include "platform/core/Charset.h"
#include "platform/gdi/Gdi32.h"
#include "platform/gdi/GdiConstants.h"

namespace {

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// The character height TrueType texts are measured at, in pixels.
constexpr int kMeasureHeight = 1000;

// Runs `measure(dc)` with the TrueType face selected at the measuring
// height; false when the face cannot be made or `measure` fails.
template <typename Measure>
bool WithMeasuringFont(const CStringA& face, Measure measure) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return false;
  LOGFONTA lf{};
  lf.lfHeight = -kMeasureHeight;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = GB2312_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  const int n = std::min<int>(face.GetLength(), LF_FACESIZE - 1);
  std::memcpy(lf.lfFaceName, face.GetString(), static_cast<size_t>(n));
  bool done = false;
  if (HFONT font = CreateFontIndirectA(&lf)) {
    HGDIOBJ old = SelectObject(dc, font);
    done = measure(dc);
    SelectObject(dc, old);
    DeleteObject(font);
  }
  DeleteDC(dc);
  return done;
}

// The advance of `text` in the TrueType face, as a multiple of the character
// height; false when the face cannot be measured.
bool TrueTypeAdvance(const char* text, const CStringA& face, double& advance) {
  return WithMeasuringFont(face, [&](HDC dc) {
    SIZE size{};
    if (!GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size)) return false;
    advance = static_cast<double>(size.cx) / kMeasureHeight;
    return true;
  });
}

// The advance of each character of `text` in the TrueType face, in the same
// measure; false when the face cannot be measured.
bool TrueTypeCharacterAdvances(const char* text, const CStringA& face, std::vector<double>& advances) {
  return WithMeasuringFont(face, [&](HDC dc) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p;) {
      const int bytes = platform::IsGbkLeadByte(*p) && p[1] ? 2 : 1;
      SIZE size{};
      if (!GetTextExtentPoint32A(dc, reinterpret_cast<const char*>(p), bytes, &size)) return false;
      advances.push_back(static_cast<double>(size.cx) / kMeasureHeight);
      p += bytes;
    }
    return true;
  });
}

}  // namespace

CFontManager::CFontManager() {
  // The host's vector fonts in loading order.
  chinese_ = {
      {"单线宋体", VectorFontKind::kChinese, 1.0},
      {"长仿宋体", VectorFontKind::kChinese, 0.7},
      {"单线黑体", VectorFontKind::kChinese, 1.0},
  };
  western_ = {
      {"单线西文", VectorFontKind::kWestern, 0.5},
      {"罗马西文", VectorFontKind::kWestern, 0.6},
      {"窄体西文", VectorFontKind::kWestern, 0.4},
  };
}

const CVectorFont* CFontManager::GetChineseFont(int index) const {
  return index >= 1 && index <= GetChineseFontCount() ? &chinese_[index - 1] : nullptr;
}

const CVectorFont* CFontManager::GetWesternFont(int index) const {
  return index >= 1 && index <= GetWesternFontCount() ? &western_[index - 1] : nullptr;
}

int CFontManager::FindChineseFont(const char* name) const {
  for (size_t i = 0; name && i < chinese_.size(); ++i) {
    if (chinese_[i].name == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

int CFontManager::FindWesternFont(const char* name) const {
  for (size_t i = 0; name && i < western_.size(); ++i) {
    if (western_[i].name == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

const CVectorFont& CFontManager::ChineseOrFirst(int index) const {
  const CVectorFont* f = GetChineseFont(index);
  return f ? *f : chinese_.front();
}

const CVectorFont& CFontManager::WesternOrFirst(int index) const {
  const CVectorFont* f = GetWesternFont(index);
  return f ? *f : western_.front();
}

int CFontManager::CountCharacters(const char* text) {
  int count = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p; ++count) {
    p += platform::IsGbkLeadByte(*p) && p[1] ? 2 : 1;
  }
  return count;
}

double CFontManager::GetTextWidth(const char* text, const CTextAttrib& attr) const {
  if (!text) text = "";
  if (attr.GetFontStyle() == 1) {
    double advance = 0.0;
    const int count = CountCharacters(text);
    if (count > 0 && TrueTypeAdvance(text, attr.GetTrueTypeName(), advance)) {
      return advance * attr.GetHeight() * attr.GetWidthFactor() + attr.GetSpacing() * (count - 1);
    }
  }
  const bool vector = attr.GetFontStyle() == 0;
  const CVectorFont& cf = ChineseOrFirst(vector ? attr.GetChineseFontIndex() : 1);
  const CVectorFont& wf = WesternOrFirst(vector ? attr.GetWesternFontIndex() : 1);
  double advance = 0.0;
  int count = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p; ++count) {
    if (platform::IsGbkLeadByte(*p) && p[1]) {
      advance += cf.proportion;
      p += 2;
    } else {
      advance += wf.proportion;
      ++p;
    }
  }
  if (count == 0) return 0.0;
  return advance * attr.GetHeight() * attr.GetWidthFactor() + attr.GetSpacing() * (count - 1);
}

std::vector<TextCell> CFontManager::GetTextCells(const char* text, const CTextAttrib& attr) const {
  if (!text) text = "";
  std::vector<TextCell> cells;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p;) {
    const bool wide = platform::IsGbkLeadByte(*p) && p[1];
    cells.push_back(TextCell{static_cast<int>(reinterpret_cast<const char*>(p) - text), wide ? 2 : 1, wide, 0, 0});
    p += wide ? 2 : 1;
  }
  std::vector<double> advances;
  if (attr.GetFontStyle() != 1 || !TrueTypeCharacterAdvances(text, attr.GetTrueTypeName(), advances)) {
    const bool vector = attr.GetFontStyle() == 0;
    const CVectorFont& cf = ChineseOrFirst(vector ? attr.GetChineseFontIndex() : 1);
    const CVectorFont& wf = WesternOrFirst(vector ? attr.GetWesternFontIndex() : 1);
    advances.clear();
    for (const TextCell& c : cells) advances.push_back(c.wide ? cf.proportion : wf.proportion);
  }
  const double scale = attr.GetHeight() * attr.GetWidthFactor();
  double before = 0.0;
  for (size_t i = 0; i < cells.size(); ++i) {
    cells[i].start = before * scale + attr.GetSpacing() * static_cast<double>(i);
    cells[i].width = advances[i] * scale;
    before += advances[i];
  }
  return cells;
}

void CFontManager::ConvertText(CStringA& text) const {
  const int n = text.GetLength();
  std::string out;
  out.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (platform::IsGbkLeadByte(c)) {
      if (i + 1 < n && IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
        out += static_cast<char>(c);
        out += text[++i];
      }
    } else if (c == '\t') {
      out += ' ';
    } else if (c >= 0x20 && c != 0x7F && c != 0x80 && c != 0xFF) {
      out += static_cast<char>(c);
    }
  }
  text = out.c_str();
}

CFontManager* GetFontManager() {
  static CFontManager manager;
  return &manager;
}
