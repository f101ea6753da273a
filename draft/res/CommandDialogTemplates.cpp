#include "draft/res/CommandDialogTemplates.h"

#include "platform/core/ImageResource.h"

namespace draftres {

void AddCommandDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

  // The question icon of the polygon's dialog.
  r.Add(Icon(130).Art({"..####..",
                       ".#....#.",
                       "......#.",
                       ".....#..",
                       "....#...",
                       "....#...",
                       "........",
                       "....#..."},
                      {{'#', RGB(0, 0, 160)}, {'.', CLR_NONE}}));

  // The polygon's side count.
  r.Add(Dialog(152, "正多边形边数", {0, 0, 160, 70})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("边数", IDC_STATIC, {10, 12, 30, 8})
            .EditText(1047, {45, 10, 40, 12}, ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP)
            .AutoCheckBox("每次显示此对话框", 1069, {10, 32, 100, 10}, WS_TABSTOP)
            .DefPushButton("是", IDOK, {100, 10, 50, 14}, WS_TABSTOP)
            .PushButton("否", IDCANCEL, {100, 28, 50, 14}, WS_TABSTOP)
            .Icon(130, IDC_STATIC, {130, 48, 20, 20}));
}

}  // namespace draftres
