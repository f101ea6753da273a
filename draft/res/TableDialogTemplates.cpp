#include "draft/res/TableDialogTemplates.h"

#include <initializer_list>

#include "platform/ui/CommCtrl.h"

namespace draftres {

void AddTableDialogTemplates(platform::ResourceSet& r) {
  using namespace platform::rc;
  constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
  constexpr DWORD kEditable = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;

  // One column of a table structure.
  r.Add(Dialog(293, "结构定义", {0, 0, 186, 112})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("字段名", IDC_STATIC, {10, 12, 36, 8})
            .ComboBox(295, {50, 10, 126, 120}, kEditable)
            .LText("类型", IDC_STATIC, {10, 30, 36, 8})
            .ComboBox(359, {50, 28, 126, 120}, kList)
            .Items(359, {"字符型", "整型", "日期型", "浮点型", "双精度型", "货币型", "逻辑型", ""})
            .LText("对齐方式", IDC_STATIC, {10, 48, 36, 8})
            .ComboBox(364, {50, 46, 126, 80}, kList)
            .Items(364, {"自动填充", "靠左", "居中", "靠右"})
            .LText("宽度", IDC_STATIC, {10, 66, 36, 8})
            .ComboBox(607, {50, 64, 126, 120}, kEditable)
            .Items(607, {"8", "10", "15", "20", "30", "38", "40", "50"})
            .DefPushButton("确认", IDOK, {34, 90, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {102, 90, 50, 14}, WS_TABSTOP));

  // A column's relation formula.
  r.Add(Dialog(626, "定义关系式 (a1,a2,a3...分别代表列1,列2,列3...)", {0, 0, 240, 64})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("关系式", IDC_STATIC, {10, 12, 30, 8})
            .ComboBox(624, {44, 10, 186, 120}, kEditable)
            .Items(624, {"a5=a3*a4/1000", "a4=a2*a3", "a3=7.8*3.1415*a1*a1*a2/4000"})
            .DefPushButton("确认", IDOK, {56, 40, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {134, 40, 50, 14}, WS_TABSTOP));

  // A table structure: one list row per column.
  r.Add(Dialog(140, "定义表结构", {0, 0, 300, 190})
            .Style(kModal)
            .Font(9, "宋体")
            .Control("", 1188, WC_LISTVIEWW,
                     WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
                     {7, 7, 286, 150})
            .PushButton("打开文件", 1189, {7, 166, 56, 14}, WS_TABSTOP)
            .PushButton("保存文件", 1190, {71, 166, 56, 14}, WS_TABSTOP)
            .DefPushButton("确定", IDOK, {175, 166, 56, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {237, 166, 56, 14}, WS_TABSTOP));

  // The fonts and heights of a table's header and body.
  const std::initializer_list<platform::ResourceText> heights = {"1.8", "2.5", "3.0", "3.5", "5.0", "7.0", "10.0", "14.0", "20.0"};
  r.Add(Dialog(147, "创建表格", {0, 0, 300, 176})
            .Style(kModal)
            .Font(9, "宋体")
            .GroupBox("表头属性", IDC_STATIC, {6, 4, 142, 142})
            .AutoCheckBox("有", 1041, {14, 18, 40, 10}, WS_TABSTOP)
            .LText("中文字体", 1044, {14, 34, 44, 8})
            .ComboBox(1274, {62, 32, 80, 100}, kList)
            .LText("西文字体", 1046, {14, 52, 44, 8})
            .ComboBox(332, {62, 50, 80, 100}, kList)
            .LText("表头高度", IDC_STATIC, {14, 70, 44, 8})
            .EditText(389, {62, 68, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("表头字高", IDC_STATIC, {14, 88, 44, 8})
            .ComboBox(1279, {62, 86, 80, 100}, kEditable)
            .Items(1279, heights)
            .LText("表头字间距", 1048, {14, 106, 44, 8})
            .EditText(1100, {62, 104, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("排列方式", IDC_STATIC, {14, 124, 44, 8})
            .ComboBox(1042, {62, 122, 80, 60}, kList)
            .Items(1042, {"横排上", "横排下"})
            .GroupBox("表格属性", IDC_STATIC, {152, 4, 142, 142})
            .LText("表格线有无", IDC_STATIC, {160, 18, 44, 8})
            .AutoCheckBox("有", 556, {208, 18, 40, 10}, WS_TABSTOP)
            .LText("中文字体", 1045, {160, 34, 44, 8})
            .ComboBox(1194, {208, 32, 80, 100}, kList)
            .LText("西文字体", 1047, {160, 52, 44, 8})
            .ComboBox(365, {208, 50, 80, 100}, kList)
            .LText("表格高度", IDC_STATIC, {160, 70, 44, 8})
            .EditText(391, {208, 68, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("表格字高", IDC_STATIC, {160, 88, 44, 8})
            .ComboBox(1277, {208, 86, 80, 100}, kEditable)
            .Items(1277, heights)
            .LText("表格字间距", 1049, {160, 106, 44, 8})
            .EditText(1114, {208, 104, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .LText("字体类型", IDC_STATIC, {160, 124, 44, 8})
            .ComboBox(1043, {208, 122, 80, 60}, kList)
            .Items(1043, {"本系统矢量字体", "TrueType字体", "SHX字体"})
            .DefPushButton("确认", IDOK, {90, 154, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {160, 154, 50, 14}, WS_TABSTOP));

  // The sort key of a table's contents and the columns shown merged.
  r.Add(Dialog(262, "定义排序的关键字", {0, 0, 220, 150})
            .Style(kModal)
            .Font(9, "宋体")
            .LText("关键字", IDC_STATIC, {7, 7, 60, 8})
            .ListBox(604, {7, 18, 96, 90}, LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP)
            .AutoRadioButton("顺序", 605, {7, 112, 40, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton("逆序", 606, {55, 112, 40, 10})
            .AutoCheckBox("表格合并显示", 632, {115, 7, 90, 10}, WS_TABSTOP)
            .ListBox(633, {115, 18, 96, 90}, LBS_MULTIPLESEL | WS_VSCROLL | WS_TABSTOP)
            .DefPushButton("确定", IDOK, {50, 130, 50, 14}, WS_TABSTOP)
            .PushButton("取消", IDCANCEL, {120, 130, 50, 14}, WS_TABSTOP));

  // The status texts and tips of the table dialogs' commands.
  r.Strings({{1037, "读文件\n读文件"},
             {302, "存文件\n存文件"},
             {334, "拷贝行\n拷贝行"},
             {1111, "粘贴行\n粘贴行"},
             {1035, "插入行\n插入行"},
             {301, "删除行\n删除行"},
             {1040, "增加行\n增加行"},
             {372, "增加列\n增加列"},
             {362, "删除列\n删除列"},
             {1202, "修改列\n修改列"},
             {305, "刷新\n刷新"},
             {2315, "恢复\n恢复"},
             {32775, "物料选用\n物料选用"}});

  // The contents of a general table or a bill of materials. The row,
  // column and file commands arrive as WM_COMMAND with their ids.
  r.Add(Dialog(2311, "输入表格内容", {0, 0, 420, 250})
            .Style(kModal)
            .Font(9, "宋体")
            .EditText(314, {7, 7, 250, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .ComboBox(1313, {7, 7, 250, 100}, kEditable)
            .LText("", 685, {265, 9, 70, 8})
            .Control("", 339, WC_LISTVIEWW,
                     WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | WS_BORDER | WS_TABSTOP,
                     {7, 24, 330, 196})
            .AutoRadioButton("明细表", 567, {346, 24, 60, 10}, WS_GROUP | WS_TABSTOP)
            .AutoRadioButton("通用表", 568, {346, 38, 60, 10})
            .PushButton("计算", 608, {346, 60, 66, 14}, WS_TABSTOP)
            .PushButton("特殊字符", 1312, {346, 78, 66, 14}, WS_TABSTOP)
            .PushButton("设置外部数据源", 1050, {346, 96, 66, 14}, WS_TABSTOP)
            .PushButton("数据库数据", 1051, {346, 114, 66, 14}, WS_TABSTOP)
            .PushButton("生成表格", 998, {120, 228, 56, 14}, WS_TABSTOP)
            .PushButton("放弃", IDCANCEL, {200, 228, 56, 14}, WS_TABSTOP));

  // The contents of a rebar schedule: the grid, the cell edit and the
  // row, column, computing and file buttons.
  r.Add(Dialog(285, "钢筋表", {0, 0, 420, 250})
            .Style(kModal)
            .Font(9, "宋体")
            .EditText(314, {7, 7, 330, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
            .Control("", 339, WC_LISTVIEWW,
                     WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDRAWFIXED | WS_BORDER | WS_TABSTOP,
                     {7, 24, 330, 196})
            .PushButton("增加行", 1040, {346, 7, 32, 14}, WS_TABSTOP)
            .PushButton("插入行", 1035, {382, 7, 32, 14}, WS_TABSTOP)
            .PushButton("删除行", 301, {346, 25, 32, 14}, WS_TABSTOP)
            .PushButton("拷贝行", 334, {382, 25, 32, 14}, WS_TABSTOP)
            .PushButton("粘贴行", 1111, {346, 43, 32, 14}, WS_TABSTOP)
            .PushButton("增加列", 372, {382, 43, 32, 14}, WS_TABSTOP)
            .PushButton("删除列", 362, {346, 61, 32, 14}, WS_TABSTOP)
            .PushButton("修改列", 1202, {382, 61, 32, 14}, WS_TABSTOP)
            .PushButton("刷新", 305, {346, 79, 32, 14}, WS_TABSTOP)
            .PushButton("恢复", 2315, {382, 79, 32, 14}, WS_TABSTOP)
            .PushButton("计算", 608, {346, 103, 32, 14}, WS_TABSTOP)
            .PushButton("排序", 612, {382, 103, 32, 14}, WS_TABSTOP)
            .PushButton("汇总", 2440, {346, 121, 32, 14}, WS_TABSTOP)
            .PushButton("材料报表", 614, {382, 121, 32, 14}, WS_TABSTOP)
            .PushButton("多表汇总", 631, {346, 139, 32, 14}, WS_TABSTOP)
            .PushButton("特殊字符", 1312, {382, 139, 32, 14}, WS_TABSTOP)
            .PushButton("读文件", 1037, {346, 163, 32, 14}, WS_TABSTOP)
            .PushButton("存文件", 302, {382, 163, 32, 14}, WS_TABSTOP)
            .PushButton("生成表格", 998, {120, 228, 56, 14}, WS_TABSTOP)
            .PushButton("放弃", IDCANCEL, {200, 228, 56, 14}, WS_TABSTOP));
}

}  // namespace draftres
