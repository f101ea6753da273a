// One drawing call of a device context, resolved for a back end: the call as
// the caller made it (logical coordinates) and as the device sees it (device
// coordinates), with the pen, brush, font, raster operation and clip in
// force. The recording back end keeps these; the raster and printer back
// ends draw them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/FontEngine.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Region.h"

namespace platform {

class PixelBuffer;

struct PenState {
  UINT style = PS_SOLID;  // style bits with end cap and join
  int width = 0;          // logical width as created
  int deviceWidth = 1;    // pixels, at least 1
  COLORREF color = 0;
  UINT Kind() const { return style & PS_STYLE_MASK; }
  bool IsNull() const { return Kind() == PS_NULL; }
  // A pen one pixel wide follows the pixel grid and its dash pattern; a wider
  // one is drawn as a solid geometric stroke (styles need a width of 1).
  bool IsCosmetic() const { return deviceWidth <= 1; }
};

struct BrushState {
  UINT style = BS_SOLID;
  COLORREF color = RGB(255, 255, 255);
  int hatch = 0;
  std::shared_ptr<const PixelBuffer> pattern;
  bool monochromePattern = false;
  bool IsNull() const { return style == BS_NULL; }
};

struct FontState {
  LOGFONTW log{};
  int deviceHeight = 0;  // lfHeight in device pixels, with its sign
};

enum class DrawKind {
  Polyline,   // device: the points; an open line (LineTo, Polyline)
  Polygon,    // device: the points; counts: the polygons of PolyPolygon
  Rectangle,  // device[0..1]: the normalised rectangle
  RoundRect,  // device[0..1]: rectangle; device[2]: corner ellipse size
  Ellipse,    // device[0..1]: bounding rectangle
  Arc,        // device[0..1]: rectangle; device[2], device[3]: start, end points
  Pie,
  Chord,
  FillRect,    // device[0..1]: rectangle (brush, no raster operation)
  FrameRect,   // device[0..1]: rectangle; border one logical unit wide
  InvertRect,  // device[0..1]: rectangle
  FocusRect,   // device[0..1]: rectangle (dotted, XOR)
  SetPixel,    // device[0]: the pixel; color
  Text,        // device[0]: the baseline start of the glyphs
  PatBlt,      // device[0..1]: rectangle; rop3
  BitBlt,      // device[0..1]: destination rectangle; device[2]: source corner (source device)
};

struct DrawOp {
  DrawKind kind = DrawKind::Polyline;
  std::string call;  // the call that drew it: "LineTo", "Rectangle", "DrawText"...
  std::vector<POINT> logical;
  std::vector<POINT> device;
  std::vector<int> counts;

  PenState pen;
  BrushState brush;
  FontState font;
  int rop2 = R2_COPYPEN;
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  UINT textAlign = 0;
  int polyFillMode = ALTERNATE;
  int arcDirection = AD_COUNTERCLOCKWISE;  // in device space
  POINT brushOrg{0, 0};
  // The device pixels the call may change: the DC's clip, the window's
  // visible area and the surface bounds together. `clipped` tells whether the
  // caller had set a clip region.
  std::shared_ptr<const Region> clip;
  bool clipped = false;
  std::string target;  // "window", "memory", "printer", "screen", "recording"

  // SetPixel.
  COLORREF color = 0;
  // Text: the characters, the realised font, the glyphs from the baseline
  // start and an optional opaque background rectangle (device).
  std::u16string text;
  std::shared_ptr<const RealizedFont> realized;
  std::vector<RealizedFont::Glyph> glyphs;
  int textWidth = 0;  // device pixels
  bool opaqueBox = false;
  RECT box{0, 0, 0, 0};
  UINT format = 0;  // DrawText format or ExtTextOut options
  // Blits.
  DWORD rop3 = SRCCOPY;
  // BitBlt: a copy of the source pixels for the part `sourceBox` of the
  // destination rectangle that can show (device coordinates), already in the
  // destination's colours; pixels with a zero alpha byte lay outside the
  // source and are left alone.
  std::shared_ptr<const PixelBuffer> source;
  RECT sourceBox{0, 0, 0, 0};

  // One line for logs and test failures.
  std::string Describe() const;
};

}  // namespace platform
