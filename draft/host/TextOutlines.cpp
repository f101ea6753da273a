#include "draft/host/TextOutlines.h"

#include <cmath>
#include <cstring>

#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/LineEntity.h"
#include "draft/host/ShownText.h"
#include "draft/host/TextPainter.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/GdiConstants.h"

namespace {
constexpr int kEm = 1000;         // pixels an em of the glyphs read
constexpr int kCurveSteps = 8;    // lines a spline piece is flattened into
constexpr double kShortest = 1e-9;

double FromFixed(FIXED f) { return f.value + f.fract / 65536.0; }

struct Loop {
  std::vector<GPoint> points;  // in ems × kEm, glyph coordinates
};

void Quadratic(Loop& loop, GPoint a, GPoint c, GPoint b) {
  for (int i = 1; i <= kCurveSteps; ++i) {
    const double t = static_cast<double>(i) / kCurveSteps, u = 1 - t;
    loop.points.push_back({u * u * a.x + 2 * u * t * c.x + t * t * b.x, u * u * a.y + 2 * u * t * c.y + t * t * b.y});
  }
}

void Cubic(Loop& loop, GPoint a, GPoint c1, GPoint c2, GPoint b) {
  for (int i = 1; i <= kCurveSteps; ++i) {
    const double t = static_cast<double>(i) / kCurveSteps, u = 1 - t;
    const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
    loop.points.push_back({w0 * a.x + w1 * c1.x + w2 * c2.x + w3 * b.x, w0 * a.y + w1 * c1.y + w2 * c2.y + w3 * b.y});
  }
}

// The contours of the GGO_NATIVE buffer as polygons.
std::vector<Loop> ReadNative(const std::vector<BYTE>& buffer) {
  std::vector<Loop> loops;
  size_t at = 0;
  while (at + sizeof(TTPOLYGONHEADER) <= buffer.size()) {
    TTPOLYGONHEADER header;
    std::memcpy(&header, buffer.data() + at, sizeof header);
    if (header.dwType != TT_POLYGON_TYPE || header.cb < sizeof header || at + header.cb > buffer.size()) break;
    Loop loop;
    loop.points.push_back({FromFixed(header.pfxStart.x), FromFixed(header.pfxStart.y)});
    size_t p = at + sizeof header;
    const size_t end = at + header.cb;
    while (p + 2 * sizeof(WORD) <= end) {
      WORD kind = 0, count = 0;
      std::memcpy(&kind, buffer.data() + p, sizeof kind);
      std::memcpy(&count, buffer.data() + p + sizeof kind, sizeof count);
      p += 2 * sizeof(WORD);
      if (p + count * sizeof(POINTFX) > end) break;
      std::vector<GPoint> pts(count);
      for (WORD i = 0; i < count; ++i) {
        POINTFX q;
        std::memcpy(&q, buffer.data() + p + i * sizeof q, sizeof q);
        pts[i] = {FromFixed(q.x), FromFixed(q.y)};
      }
      p += count * sizeof(POINTFX);
      if (kind == TT_PRIM_LINE) {
        loop.points.insert(loop.points.end(), pts.begin(), pts.end());
      } else if (kind == TT_PRIM_QSPLINE) {
        // Control points with the on-curve points between them implied.
        for (WORD i = 0; i + 1 < count; ++i) {
          const GPoint a = loop.points.back();
          const GPoint b = i + 2 == count ? pts[i + 1] : GPoint{(pts[i].x + pts[i + 1].x) / 2, (pts[i].y + pts[i + 1].y) / 2};
          Quadratic(loop, a, pts[i], b);
        }
      } else if (kind == TT_PRIM_CSPLINE) {
        for (WORD i = 0; i + 2 < count; i = static_cast<WORD>(i + 3)) Cubic(loop, loop.points.back(), pts[i], pts[i + 1], pts[i + 2]);
      }
    }
    if (loop.points.size() >= 3) loops.push_back(std::move(loop));
    at = end;
  }
  return loops;
}

// The glyph's contours read at kEm pixels an em, in that family.
std::vector<Loop> GlyphLoops(const CStringW& family, char16_t ch) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  LOGFONTW lf{};
  lf.lfHeight = -kEm;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = GB2312_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  const int n = std::min(family.GetLength(), LF_FACESIZE - 1);
  std::copy(family.GetString(), family.GetString() + n, lf.lfFaceName);
  CFont font;
  if (!font.CreateFontIndirect(&lf)) return {};
  CFont* old = dc.SelectObject(&font);
  static const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS gm{};
  std::vector<BYTE> buffer;
  const DWORD size = dc.GetGlyphOutline(ch, GGO_NATIVE | GGO_UNHINTED, &gm, 0, nullptr, &identity);
  if (size != GDI_ERROR && size > 0) {
    buffer.resize(size);
    if (dc.GetGlyphOutline(ch, GGO_NATIVE | GGO_UNHINTED, &gm, size, buffer.data(), &identity) == GDI_ERROR)
      buffer.clear();
  }
  dc.SelectObject(old);
  return ReadNative(buffer);
}
}  // namespace

int GetBoundaryList(const CEntity* text, std::vector<CEntityList*>& outlines) {
  if (!text || !text->IsText()) return 0;
  ShapePieces pieces;
  ShownTexts texts;
  text->GetShownShape(pieces, texts);
  int added = 0;
  for (const ShownText& shown : texts) {
    PlacedGlyphs placed;
    if (!PlaceTextGlyphs(shown, placed)) continue;
    const double angle = DegreeToRadian(shown.attr.GetAngle());
    const GPoint along{std::cos(angle), std::sin(angle)}, up{-std::sin(angle), std::cos(angle)};
    for (const PlacedGlyph& g : placed.glyphs) {
      for (const Loop& loop : GlyphLoops(placed.families[g.wide ? 1 : 0], g.ch)) {
        auto* list = new CEntityList;
        GPoint previous{};
        for (size_t i = 0; i <= loop.points.size(); ++i) {
          const GPoint q = loop.points[i % loop.points.size()];
          const double a = g.along + q.x / kEm * g.emAcross, b = g.base + q.y / kEm * g.emDown;
          const GPoint p{shown.at.x + along.x * a + up.x * b, shown.at.y + along.y * a + up.y * b};
          if (i > 0 && std::hypot(p.x - previous.x, p.y - previous.y) > kShortest)
            list->AddTail(ConstructLineEntity(text->GetEntityLayer(), nullptr, previous.x, previous.y, p.x, p.y));
          if (i == 0 || std::hypot(p.x - previous.x, p.y - previous.y) > kShortest) previous = p;
        }
        if (list->GetCount() < 3) {
          while (!list->IsEmpty()) delete list->RemoveHead();
          delete list;
          continue;
        }
        outlines.push_back(list);
        ++added;
      }
    }
  }
  return added;
}

void FreeBoundaryLists(std::vector<CEntityList*>& outlines) {
  for (CEntityList* list : outlines) {
    while (!list->IsEmpty()) delete list->RemoveHead();
    delete list;
  }
  outlines.clear();
}
