#include "draft/res/AttributeDialogTemplates.h"

#include "platform/ui/CommCtrl.h"

namespace draftres {

void AddAttributeDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  r.Add(Dialog(5001, "属性信息", {0, 0, 330, 200})
            .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
            .Font(9, "宋体")
            .LText("图组", IDC_STATIC, {8, 10, 20, 8})
            .ComboBox(573, {30, 8, 100, 100}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
            .ListBox(1025, {8, 26, 90, 124}, LBS_EXTENDEDSEL | LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP)
            .EditText(2325, {8, 156, 58, 12}, ES_AUTOHSCROLL)
            .PushButton("增加(&A)", 2322, {68, 155, 30, 14})
            .PushButton("删除(&D)", 1030, {8, 174, 44, 14})
            .PushButton("->", 571, {104, 60, 22, 14})
            .PushButton("-->>", 2328, {104, 80, 22, 14})
            .Control("", 1021, WC_LISTVIEWW,
                     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | WS_VISIBLE | WS_CHILD,
                     {132, 26, 190, 124})
            .PushButton("加属性", 1032, {132, 156, 44, 14})
            .PushButton("删属性", 1027, {180, 156, 44, 14})
            .PushButton("清空(&C)", 299, {228, 156, 44, 14})
            .PushButton("取模板", 2330, {56, 174, 44, 14})
            .PushButton("存模板", 333, {104, 174, 44, 14})
            .PushButton("存属性", 569, {152, 174, 44, 14})
            .PushButton("缺省属性", 2331, {200, 174, 44, 14})
            .PushButton("退出", 998, {276, 174, 44, 14}));
}

}  // namespace draftres
