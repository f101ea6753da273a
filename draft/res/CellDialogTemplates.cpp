#include "draft/res/CellDialogTemplates.h"

#include "platform/ui/CommCtrl.h"

namespace draftres {

void AddCellDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

  // One cell of a drawn table: its text, alignment and direction.
  r.Add(Dialog(329, "修改单元表格", {0, 0, 220, 84})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("内容", IDC_STATIC, {8, 10, 30, 8})
            .EditText(563, {40, 8, 120, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .PushButton("特殊字符", 1023, {166, 7, 46, 14}, WS_TABSTOP)
            .LText("对齐方式", IDC_STATIC, {8, 30, 36, 8})
            .ComboBox(1017, {48, 28, 60, 80}, kList)
            .Items(1017, {"左对齐", "中对齐", "右对齐", "自动充满", "原方式对齐"})
            .LText("方向", IDC_STATIC, {116, 30, 20, 8})
            .ComboBox(1020, {140, 28, 72, 80}, kList)
            .Items(1020, {"0°", "90°", "180°", "270°", "不指定"})
            .DefPushButton("确认", IDOK, {46, 60, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {124, 60, 50, 14}, WS_TABSTOP));

  // A process card's grid: the bill-of-materials dialog's controls, the
  // rows-per-page label and the add-rows button.
  r.Add(Dialog(783, "定义为工艺表格", {0, 0, 420, 250})
            .Style(kModal)
            .Font(9, "宋体")
            .EditText(314, {7, 7, 250, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .ComboBox(1313, {7, 7, 250, 100}, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP)
            .LText("", 685, {265, 9, 70, 8})
            .Control("", 339, WC_LISTVIEWW,
                     WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | WS_BORDER | WS_TABSTOP,
                     {7, 24, 330, 196})
            .LText("每页行数", IDC_STATIC, {346, 24, 40, 8})
            .LText("0", 1793, {390, 24, 24, 8})
            .PushButton("增加多行...", 882, {346, 40, 66, 14}, WS_TABSTOP)
            .PushButton("特殊字符", 1312, {346, 58, 66, 14}, WS_TABSTOP)
            .PushButton("生成表格(&B)", 998, {120, 228, 56, 14}, WS_TABSTOP)
            .PushButton("放弃", IDCANCEL, {200, 228, 56, 14}, WS_TABSTOP));

  // How many rows to add, and where.
  r.Add(Dialog(781, "输入行数", {0, 0, 170, 80})
            .Style(kModal)
            .Font(9, "宋体")
            .AutoRadioButton("加到尾部", 871, {10, 8, 70, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton("加到当前位置", 482, {86, 8, 76, 10})
            .LText("行数", IDC_STATIC, {10, 30, 24, 8})
            .EditText(1004, {40, 28, 60, 12}, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {20, 56, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {98, 56, 50, 14}, WS_TABSTOP));

  // The sign pad: the ink window is the static 1001.
  r.Add(Dialog(883, "利用鼠标或其他设备输入手写签名", {0, 0, 240, 150})
            .Style(kModal)
            .Font(9, "宋体")
            .Control("", 1001, "Static", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_NOTIFY, {7, 7, 226, 112})
            .DefPushButton("确认", IDOK, {30, 128, 50, 14}, WS_TABSTOP)
            .PushButton("重写", 1018, {95, 128, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {160, 128, 50, 14}, WS_TABSTOP));
}

}  // namespace draftres
