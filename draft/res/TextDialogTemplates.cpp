#include "draft/res/TextDialogTemplates.h"

namespace draftres {

void AddTextDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

  // A dimension's text as its parts and switches.
  r.Add(Dialog(181, "尺寸数值", {0, 0, 250, 150})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("前缀", IDC_STATIC, {8, 10, 40, 8})
            .ComboBox(1084, {52, 8, 60, 90}, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP)
            .Items(1084, {"R", "Φ", "SR", "SΦ", "M", "EQS", "", "", ""})
            .LText("基本尺寸", IDC_STATIC, {8, 26, 40, 8})
            .EditText(1087, {52, 24, 60, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("代号", IDC_STATIC, {8, 42, 40, 8})
            .EditText(1006, {52, 40, 60, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("上偏差", IDC_STATIC, {8, 58, 40, 8})
            .EditText(1226, {52, 56, 60, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("下偏差", IDC_STATIC, {8, 74, 40, 8})
            .EditText(1176, {52, 72, 60, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .AutoCheckBox("公差代号输出", 1227, {8, 92, 80, 10}, WS_TABSTOP)
            .AutoCheckBox("上下偏差输出", 1086, {92, 92, 80, 10}, WS_TABSTOP)
            .AutoCheckBox("上下偏差相等时按±0.05格式输出", 436, {8, 106, 160, 10}, WS_TABSTOP)
            .PushButton("常用公差带", 1089, {124, 8, 56, 14}, WS_TABSTOP)
            .PushButton("常用配合", 1189, {186, 8, 56, 14}, WS_TABSTOP)
            .PushButton("字体设置", 282, {124, 26, 56, 14}, WS_TABSTOP)
            .PushButton("特殊字符", 2482, {186, 26, 56, 14}, WS_TABSTOP)
            .DefPushButton("确认", IDOK, {60, 128, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {140, 128, 50, 14}, WS_TABSTOP));
}

}  // namespace draftres
