#include "draft/res/EquationDialogTemplates.h"

namespace draftres {

void AddEquationDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kEditable = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;

  r.Add(Dialog(439, "参数方程曲线", {0, 0, 330, 196})
            .Style(kModal)
            .Font(9, "宋体")
            .GroupBox("坐标系", IDC_STATIC, {8, 4, 150, 24})
            .AutoRadioButton("直角坐标系", 666, {14, 14, 60, 10}, WS_GROUP)
            .AutoRadioButton("极坐标系", 667, {84, 14, 60, 10})
            .LText("名 称", IDC_STATIC, {8, 36, 34, 8})
            .EditText(668, {44, 34, 114, 12}, ES_AUTOHSCROLL)
            .LText("X (t)=", IDC_STATIC, {8, 52, 34, 8})
            .EditText(669, {44, 50, 114, 12}, ES_AUTOHSCROLL)
            .LText("Y (t)=", 671, {8, 68, 34, 8})
            .EditText(670, {44, 66, 114, 12}, ES_AUTOHSCROLL)
            .LText("参变量名", IDC_STATIC, {8, 84, 34, 8})
            .EditText(665, {44, 82, 114, 12}, ES_AUTOHSCROLL)
            .LText("起 始 值", IDC_STATIC, {8, 100, 34, 8})
            .ComboBox(663, {44, 98, 114, 80}, kEditable)
            .Items(663, {"0", "30", "90", "120", "180"})
            .LText("终 止 值", IDC_STATIC, {8, 116, 34, 8})
            .ComboBox(664, {44, 114, 114, 80}, kEditable)
            .Items(664, {"360", "180", "270", "90"})
            .LText("变化步长", IDC_STATIC, {8, 132, 34, 8})
            .ComboBox(684, {44, 130, 114, 80}, kEditable)
            .Items(684, {"0.01", "0.1", "0.5", "1", "5"})
            .GroupBox("单 位", IDC_STATIC, {8, 146, 150, 24})
            .AutoRadioButton("弧度", 683, {14, 156, 50, 10}, WS_GROUP)
            .AutoRadioButton("角度", 682, {84, 156, 50, 10})
            .AutoCheckBox("坐标轴", 414, {8, 176, 40, 10})
            .LText("线 型", IDC_STATIC, {54, 177, 24, 8})
            .ComboBox(672, {80, 175, 78, 80}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
            .Items(672, {"细实线", "粗实线", "虚线", "点划线", "双点划线"})
            .GroupBox("预览", IDC_STATIC, {166, 4, 156, 130})
            .Control("", 677, "Static", SS_BLACKRECT | WS_CHILD | WS_VISIBLE, {172, 14, 144, 114})
            .PushButton("存储方程", 681, {166, 140, 48, 14})
            .PushButton("提取方程...", 680, {220, 140, 48, 14})
            .PushButton("删除方程...", 679, {274, 140, 48, 14})
            .PushButton("预览", 678, {166, 174, 48, 14})
            .DefPushButton("确认", IDOK, {220, 174, 48, 14})
            .PushButton("取消", IDCANCEL, {274, 174, 48, 14}));

  r.Add(Dialog(440, "参数方程", {0, 0, 200, 130})
            .Style(kModal)
            .Font(9, "宋体")
            .ListBox(676, {8, 8, 184, 96}, LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {40, 110, 50, 14})
            .PushButton("取消", IDCANCEL, {110, 110, 50, 14}));

  r.Add(Dialog(1321, "删除方程", {0, 0, 200, 130})
            .Style(kModal)
            .Font(9, "宋体")
            .ListBox(676, {8, 8, 184, 96}, LBS_EXTENDEDSEL | LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {40, 110, 50, 14})
            .PushButton("取消", IDCANCEL, {110, 110, 50, 14}));
}

}  // namespace draftres
