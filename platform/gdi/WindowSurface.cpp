#include "platform/gdi/WindowSurface.h"

#include "platform/gdi/DcState.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/RasterSurface.h"

namespace platform {

WindowSurface::WindowSurface(int width, int height, COLORREF fill)
    : raster_(std::make_shared<RasterSurface>(width, height, false, fill)) {}

WindowSurface::~WindowSurface() = default;

void WindowSurface::Resize(int width, int height) { raster_->Resize(width, height); }

SIZE WindowSurface::Size() const { return raster_->PixelSize(); }

HDC WindowSurface::CreateDc(const Region* visible) const {
  auto state = std::make_shared<DcState>(DcKind::Window, ScreenCaps());
  state->surface = raster_;
  if (visible) state->visible = *visible;
  if (recorder_) state->recorders.push_back(recorder_);
  return RegisterDc(state);
}

bool WindowSurface::WritePng(const std::string& utf8Path) const { return raster_->WritePng(utf8Path); }

}  // namespace platform
