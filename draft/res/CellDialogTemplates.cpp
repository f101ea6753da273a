#include "draft/res/CellDialogTemplates.h"

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
