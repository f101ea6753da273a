#include "draft/res/LinkFormResources.h"

#include <vector>

#include "platform/core/ImageResource.h"

namespace draftres {
namespace {

constexpr int kPictureWidth = 48;
constexpr int kPictureHeight = 32;
constexpr DWORD kPaper = 0xFFFFFFFF;
constexpr DWORD kOutline = 0xFF000000;
constexpr DWORD kBaseLine = 0xFFC00000;

// A picture of two bands joined along a picked centre line: the first band
// 10 pixels wide from x 4 to 24, the second 6 wide from 24 to 44, both
// about the centre line at y 16.
class JoinPicture {
 public:
  JoinPicture() : pixels_(static_cast<size_t>(kPictureWidth * kPictureHeight), kPaper) {
    // The picked line, dash-dot, beyond both ends.
    for (int x = 1; x < kPictureWidth - 1; ++x)
      if (x % 8 < 5 || x % 8 == 6) Set(x, 16, kBaseLine);
    Across(11, 21, 4, 24);  // the first band's sides
    Across(13, 19, 24, 44);  // the second band's sides
    Up(4, 11, 21);           // the start cap
    Up(44, 13, 19);          // the end cap
  }
  // Horizontal sides at rows y1 and y2 from x1 to x2.
  void Across(int y1, int y2, int x1, int x2) {
    for (int x = x1; x <= x2; ++x) {
      Set(x, y1, kOutline);
      Set(x, y2, kOutline);
    }
  }
  // A vertical line at column x from row y1 to y2.
  void Up(int x, int y1, int y2) {
    for (int y = y1; y <= y2; ++y) Set(x, y, kOutline);
  }
  platform::ImageResource Bitmap(UINT id) {
    return platform::rc::Bitmap(id).Pixels(kPictureWidth, kPictureHeight, std::move(pixels_));
  }

 private:
  void Set(int x, int y, DWORD colour) { pixels_[static_cast<size_t>(y * kPictureWidth + x)] = colour; }
  std::vector<DWORD> pixels_;
};

platform::ImageResource WholeCapPicture() {
  JoinPicture p;
  p.Up(24, 11, 21);  // the wider band's end cap closes the step
  return p.Bitmap(225);
}

platform::ImageResource StepLinesPicture() {
  JoinPicture p;
  p.Up(24, 11, 13);  // a step line on each side of the picked line
  p.Up(24, 19, 21);
  return p.Bitmap(213);
}

}  // namespace

void AddLinkFormResources(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kPicture = BS_AUTORADIOBUTTON | BS_PUSHLIKE | BS_BITMAP | WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  r.Add(Dialog(223, "连线形式", {0, 0, 150, 74})
            .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
            .Font(9, "宋体")
            .Control("", 1208, "Button", kPicture | WS_GROUP, {14, 8, 54, 38})
            .Control("", 1112, "Button", kPicture, {82, 8, 54, 38})
            .DefPushButton("执行", IDOK, {14, 54, 50, 14}, WS_GROUP | WS_TABSTOP)
            .PushButton("放弃", IDCANCEL, {86, 54, 50, 14}, WS_TABSTOP));
  r.Add(WholeCapPicture());
  r.Add(StepLinesPicture());
}

}  // namespace draftres
