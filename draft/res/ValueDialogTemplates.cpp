#include "draft/res/ValueDialogTemplates.h"

#include "platform/ui/CommCtrl.h"

namespace draftres {

void AddValueDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

  // The number dialog.
  r.Add(Dialog(134, "输入数据", {0, 0, 160, 62})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("数值", 1063, {10, 12, 40, 8})
            .EditText(1062, {50, 10, 98, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {22, 38, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {88, 38, 50, 14}, WS_TABSTOP));

  // The length dialog: a length and an angle, or two lengths.
  r.Add(Dialog(133, "长度输入", {0, 0, 166, 74})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("长度", 2272, {10, 12, 40, 8})
            .EditText(1048, {54, 10, 100, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("角度", 1045, {10, 30, 40, 8})
            .EditText(1055, {54, 28, 100, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {25, 52, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {91, 52, 50, 14}, WS_TABSTOP));

  // The radius dialog: radius or diameter.
  r.Add(Dialog(288, "半径(直径)输入", {0, 0, 164, 70})
            .Style(kModal)
            .Font(9, "宋体")
            .AutoRadioButton("半径", 572, {10, 8, 50, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton("直径", 2324, {64, 8, 50, 10})
            .LText("半径值 &R：", 313, {10, 28, 50, 8}, WS_GROUP)
            .EditText(1004, {62, 26, 90, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {24, 48, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {90, 48, 50, 14}, WS_TABSTOP));

  // The drawing-tidy dialog: four choices and the centre-line extension.
  r.Add(Dialog(385, "图形整理", {0, 0, 170, 112})
            .Style(kModal)
            .Font(9, "宋体")
            .AutoRadioButton("全图整理中心线", 2245, {10, 8, 76, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton("全图整理重复线", 2234, {88, 8, 76, 10})
            .AutoRadioButton("选择整理中心线", 1024, {10, 24, 76, 10})
            .AutoRadioButton("选择整理重复线", 336, {88, 24, 76, 10})
            .LText("中心线超出\n轮廓长度", IDC_STATIC, {10, 44, 50, 18}, WS_GROUP)
            .EditText(1121, {64, 46, 96, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {27, 88, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {93, 88, 50, 14}, WS_TABSTOP));

  // The integer dialog of other modules.
  r.Add(Dialog(7260, "Dialog", {0, 0, 160, 62})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("数字：", 11224, {10, 12, 40, 8})
            .EditText(11225, {50, 10, 98, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {22, 38, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {88, 38, 50, 14}, WS_TABSTOP));

  // The layer dialog of other modules: an edit with its spin control.
  r.Add(Dialog(260, "选择图层", {0, 0, 140, 58})
            .Style(kModal)
            .Font(9, "宋体")
            .EditText(358, {20, 10, 90, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .Control("", 1192, UPDOWN_CLASSW,
                     WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS,
                     {110, 10, 10, 12})
            .DefPushButton("确认", IDOK, {12, 34, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {78, 34, 50, 14}, WS_TABSTOP));
}

}  // namespace draftres
