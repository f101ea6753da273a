// CDraftView: drawing what the commands show through the view's device
// context. Rubber previews, temporary entities and the cross-hair are drawn
// with the "xor" raster operation and a white pen (the screen inverted), so that drawing the same figure
// again takes it off; texts among them (readouts, text previews, the texts of
// temporary entities) invert the screen by their glyphs, to the same end.
// Marks and highlights are drawn plainly.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/TextEntity.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"

namespace {
constexpr int kMarkSize = 3;  // pixels each way
constexpr int kEllipseSteps = 72;
}  // namespace

void CDraftView::SetDC(CDC* dc) { dc_ = dc; }

void CDraftView::PaintPolyline(const std::vector<GPoint>& points, int penStyle, COLORREF colour, bool xorMode) {
  if (!dc_ || points.size() < 2) return;
  std::vector<POINT> device;
  for (const GPoint& p : points) device.push_back(DrawingToClient(p.x, p.y));
  CPen pen(penStyle, 1, colour);
  CPen* oldPen = dc_->SelectObject(&pen);
  const int oldRop = dc_->SetROP2(xorMode ? R2_XORPEN : R2_COPYPEN);
  dc_->Polyline(device.data(), static_cast<int>(device.size()));
  dc_->SetROP2(oldRop);
  dc_->SelectObject(oldPen);
}

// The pen style of an entity's lines: that of its layer's line style.
static int PenStyleOf(const CLayerRecord* layer) {
  switch (layer ? layer->GetLineKind() : kLineStyleThin) {
    case kLineStyleCenter:
      return PS_DASHDOT;
    case kLineStyleDashed:
      return PS_DASH;
    case kLineStylePhantom:
      return PS_DASHDOTDOT;
    default:
      return PS_SOLID;
  }
}

DeviceMapping CDraftView::GetDeviceMapping() const { return DeviceMapping{zoom_, panX_, panY_, clientHeight_}; }

void CDraftView::PaintMark(CPoint at, COLORREF colour, bool xorMode) {
  CPen pen(PS_SOLID, 1, colour);
  CPen* oldPen = dc_->SelectObject(&pen);
  const int oldRop = dc_->SetROP2(xorMode ? R2_XORPEN : R2_COPYPEN);
  dc_->MoveTo(at.x - kMarkSize, at.y - kMarkSize);
  dc_->LineTo(at.x + kMarkSize + 1, at.y + kMarkSize + 1);
  dc_->MoveTo(at.x + kMarkSize, at.y - kMarkSize);
  dc_->LineTo(at.x - kMarkSize - 1, at.y + kMarkSize + 1);
  dc_->SetROP2(oldRop);
  dc_->SelectObject(oldPen);
}

void CDraftView::PaintPieces(const CEntity* e, COLORREF colour, bool xorMode) {
  ShapePieces pieces;
  ShownTexts texts;
  e->GetShownShape(pieces, texts);
  const RECT client{0, 0, clientWidth_, clientHeight_};
  for (const ShownText& t : texts) {
    // A text whose font cannot be found shows its outline.
    if (!PaintShownText(*dc_, t, GetDeviceMapping(), colour, xorMode, client)) {
      CTextEntity(e->GetEntityLayer(), nullptr, t.text, t.at.x, t.at.y, t.attr).GetPieces(pieces);
    }
  }
  const int penStyle = PenStyleOf(GetEntityLayerInfo(e));
  for (const ShapePiece& s : pieces) {
    switch (s.kind) {
      case ShapePiece::kSegment:
        PaintPolyline({s.a, s.b}, penStyle, colour, xorMode);
        break;
      case ShapePiece::kArc: {
        std::vector<GPoint> pts;
        const int n = std::max(8, static_cast<int>((s.end - s.start) / 5));
        for (int i = 0; i <= n; ++i) {
          const double a = DegreeToRadian(s.start + (s.end - s.start) * i / n);
          pts.push_back({s.c.x + s.r * std::cos(a), s.c.y + s.r * std::sin(a)});
        }
        PaintPolyline(pts, penStyle, colour, xorMode);
        break;
      }
      case ShapePiece::kPoint: {
        // A point entity shows as a cross two pixels each way, whatever the
        // zoom; the points of other entities (ends, insertion points) do not
        // show.
        if (!e->IsPoint()) break;
        const double d = 2.0 / zoom_;
        PaintPolyline({{s.a.x - d, s.a.y}, {s.a.x + d, s.a.y}}, PS_SOLID, colour, xorMode);
        PaintPolyline({{s.a.x, s.a.y - d}, {s.a.x, s.a.y + d}}, PS_SOLID, colour, xorMode);
        break;
      }
      case ShapePiece::kCentre:
        break;
    }
  }
}

void CDraftView::Paint(const ViewDrawOp& op) {
  if (!dc_) return;
  const COLORREF white = RGB(255, 255, 255);
  const auto& v = op.values;
  switch (op.kind) {
    case ViewDrawKind::kLine:
      PaintPolyline({{v[0], v[1]}, {v[2], v[3]}}, op.flag ? PS_DOT : PS_SOLID, white, true);
      break;
    case ViewDrawKind::kCircle:
    case ViewDrawKind::kArc: {
      const double start = op.kind == ViewDrawKind::kArc ? v[3] : 0.0;
      double end = op.kind == ViewDrawKind::kArc ? v[4] : 360.0;
      double s = start;
      MakeAngleRangeAscending(s, end, true);
      std::vector<GPoint> pts;
      const int n = std::max(8, static_cast<int>((end - s) / 5));
      for (int i = 0; i <= n; ++i) {
        const double a = DegreeToRadian(s + (end - s) * i / n);
        pts.push_back({v[0] + v[2] * std::cos(a), v[1] + v[2] * std::sin(a)});
      }
      PaintPolyline(pts, PS_SOLID, white, true);
      break;
    }
    case ViewDrawKind::kEllipse: {
      double s = v[5], e = v[6];
      MakeAngleRangeAscending(s, e, true);
      const double rot = DegreeToRadian(v[4]);
      std::vector<GPoint> pts;
      for (int i = 0; i <= kEllipseSteps; ++i) {
        const double t = DegreeToRadian(s + (e - s) * i / kEllipseSteps);
        const double u = v[2] * std::cos(t), w = v[3] * std::sin(t);
        pts.push_back({v[0] + u * std::cos(rot) - w * std::sin(rot), v[1] + u * std::sin(rot) + w * std::cos(rot)});
      }
      PaintPolyline(pts, PS_SOLID, white, true);
      break;
    }
    case ViewDrawKind::kText: {
      // A readout painted again where it shows is taken off; the others go
      // with the cross-hair.
      const CPoint at = DrawingToClient(v[0], v[1]);
      PaintReadout(at, op.text, v[2]);
      auto shown = std::find_if(paintedTexts_.begin(), paintedTexts_.end(), [&](const PaintedText& t) {
        return t.at == at && t.angle == v[2] && t.text == op.text;
      });
      if (shown != paintedTexts_.end())
        paintedTexts_.erase(shown);
      else
        paintedTexts_.push_back({at, op.text, v[2]});
      break;
    }
    case ViewDrawKind::kTextStyled:
      if (op.attrib) {
        const ShownText shown{op.text, {v[0], v[1]}, *op.attrib};
        const RECT client{0, 0, clientWidth_, clientHeight_};
        if (!PaintShownText(*dc_, shown, GetDeviceMapping(), white, true, client)) {
          const CTextEntity outline(0, nullptr, op.text, v[0], v[1], *op.attrib);
          PaintPieces(&outline, white, true);
        }
      }
      break;
    case ViewDrawKind::kEntityTemp:
    case ViewDrawKind::kEntityErase:
      if (op.entity) PaintPieces(op.entity, white, true);
      break;
    case ViewDrawKind::kHighlight:
      if (op.entity) PaintPieces(op.entity, op.flag ? RGB(255, 0, 255) : white, false);
      break;
    case ViewDrawKind::kSelectionTransformed:
      break;  // painted entity by entity as the transformed copies are made
    case ViewDrawKind::kCrossHair: {
      const CPoint at = DrawingToClient(v[0], v[1]);
      PaintCrossHairAt(at);
      crossHairAt_ = at;
      crossHairPainted_ = true;
      break;
    }
    case ViewDrawKind::kCrossHairHidden:
    case ViewDrawKind::kCrossHairErased:
      if (crossHairPainted_) {
        PaintCrossHairAt(crossHairAt_);  // the same figure again takes it off
        crossHairPainted_ = false;
      }
      // The readouts beside the cursor go with it.
      for (const PaintedText& t : paintedTexts_) PaintReadout(t.at, t.text, t.angle);
      paintedTexts_.clear();
      break;
    case ViewDrawKind::kMark:
      PaintMark(DrawingToClient(v[0], v[1]), RGB(255, 255, 0), false);
      break;
    case ViewDrawKind::kPointMark:
      PaintMark(DrawingToClient(v[0], v[1]), static_cast<COLORREF>(op.flag), true);
      break;
    case ViewDrawKind::kPolyline: {
      std::vector<GPoint> pts;
      for (size_t i = 0; i + 1 < v.size(); i += 2) pts.push_back({v[i], v[i + 1]});
      if (op.flag && !pts.empty()) pts.push_back(pts.front());
      PaintPolyline(pts, PS_SOLID, white, true);
      break;
    }
  }
}

int CDraftView::DrawSelectionTransformed(const CEntityList* list, double dx, double dy, double baseX, double baseY,
                                         double scale, double angle, int, int) {
  const CEntityList& source = list ? *list : *GetSelectionList();
  int drawn = 0;
  lastDrag_.clear();
  for (CEntity* e : source) {
    std::unique_ptr<CEntity> copy(e->Transform(dx, dy, baseX, baseY, scale, angle, 1));
    if (!copy) continue;
    if (dc_) PaintPieces(copy.get(), RGB(255, 255, 255), true);
    lastDrag_.push_back(std::move(copy));
    ++drawn;
  }
  Record(ViewDrawKind::kSelectionTransformed, {dx, dy, baseX, baseY, scale, angle}, nullptr, drawn);
  return drawn;
}

void CDraftView::ResetViewDrag(int redraw) {
  if (redraw && !lastDrag_.empty()) {
    if (dc_)
      for (const auto& copy : lastDrag_) PaintPieces(copy.get(), RGB(255, 255, 255), true);
    Record(ViewDrawKind::kSelectionTransformed, {}, nullptr, static_cast<int>(lastDrag_.size()));
  }
  lastDrag_.clear();
}

void CDraftView::PaintCrossHairAt(CPoint at) {
  CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
  CPen* oldPen = dc_->SelectObject(&pen);
  const int oldRop = dc_->SetROP2(R2_XORPEN);
  dc_->MoveTo(0, at.y);
  dc_->LineTo(clientWidth_, at.y);
  dc_->MoveTo(at.x, 0);
  dc_->LineTo(at.x, clientHeight_);
  dc_->SetROP2(oldRop);
  dc_->SelectObject(oldPen);
}

void CDraftView::RefreshView(int, int) {
  if (!display_.ShouldPaint()) return;
  ++refreshCount_;
  crossHairPainted_ = false;  // the repaint wipes them
  paintedTexts_.clear();
  if (!dc_) return;
  dc_->FillSolidRect(0, 0, clientWidth_, clientHeight_, RGB(0, 0, 0));
  for (const CEntity* e : entities_) PaintPieces(e, RGB(255, 255, 255), false);
  for (const CEntity* e : selection_) PaintPieces(e, RGB(255, 0, 255), false);
  // Registered entities are shown too, highlighted while selected.
  for (const CEntity* e : second_)
    if (!selection_.Contains(e)) PaintPieces(e, RGB(255, 255, 255), false);
}

void CDraftView::PaintReadout(CPoint at, const CStringA& text, double angle) {
  LOGFONTA lf{};
  lf.lfHeight = -14;
  lf.lfEscapement = static_cast<LONG>(std::lround(angle * 10));
  lf.lfOrientation = lf.lfEscapement;
  lf.lfCharSet = 134;  // GB2312
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* oldFont = dc_->SelectObject(&font);
  const CSize size = dc_->GetTextExtent(text);
  dc_->SelectObject(oldFont);
  // Beside the cursor: a horizontal text above and right of it, an upright
  // one to the left of it, each from its top left corner.
  const bool level = std::fabs(angle) < 1e-9;
  const CPoint origin = level ? CPoint(at.x + 4, at.y - 18) : CPoint(at.x - 18, at.y - 4);
  constexpr int kMargin = 4;
  const RECT box = level ? RECT{origin.x - kMargin, origin.y - kMargin, origin.x + size.cx + kMargin,
                                origin.y + size.cy + kMargin}
                         : RECT{origin.x - kMargin, origin.y - size.cx - kMargin, origin.x + size.cy + kMargin,
                                origin.y + kMargin};
  const RECT bounds{std::max<LONG>(box.left, 0), std::max<LONG>(box.top, 0), std::min<LONG>(box.right, clientWidth_),
                    std::min<LONG>(box.bottom, clientHeight_)};
  PaintInverted(*dc_, bounds, [&](CDC& picture, POINT offset) {
    CFont* old = picture.SelectObject(&font);
    picture.SetTextColor(RGB(0, 255, 0));
    picture.SetBkMode(TRANSPARENT);
    picture.TextOut(origin.x - offset.x, origin.y - offset.y, text);
    picture.SelectObject(old);
  });
}
