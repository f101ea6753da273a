#include "platform/gdi/PdfPrinter.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <mutex>
#include <numbers>

#include "platform/gdi/FigureGeometry.h"
#include "platform/gdi/Mapping.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/RasterOps.h"

namespace platform {

namespace {

struct PrinterDefaults {
  std::mutex mutex;
  PrinterSettings settings;
  std::string folder = ".";
};

PrinterDefaults& Defaults() {
  static PrinterDefaults* d = new PrinterDefaults;  // lives to the end of the process
  return *d;
}

void SetColor(cairo_t* cr, COLORREF c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// The colour a binary raster operation gives on paper, where the page's
// pixels cannot be read back: the operations that depend on them draw the
// pen's colour; R2_NOP draws nothing.
bool PaperColor(int rop2, COLORREF pen, COLORREF* out) {
  switch (rop2) {
    case R2_NOP: return false;
    case R2_BLACK: *out = RGB(0, 0, 0); return true;
    case R2_WHITE: *out = RGB(255, 255, 255); return true;
    case R2_NOTCOPYPEN: *out = (~pen) & 0xFFFFFF; return true;
    default: *out = pen; return true;
  }
}

// An image surface with a buffer's pixels; `transparent` becomes see-through.
cairo_surface_t* ImageOf(const PixelBuffer& pixels) {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels.Width(), pixels.Height());
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) return image;
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < pixels.Height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < pixels.Width(); ++x) row[x] = pixels.Row(y)[x];
  }
  cairo_surface_mark_dirty(image);
  return image;
}

// Sets the brush as the source; false for a null brush.
bool SetBrush(cairo_t* cr, const DrawOp& op, const BrushState& brush, int rop2) {
  if (brush.IsNull()) return false;
  if (brush.style == BS_SOLID) {
    COLORREF c;
    if (!PaperColor(rop2, brush.color, &c)) return false;
    SetColor(cr, c);
    return true;
  }
  PixelBuffer cell;
  bool mono = false;
  if (brush.style == BS_HATCHED) {
    cell = PixelBuffer(8, 8);
    for (int v = 0; v < 8; ++v) {
      for (int u = 0; u < 8; ++u) {
        const bool line = HatchBit(brush.hatch, u, v);
        cell.Row(v)[u] = line ? PixelFromColor(brush.color) : op.bkMode == OPAQUE ? PixelFromColor(op.bkColor) : 0;
      }
    }
  } else if (brush.pattern) {
    cell = *brush.pattern;
    mono = brush.monochromePattern;
    if (mono) {
      for (int v = 0; v < cell.Height(); ++v) {
        for (int u = 0; u < cell.Width(); ++u) {
          cell.Row(v)[u] = (cell.Row(v)[u] & 0xFFFFFF) ? PixelFromColor(op.bkColor) : PixelFromColor(op.textColor);
        }
      }
    }
  } else {
    return false;
  }
  cairo_surface_t* image = ImageOf(cell);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  cairo_matrix_t m;
  cairo_matrix_init_translate(&m, -op.brushOrg.x, -op.brushOrg.y);
  cairo_pattern_set_matrix(pattern, &m);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(image);
  return true;
}

void Path(cairo_t* cr, const std::vector<PointD>& points, bool closed, double shift) {
  if (points.empty()) return;
  cairo_move_to(cr, points[0].x + shift, points[0].y + shift);
  for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].x + shift, points[i].y + shift);
  if (closed) cairo_close_path(cr);
}

}  // namespace

bool PaperDimensions(int paperSize, int* width, int* length) {
  switch (paperSize) {
    case DMPAPER_LETTER: *width = 2159; *length = 2794; return true;
    case DMPAPER_LEGAL: *width = 2159; *length = 3556; return true;
    case DMPAPER_A3: *width = 2970; *length = 4200; return true;
    case DMPAPER_A4: *width = 2100; *length = 2970; return true;
    case DMPAPER_A5: *width = 1480; *length = 2100; return true;
    case DMPAPER_B4: *width = 2500; *length = 3530; return true;
    case DMPAPER_B5: *width = 1820; *length = 2570; return true;
    default: return false;
  }
}

PrinterSettings ApplyDevMode(PrinterSettings s, const DEVMODEW& mode) {
  if ((mode.dmFields & DM_ORIENTATION) &&
      (mode.dmOrientation == DMORIENT_PORTRAIT || mode.dmOrientation == DMORIENT_LANDSCAPE)) {
    s.orientation = mode.dmOrientation;
  }
  if (mode.dmFields & DM_PAPERSIZE) {
    int w, l;
    if (PaperDimensions(mode.dmPaperSize, &w, &l)) {
      s.paperSize = mode.dmPaperSize;
      s.paperWidth = w;
      s.paperLength = l;
    }
  }
  // A paper given by its size in tenths of a millimetre (both needed), when
  // the paper size names no standard paper.
  int w, l;
  const bool standard = (mode.dmFields & DM_PAPERSIZE) && PaperDimensions(mode.dmPaperSize, &w, &l);
  if (!standard && (mode.dmFields & DM_PAPERWIDTH) && (mode.dmFields & DM_PAPERLENGTH) && mode.dmPaperWidth > 0 &&
      mode.dmPaperLength > 0) {
    s.paperSize = 256;  // DMPAPER_USER
    s.paperWidth = std::min(mode.dmPaperWidth, mode.dmPaperLength);
    s.paperLength = std::max(mode.dmPaperWidth, mode.dmPaperLength);
  }
  if ((mode.dmFields & DM_PRINTQUALITY) && mode.dmPrintQuality >= 72 && mode.dmPrintQuality <= 2400) {
    s.dpiX = s.dpiY = mode.dmPrintQuality;
  }
  if ((mode.dmFields & DM_YRESOLUTION) && mode.dmYResolution >= 72 && mode.dmYResolution <= 2400) {
    s.dpiY = mode.dmYResolution;
  }
  if ((mode.dmFields & DM_COPIES) && mode.dmCopies > 0) s.copies = mode.dmCopies;
  return s;
}

DEVMODEW MakeDevMode(const PrinterSettings& s) {
  DEVMODEW m{};
  std::copy_n(s.deviceName.begin(), std::min<size_t>(s.deviceName.size(), CCHDEVICENAME - 1), m.dmDeviceName);
  m.dmSpecVersion = DM_SPECVERSION;
  m.dmSize = sizeof(DEVMODEW);
  m.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_COPIES | DM_PRINTQUALITY |
               DM_YRESOLUTION;
  m.dmOrientation = static_cast<SHORT>(s.orientation);
  m.dmPaperSize = static_cast<SHORT>(s.paperSize);
  m.dmPaperWidth = static_cast<SHORT>(s.paperWidth);
  m.dmPaperLength = static_cast<SHORT>(s.paperLength);
  m.dmScale = 100;
  m.dmCopies = static_cast<SHORT>(s.copies);
  m.dmPrintQuality = static_cast<SHORT>(s.dpiX);
  m.dmYResolution = static_cast<SHORT>(s.dpiY);
  m.dmColor = 2;  // DMCOLOR_COLOR
  return m;
}

DeviceCaps PrinterCaps(const PrinterSettings& s) {
  DeviceCaps caps;
  caps.technology = DT_RASPRINTER;
  caps.dpiX = s.dpiX;
  caps.dpiY = s.dpiY;
  const bool landscape = s.orientation == DMORIENT_LANDSCAPE;
  const int across = landscape ? s.paperLength : s.paperWidth, down = landscape ? s.paperWidth : s.paperLength;
  caps.physicalWidth = static_cast<int>(RoundedDivide(Wide(across) * s.dpiX, 254));
  caps.physicalHeight = static_cast<int>(RoundedDivide(Wide(down) * s.dpiY, 254));
  // The printable area: the paper less its margin on each side (none left
  // when the margins would meet).
  const int margin = std::max(0, s.margin);
  caps.offsetX = static_cast<int>(RoundedDivide(Wide(margin) * s.dpiX, 254));
  caps.offsetY = static_cast<int>(RoundedDivide(Wide(margin) * s.dpiY, 254));
  caps.offsetX = std::min(caps.offsetX, caps.physicalWidth / 2);
  caps.offsetY = std::min(caps.offsetY, caps.physicalHeight / 2);
  caps.width = caps.physicalWidth - 2 * caps.offsetX;
  caps.height = caps.physicalHeight - 2 * caps.offsetY;
  caps.bitsPixel = 24;
  return caps;
}

PrinterSettings DefaultPrinterSettings() {
  std::lock_guard<std::mutex> lock(Defaults().mutex);
  return Defaults().settings;
}

void SetDefaultPrinterSettings(const PrinterSettings& settings) {
  std::lock_guard<std::mutex> lock(Defaults().mutex);
  Defaults().settings = settings;
}

std::string PrinterOutputFolder() {
  std::lock_guard<std::mutex> lock(Defaults().mutex);
  return Defaults().folder;
}

void SetPrinterOutputFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(Defaults().mutex);
  Defaults().folder = folder;
}

PdfPrinter::PdfPrinter(const PrinterSettings& settings) : settings_(settings) {}

PdfPrinter::~PdfPrinter() {
  if (InDoc()) AbortDoc();
}

SIZE PdfPrinter::PixelSize() const {
  const DeviceCaps caps = PrinterCaps(settings_);
  return SIZE{caps.width, caps.height};
}

bool PdfPrinter::StartDoc(const std::string& utf8Path) {
  if (InDoc() || utf8Path.empty()) return false;
  // The page is the paper itself, in points (tenths of a millimetre / 254 inch).
  const bool landscape = settings_.orientation == DMORIENT_LANDSCAPE;
  const double across = landscape ? settings_.paperLength : settings_.paperWidth;
  const double down = landscape ? settings_.paperWidth : settings_.paperLength;
  path_ = utf8Path;
  tempPath_ = utf8Path + ".part";
  surface_ = cairo_pdf_surface_create(tempPath_.c_str(), across * 72.0 / 254.0, down * 72.0 / 254.0);
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    std::error_code ec;
    std::filesystem::remove(tempPath_, ec);
    return false;
  }
  failed_ = false;
  pages_ = 0;
  return true;
}

bool PdfPrinter::StartPage() {
  if (!InDoc() || inPage_) return false;
  cr_ = cairo_create(surface_);
  cairo_scale(cr_, 72.0 / settings_.dpiX, 72.0 / settings_.dpiY);
  // Device units start at the printable area's corner, and the margins stay
  // blank whatever the clip region of a drawing call.
  const DeviceCaps caps = PrinterCaps(settings_);
  cairo_translate(cr_, caps.offsetX, caps.offsetY);
  cairo_rectangle(cr_, 0, 0, caps.width, caps.height);
  cairo_clip(cr_);
  inPage_ = true;
  return true;
}

bool PdfPrinter::EndPage() {
  if (!inPage_) return false;
  cairo_show_page(cr_);
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) failed_ = true;
  cairo_destroy(cr_);
  cr_ = nullptr;
  inPage_ = false;
  ++pages_;
  return !failed_;
}

bool PdfPrinter::EndDoc() {
  if (!InDoc()) return false;
  if (inPage_) EndPage();
  cairo_surface_finish(surface_);
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) failed_ = true;
  cairo_surface_destroy(surface_);
  surface_ = nullptr;
  std::error_code ec;
  if (!failed_) std::filesystem::rename(tempPath_, path_, ec);
  if (failed_ || ec) {
    std::filesystem::remove(tempPath_, ec);
    return false;
  }
  return true;
}

void PdfPrinter::AbortDoc() {
  if (cr_) cairo_destroy(cr_);
  cr_ = nullptr;
  inPage_ = false;
  if (surface_) {
    cairo_surface_finish(surface_);
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
  }
  std::error_code ec;
  if (!tempPath_.empty()) std::filesystem::remove(tempPath_, ec);
}

void PdfPrinter::Draw(const DrawOp& op) {
  if (!inPage_ || !op.clip || op.clip->IsEmpty()) return;
  cairo_t* cr = cr_;
  cairo_save(cr);
  cairo_new_path(cr);
  for (const RECT& r : op.clip->Rects()) cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  cairo_clip(cr);
  cairo_set_fill_rule(cr, op.polyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
  const RECT box{op.device.size() > 1 ? op.device[0].x : 0, op.device.size() > 1 ? op.device[0].y : 0,
                 op.device.size() > 1 ? op.device[1].x : 0, op.device.size() > 1 ? op.device[1].y : 0};
  switch (op.kind) {
    case DrawKind::Polyline:
    case DrawKind::Polygon:
    case DrawKind::Rectangle:
    case DrawKind::RoundRect:
    case DrawKind::Ellipse:
    case DrawKind::Arc:
    case DrawKind::Pie:
    case DrawKind::Chord: {
      const Figure figure = BuildFigure(op);
      if (figure.fill != Figure::Fill::None && SetBrush(cr, op, op.brush, op.rop2)) {
        for (const auto& poly : figure.FillPaths()) Path(cr, poly, true, 0.0);
        cairo_fill(cr);
      }
      COLORREF color;
      if (!op.pen.IsNull() && PaperColor(op.rop2, op.pen.color, &color)) {
        cairo_set_line_width(cr, op.pen.deviceWidth);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        for (size_t i = 0; i < figure.outlines.size(); ++i) Path(cr, figure.outlines[i], figure.closed[i], 0.5);
        std::vector<double> dashes;
        if (op.pen.IsCosmetic()) {
          switch (op.pen.Kind()) {
            case PS_DASH: dashes = {18, 6}; break;
            case PS_DOT: dashes = {3, 3}; break;
            case PS_DASHDOT: dashes = {9, 6, 3, 6}; break;
            case PS_DASHDOTDOT: dashes = {9, 3, 3, 3, 3, 3}; break;
            default: break;
          }
        }
        if (!dashes.empty() && op.bkMode == OPAQUE) {
          SetColor(cr, op.bkColor);
          cairo_stroke_preserve(cr);
        }
        cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
        cairo_set_line_cap(cr, dashes.empty() ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
        SetColor(cr, color);
        cairo_stroke(cr);
      }
      break;
    }
    case DrawKind::FillRect:
    case DrawKind::FrameRect:
      if (SetBrush(cr, op, op.brush, R2_COPYPEN)) {
        cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
        if (op.kind == DrawKind::FrameRect && op.device.size() > 2) {
          cairo_rectangle(cr, box.left + op.device[2].x, box.top + op.device[2].y,
                          box.right - box.left - 2 * op.device[2].x, box.bottom - box.top - 2 * op.device[2].y);
          cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        }
        cairo_fill(cr);
      }
      break;
    case DrawKind::PatBlt:
      // Paper keeps what is printed: operations that would read it back
      // (DSTINVERT, PATINVERT) print nothing.
      if (op.rop3 == PATCOPY || op.rop3 == BLACKNESS || op.rop3 == WHITENESS) {
        if (op.rop3 == PATCOPY && !SetBrush(cr, op, op.brush, R2_COPYPEN)) break;
        if (op.rop3 == BLACKNESS) SetColor(cr, RGB(0, 0, 0));
        if (op.rop3 == WHITENESS) SetColor(cr, RGB(255, 255, 255));
        cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
        cairo_fill(cr);
      }
      break;
    case DrawKind::BitBlt:
      if (op.source && (op.rop3 == SRCCOPY || op.rop3 == NOTSRCCOPY)) {
        PixelBuffer copy = *op.source;
        if (op.rop3 == NOTSRCCOPY) {
          for (int y = 0; y < copy.Height(); ++y) {
            for (int x = 0; x < copy.Width(); ++x) {
              uint32_t& p = copy.Row(y)[x];
              if (p >> 24) p = 0xFF000000u | (~p & 0xFFFFFF);
            }
          }
        }
        cairo_surface_t* image = ImageOf(copy);
        const RECT& sb = op.sourceBox;
        cairo_set_source_surface(cr, image, sb.left, sb.top);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_rectangle(cr, sb.left, sb.top, sb.right - sb.left, sb.bottom - sb.top);
        cairo_fill(cr);
        cairo_surface_destroy(image);
      }
      break;
    case DrawKind::SetPixel:
      SetColor(cr, op.color);
      cairo_rectangle(cr, op.device[0].x, op.device[0].y, 1, 1);
      cairo_fill(cr);
      break;
    case DrawKind::Text: {
      if (!op.realized) break;
      if (op.opaqueBox) {
        SetColor(cr, op.bkColor);
        cairo_rectangle(cr, op.box.left, op.box.top, op.box.right - op.box.left, op.box.bottom - op.box.top);
        cairo_fill(cr);
      }
      SetColor(cr, op.textColor);
      cairo_translate(cr, op.device[0].x, op.device[0].y);
      cairo_rotate(cr, -op.realized->Escapement() * std::numbers::pi / 1800.0);
      op.realized->ShowGlyphs(cr, op.glyphs);
      const FontMetrics& m = op.realized->Metrics();
      const double thick = std::max(1.0, std::round(op.realized->EmY() / 14.0));
      if (op.realized->Underline()) cairo_rectangle(cr, 0, std::max(1, m.descent / 2), op.textWidth, thick);
      if (op.realized->StrikeOut()) cairo_rectangle(cr, 0, -std::round(m.ascent / 3.0), op.textWidth, thick);
      cairo_fill(cr);
      break;
    }
    case DrawKind::InvertRect:
    case DrawKind::FocusRect:
      break;  // inverting feedback has no meaning on paper
  }
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) failed_ = true;
  cairo_restore(cr);
}

}  // namespace platform
