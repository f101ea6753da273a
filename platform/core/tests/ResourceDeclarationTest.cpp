#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/core/ResourceSet.h"

using namespace platform::rc;
using platform::DialogRect;
using platform::ResourceSet;

namespace {

TEST(ResourceDeclaration, DialogStatementsGetTheScriptDefaults) {
  platform::DialogTemplate d = Dialog(28076, u"Progress", {0, 0, 186, 62})
                                   .Style(DS_MODALFRAME | WS_POPUP)
                                   .Font(8, u"MS Sans Serif")
                                   .DefPushButton(u"OK", IDOK, {10, 40, 50, 14})
                                   .PushButton(u"Cancel", IDCANCEL, {68, 40, 50, 14})
                                   .LText(u"Name:", IDC_STATIC, {7, 7, 30, 8})
                                   .EditText(1047, {40, 7, 40, 12}, ES_NUMBER)
                                   .ComboBox(1073, {7, 20, 60, 60}, CBS_DROPDOWNLIST | WS_VSCROLL)
                                   .ListBox(676, {70, 20, 60, 60})
                                   .AutoRadioButton(u"A", 2245, {7, 30, 20, 10}, WS_GROUP)
                                   .Icon(130, IDC_STATIC, {150, 7, 20, 20})
                                   .Control(u"", 28154, u"msctls_progress32", WS_BORDER, {7, 50, 172, 8}, WS_EX_CLIENTEDGE);
  // The caption and the font add their styles to the declared one.
  EXPECT_EQ(d.style, DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_SETFONT);
  EXPECT_EQ(d.caption, u"Progress");
  EXPECT_EQ(d.fontSize, 8);
  ASSERT_EQ(d.controls.size(), 9u);

  const DWORD child = WS_CHILD | WS_VISIBLE;
  struct Expect {
    int id;
    const char16_t* className;
    DWORD style;
  } expected[] = {
      {IDOK, u"BUTTON", child | BS_DEFPUSHBUTTON | WS_TABSTOP},
      {IDCANCEL, u"BUTTON", child | BS_PUSHBUTTON | WS_TABSTOP},
      {IDC_STATIC, u"STATIC", child | SS_LEFT | WS_GROUP},
      {1047, u"EDIT", child | ES_LEFT | WS_BORDER | WS_TABSTOP | ES_NUMBER},
      // A drop-down type replaces the simple combo box of the default.
      {1073, u"COMBOBOX", child | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
      {676, u"LISTBOX", child | LBS_NOTIFY | WS_BORDER},
      {2245, u"BUTTON", child | BS_AUTORADIOBUTTON | WS_GROUP},
      {IDC_STATIC, u"STATIC", child | SS_ICON},
      {28154, u"msctls_progress32", child | WS_BORDER},
  };
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(d.controls[i].id, expected[i].id);
    EXPECT_EQ(d.controls[i].className, expected[i].className);
    EXPECT_EQ(d.controls[i].style, expected[i].style);
  }
  EXPECT_EQ(d.controls[1].rect, (DialogRect{68, 40, 50, 14}));
  EXPECT_EQ(d.controls[7].textId, 130u);
  EXPECT_EQ(d.controls[8].exStyle, WS_EX_CLIENTEDGE);
  EXPECT_EQ(d.FindControl(676)->className, u"LISTBOX");
  EXPECT_EQ(d.FindControl(9999), nullptr);
}

TEST(ResourceDeclaration, ItemsBecomeInitialisationDataOfTheirControl) {
  platform::DialogTemplate d = Dialog(293, u"", {0, 0, 100, 100})
                                   .ComboBox(359, {0, 0, 50, 50}, CBS_DROPDOWNLIST)
                                   .ListBox(604, {0, 0, 50, 50})
                                   .Items(359, {u"2", u"3"})
                                   .Items(604, {u"left"})
                                   .Items(359, {u"4"});
  // No caption: no caption bar.
  EXPECT_EQ(d.style, WS_POPUP | WS_BORDER | WS_SYSMENU);
  ASSERT_EQ(d.initData.size(), 4u);
  EXPECT_EQ(d.initData[0].message, static_cast<UINT>(CB_ADDSTRING));
  EXPECT_EQ(d.initData[2].message, static_cast<UINT>(LB_ADDSTRING));
  EXPECT_EQ(d.InitialItems(359), (std::vector<std::u16string>{u"2", u"3", u"4"}));
  EXPECT_EQ(d.InitialItems(604), (std::vector<std::u16string>{u"left"}));

  // Items for an edit, or for a control declared after them, are mistakes.
  EXPECT_THROW(Dialog(1, u"", {}).EditText(5, {}).Items(5, {u"x"}), std::invalid_argument);
  EXPECT_THROW(Dialog(1, u"", {}).Items(6, {u"x"}).ComboBox(6, {}), std::invalid_argument);
}

TEST(ResourceDeclaration, MenusNestAndSubMenusAreFoundByPosition) {
  platform::MenuTemplate m = Menu(28016, {
                                             Popup(u"_VIEW_", {Item(u"&Copy", 57634), Separator(),
                                                               Popup(u"Zoom", {Item(u"100%", 301, MF_CHECKED)})}),
                                             Item(u"Top", 77),
                                         });
  ASSERT_NE(m.SubMenu(0), nullptr);
  EXPECT_EQ(m.SubMenu(0)->text, u"_VIEW_");
  EXPECT_EQ(m.SubMenu(1), nullptr);  // a command, not a pop-up
  EXPECT_EQ(m.SubMenu(2), nullptr);
  EXPECT_EQ(m.SubMenu(-1), nullptr);
  const platform::MenuItem& view = *m.SubMenu(0);
  ASSERT_EQ(view.items.size(), 3u);
  EXPECT_TRUE(view.items[1].IsSeparator());
  EXPECT_TRUE(view.items[2].IsPopup());
  EXPECT_EQ(view.items[2].items[0].flags, static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(view.items[2].items[0].id, 301u);
}

TEST(ResourceDeclaration, ToolBarsAcceleratorsAndImages) {
  platform::ToolBarTemplate bar = ToolBar(138, 16, 15, {1037, 302, 0, 334, 0, 305});
  EXPECT_EQ(bar.bitmapId, 138u);
  EXPECT_EQ(bar.ImageCount(), 4);
  EXPECT_EQ(ToolBar(139, 16, 15, {1}).Bitmap(140).bitmapId, 140u);

  platform::AcceleratorTable keys = Accelerators(28001, {{'C', 57634, FVIRTKEY | FCONTROL}, {VK_DELETE, 57632, FVIRTKEY}});
  ASSERT_EQ(keys.entries.size(), 2u);
  EXPECT_EQ(keys.entries[0], (platform::AcceleratorEntry{'C', 57634, FVIRTKEY | FCONTROL}));

  platform::ImageResource cursor = Cursor(28077).Art({"#.", ".#", "##"}, {{'#', RGB(255, 0, 0)}, {'.', CLR_NONE}}).HotSpot(1, 0);
  EXPECT_EQ(cursor.width, 2);
  EXPECT_EQ(cursor.height, 3);
  EXPECT_EQ(cursor.pixels, (std::vector<DWORD>{0xFFFF0000u, 0, 0, 0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u}));
  EXPECT_EQ(cursor.hotSpot.x, 1);

  platform::ImageResource png = Bitmap(28001).Png(u"toolbar.png");
  EXPECT_TRUE(png.IsFile());
  EXPECT_EQ(png.width, 0);

  // Ragged rows, a symbol without colour, pixels that do not fill the size.
  EXPECT_THROW(Icon(1).Art({"##", "#"}, {{'#', 0}}), std::invalid_argument);
  EXPECT_THROW(Icon(1).Art({"#x"}, {{'#', 0}}), std::invalid_argument);
  EXPECT_THROW(Bitmap(1).Pixels(2, 2, {1, 2, 3}), std::invalid_argument);
}

TEST(ResourceDeclaration, ASetRefusesDuplicatesAndIdsOutOfRange) {
  ResourceSet r;
  r.Strings({{0, u"zero is a valid string id"}, {65535, u"last"}});
  r.Add(Dialog(5, u"", {}));
  r.Add(Menu(5, {}));  // another kind may share the id
  EXPECT_THROW(r.Add(Dialog(5, u"again", {})), std::invalid_argument);
  EXPECT_THROW(r.Strings({{65535, u"again"}}), std::invalid_argument);
  EXPECT_THROW(r.Strings({{65536, u"too big"}}), std::invalid_argument);
  EXPECT_THROW(r.Add(Dialog(0, u"", {})), std::invalid_argument);
  EXPECT_THROW(r.Add(ToolBar(70000, 16, 15, {})), std::invalid_argument);
  EXPECT_THROW(r.Add(Bitmap(9)), std::invalid_argument);  // neither pixels nor a file
  EXPECT_EQ(*r.FindString(0), u"zero is a valid string id");
  EXPECT_EQ(r.FindDialog(5)->caption, u"");
}

TEST(ResourceDeclaration, Win32TypesNameTheSameResources) {
  ResourceSet r;
  r.Strings({{28026, u"text"}, {28027, u""}});
  r.Add(Dialog(28076, u"", {}).ComboBox(1, {}).Items(1, {u"2"}));
  r.Add(Dialog(28077, u"", {}));
  r.Add(Icon(130).Art({"#"}, {{'#', 0}}));
  r.Add(Cursor(30978).Art({"#"}, {{'#', 0}}));

  auto rt = [](LPCTSTR t) { return reinterpret_cast<ULONG_PTR>(t); };
  struct Case {
    ULONG_PTR type;
    ULONG_PTR name;
    bool found;
  } cases[] = {
      {rt(RT_STRING), 28026 / 16 + 1, true},   // the block that holds 28026
      {rt(RT_STRING), 28048 / 16 + 1, false},  // the next block
      {rt(RT_DIALOG), 28076, true},
      {rt(RT_DLGINIT), 28076, true},
      {rt(RT_DLGINIT), 28077, false},  // a dialog without initialisation data
      {rt(RT_GROUP_ICON), 130, true},
      {rt(RT_ICON), 130, true},
      {rt(RT_GROUP_CURSOR), 30978, true},
      {rt(RT_BITMAP), 130, false},
      {rt(RT_MENU), 0, false},
      {77, 28076, false},  // a type no module declares
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << "/" << c.name);
    EXPECT_EQ(r.ContainsWin32(c.type, c.name), c.found);
  }
  // An empty string is no string.
  EXPECT_EQ(r.FindString(28027), nullptr);
  EXPECT_FALSE(r.Contains(platform::ResourceType::String, 28027));
}

}  // namespace
