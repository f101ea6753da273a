#include "draft/res/RecordDialogTemplates.h"

#include "platform/ui/CommCtrl.h"

namespace draftres {

void AddRecordDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  // The records of a parts-list file: the grid, the cell edit and the
  // material box over the same place, and the row buttons. There is no OK
  // button: Enter moves through the cells.
  r.Add(Dialog(2316, "显示记录信息", {0, 0, 420, 250})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("输入或修改", -1, {7, 9, 44, 8})
            .EditText(314, {54, 7, 283, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .ComboBox(1313, {54, 7, 283, 100}, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP)
            .Control("List1", 1285, WC_LISTVIEWW,
                     WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | WS_BORDER | WS_TABSTOP,
                     {7, 24, 330, 196})
            .PushButton("拷贝行(&C)", 334, {346, 24, 66, 14}, WS_TABSTOP)
            .PushButton("粘贴行(&P)", 1111, {346, 42, 66, 14}, WS_TABSTOP)
            .PushButton("恢复(&U)", 2315, {346, 60, 66, 14}, WS_TABSTOP)
            .PushButton("删除多余记录(&D)", 565, {346, 78, 66, 14}, WS_TABSTOP)
            .PushButton("退出(&Q)", 998, {346, 206, 66, 14}, WS_TABSTOP));
}

}  // namespace draftres
