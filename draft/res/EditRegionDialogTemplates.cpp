#include "draft/res/EditRegionDialogTemplates.h"

namespace draftres {

void AddEditRegionDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

  // The chamfer settings.
  r.Add(Dialog(143, "倒角参数", {0, 0, 200, 118})
            .Style(kModal)
            .Font(9, "宋体")
            .GroupBox("倒角类型", IDC_STATIC, {8, 4, 184, 30})
            .AutoRadioButton("45度倒角", 1106, {14, 16, 52, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton("30度倒角", 370, {72, 16, 52, 10})
            .AutoRadioButton("其它倒角", 2251, {130, 16, 52, 10})
            .LText("倒角长度", IDC_STATIC, {10, 44, 50, 8}, WS_GROUP)
            .EditText(1173, {66, 42, 70, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .ComboBox(2270, {8, 60, 56, 60}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
            .Items(2270, {"倒角长度2", "倒角角度"})
            .EditText(1003, {66, 60, 70, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .AutoCheckBox("每次显示此对话框", 1069, {10, 80, 100, 10}, WS_TABSTOP)
            .DefPushButton("确认", IDOK, {40, 98, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {110, 98, 50, 14}, WS_TABSTOP));

  // The fillet settings.
  r.Add(Dialog(144, "倒圆角参数", {0, 0, 160, 70})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("圆角半径", IDC_STATIC, {10, 12, 40, 8})
            .EditText(1007, {56, 10, 90, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .AutoCheckBox("每次显示此对话框", 1069, {10, 30, 100, 10}, WS_TABSTOP)
            .DefPushButton("执行", IDOK, {20, 48, 50, 14}, WS_TABSTOP)
            .PushButton("放弃", IDCANCEL, {90, 48, 50, 14}, WS_TABSTOP));

  // The connecting arc's settings.
  r.Add(Dialog(1205, "过渡圆弧", {0, 0, 170, 96})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("半径值", IDC_STATIC, {10, 12, 40, 8})
            .EditText(1007, {56, 10, 100, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .GroupBox("相切方式", IDC_STATIC, {8, 28, 154, 26})
            .AutoRadioButton("外切", 2235, {16, 39, 50, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton("内切", 2239, {86, 39, 50, 10})
            .AutoCheckBox("修剪图元", 2233, {10, 60, 100, 10}, WS_GROUP | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {24, 76, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {96, 76, 50, 14}, WS_TABSTOP));

  // The axial undercut's sizes.
  r.Add(Dialog(383, "轴向退刀槽", {0, 0, 160, 70})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("退刀槽直径", IDC_STATIC, {10, 12, 50, 8})
            .EditText(388, {66, 10, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("退刀槽宽度", IDC_STATIC, {10, 30, 50, 8})
            .EditText(2218, {66, 28, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .DefPushButton("执行", IDOK, {20, 50, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {90, 50, 50, 14}, WS_TABSTOP));

  // The oblique undercut's sizes.
  r.Add(Dialog(1283, "斜向退刀槽参数", {0, 0, 160, 70})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("凹底深度", IDC_STATIC, {10, 12, 50, 8})
            .EditText(388, {66, 10, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("凹底宽度", IDC_STATIC, {10, 30, 50, 8})
            .EditText(2218, {66, 28, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .DefPushButton("执行", IDOK, {20, 50, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {90, 50, 50, 14}, WS_TABSTOP));

  // The enlarged detail view: its scale and its label, each typed or chosen.
  constexpr DWORD kEditableCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
  r.Add(Dialog(294, "局部放大图", {0, 0, 150, 74})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("比例", IDC_STATIC, {10, 12, 30, 8})
            .ComboBox(352, {44, 10, 96, 80}, kEditableCombo)
            .Items(352, {"2:1", "2.5:1", "5:1", "10:1"})
            .LText("代号", IDC_STATIC, {10, 32, 30, 8})
            .ComboBox(351, {44, 30, 96, 120}, kEditableCombo)
            .Items(351, {"A", "B", "C", "D", "E", "Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ", "Ⅶ", "Ⅷ", "Ⅸ", "Ⅹ", "Ⅺ", "Ⅻ"})
            .DefPushButton("放大", IDOK, {20, 54, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {80, 54, 50, 14}, WS_TABSTOP));

  // The group chooser: one of the drawing's groups, or a new name.
  r.Add(Dialog(371, "改变图组", {0, 0, 180, 62})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("输入组名:", IDC_STATIC, {10, 12, 40, 8})
            .ComboBox(308, {54, 10, 116, 80}, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP)
            .DefPushButton("执行", IDOK, {30, 40, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {100, 40, 50, 14}, WS_TABSTOP));
}

}  // namespace draftres
