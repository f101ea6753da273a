#include "draft/res/CommandDialogTemplates.h"

#include "platform/core/ImageResource.h"

namespace draftres {

void AddCommandDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

  // The question icon of the polygon's dialog.
  r.Add(Icon(130).Art({"..####..",
                       ".#....#.",
                       "......#.",
                       ".....#..",
                       "....#...",
                       "....#...",
                       "........",
                       "....#..."},
                      {{'#', RGB(0, 0, 160)}, {'.', CLR_NONE}}));

  // The polygon's side count.
  r.Add(Dialog(152, "正多边形边数", {0, 0, 160, 70})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("边数", IDC_STATIC, {10, 12, 30, 8})
            .EditText(1047, {45, 10, 40, 12}, ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP)
            .AutoCheckBox("每次显示此对话框", 1069, {10, 32, 100, 10}, WS_TABSTOP)
            .DefPushButton("是", IDOK, {100, 10, 50, 14}, WS_TABSTOP)
            .PushButton("否", IDCANCEL, {100, 28, 50, 14}, WS_TABSTOP)
            .Icon(130, IDC_STATIC, {130, 48, 20, 20}));

  // The circular array's settings.
  r.Add(Dialog(153, "周分布参数", {0, 0, 190, 120})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("周分布总数", IDC_STATIC, {10, 12, 50, 8})
            .EditText(1047, {64, 10, 50, 12}, ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("角度间距", IDC_STATIC, {10, 30, 50, 8})
            .EditText(1071, {64, 28, 50, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .AutoCheckBox("自动计算角度", 1070, {120, 29, 64, 10}, WS_TABSTOP)
            .LText("周分布方向", IDC_STATIC, {10, 48, 50, 8})
            .ComboBox(1073, {64, 46, 70, 60}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
            .Items(1073, {"逆时针方向", "顺时针方向"})
            .AutoCheckBox("逐个询问取舍", 1066, {10, 66, 80, 10}, WS_TABSTOP)
            .AutoCheckBox("图元旋转", 1068, {100, 66, 80, 10}, WS_TABSTOP)
            .DefPushButton("确认", IDOK, {36, 96, 50, 14}, WS_TABSTOP)
            .PushButton("放弃", IDCANCEL, {104, 96, 50, 14}, WS_TABSTOP));
}

}  // namespace draftres
