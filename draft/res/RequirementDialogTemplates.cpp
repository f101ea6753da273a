#include "draft/res/RequirementDialogTemplates.h"

#include "platform/ui/CommCtrl.h"

namespace draftres {

void AddRequirementDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kList = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;

  // The requirements editor: title, items, the library tree and the buttons.
  r.Add(Dialog(267, "技术要求", {0, 0, 400, 250})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("标题:", IDC_STATIC, {7, 9, 24, 8})
            .EditText(1019, {32, 7, 120, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .EditText(61562, {7, 24, 260, 120},
                      ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL |
                          WS_TABSTOP)
            .Control("", 1016, WC_TREEVIEWW,
                     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS |
                         TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                     {7, 150, 260, 93})
            .PushButton("添加到技术要求库(&A)", 1286, {276, 24, 116, 14}, WS_TABSTOP)
            .PushButton("读文件(&R)", 61557, {276, 42, 56, 14}, WS_TABSTOP)
            .PushButton("写文件(&W)", 61553, {336, 42, 56, 14}, WS_TABSTOP)
            .PushButton("清空(&E)", 2274, {276, 60, 56, 14}, WS_TABSTOP)
            .PushButton("删除引号(D)", 686, {336, 60, 56, 14}, WS_TABSTOP)
            .PushButton("特殊字符(&T)", 1312, {276, 78, 56, 14}, WS_TABSTOP)
            .PushButton("设置选项(&P)...", 1022, {336, 78, 56, 14}, WS_TABSTOP)
            .PushButton("取库文件(&O)", 61559, {276, 150, 56, 14}, WS_TABSTOP)
            .PushButton("存库文件(&S)", 61560, {336, 150, 56, 14}, WS_TABSTOP)
            .DefPushButton("完成(&C)", IDOK, {276, 229, 56, 14}, WS_TABSTOP)
            .PushButton("放弃(&Q)", IDCANCEL, {336, 229, 56, 14}, WS_TABSTOP));

  // The requirements options: the two heights and the line spacing.
  r.Add(Dialog(135, "设置技术要求选项", {0, 0, 170, 96})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("标题高度", IDC_STATIC, {10, 10, 50, 8})
            .ComboBox(1008, {64, 8, 96, 80}, kList)
            .LText("文本高度", IDC_STATIC, {10, 28, 50, 8})
            .ComboBox(1010, {64, 26, 96, 80}, kList)
            .LText("行间距", IDC_STATIC, {10, 46, 50, 8})
            .EditText(1011, {64, 44, 96, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .DefPushButton("确认", IDOK, {27, 72, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {93, 72, 50, 14}, WS_TABSTOP));
}

}  // namespace draftres
