#include "draft/res/DraftResources.h"

#include "draft/res/ArrayLayerDialogTemplates.h"
#include "draft/res/AttributeDialogTemplates.h"
#include "draft/res/CellDialogTemplates.h"
#include "draft/res/CommandDialogTemplates.h"
#include "draft/res/EditRegionDialogTemplates.h"
#include "draft/res/EquationDialogTemplates.h"
#include "draft/res/LinkFormResources.h"
#include "draft/res/RecordDialogTemplates.h"
#include "draft/res/SelectionDialogTemplates.h"
#include "draft/res/TableDialogTemplates.h"
#include "draft/res/TableToolBars.h"
#include "draft/res/TendonDialogTemplates.h"
#include "draft/res/TextDialogTemplates.h"
#include "draft/res/RequirementDialogTemplates.h"
#include "draft/res/ValueDialogTemplates.h"

namespace draftres {

platform::ResourceSet BuildResources() {
  using namespace platform::rc;
  platform::ResourceSet r;
  // The coordinate dialog.
  r.Add(Dialog(132, "坐标输入", {0, 0, 178, 92})
            .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
            .Font(9, "宋体")
            .AutoRadioButton("相对坐标", 1272, {10, 8, 50, 10}, WS_GROUP)
            .AutoRadioButton("绝对坐标", 629, {64, 8, 50, 10})
            .AutoRadioButton("直角坐标", 1013, {10, 22, 50, 10}, WS_GROUP)
            .AutoRadioButton("极坐标", 2289, {64, 22, 50, 10})
            .LText("相对坐标 &X:", 1018, {10, 40, 56, 8})
            .EditText(1004, {70, 38, 96, 12}, ES_AUTOHSCROLL)
            .LText("相对坐标 &Y:", 1122, {10, 56, 56, 8})
            .EditText(1005, {70, 54, 96, 12}, ES_AUTOHSCROLL)
            .DefPushButton("确认", IDOK, {30, 72, 50, 14})
            .PushButton("取消", IDCANCEL, {98, 72, 50, 14}));
  AddValueDialogTemplates(r);
  AddSelectionDialogTemplates(r);
  AddTableDialogTemplates(r);
  AddRecordDialogTemplates(r);
  AddTableToolBars(r);
  AddCommandDialogTemplates(r);
  AddArrayLayerDialogTemplates(r);
  AddEditRegionDialogTemplates(r);
  AddAttributeDialogTemplates(r);
  AddEquationDialogTemplates(r);
  AddLinkFormResources(r);
  AddRequirementDialogTemplates(r);
  AddCellDialogTemplates(r);
  AddTendonDialogTemplates(r);
  AddTextDialogTemplates(r);
  return r;
}

}  // namespace draftres
