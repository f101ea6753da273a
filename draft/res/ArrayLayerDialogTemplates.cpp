#include "draft/res/ArrayLayerDialogTemplates.h"

namespace draftres {

void AddArrayLayerDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;

  // The rectangular array's settings: counts and spacings, the direction
  // mode and the two typed angles.
  r.Add(Dialog(797, "阵列参数", {0, 0, 200, 122})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("阵列方向:", IDC_STATIC, {10, 12, 40, 8})
            .ComboBox(1075, {54, 10, 80, 70}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
            .Items(1075, {"水 平垂直", "输入角度", "指定直线", "自动间距"})
            .LText("列数", IDC_STATIC, {10, 32, 24, 8})
            .EditText(1078, {36, 30, 50, 12}, ES_NUMBER | kEdit)
            .LText("行数", IDC_STATIC, {104, 32, 24, 8})
            .EditText(1079, {130, 30, 50, 12}, ES_NUMBER | kEdit)
            .LText("列距", IDC_STATIC, {10, 50, 24, 8})
            .EditText(1180, {36, 48, 50, 12}, kEdit)
            .LText("行距", IDC_STATIC, {104, 50, 24, 8})
            .EditText(1009, {130, 48, 50, 12}, kEdit)
            .LText("X方向:", IDC_STATIC, {10, 68, 24, 8})
            .EditText(1076, {36, 66, 50, 12}, kEdit)
            .LText("Y方向:", IDC_STATIC, {104, 68, 24, 8})
            .EditText(1077, {130, 66, 50, 12}, kEdit)
            .DefPushButton("确认", IDOK, {40, 96, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {110, 96, 50, 14}, WS_TABSTOP));

  // The layer chooser of the layer commands: one entry per layer record.
  r.Add(Dialog(263, "改变图层", {0, 0, 160, 70})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("输入层号:", IDC_STATIC, {10, 12, 40, 8})
            .ComboBox(2335, {54, 10, 96, 120}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
            .DefPushButton("执行", IDOK, {20, 46, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {90, 46, 50, 14}, WS_TABSTOP));
}

}  // namespace draftres
