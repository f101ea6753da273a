#include "platform/gdi/DrawingRecorder.h"

#include <cstdio>
#include <sstream>

#include "platform/core/Charset.h"
#include "platform/gdi/DcState.h"

namespace platform {

namespace {

const char* PenStyleName(UINT style) {
  static const char* names[] = {"PS_SOLID", "PS_DASH",        "PS_DOT",       "PS_DASHDOT", "PS_DASHDOTDOT",
                                "PS_NULL",  "PS_INSIDEFRAME", "PS_USERSTYLE", "PS_ALTERNATE"};
  const UINT k = style & PS_STYLE_MASK;
  return k < 9 ? names[k] : "PS_?";
}

const char* BrushStyleName(UINT style) {
  switch (style) {
    case BS_SOLID: return "BS_SOLID";
    case BS_NULL: return "BS_NULL";
    case BS_HATCHED: return "BS_HATCHED";
    case BS_PATTERN: return "BS_PATTERN";
    default: return "BS_?";
  }
}

const char* Rop2Name(int rop) {
  static const char* names[] = {"R2_BLACK",       "R2_NOTMERGEPEN", "R2_MASKNOTPEN", "R2_NOTCOPYPEN",
                                "R2_MASKPENNOT",  "R2_NOT",         "R2_XORPEN",     "R2_NOTMASKPEN",
                                "R2_MASKPEN",     "R2_NOTXORPEN",   "R2_NOP",        "R2_MERGENOTPEN",
                                "R2_COPYPEN",     "R2_MERGEPENNOT", "R2_MERGEPEN",   "R2_WHITE"};
  return rop >= 1 && rop <= 16 ? names[rop - 1] : "R2_?";
}

std::string Color(COLORREF c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

std::string Points(const std::vector<POINT>& points) {
  std::string s;
  for (size_t i = 0; i < points.size(); ++i) {
    if (i) s += ' ';
    s += '(' + std::to_string(points[i].x) + ',' + std::to_string(points[i].y) + ')';
  }
  return s;
}

bool UsesPen(DrawKind k) {
  return k == DrawKind::Polyline || k == DrawKind::Polygon || k == DrawKind::Rectangle || k == DrawKind::RoundRect ||
         k == DrawKind::Ellipse || k == DrawKind::Arc || k == DrawKind::Pie || k == DrawKind::Chord;
}

bool UsesBrush(DrawKind k) {
  return k == DrawKind::Polygon || k == DrawKind::Rectangle || k == DrawKind::RoundRect || k == DrawKind::Ellipse ||
         k == DrawKind::Pie || k == DrawKind::Chord || k == DrawKind::FillRect || k == DrawKind::FrameRect ||
         k == DrawKind::PatBlt;
}

}  // namespace

std::string DrawOp::Describe() const {
  std::ostringstream s;
  s << call << " L" << Points(logical) << " D" << Points(device);
  if (kind == DrawKind::Text) s << " text=\"" << Utf16ToUtf8(text) << "\" font=" << (realized ? realized->FamilyName() : "?")
                                << '/' << font.log.lfHeight << " color=" << Color(textColor);
  if (kind == DrawKind::SetPixel) s << " color=" << Color(color);
  if (UsesPen(kind)) {
    s << " pen=" << PenStyleName(pen.style);
    if (!pen.IsNull()) s << '/' << pen.deviceWidth << "px/" << Color(pen.color);
  }
  if (UsesBrush(kind)) {
    s << " brush=" << BrushStyleName(brush.style);
    if (!brush.IsNull()) s << '/' << Color(brush.color);
    if (brush.style == BS_HATCHED) s << "/HS" << brush.hatch;
  }
  if (UsesPen(kind) || UsesBrush(kind)) s << " rop=" << Rop2Name(rop2);
  if (kind == DrawKind::PatBlt || kind == DrawKind::BitBlt) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(rop3));
    s << " rop3=" << buf;
  }
  s << " bk=" << (bkMode == TRANSPARENT ? "TRANSPARENT" : "OPAQUE") << '/' << Color(bkColor);
  if (clipped && clip) {
    const RECT b = clip->Bounds();
    s << " clip=(" << b.left << ',' << b.top << ',' << b.right << ',' << b.bottom << ')';
  }
  s << " target=" << target;
  return s.str();
}

void DrawingRecorder::Record(const DrawOp& op) {
  std::lock_guard<std::mutex> lock(mutex_);
  ops_.push_back(op);
}

std::vector<DrawOp> DrawingRecorder::Ops() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return ops_;
}

size_t DrawingRecorder::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return ops_.size();
}

void DrawingRecorder::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  ops_.clear();
}

std::string DrawingRecorder::Dump() const {
  std::string out;
  for (const auto& op : Ops()) out += op.Describe() + '\n';
  return out;
}

HDC CreateRecordingDc(std::shared_ptr<DrawingRecorder> recorder, const DeviceCaps& caps) {
  auto state = std::make_shared<DcState>(DcKind::Recording, caps);
  state->surface = std::make_shared<RecordingSurface>(SIZE{caps.width, caps.height});
  if (recorder) state->recorders.push_back(std::move(recorder));
  return RegisterDc(state);
}

bool AttachRecorder(HDC dc, std::shared_ptr<DrawingRecorder> recorder) {
  auto state = FindDc(dc);
  if (!state || !recorder) return false;
  state->recorders.push_back(std::move(recorder));
  return true;
}

}  // namespace platform
