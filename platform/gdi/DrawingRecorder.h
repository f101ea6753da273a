// The recording back end: keeps every call a device context made, with the
// pen, brush, font, raster operation and clip in force, in logical and device
// coordinates, so that a test can assert exactly what was drawn. A recorder
// is the whole target of a recording DC, or listens beside the pixels of a
// window or memory DC.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/gdi/DeviceCaps.h"
#include "platform/gdi/DrawOp.h"
#include "platform/gdi/DrawingSurface.h"

namespace platform {

class DrawingRecorder {
 public:
  void Record(const DrawOp& op);
  std::vector<DrawOp> Ops() const;
  size_t Count() const;
  void Clear();
  // One line per call (DrawOp::Describe).
  std::string Dump() const;

 private:
  mutable std::mutex mutex_;
  std::vector<DrawOp> ops_;
};

// The target of a recording DC: a device of a size that keeps no pixels.
class RecordingSurface : public DrawingSurface {
 public:
  explicit RecordingSurface(SIZE size) : size_(size) {}
  SIZE PixelSize() const override { return size_; }
  void Draw(const DrawOp&) override {}

 private:
  SIZE size_;
};

// A DC whose calls go only to `recorder`, for a device like `caps` (its
// drawable area is caps.width x caps.height).
HDC CreateRecordingDc(std::shared_ptr<DrawingRecorder> recorder, const DeviceCaps& caps = ScreenCaps());
// Adds a recorder to a DC: it hears every later call of the DC and of the
// memory DCs made compatible with it. False for an unknown DC.
bool AttachRecorder(HDC dc, std::shared_ptr<DrawingRecorder> recorder);

}  // namespace platform
