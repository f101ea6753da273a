#include "draft/host/FontManager.h"

#include <cstring>

#include "draft/host/TextAttrib.h"
#include "platform/core/Charset.h"

namespace {

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

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
