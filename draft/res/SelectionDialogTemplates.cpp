#include "draft/res/SelectionDialogTemplates.h"

namespace draftres {

void AddSelectionDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  // The selection filter.
  r.Add(Dialog(141, "设置图形选择的过滤条件", {0, 0, 210, 94})
            .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
            .Font(9, "宋体")
            .GroupBox("选择过滤器:", IDC_STATIC, {7, 6, 196, 60})
            .ComboBox(1029, {16, 22, 84, 60}, CBS_DROPDOWNLIST | WS_VSCROLL)
            .Items(1029, {"图组", "尺寸"})
            .PushButton("选择", 1030, {110, 21, 50, 14})
            .LText("参数值:", IDC_STATIC, {16, 45, 32, 8})
            .EditText(1036, {50, 43, 144, 12}, ES_AUTOHSCROLL)
            .DefPushButton("应用", IDOK, {44, 74, 50, 14})
            .PushButton("取消", IDCANCEL, {116, 74, 50, 14}));
  // The drawing's group names.
  r.Add(Dialog(145, "当前使用的图层列表", {0, 0, 190, 106})
            .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
            .Font(9, "宋体")
            .ListBox(1038, {7, 7, 120, 92}, WS_VSCROLL | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {134, 7, 50, 14})
            .PushButton("取消", IDCANCEL, {134, 25, 50, 14}));
}

}  // namespace draftres
