// The picture: a small colour raster of at most 256 x 256 pixels. Its
// stream holds it as a binary portable pixmap ("P6", maximum value 255, the
// bytes of a linked ".ppm" file the same). A pixel measures 0.05 inch; a
// new picture is 20 x 10 white pixels. Its editor shows the pixels 8 screen
// pixels each, and a click turns the pixel under it black, or a black one
// white. The primary verb opens the editor in a window of its own.
#include <cctype>

#include "platform/gdi/DC.h"
#include "platform/ole/EmbeddableKind.h"
#include "platform/ole/OleItemTypes.h"
#include "platform/ole/PictureKind.h"
#include "platform/ole/ServerWindow.h"

namespace platform {

namespace {

constexpr int kPixelSize = 127;  // HIMETRIC a pixel
constexpr int kMaxSide = 256;

// Reads the next number of a pixmap header, skipping blanks and comments;
// -1 when there is none or it is too large.
int ReadHeaderNumber(const std::vector<BYTE>& bytes, size_t& at) {
  while (at < bytes.size()) {
    if (bytes[at] == '#') {
      while (at < bytes.size() && bytes[at] != '\n') ++at;
    } else if (std::isspace(bytes[at])) {
      ++at;
    } else {
      break;
    }
  }
  if (at >= bytes.size() || !std::isdigit(bytes[at])) return -1;
  int value = 0;
  while (at < bytes.size() && std::isdigit(bytes[at])) {
    value = value * 10 + (bytes[at] - '0');
    if (value > 65535) return -1;
    ++at;
  }
  return value;
}

class PictureContent : public EmbeddedContent {
 public:
  PictureContent() : width_(kNewPictureWidth), height_(kNewPictureHeight), pixels_(width_ * height_ * 3, 255) {}

  bool Load(const std::vector<BYTE>& bytes) override {
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') return false;
    size_t at = 2;
    const int width = ReadHeaderNumber(bytes, at);
    const int height = ReadHeaderNumber(bytes, at);
    const int maximum = ReadHeaderNumber(bytes, at);
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide || maximum != 255) return false;
    // One blank ends the header.
    if (at >= bytes.size() || !std::isspace(bytes[at])) return false;
    ++at;
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    if (bytes.size() - at < size) return false;
    width_ = width;
    height_ = height;
    pixels_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                   bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
    return true;
  }

  std::vector<BYTE> Save() const override {
    const std::string header = "P6\n" + std::to_string(width_) + " " + std::to_string(height_) + "\n255\n";
    std::vector<BYTE> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), pixels_.begin(), pixels_.end());
    return bytes;
  }

  CSize GetExtent() const override { return CSize(width_ * kPixelSize, height_ * kPixelSize); }

  void Draw(CDC* dc, const CRect& rect) const override {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        // Each pixel's edges are rounded from the rectangle, so that the
        // pixels tile it without gaps in either direction of the axes.
        CRect cell(rect.left + x * w / width_, rect.top + y * h / height_, rect.left + (x + 1) * w / width_,
                   rect.top + (y + 1) * h / height_);
        cell.NormalizeRect();
        dc->FillSolidRect(&cell, PixelAt(x, y));
      }
    }
  }

  std::unique_ptr<EmbeddedContent> Clone() const override { return std::make_unique<PictureContent>(*this); }

  void CreateEditor(ServerWindow*) override { edits_ = pixels_; }

  bool TakeEdits(ServerWindow*) override {
    if (edits_.empty() || edits_ == pixels_) return false;
    pixels_ = edits_;
    return true;
  }

  void PaintEditor(ServerWindow*, CDC* dc) override {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const size_t at = Index(x, y);
        dc->FillSolidRect(x * kEditorPixel, y * kEditorPixel, kEditorPixel, kEditorPixel,
                          RGB(edits_[at], edits_[at + 1], edits_[at + 2]));
      }
    }
  }

  bool OnEditorClick(ServerWindow*, CPoint point) override {
    if (point.x < 0 || point.y < 0) return false;
    const int x = point.x / kEditorPixel;
    const int y = point.y / kEditorPixel;
    if (x >= width_ || y >= height_ || edits_.empty()) return false;
    const size_t at = Index(x, y);
    const BYTE value = (edits_[at] == 0 && edits_[at + 1] == 0 && edits_[at + 2] == 0) ? 255 : 0;
    edits_[at] = edits_[at + 1] = edits_[at + 2] = value;
    return true;
  }

 private:
  size_t Index(int x, int y) const { return (static_cast<size_t>(y) * static_cast<size_t>(width_) + x) * 3; }
  COLORREF PixelAt(int x, int y) const {
    const size_t at = Index(x, y);
    return RGB(pixels_[at], pixels_[at + 1], pixels_[at + 2]);
  }

  int width_;
  int height_;
  std::vector<BYTE> pixels_;
  // The pixels in the open editor.
  std::vector<BYTE> edits_;
};

class PictureKindImpl : public EmbeddableKind {
 public:
  LPCWSTR GetClassName() const override { return u"Scrivel.Picture"; }
  LPCWSTR GetUserTypeName() const override { return u"Picture"; }
  LPCWSTR GetFileExtension() const override { return u".ppm"; }
  DWORD GetMiscStatus() const override { return 0; }
  bool EditsInPlace() const override { return false; }
  std::unique_ptr<EmbeddedContent> NewContent() const override { return std::make_unique<PictureContent>(); }
};

}  // namespace

const EmbeddableKind& PictureKind() {
  static const PictureKindImpl kind;
  return kind;
}

}  // namespace platform
