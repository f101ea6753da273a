#include "draft/res/TendonDialogTemplates.h"

#include <vector>

#include "platform/core/ImageResource.h"
#include "platform/ui/CommCtrl.h"

namespace draftres {
namespace {

constexpr int kAxisPictureWidth = 40;
constexpr int kAxisPictureHeight = 32;
constexpr DWORD kAxisPaper = 0xFFFFFFFF;
constexpr DWORD kOffsetAxis = 0xFF000000;
constexpr DWORD kStationAxis = 0xFFC00000;

// A picture of an axis arrangement: two axes with arrow heads from an
// origin, x to the left or right, y up or down; the axis the stations run
// along is red (x for types 0 to 3, y for 4 to 7, the exchanged ones).
class AxisPicture {
 public:
  explicit AxisPicture(int type)
      : pixels_(static_cast<size_t>(kAxisPictureWidth * kAxisPictureHeight), kAxisPaper) {
    const int sx = (type % 2 == 0) ? -1 : 1;
    const int sy = (type % 4 < 2) ? 1 : -1;  // +1 up
    const bool exchanged = type >= 4;
    const int ox = sx > 0 ? 6 : kAxisPictureWidth - 7;
    const int oy = sy > 0 ? kAxisPictureHeight - 7 : 6;
    const DWORD xColour = exchanged ? kOffsetAxis : kStationAxis;
    const DWORD yColour = exchanged ? kStationAxis : kOffsetAxis;
    const int xEnd = ox + sx * 28;
    const int yEnd = oy - sy * 20;
    for (int i = 0; i <= 28; ++i) Set(ox + sx * i, oy, xColour);
    for (int i = 0; i <= 20; ++i) Set(ox, oy - sy * i, yColour);
    for (int i = 1; i <= 3; ++i) {  // the arrow heads
      Set(xEnd - sx * i, oy - i, xColour);
      Set(xEnd - sx * i, oy + i, xColour);
      Set(ox - i, yEnd + sy * i, yColour);
      Set(ox + i, yEnd + sy * i, yColour);
    }
  }
  platform::ImageResource Bitmap(UINT id) {
    return platform::rc::Bitmap(id).Pixels(kAxisPictureWidth, kAxisPictureHeight, std::move(pixels_));
  }

 private:
  void Set(int x, int y, DWORD colour) {
    if (x < 0 || y < 0 || x >= kAxisPictureWidth || y >= kAxisPictureHeight) return;
    pixels_[static_cast<size_t>(y * kAxisPictureWidth + x)] = colour;
  }
  std::vector<DWORD> pixels_;
};

}  // namespace

void AddTendonDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kPicture = BS_AUTORADIOBUTTON | BS_PUSHLIKE | BS_BITMAP | WS_CHILD | WS_VISIBLE | WS_TABSTOP;

  // The axis arrangement, the line kind, the direction of the stations,
  // the distribution and the closed flag of a tendon graph.
  r.Add(Dialog(404, "选择坐标轴", {0, 0, 236, 176})
            .Style(kModal)
            .Font(9, "宋体")
            .Control("", 406, "Button", kPicture | WS_GROUP, {8, 8, 50, 38})
            .Control("", 407, "Button", kPicture, {64, 8, 50, 38})
            .Control("", 408, "Button", kPicture, {120, 8, 50, 38})
            .Control("", 409, "Button", kPicture, {176, 8, 50, 38})
            .Control("", 415, "Button", kPicture, {8, 50, 50, 38})
            .Control("", 416, "Button", kPicture, {64, 50, 50, 38})
            .Control("", 417, "Button", kPicture, {120, 50, 50, 38})
            .Control("", 418, "Button", kPicture, {176, 50, 50, 38})
            .LText("线型", IDC_STATIC, {8, 98, 24, 8})
            .ComboBox(410, {36, 96, 70, 80}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP)
            .Items(410, {"粗实线", "细实线", "虚线", "点划线", "双点划线"})
            .AutoCheckBox(" 图形封闭", 648, {120, 97, 60, 10}, WS_TABSTOP)
            .AutoRadioButton("水平", 411, {8, 116, 40, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton("垂直", 412, {52, 116, 40, 10})
            .AutoRadioButton("水平对称", 419, {8, 132, 50, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton("垂直对称", 420, {62, 132, 50, 10})
            .AutoRadioButton("不对称", 421, {116, 132, 50, 10})
            .DefPushButton("确认", IDOK, {52, 154, 50, 14}, WS_GROUP | WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {134, 154, 50, 14}, WS_TABSTOP));
  const UINT bitmaps[] = {652, 653, 654, 655, 659, 660, 661, 662};
  for (int type = 0; type < 8; ++type) r.Add(AxisPicture(type).Bitmap(bitmaps[type]));

  // The coordinate table: the grid and cell edit of the table-content
  // dialog, its row and column buttons, the .zbb file buttons and the
  // coordinate-table and axis checks.
  r.Add(Dialog(405, "坐标值", {0, 0, 420, 250})
            .Style(kModal)
            .Font(9, "宋体")
            .EditText(314, {7, 7, 330, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .Control("", 339, WC_LISTVIEWW,
                     WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | WS_BORDER | WS_TABSTOP,
                     {7, 24, 330, 196})
            .PushButton("增加行", 1040, {346, 7, 32, 14}, WS_TABSTOP)
            .PushButton("插入行", 1035, {382, 7, 32, 14}, WS_TABSTOP)
            .PushButton("删除行", 301, {346, 25, 32, 14}, WS_TABSTOP)
            .PushButton("拷贝行", 334, {382, 25, 32, 14}, WS_TABSTOP)
            .PushButton("粘贴行", 1111, {346, 43, 32, 14}, WS_TABSTOP)
            .PushButton("增加列", 372, {382, 43, 32, 14}, WS_TABSTOP)
            .PushButton("删除列", 362, {346, 61, 32, 14}, WS_TABSTOP)
            .PushButton("修改列", 1202, {382, 61, 32, 14}, WS_TABSTOP)
            .PushButton("刷新", 305, {346, 79, 32, 14}, WS_TABSTOP)
            .PushButton("恢复", 2315, {382, 79, 32, 14}, WS_TABSTOP)
            .PushButton("计算", 608, {346, 103, 32, 14}, WS_TABSTOP)
            .PushButton("读文件", 1037, {346, 127, 32, 14}, WS_TABSTOP)
            .PushButton("存文件", 302, {382, 127, 32, 14}, WS_TABSTOP)
            .AutoCheckBox("坐标表", 413, {346, 151, 60, 10}, WS_TABSTOP)
            .AutoCheckBox("坐标轴", 414, {346, 165, 60, 10}, WS_TABSTOP)
            .PushButton("坐标图", 998, {120, 228, 56, 14}, WS_TABSTOP)
            .PushButton("放弃", IDCANCEL, {200, 228, 56, 14}, WS_TABSTOP));
}

}  // namespace draftres
