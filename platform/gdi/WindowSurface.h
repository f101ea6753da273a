// How a window draws: the window owns a WindowSurface, the pixels of its
// client area, and a client, paint or window DC is a DC attached to that
// surface. A test may attach a recorder to a window's surface: every DC made
// for the window then records its calls too.
//
// The window layer builds its DC classes on this in a few lines, e.g.
//   CClientDC::CClientDC(CWnd* w) { Attach(w ? w->Surface().CreateDc() : platform::CreateScreenDc()); }
//   CPaintDC: Attach(surface.CreateDc(&updateRegion)) after BeginPaint.
// CDC's destructor deletes the attached DC.
#pragma once

#include <memory>
#include <string>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Region.h"

namespace platform {

class DrawingRecorder;
class RasterSurface;

class WindowSurface {
 public:
  // A client area of the given size (0 x 0 allowed), every pixel `fill`.
  explicit WindowSurface(int width = 0, int height = 0, COLORREF fill = RGB(255, 255, 255));
  ~WindowSurface();
  WindowSurface(const WindowSurface&) = delete;
  WindowSurface& operator=(const WindowSurface&) = delete;

  // Follows the client size; pixels that remain keep their place, new ones
  // are white. DCs already made draw on the new size.
  void Resize(int width, int height);
  SIZE Size() const;
  RasterSurface& Raster() const { return *raster_; }

  // Every DC made for this window from now on also reports to `recorder`
  // (null: none).
  void SetRecorder(std::shared_ptr<DrawingRecorder> recorder) { recorder_ = std::move(recorder); }
  const std::shared_ptr<DrawingRecorder>& Recorder() const { return recorder_; }

  // A DC on this surface, limited to `visible` (device pixels of the client
  // area) when given: a paint DC's update region. Delete it with DeleteDC
  // (or attach it to a CDC, whose destructor deletes it).
  HDC CreateDc(const Region* visible = nullptr) const;

  // The client area as a PNG file (UTF-8 path); false on failure.
  bool WritePng(const std::string& utf8Path) const;

 private:
  std::shared_ptr<RasterSurface> raster_;
  std::shared_ptr<DrawingRecorder> recorder_;
};

}  // namespace platform
