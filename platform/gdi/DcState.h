// What stands behind an HDC: the device, the drawing target and the
// attributes a device context keeps (selected objects, mapping, clip,
// colours, modes), with the saved copies of SaveDC. Every drawing call is
// resolved here into a DrawOp and handed to the target and to the recorders
// attached to the DC.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/DeviceCaps.h"
#include "platform/gdi/DrawOp.h"
#include "platform/gdi/DrawingSurface.h"
#include "platform/gdi/GdiObjectData.h"
#include "platform/gdi/Mapping.h"
#include "platform/gdi/Region.h"

namespace platform {

class DrawingRecorder;
class PdfPrinter;

enum class DcKind { Window, Memory, Printer, Screen, Recording, Information };

struct DcAttributes {
  std::shared_ptr<PenData> pen;
  std::shared_ptr<BrushData> brush;
  std::shared_ptr<FontData> font;
  std::shared_ptr<BitmapData> bitmap;  // memory DCs
  Mapping mapping;
  std::optional<Region> clip;  // the DC's clip region in device pixels; none: unclipped
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  POINT brushOrg{0, 0};
  POINT position{0, 0};  // the current position, logical
  int polyFillMode = ALTERNATE;
  int arcDirection = AD_COUNTERCLOCKWISE;
  int stretchMode = 1;
};

class DcState {
 public:
  DcState(DcKind kind, const DeviceCaps& caps);

  DcKind kind;
  DeviceCaps caps;
  DcAttributes attr;
  std::vector<DcAttributes> saved;
  // Where drawing goes; a memory DC draws on its bitmap's surface.
  std::shared_ptr<DrawingSurface> surface;
  // The part of the surface this DC may draw on (a window's visible part or a
  // paint DC's update region), device pixels; none: the whole surface.
  std::optional<Region> visible;
  std::vector<std::shared_ptr<DrawingRecorder>> recorders;
  std::shared_ptr<PdfPrinter> printer;
  HDC handle = nullptr;

  // Logical to device, clamped to the coordinate range of the Windows GDI
  // (27 bits), so that no figure can ask for a 2^31-pixel walk.
  POINT ToDevice(POINT p) const;
  POINT ToDevice(int x, int y) const { return ToDevice(POINT{x, y}); }
  // A logical rectangle in device pixels, normalised.
  RECT ToDeviceRect(const RECT& r) const;

  // A DrawOp for a call, with the state in force.
  DrawOp Begin(DrawKind kind, const char* call) const;
  // Hands a DrawOp to the target and the recorders; false when the DC has
  // nowhere to draw (an information context, a printer between pages).
  bool Emit(const DrawOp& op) const;
  bool CanDraw() const;

  // The device pixels drawing may change: surface bounds, visible part and clip.
  Region EffectiveClip() const;
  SIZE SurfaceSize() const;
  // The realised font of the selected font at the current mapping.
  std::shared_ptr<const RealizedFont> Font() const;

  // Selection. Each returns the previous object's handle, or null on failure.
  HGDIOBJ Select(const std::shared_ptr<GdiObjectData>& object);
  // Saves the attributes; returns the new depth (1 for the first save).
  int Save();
  bool Restore(int which);
  // Releases the DC's bitmap (memory DCs) before the DC goes.
  void Release();

  std::string TargetName() const;

 private:
  void SelectBitmap(const std::shared_ptr<BitmapData>& bitmap);
};

// The process's live device contexts.
HDC RegisterDc(std::shared_ptr<DcState> state);
std::shared_ptr<DcState> FindDc(HDC dc);
bool UnregisterDc(HDC dc);

// The default 1 x 1 monochrome bitmap of new memory DCs.
std::shared_ptr<BitmapData> DefaultBitmap();

// A new memory DC compatible with `dc` (the screen when null), holding the
// default bitmap; it reports the device of `dc` and passes its calls to the
// recorders of `dc` too.
HDC CreateMemoryDc(HDC dc);
// A DC of the screen, drawing on the screen's surface.
HDC CreateScreenDc();
// Gives the screen's surface a new size (SetScreenDeviceSize).
void ResizeScreenSurface(int width, int height);

}  // namespace platform
